#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <deque>

#include "drill_view.h"

class QAccessibleInterface;

namespace zelkor {

// Says short texts to the user's screen reader without showing anything, each as its
// own announcement after whatever it is saying now, and only while a screen reader is
// running.
//
// Qt 6.8 has announcements of its own (AT-SPI's Announcement), and they are what the
// announcer sends there: polite, or assertive where the earlier ones may go unsaid, all
// from one hidden notification.
// Older Qt has none, and Orca 43, the screen reader beside Qt 6.4, speaks nothing of a
// window's change that does not touch the focus, except a notification as it appears.
// So there each text is a notification of its own, without size, that appears with the
// text as its name. Orca asks for the name when it comes to the notification, which at
// a fast pace is well after the next one appeared: a notification renamed for every
// text would be read with the last text only. The last notifications are kept so that
// each still has its name when asked; older ones go.
class Announcer final : public QObject {
  public:
    // The notifications kept: a run and a sheet with answers, and more.
    static constexpr int kKeptNotes = 64;

    explicit Announcer(QWidget* window);

    void say(const QString& text, Announcing how);

    // For QAccessible::installFactory: an announcement's note reads as a notification.
    static QAccessibleInterface* factory(const QString& className, QObject* object);

  private:
    void showNote(const QString& text);

    QWidget* window_;
    QWidget* source_ = nullptr;  // Qt 6.8: what the announcements come from
    std::deque<QPointer<QWidget>> notes_;
};

}  // namespace zelkor
