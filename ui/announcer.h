#pragma once

#include <QString>
#include <QWidget>

class QAccessibleInterface;

namespace zelkor {

// Says short texts to the user's screen reader without showing anything, after
// whatever it is saying now, and only while a screen reader is running.
//
// Qt 6.8 has announcements of its own (AT-SPI's polite Announcement), and they are
// what the announcer sends there. Older Qt has none, and Orca 43, the screen reader
// beside Qt 6.4, speaks nothing of a window's change that does not touch the focus,
// except a notification as it appears. So there the announcer is an empty notification
// without size that reappears with each text as its name; Orca queues what it speaks.
class Announcer final : public QWidget {
  public:
    explicit Announcer(QWidget* parent);

    void say(const QString& text);

    // For QAccessible::installFactory: the announcer reads as a notification.
    static QAccessibleInterface* factory(const QString& className, QObject* object);
};

}  // namespace zelkor
