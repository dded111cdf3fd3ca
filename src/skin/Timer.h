// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>

namespace vorlix {

// A timer switched on and off like a property: switching on a timer that
// already runs leaves its current interval alone.
class Timer : public QTimer {
    Q_OBJECT
public:
    explicit Timer(int intervalMs, QObject* parent = nullptr) : QTimer(parent)
    {
        setInterval(intervalMs);
    }

    bool Enabled() const { return isActive(); }
    void setEnabled(bool on)
    {
        if (on && !isActive())
            start();
        else if (!on)
            stop();
    }
};

} // namespace vorlix
