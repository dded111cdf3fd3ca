// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Announcer.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>

namespace vorlix {

namespace {

constexpr int kPendingMs = 2000;

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<Announcer*>(widget())->message() : QString();
    }
};

QAccessibleInterface* announcerFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new AnnouncerAccessible(static_cast<Announcer*>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* statusLine, std::function<bool(const QWidget* window)> ours)
    : QWidget(statusLine), ours_(std::move(ours))
{
    static const bool installed = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setGeometry(0, 0, 0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    connect(qApp, &QApplication::focusChanged, this, &Announcer::focusChanged);
}

void Announcer::say(const QString& message)
{
    pending_.clear();
    if (message.isEmpty() || sayNow(message))
        return;
    if (const QWidget* active = QApplication::activeWindow(); !active || !ours_(active)) {
        pending_ = message;
        pendingUntil_.setRemainingTime(kPendingMs);
    }
}

bool Announcer::sayNow(const QString& message)
{
    const QWidget* active = QApplication::activeWindow();
    if (!active || !ours_(active) || !QApplication::focusWidget())
        return false;
    message_ = message;
    // Showing it is what the screen reader hears. Hidden again at once, it
    // does not show a second time with the display.
    show();
    hide();
    return true;
}

void Announcer::focusChanged()
{
    if (pending_.isEmpty())
        return;
    // After the screen reader has heard of the focus itself, which Qt tells
    // it once this signal has been handled.
    QTimer::singleShot(0, this, [this] {
        if (!pending_.isEmpty() && !pendingUntil_.hasExpired() && sayNow(pending_))
            pending_.clear();
    });
}

} // namespace vorlix
