#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zelkor {

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
    setObjectName("announcer");
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::say(const QString& text) {
    // Without a screen reader there is no one to tell, and nothing is done.
    if (!QAccessible::isActive()) return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window(), text);  // polite unless told otherwise
    QAccessible::updateAccessibility(&event);
#else
    // The name first, so that the screen reader finds the new text when it asks on
    // seeing the notification appear.
    hide();
    setAccessibleName(text);
    show();
#endif
}

QAccessibleInterface* Announcer::factory(const QString&, QObject* object) {
    if (auto* announcer = dynamic_cast<Announcer*>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    return nullptr;
}

}  // namespace zelkor
