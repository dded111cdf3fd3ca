// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace vorlix {

// A web address shown as underlined text. The dialog that holds it watches
// the mouse over it; a screen reader sees a link whose press action emits
// Press, as a click on it does. Tab reaches it (a click does not give it the
// focus), and Enter or Space then emits Press.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& address, QWidget* parent);

signals:
    void Press();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vorlix
