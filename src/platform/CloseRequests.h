#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vorlix {

// Turns the system's requests to end the program (SIGTERM, SIGINT, SIGHUP,
// the end of the desktop session) into one call on the interface thread.
class CloseRequests : public QObject {
    Q_OBJECT
public:
    explicit CloseRequests(std::function<void()> close, QObject* parent = nullptr);
    ~CloseRequests() override;

private:
    void onSignal();

    std::function<void()> close_;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace vorlix
