// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>

#include <functional>

class QSocketNotifier;
class QWidget;

namespace vorlix {

// Turns the system's requests to end the program into one call, `close`, on
// the interface thread:
// - SIGTERM, SIGINT, SIGHUP and the end of the desktop session;
// - the window manager's close (WM_DELETE_WINDOW) of the watched window,
//   also while a modal dialog blocks it, when Qt itself drops it;
// - the loss of the X server: Qt ends the program with exit() as soon as it
//   sees the connection broken, so `displayLost` runs from within that exit
//   instead (`close` when none is given); it must not touch a window.
class CloseRequests : public QObject, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit CloseRequests(std::function<void()> close, std::function<void()> displayLost = {},
                           QObject* parent = nullptr);
    ~CloseRequests() override;

    void watchWindow(QWidget& window);

private:
    void onSignal();
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    static void onExit();
    bool haveAtoms();

    std::function<void()> close_;
    std::function<void()> displayLost_;
    QSocketNotifier* notifier_ = nullptr;
    QPointer<QWidget> watched_;
    // The X connection and its two atoms; null off X11. The atoms are asked
    // for at the start and their answers read at the first client message.
    void* xcb_ = nullptr;
    unsigned int atomsAsked_[2] = {0, 0};
    quint32 wmProtocols_ = 0;
    quint32 wmDeleteWindow_ = 0;
};

} // namespace vorlix
