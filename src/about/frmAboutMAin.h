// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form.h"

class QToolButton;

namespace vorlix {

class Forms;

// The about launcher, shown beside the player when its cap is pulled off:
// one button for the help file, one for the about dialog.
class frmAboutMAin : public Form {
    Q_OBJECT
public:
    explicit frmAboutMAin(Forms& forms);

    QToolButton* Command_About;
    QToolButton* Command_help;

    void Command_About_Click();
    void Command_help_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Forms& forms_;
};

} // namespace vorlix
