// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frmAboutMAin.h"

#include "about/FocusRingStyle.h"
#include "about/frmAbout.h"
#include "app/Forms.h"
#include "platform/WindowHints.h"
#include "platform/HelpViewer.h"
#include "player/frmMain.h"
#include "skin/Twips.h"
#include "skin/Picture.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QToolButton>

namespace vorlix {

namespace {

inline constexpr TwipsRect kCommand_About{1080, 120, 855, 855};
inline constexpr TwipsRect kCommand_help{120, 120, 855, 855};

// A square button with its picture centred above its caption.
QToolButton* pictureButton(QWidget* parent, const QString& caption, const QString& picture,
                           const TwipsRect& rect)
{
    auto* button = place(new QToolButton(parent), rect);
    button->setText(caption);
    // Drawn for the screen's ratio; the pixmap keeps the ratio, so the icon
    // shows it at 32 x 32 pixels.
    button->setIcon(QIcon(QPixmap::fromImage(readPicture(picture, parent->devicePixelRatioF()))));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

frmAboutMAin::frmAboutMAin(Forms& forms)
    : Form(nullptr, kFixedDialogFlags),
      forms_(forms)
{
    setWindowTitle(tr("About"));
    setFixedSize(137, 73);
    // Created in tab order: Help first, so it has the focus when the window opens.
    Command_help = pictureButton(this, tr("Help"), QStringLiteral(":/help.png"), kCommand_help);
    Command_About = pictureButton(this, tr("About"), QStringLiteral(":/about.png"), kCommand_About);
    // What a screen reader calls them, which is what they show.
    Command_help->setAccessibleName(tr("Help"));
    Command_About->setAccessibleName(tr("About"));
    Command_help->setFocus();
    new FocusRingStyle(this, {Command_help, Command_About});
    connect(Command_help, &QToolButton::clicked, this, &frmAboutMAin::Command_help_Click);
    connect(Command_About, &QToolButton::clicked, this, &frmAboutMAin::Command_About_Click);
}

void frmAboutMAin::Command_About_Click()
{
    frmAbout& about = forms_.About();
    about.setWindowState(about.windowState() & ~Qt::WindowMinimized);
    about.show();
    about.raise();
    about.activateWindow();
}

void frmAboutMAin::Command_help_Click()
{
    forms_.services().playClick();
    CommonDialog& dialog = forms_.Main().CommonDialog1;
    dialog.HelpCommand = HelpViewer::kForceFile;
    dialog.HelpFile = forms_.services().programFile(QStringLiteral("VORLIX.HLP"));
    dialog.ShowHelp();
}

void frmAboutMAin::showEvent(QShowEvent* event)
{
    // Before the window is mapped: a close button only in its title bar.
    askForCloseButtonOnly(*this, FixedWindowKind::Palette);
    // The button that has the focus shows it from the start.
    setAttribute(Qt::WA_KeyboardFocusChange);
    Form::showEvent(event);
}

void frmAboutMAin::keyPressEvent(QKeyEvent* event)
{
    // Keys the buttons leave: Enter presses the one with the focus, as Space
    // does; Escape closes the launcher, as its close button does.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QToolButton*>(focusWidget()); button && !event->isAutoRepeat())
            button->click();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        Form::keyPressEvent(event);
    }
}

void frmAboutMAin::closeEvent(QCloseEvent* event)
{
    // The close button simply destroys the launcher; the about dialog stays.
    event->accept();
    if (forms_.AboutMainIfLoaded() == this)
        forms_.UnloadAboutMain();
}

} // namespace vorlix
