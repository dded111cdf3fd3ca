// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDeadlineTimer>
#include <QWidget>

#include <functional>

namespace vorlix {

// Tells a screen reader what the player just did: a song started, the volume
// stepped, the power came on. Screen readers such as Orca speak the changes
// of the control that has the focus, not those of the display, and what Qt
// sends for a changed name or description does not carry the text. They do
// speak a notification that shows, wherever it is: this is one, of no size,
// shown afresh with each message as its name. Inside a status line (the
// display) the screen reader says just the message.
//
// A message is told only while one of the windows that `ours` accepts is
// active, so that the player does not talk over other programs. While none
// is (a dialog has just closed and the window manager has not yet given the
// window back), the message waits up to two seconds for one of them.
class Announcer : public QWidget {
    Q_OBJECT
public:
    Announcer(QWidget* statusLine, std::function<bool(const QWidget* window)> ours);

    void say(const QString& message);
    // The message told last.
    const QString& message() const { return message_; }

private:
    bool sayNow(const QString& message);
    void focusChanged();

    std::function<bool(const QWidget*)> ours_;
    QString message_;
    QString pending_;
    QDeadlineTimer pendingUntil_;
};

} // namespace vorlix
