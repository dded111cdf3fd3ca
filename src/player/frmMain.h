// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form.h"
#include "platform/CommonDialog.h"
#include "player/Display.h"

#include <memory>

namespace vorlix {

class Forms;
class ImageControl;
class Label;
class Mp3Play;
class PictureBox;
class Announcer;
class Timer;
class WindowMover;
class frmPlayList;

// The player window: a frameless picture of the device with hotspots over
// its painted buttons.
class frmMain : public Form {
    Q_OBJECT
public:
    explicit frmMain(Forms& forms);
    ~frmMain() override;

    // Controls, front to back within their picture box.
    PictureBox* pic1;
    std::unique_ptr<Mp3Play> Mp3Play1;
    CommonDialog CommonDialog1;
    Timer* Timer_MP3DataShow;
    ImageControl* Image_usb_off;
    ImageControl* Image_PlayList;
    ImageControl* Image_volume_decrease;
    ImageControl* Image_volume_increase;
    ImageControl* Image_pause;
    ImageControl* Image_power;
    Label* Text_Title;
    ImageControl* Image_button;

    PictureBox* pic2;
    Label* Text_Title2;
    ImageControl* Image2;
    ImageControl* Image1;
    ImageControl* Image_usb_on;

    void Form_Load() override;
    void Form_Unload() override;

    void Image_power_Click();
    void Image2_Click();
    void Image_button_Click();
    void Image_pause_Click();
    void Timer_MP3DataShow_Timer();
    void Image_PlayList_Click();
    void Image_volume_increase_Click();
    void Image_volume_decrease_Click();

    void pic1_MouseDown();
    void pic2_MouseDown();
    void Image_usb_off_MouseDown();

    void Image_usb_off_DblClick();
    void Image_usb_on_DblClick();

    // Songs opened from outside the window: the power button's steps for a
    // player that is off, without the click, and a list entry played as a
    // list song with the playlist window left as it is.
    void SwitchOn();
    void PlayListSong(int index);

    // Tells a screen reader what the player just did, through the control
    // that has the focus in the player or the playlist window: a song's
    // title when it starts, the volume after a step, the power coming on.
    void Announce(const QString& message);
    // The title of a list entry that has just started.
    void AnnounceListSong(const QByteArray& entry);
signals:
    // After a press changed the buttons, the song or the volume.
    void PlayerChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void nameControls();
    void connectHandlers();
    void askToClose();
    void showPlayingState();
    void startSelectedListSong(frmPlayList& playList);
    void stepVolume(VolumeDirection direction);
    void movePlayListBelow();
    void showSkin(PictureBox& shown, bool usbOn);

    Forms& forms_;
    WindowMover* mover_;
    bool screenWatched_ = false;
    Announcer* announcer_ = nullptr;
    ScrollingCaption scroll_;
};

} // namespace vorlix
