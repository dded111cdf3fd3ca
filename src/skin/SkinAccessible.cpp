// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinAccessible.h"

#include "skin/ImageControl.h"
#include "skin/Label.h"

#include <QPointer>
#include <QTimer>

namespace vorlix {

ImageControlAccessible::ImageControlAccessible(ImageControl* control)
    : QAccessibleWidget(control, QAccessible::Graphic)
{
}

QAccessible::Role ImageControlAccessible::role() const
{
    return control()->isButton() ? QAccessible::Button : QAccessible::Graphic;
}

ImageControl* ImageControlAccessible::control() const
{
    return static_cast<ImageControl*>(widget());
}

QString ImageControlAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && control()->isButton())
        return control()->buttonName();
    return QAccessibleWidget::text(t);
}

QAccessible::State ImageControlAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (!control()->isButton())
        return s;
    const bool takes = control()->takesPress();
    s.disabled = !takes;
    s.focusable = takes;
    return s;
}

void* ImageControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && !control()->isButton())
        return nullptr;
    return QAccessibleWidget::interface_cast(type);
}

QStringList ImageControlAccessible::actionNames() const
{
    return control()->isButton() ? QStringList{pressAction()} : QStringList{};
}

void ImageControlAccessible::doAction(const QString& actionName)
{
    // Refused where a click would be. The handler runs once the request has
    // been answered, as it may ask a question of its own and wait for it.
    if (actionName != pressAction() || !control()->takesPress())
        return;
    QTimer::singleShot(0, control(), [c = QPointer(control())] {
        if (c)
            c->press();
    });
}

QStringList ImageControlAccessible::keyBindingsForAction(const QString& actionName) const
{
    return actionName == pressAction() ? QStringList{QStringLiteral("Space")} : QStringList{};
}

LabelAccessible::LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

QAccessible::Role LabelAccessible::role() const
{
    return static_cast<Label*>(widget())->isStatusLine() ? QAccessible::StatusBar : QAccessible::StaticText;
}

QString LabelAccessible::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    return spokenCaption(static_cast<Label*>(widget())->caption());
}

namespace {

QAccessibleInterface* skinFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(ImageControl::staticMetaObject.className()))
        return new ImageControlAccessible(static_cast<ImageControl*>(object));
    if (className == QLatin1String(Label::staticMetaObject.className()))
        return new LabelAccessible(static_cast<Label*>(object));
    return nullptr;
}

} // namespace

void installSkinAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vorlix
