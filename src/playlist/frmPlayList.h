// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Form.h"
#include "platform/CommonDialog.h"
#include "player/Display.h"
#include "playlist/SongList.h"

namespace vorlix {

class Forms;
class ImageControl;
class PictureBox;
class Timer;
class WindowMover;

// The playlist window: the song list on a shaped metal panel, kept across
// runs in the playlist file.
class frmPlayList : public Form {
    Q_OBJECT
public:
    explicit frmPlayList(Forms& forms);
    ~frmPlayList() override;

    Timer* Timer_MP3ListDataShow;
    CommonDialog CommonDialog1;
    PictureBox* pic1;
    SongList* List1;
    ImageControl* Image_MinPlayList;
    ImageControl* Command_Remove;
    ImageControl* Command_Addlist;
    ImageControl* Image1;

    // The playlist file; empty when the user has no folder for it.
    QString MP3ListFile;

    void Form_Load() override;
    void Form_QueryUnload() override;

    void Command_Addlist_Click();
    void Command_Remove_Click();
    void Image_MinPlayList_Click();
    void Timer_MP3ListDataShow_Timer();
    void pic1_MouseDown();

    // Songs opened from outside the window, appended as Add appends a file.
    // Each must fit on one line of the list file.
    void AddSongs(const QList<QByteArray>& entries);
    // Songs saved after the list's entries when the window unloads, without
    // touching the list itself (the program is closing).
    void KeepSongs(const QList<QByteArray>& entries) { kept_ += entries; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void nameControls();
    void connectHandlers();
    bool saveEdits(QString& reason);
    void tellNotSaved(const QString& reason);
    void tellNotRead(const QString& reason);
    void tell(const QString& text);

    Forms& forms_;
    WindowMover* mover_;
    ScrollingCaption scroll_;
    ShownListTitle listTitle_;
    // Set when the file exists but could not be read: saving over it would
    // lose the songs it holds.
    bool keepFile_ = false;
    // The list as read from the file: what the user's edits are told from.
    QList<QByteArray> read_;
    QList<QByteArray> kept_;
};

} // namespace vorlix
