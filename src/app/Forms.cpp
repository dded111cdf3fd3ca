// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Forms.h"

#include "about/frmAbout.h"
#include "about/frmAboutMAin.h"
#include "player/frmMain.h"
#include "playlist/PlaylistFile.h"
#include "playlist/SongList.h"
#include "playlist/frmPlayList.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace vorlix {

Forms::Forms(Services services) : services_(std::move(services)) {}

Forms::~Forms()
{
    // Whatever is left goes down without its unload handlers: the program
    // is over by now.
    delete about_;
    delete aboutMain_;
    delete playList_;
    delete main_;
}

template <class W> W& Forms::touch(W*& slot)
{
    if (!slot) {
        slot = new W(*this);
        slot->Form_Load();
    }
    return *slot;
}

template <class W> void Forms::unload(W*& slot)
{
    if (!slot)
        return;
    W* window = slot;
    window->Form_QueryUnload();
    window->Form_Unload();
    // The next touch creates the window afresh.
    slot = nullptr;
    window->hide();
    for (QTimer* timer : window->template findChildren<QTimer*>())
        timer->stop();
    // The window may be unloading itself from one of its own handlers, or
    // from a modal loop it runs (a close request during its question), so
    // it is destroyed once control is back in the loop that was running.
    window->deleteLater();
}

frmMain& Forms::Main() { return touch(main_); }
frmPlayList& Forms::PlayList() { return touch(playList_); }
frmAboutMAin& Forms::AboutMain() { return touch(aboutMain_); }
frmAbout& Forms::About() { return touch(about_); }

void Forms::UnloadMain()
{
    if (!main_)
        return;
    if (auto before = std::exchange(beforeClose_, {}))
        before();
    unload(main_);
    if (onMainUnloaded_)
        onMainUnloaded_();
}

void Forms::SystemClose()
{
    closingBySystem_ = true;
    UnloadMain();
}

void Forms::DisplayLost()
{
    closingBySystem_ = true;
    if (auto before = std::exchange(beforeClose_, {}))
        before();
    if (playList_)
        playList_->Form_QueryUnload();
    std::fflush(nullptr);
    ::_exit(1);
}

void Forms::KeepSongs(const QList<QByteArray>& songs)
{
    if (songs.isEmpty())
        return;
    if (playList_) {
        playList_->KeepSongs(songs);
        return;
    }
    // No list window: they go at the end of the file as it is.
    if (services_.tempFolder.isEmpty())
        return;
    const PlaylistSave save = savePlaylistEdits(playlistFilePath(services_.tempFolder), {}, songs);
    if (!save.ok) {
        noteSaveFailed();
        qWarning().noquote() << QCoreApplication::translate("vorlix", "Vorlix: The play list could not be saved to %1: %2")
                                    .arg(playlistFilePath(services_.tempFolder), save.error);
    }
}

bool Forms::firstTime(const QString& what)
{
    if (told_.contains(what))
        return false;
    told_.insert(what);
    return true;
}

void Forms::UnloadPlayList()
{
    if (playList_) {
        const SongList& songs = *playList_->List1;
        lastList_ = {songs.ListCount(), songs.ListIndex(), songs.Text()};
    }
    unload(playList_);
}
void Forms::UnloadAboutMain() { unload(aboutMain_); }
void Forms::UnloadAbout() { unload(about_); }

} // namespace vorlix
