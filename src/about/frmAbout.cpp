// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/frmAbout.h"

#include "about/FocusRingStyle.h"
#include "about/SysInfo.h"
#include "app/Forms.h"
#include "platform/WindowHints.h"
#include "app/Services.h"
#include "platform/MsgBox.h"
#include "platform/Shell.h"
#include "skin/ImageControl.h"
#include "skin/Twips.h"
#include "skin/Picture.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vorlix {

namespace {

// The dialog's client area: its size and, on the screen, its top-left corner.
constexpr QRect kClientArea{156, 129, 323, 237};

const QString kDisclaimer = QStringLiteral(
    "Vorlix comes with no warranty of any kind. Use it at your own risk and keep "
    "copies of the music you care about.");

// The dialog's own small sans-serif face.
QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

// The link's face, Arial or a face of the same build.
QFont linkFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSize(9);
    font.setUnderline(true);
    return font;
}

// A Traditional Chinese Ming face for the title, bold.
QFont titleFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("PMingLiU"), QStringLiteral("AR PL UMing TW"),
                      QStringLiteral("AR PL UMing HK"), QStringLiteral("Noto Serif CJK TC")});
    font.setPointSizeF(15.75);
    font.setWeight(QFont::Bold);
    return font;
}

// A screen reader meets the window as a dialog, and reads its text when
// it opens.
QAccessibleInterface* dialogFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(frmAbout::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

frmAbout::frmAbout(Forms& forms)
    : Form(nullptr, kFixedDialogFlags),
      forms_(forms)
{
    static const bool installed = [] {
        QAccessible::installFactory(dialogFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setWindowTitle(QStringLiteral("About Vorlix"));
    // The client area is placed, not the frame around it.
    setGeometry(kClientArea);
    setFixedSize(kClientArea.size());
    setMouseTracking(true);
    setFont(dialogFont());

    // Back to front, so each later control lies above an earlier one.
    lblDisclaimer = label(TwipsRect{120, 2520, 750, 225}.pixels(), QStringLiteral("Warining:"));
    lblTitle = label(TwipsRect{1920, 240, 3165, 480}.pixels(), QStringLiteral("Vorlix  v1.0"));
    lblTitle->setFont(titleFont());
    Image1 = place(new ImageControl(this), TwipsRect{120, 240, 1500, 1620});
    Image1->setPicture(readPicture(QStringLiteral(":/about_photo.jpg")));
    lblVersion[0] = label(TwipsRect{1920, 720, 3375, 255}.pixels(),
                          QStringLiteral("Requirement: Win 98 / Me / NT / XP"));
    lblVersion[1] = label(TwipsRect{1920, 1320, 3375, 255}.pixels(),
                          QStringLiteral("Programmed by the Vorlix developers"));
    lblVersion[3] = label(TwipsRect{1920, 960, 3375, 255}.pixels(),
                          QStringLiteral("For 32-bit Windows Development"));
    lblVersion[4] = label(TwipsRect{1920, 1680, 3375, 255}.pixels(),
                          QStringLiteral("Made by the Vorlix project"));
    Label3[2] = new LinkLabel(kWebAddress, this);
    Label3[2]->setGeometry(TwipsRect{1920, 2040, 2295, 255}.pixels());
    Label3[2]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3[2]->setFont(linkFont());
    Label3[2]->setStyleSheet(QStringLiteral("color: #008000"));
    Label3[2]->setCursor(Qt::PointingHandCursor);
    Label3[2]->setMouseTracking(true);
    Label3[2]->installEventFilter(this);
    label_warning = label(TwipsRect{120, 2760, 3255, 735}.pixels(), QStringLiteral("Label1"));
    label_warning->setWordWrap(true);

    cmdSysInfo = place(new QPushButton(QStringLiteral("System(&S)..."), this),
                       TwipsRect{3480, 3075, 1245, 345});
    cmdOK = place(new QPushButton(QStringLiteral("Exit"), this), TwipsRect{3480, 2625, 1260, 345});
    for (QPushButton* button : {cmdOK, cmdSysInfo}) {
        button->setAutoDefault(false);
        button->installEventFilter(this);
    }
    cmdOK->setDefault(true);
    // Labels take no focus, so Exit, first in the tab order, has it at the
    // start; the link comes last.
    setTabOrder(cmdOK, cmdSysInfo);
    setTabOrder(cmdSysInfo, Label3[2]);
    cmdOK->setFocus();
    new FocusRingStyle(this, {cmdOK, cmdSysInfo, Label3[2]});

    nameControls();

    Line1[1] = QLine(7, 163, 328, 163);
    Line1[0] = QLine(7, 164, 328, 164);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(Label3[2], &LinkLabel::Press, this, [this] { Label3_Click(2); });
}

// What a screen reader calls the controls whose names are not their text.
void frmAbout::nameControls()
{
    Image1->setAccessibleName(tr("Vorlix player"));
    cmdSysInfo->setAccessibleName(tr("System..."));
}

QLabel* frmAbout::label(const QRect& rect, const QString& caption)
{
    auto* label = new QLabel(caption, this);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + kProgramTitle);
    lblTitle->setText(kProgramTitle);
    label_warning->setText(kDisclaimer);
}

void frmAbout::cmdOK_Click()
{
    forms_.UnloadAbout();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    Registry& registry = forms_.services().registry;
    QString SysInfoPath;
    if (!GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, kMsInfoKey, kMsInfoPathValue, SysInfoPath)) {
        if (!GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, kMsInfoFolderKey, kMsInfoFolderValue,
                         SysInfoPath)) {
            showSysInfoFailure();
            return;
        }
        const QString inFolder = SysInfoPath + u'/' + kMsInfoFile;
        if (!QFileInfo(inFolder).isFile()) {
            showSysInfoFailure();
            return;
        }
        SysInfoPath = inFolder;
    }
    if (!forms_.services().shell.startProgram(SysInfoPath))
        showSysInfoFailure();
}

void frmAbout::showSysInfoFailure()
{
    forms_.services().msgBox.show(this, kSysInfoUnavailable, MsgBoxStyle::OkOnly, kProgramTitle);
}

// The link's border shows while the mouse is over the link and goes only
// over the dialog's own background.

void frmAbout::Label3_MouseMove(int)
{
    Label3[2]->setFrameStyle(QFrame::Box | QFrame::Plain);
}

void frmAbout::Form_MouseMove()
{
    Label3[2]->setFrameStyle(QFrame::NoFrame);
}

void frmAbout::Label3_Click(int)
{
    // Without a browser the user gets the address to copy into one; the
    // answer comes once the desktop's opener has given up.
    forms_.services().shell.openUrl(kWebAddress, this, [this](bool opened) {
        if (!opened)
            forms_.services().msgBox.show(
                this, tr("No web browser could be opened for the link. The address is:\n\n") + kWebAddress,
                MsgBoxStyle::OkOnly | MsgBoxStyle::Exclamation, kProgramTitle);
    });
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    // Enter presses the button that has the focus, and Exit when none has:
    // the default goes with the focus, and comes back to Exit with it.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool sysInfo = watched == cmdSysInfo && event->type() == QEvent::FocusIn;
        if (watched == cmdOK || watched == cmdSysInfo) {
            cmdSysInfo->setDefault(sysInfo);
            cmdOK->setDefault(!sysInfo);
        }
    }
    if (watched == Label3[2]) {
        if (event->type() == QEvent::MouseMove) {
            Label3_MouseMove(2);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && Label3[2]->rect().contains(mouse->position().toPoint()))
                Label3_Click(2);
        }
    }
    return Form::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a control that passes them on are not over the background.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    // Keys no button took: Exit is the default and the cancel button.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        cmdOK->click();
        break;
    default:
        Form::keyPressEvent(event);
    }
}

void frmAbout::showEvent(QShowEvent* event)
{
    // Before the window is mapped: a close button only in its title bar.
    askForCloseButtonOnly(*this, FixedWindowKind::Dialog);
    // The button that has the focus shows it from the start.
    setAttribute(Qt::WA_KeyboardFocusChange);
    Form::showEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (forms_.AboutIfLoaded() == this)
        forms_.UnloadAbout();
}

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(Line1[0].translated(0, 1));
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(Line1[1]);
}

} // namespace vorlix
