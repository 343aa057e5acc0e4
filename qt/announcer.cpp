#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zelkor {
namespace {

// One announcement's notification: no size, no focus, no mouse, drawn nowhere.
class AnnouncementNote final : public QWidget {
  public:
    AnnouncementNote(QWidget* window, const QString& text) : QWidget(window) {
        setObjectName("announcement");
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 0, 0);
        // The name first, so that the screen reader finds it when it asks on seeing the
        // notification appear.
        setAccessibleName(text);
    }
};

}  // namespace

Announcer::Announcer(QWidget* window) : QObject(window), window_(window) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Orca 48 drops events of a kind that come from one program within 0.1 s of each
    // other, a run's problems among them, unless they come from a notification.
    source_ = new AnnouncementNote(window, QString());
    source_->setObjectName("announcementSource");
    source_->hide();  // for good: it never shows with the window
#endif
}

void Announcer::say(const QString& text, Announcing how) {
    // Without a screen reader there is no one to tell, and nothing is done.
    if (!QAccessible::isActive()) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source_, text);
    event.setPoliteness(how == Announcing::InsteadOfTheRest
                            ? QAccessible::AnnouncementPoliteness::Assertive
                            : QAccessible::AnnouncementPoliteness::Polite);
    QAccessible::updateAccessibility(&event);
#else
    // A notification cannot take back what the screen reader has queued of the others.
    static_cast<void>(how);
    showNote(text);
#endif
}

void Announcer::showNote(const QString& text) {
    while (notes_.size() >= kKeptNotes) {
        if (notes_.front() != nullptr) notes_.front()->deleteLater();
        notes_.pop_front();
    }
    auto* note = new AnnouncementNote(window_, text);
    notes_.emplace_back(note);
    note->show();
}

QAccessibleInterface* Announcer::factory(const QString&, QObject* object) {
    if (auto* note = dynamic_cast<AnnouncementNote*>(object))
        return new QAccessibleWidget(note, QAccessible::Notification);
    return nullptr;
}

}  // namespace zelkor
