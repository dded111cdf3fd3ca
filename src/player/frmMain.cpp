// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/frmMain.h"

#include "about/frmAboutMAin.h"
#include "app/Forms.h"
#include "engine/Mp3Play.h"
#include "platform/HelpViewer.h"
#include "platform/MsgBox.h"
#include "player/frmMainLayout.h"
#include "playlist/frmPlayList.h"
#include "playlist/frmPlayListLayout.h"
#include "skin/Announcer.h"
#include "skin/ImageControl.h"
#include "skin/Label.h"
#include "skin/PictureBox.h"
#include "skin/Skin.h"
#include "skin/Timer.h"
#include "skin/WindowMover.h"

#include <QCloseEvent>
#include <QFile>
#include <QWindow>

namespace vorlix {

namespace L = frmMainLayout;

namespace {

// The keyboard focus of a button that a press takes away goes to the button
// shown in its place, with the focus ring if it had one; also while the
// window waits to be active again after a dialog.
class FocusHandOver {
public:
    explicit FocusHandOver(const ImageControl* from)
        : had_(from->window()->focusWidget() == from), ring_(from->showsFocusRing())
    {
    }
    void to(ImageControl* next) const
    {
        if (had_)
            next->setFocus(ring_ ? Qt::TabFocusReason : Qt::OtherFocusReason);
    }

private:
    bool had_;
    bool ring_;
};

} // namespace

frmMain::frmMain(Forms& forms)
    : Form(nullptr, Qt::Window | Qt::Tool | Qt::FramelessWindowHint),
      Mp3Play1(forms.services().makeMp3Play()),
      CommonDialog1(forms.services().fileDialog, this, &forms.services().helpViewer),
      forms_(forms),
      mover_(new WindowMover(*this))
{
    setWindowTitle(QStringLiteral("Ormatel"));
    resize(L::kDesignClientSize);
    buildControls();
    connectHandlers();
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    // Siblings are created back to front: a later one lies above an earlier one.
    // Each picture is read when it is first shown, for the screen's ratio: the
    // second skin when the cap first comes off, the pause key at the first song.
    pic2 = place(new PictureBox(this), L::pic2);
    pic2->setPictureFile(QStringLiteral(":/skin2.png"));
    pic2->hide();
    Image_usb_on = place(new ImageControl(pic2), L::Image_usb_on);
    Image1 = place(new ImageControl(pic2), L::Image1);
    Image1->setPictureFile(QStringLiteral(":/play.png"));
    Image2 = place(new ImageControl(pic2), L::Image2);
    Text_Title2 = place(new Label(pic2), L::Text_Title2);
    Text_Title2->setCaption(QStringLiteral("About  Vorlix"));
    Text_Title2->setStatusLine(true);

    pic1 = place(new PictureBox(this), L::pic1);
    pic1->setPictureFile(QStringLiteral(":/skin1.png"));
    Image_button = place(new ImageControl(pic1), L::Image_button);
    Image_button->setPictureFile(QStringLiteral(":/play.png"));
    Text_Title = place(new Label(pic1), L::Text_Title);
    Text_Title->setAlignment(Qt::AlignRight);
    Text_Title->setCaption(kIdleCaption);
    Text_Title->hide();
    Text_Title->setStatusLine(true);
    announcer_ = new Announcer(Text_Title, [this](const QWidget* window) {
        return window == this || window == forms_.PlayListIfLoaded();
    });
    Image_power = place(new ImageControl(pic1), L::Image_power);
    Image_pause = place(new ImageControl(pic1), L::Image_pause);
    Image_pause->setPictureFile(QStringLiteral(":/pause.png"));
    Image_volume_increase = place(new ImageControl(pic1), L::Image_volume_increase);
    Image_volume_decrease = place(new ImageControl(pic1), L::Image_volume_decrease);
    Image_PlayList = place(new ImageControl(pic1), L::Image_PlayList);
    Image_usb_off = place(new ImageControl(pic1), L::Image_usb_off);
    // Named before any state is set, so that a screen reader already
    // listening learns of them as buttons.
    nameControls();
    Image_button->setEnabled(false);
    Image_pause->hide();
    Image_pause->setEnabled(false);
    Image_volume_increase->setEnabled(false);
    Image_volume_decrease->setEnabled(false);
    Image_PlayList->setEnabled(false);
    Timer_MP3DataShow = new Timer(1000, this);

    // The display: a small dark font on the grey-green glass. Like the
    // glass of a real player it sets letters without kerning or ligatures;
    // scripts that need shaping to be read still get it.
    QFont displayFont = font();
    displayFont.setPixelSize(10);
    displayFont.setStyleStrategy(QFont::PreferNoShaping);
    Text_Title->setFont(displayFont);
    Text_Title->setTextColor(QColor(0x1d, 0x2a, 0x1f));
    Text_Title2->setFont(displayFont);
    Text_Title2->setTextColor(QColor(0x1d, 0x2a, 0x1f));
    Text_Title->fitFontToHeight();
    Text_Title2->fitFontToHeight();
}

// The names a screen reader gives the buttons, which Tab visits in this order.
void frmMain::nameControls()
{
    using Press = ImageControl::Press;
    const std::pair<ImageControl*, QString> buttons[] = {
        {Image_power, tr("Power")},
        {Image_button, tr("Play")},
        {Image_pause, tr("Pause")},
        {Image_volume_decrease, tr("Volume Down")},
        {Image_volume_increase, tr("Volume Up")},
        {Image_PlayList, tr("Playlist")},
        {Image_usb_off, tr("USB cap")},
        {Image2, tr("Close")},
        {Image_usb_on, tr("USB plug")},
    };
    ImageControl* previous = nullptr;
    for (const auto& [button, name] : buttons) {
        button->setButton(name, button == Image_usb_off || button == Image_usb_on ? Press::DblClick : Press::Click);
        if (previous)
            setTabOrder(previous, button);
        previous = button;
    }
    // Where the focus goes when the window is first activated.
    Image_power->setFocus(Qt::OtherFocusReason);
}

void frmMain::connectHandlers()
{
    connect(Image_power, &ImageControl::Click, this, &frmMain::Image_power_Click);
    connect(Image2, &ImageControl::Click, this, &frmMain::Image2_Click);
    connect(Image_button, &ImageControl::Click, this, &frmMain::Image_button_Click);
    connect(Image_pause, &ImageControl::Click, this, &frmMain::Image_pause_Click);
    connect(Image_PlayList, &ImageControl::Click, this, &frmMain::Image_PlayList_Click);
    connect(Image_volume_increase, &ImageControl::Click, this, &frmMain::Image_volume_increase_Click);
    connect(Image_volume_decrease, &ImageControl::Click, this, &frmMain::Image_volume_decrease_Click);
    connect(Timer_MP3DataShow, &QTimer::timeout, this, &frmMain::Timer_MP3DataShow_Timer);

    mover_->addHandle(*pic1);
    mover_->addHandle(*pic2);
    mover_->addHandle(*Image_usb_off);
    connect(pic1, &PictureBox::MouseDown, this, &frmMain::pic1_MouseDown);
    connect(pic2, &PictureBox::MouseDown, this, &frmMain::pic2_MouseDown);
    connect(Image_usb_off, &ImageControl::MouseDown, this, &frmMain::Image_usb_off_MouseDown);
    connect(Image_usb_off, &ImageControl::DblClick, this, &frmMain::Image_usb_off_DblClick);
    connect(Image_usb_on, &ImageControl::DblClick, this, &frmMain::Image_usb_on_DblClick);
}

// Start-up and shutdown

void frmMain::Form_Load()
{
    ApplySkin(*this, *pic1);
}

void frmMain::Form_Unload()
{
    forms_.UnloadPlayList();
    forms_.UnloadAbout();
    forms_.UnloadAboutMain();
    forms_.services().helpViewer.close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A close request from the system shuts down without asking.
    event->ignore();
    if (forms_.MainIfLoaded() == this)
        forms_.SystemClose();
}

void frmMain::showEvent(QShowEvent* event)
{
    Form::showEvent(event);
    QWindow* handle = windowHandle();
    if (screenWatched_ || !handle)
        return;
    screenWatched_ = true;
    // The window manager reads the title; a screen reader calls the window by
    // the program's name. Named once the window is up: naming it sooner
    // would connect Qt to the accessibility bus before the window could map.
    QMetaObject::invokeMethod(this, [this] { setAccessibleName(kProgramTitle); }, Qt::QueuedConnection);
    // On a screen of another ratio the window's position is counted in that
    // screen's pixels: once the move is through, the list goes back to its
    // place below the player.
    connect(handle, &QWindow::screenChanged, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            if (forms_.PlayListIfLoaded())
                movePlayListBelow();
        }, Qt::QueuedConnection);
    });
}

void frmMain::Image_power_Click()
{
    forms_.services().playClick();
    if (Text_Title->isHidden()) {
        SwitchOn();
        Announce(tr("Player on"));
        return;
    }
    askToClose();
}

void frmMain::SwitchOn()
{
    Image_button->setEnabled(true);
    Image_PlayList->setEnabled(true);
    Text_Title->show();
    forms_.PlayList().setEnabled(true);
    emit PlayerChanged();
}

void frmMain::Image2_Click()
{
    forms_.services().playClick();
    askToClose();
}

void frmMain::askToClose()
{
    const int answer =
        forms_.services().msgBox.show(this, tr("Close Vorlix?"),
                                      MsgBoxStyle::YesNo | MsgBoxStyle::Question, kProgramTitle);
    if (answer == MsgBoxResult::Yes)
        forms_.UnloadMain();
}

// Playing

void frmMain::Image_button_Click()
{
    forms_.services().playClick();
    frmPlayList& playList = forms_.PlayList();
    QString started;
    if (!playList.isHidden()) {
        SongList& list = *playList.List1;
        if (list.ListIndex() == -1 && list.ListCount() > 0)
            list.setListIndex(0);
        if (list.ListCount() == 0)
            return;
        startSelectedListSong(playList);
        started = listSongTitle(displayPath(list.Text()));
        playList.hide();
    } else {
        CommonDialog1.Filter = QStringLiteral("Mp3|*.mp3");
        CommonDialog1.ShowOpen();
        // The system may have closed the program while the dialog was open.
        if (forms_.MainIfLoaded() != this || CommonDialog1.FileName().isEmpty())
            return;
        if (hasMp3Extension(CommonDialog1.FileName())) {
            Timer_MP3DataShow->setEnabled(true);
            Mp3Play1->Stop();
            Mp3Play1->Open(songPath(QFile::encodeName(CommonDialog1.FileName())), "");
            Mp3Play1->Play();
            started = dialogSongTitle(CommonDialog1.FileTitle());
        }
    }
    showPlayingState();
    // Once the focus has gone from Play to Pause.
    Announce(started);
    emit PlayerChanged();
}

void frmMain::PlayListSong(int index)
{
    frmPlayList& playList = forms_.PlayList();
    playList.List1->setListIndex(index);
    // The list's monitor alone follows the song from now on.
    Timer_MP3DataShow->setEnabled(false);
    startSelectedListSong(playList);
    showPlayingState();
    AnnounceListSong(playList.List1->Text());
    emit PlayerChanged();
}

// The list's selected song from its start, with the list's monitor following it.
void frmMain::startSelectedListSong(frmPlayList& playList)
{
    Mp3Play1->Stop();
    Mp3Play1->Open(songPath(playList.List1->Text()), "");
    Mp3Play1->Play();
    playList.Timer_MP3ListDataShow->setEnabled(true);
}

void frmMain::Announce(const QString& message)
{
    announcer_->say(message);
}

void frmMain::AnnounceListSong(const QByteArray& entry)
{
    Announce(listSongTitle(displayPath(entry)));
}

void frmMain::showPlayingState()
{
    const FocusHandOver focus(Image_button);
    Image_button->hide();
    Image_button->setEnabled(false);
    Image_pause->show();
    Image_pause->setEnabled(true);
    Image_volume_increase->setEnabled(true);
    Image_volume_decrease->setEnabled(true);
    focus.to(Image_pause);
}

void frmMain::Image_pause_Click()
{
    forms_.services().playClick();
    Mp3Play1->Pause();
    const FocusHandOver focus(Image_pause);
    Image_button->show();
    Image_button->setEnabled(true);
    Image_pause->hide();
    Image_pause->setEnabled(false);
    Timer_MP3DataShow->setEnabled(false);
    Text_Title->setCaption(kIdleCaption);
    Image_volume_increase->setEnabled(false);
    Image_volume_decrease->setEnabled(false);
    focus.to(Image_button);
    forms_.UnloadPlayList();
    emit PlayerChanged();
}

void frmMain::Timer_MP3DataShow_Timer()
{
    Text_Title->setCaption(scroll_.next(shownDialogTitle(CommonDialog1.FileTitle())));
}

void frmMain::Image_PlayList_Click()
{
    forms_.services().playClick();
    frmPlayList& playList = forms_.PlayList();
    playList.hide();
    movePlayListBelow();
    playList.show();
    playList.raise();
    playList.activateWindow();
}

void frmMain::movePlayListBelow()
{
    forms_.PlayList().move(pos() + frmPlayListLayout::kOffsetFromPlayer);
}

// Volume

void frmMain::Image_volume_increase_Click()
{
    stepVolume(VolumeDirection::Up);
}

void frmMain::Image_volume_decrease_Click()
{
    stepVolume(VolumeDirection::Down);
}

void frmMain::stepVolume(VolumeDirection direction)
{
    forms_.services().playClick();
    const auto volume1 = Mp3Play1->GetVolume1();
    const auto volume2 = Mp3Play1->GetVolume2();
    const auto [next1, next2] = steppedVolume(volume1, volume2, direction);
    Mp3Play1->SetVolume(next1, next2);
    const auto shown = Mp3Play1->GetVolume1();
    Text_Title->setCaption(volumeCaption(shown));
    Announce(tr("Volume %1%").arg(volumePercent(shown)));
    emit PlayerChanged();
}

// Dragging: the window follows the mouse, then the playlist window is placed
// at its offset below.

void frmMain::pic1_MouseDown()
{
    mover_->moveUntilRelease([this] { movePlayListBelow(); });
}

void frmMain::pic2_MouseDown()
{
    mover_->moveUntilRelease([this] { movePlayListBelow(); });
}

void frmMain::Image_usb_off_MouseDown()
{
    mover_->moveUntilRelease([this] { movePlayListBelow(); });
}

// The USB plug: the cap comes off (second skin, about launcher beside the
// player) and goes back on. Playback, timers and the playlist window are
// left alone.

void frmMain::Image_usb_off_DblClick()
{
    forms_.services().playUsb();
    const FocusHandOver focus(Image_usb_off);
    pic1->hide();
    pic2->show();
    showSkin(*pic2, true);
    focus.to(Image_usb_on);
    frmAboutMAin& launcher = forms_.AboutMain();
    launcher.move(pos() + QPoint(twipsToPixels(3900), -twipsToPixels(150)));
    launcher.show();
}

void frmMain::Image_usb_on_DblClick()
{
    forms_.services().playUsb();
    const FocusHandOver focus(Image_usb_on);
    pic1->show();
    pic2->hide();
    showSkin(*pic1, false);
    focus.to(Image_usb_off);
    forms_.UnloadAbout();
    forms_.UnloadAboutMain();
}

void frmMain::showSkin(PictureBox& shown, bool usbOn)
{
    ApplySkin(*this, shown);
    Image_usb_on->setVisible(usbOn);
    Image_usb_off->setVisible(!usbOn);
    // What the player tells a screen reader comes from the display shown.
    announcer_->setParent(usbOn ? Text_Title2 : Text_Title);
    // The buttons on the hidden picture can no longer be pressed.
    emit PlayerChanged();
}

} // namespace vorlix
