// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

namespace vorlix {

class ImageControl;
class Label;

// What a screen reader sees of the skin's controls. Qt makes these only when
// an assistive technology asks for a control.

// A button image: a push button with its name and a press action. It is
// shown, enabled and focusable exactly when a click on it would be taken.
class ImageControlAccessible : public QAccessibleWidget {
public:
    explicit ImageControlAccessible(ImageControl* control);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    ImageControl* control() const;
};

// A caption: static text, or a status line, named by what it shows, without
// the trailing spaces that move a right-aligned caption along.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label);
    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
};

// Makes Qt use the interfaces above; done once, by the first control made.
void installSkinAccessibility();

} // namespace vorlix
