// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SongOpener.h"

#include "app/Forms.h"
#include "platform/MsgBox.h"
#include "player/frmMain.h"
#include "playlist/frmPlayList.h"
#include "skin/Label.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace vorlix {

SongOpener::SongOpener(Forms& forms, QObject* parent) : QObject(parent), forms_(forms), retry_(new QTimer(this))
{
    // Modal dialogs end without a signal; the waiting request looks again.
    retry_->setSingleShot(true);
    retry_->setInterval(100);
    connect(retry_, &QTimer::timeout, this, &SongOpener::tryPending);
}

SongOpener::~SongOpener()
{
    stop_->store(true);
    if (search_)
        search_->wait();
}

bool SongOpener::modalDialogOpen()
{
    return QApplication::activeModalWidget() || QGuiApplication::modalWindow();
}

void SongOpener::open(const QList<QByteArray>& arguments, const QByteArray& workingFolder)
{
    if (stop_->load())
        return;
    requests_.append({arguments, workingFolder});
    searchNext();
}

// One search at a time, so that songs arrive in the order they were asked for.
void SongOpener::searchNext()
{
    if (search_ || requests_.isEmpty())
        return;
    search_ = QThread::create([this, request = requests_.takeFirst(), stop = stop_] {
        searched_ = findSongs(request.arguments, request.workingFolder, stop.get());
    });
    connect(search_, &QThread::finished, this, [this] {
        search_->deleteLater();
        search_ = nullptr;
        deliver(std::exchange(searched_, {}));
        searchNext();
    });
    search_->start();
}

QList<QByteArray> SongOpener::finish(int graceMs)
{
    retry_->stop();
    const QDeadlineTimer grace(graceMs);
    // Each search left is given what remains of the grace, then stopped.
    const auto within = [&](QThread* search) {
        if (!search->wait(grace)) {
            stop_->store(true);
            search->wait();
        }
        delete search;
    };
    if (QThread* search = std::exchange(search_, nullptr)) {
        search->disconnect(this);
        within(search);
        pending_.songs += std::exchange(searched_, {}).songs;
    }
    for (const Request& request : std::exchange(requests_, {})) {
        FoundSongs found;
        QThread* search = QThread::create([&] { found = findSongs(request.arguments, request.workingFolder, stop_.get()); });
        search->start();
        within(search);
        pending_.songs += found.songs;
    }
    stop_->store(true);
    hasPending_ = false;
    return std::exchange(pending_, {}).songs;
}

void SongOpener::deliver(const FoundSongs& found)
{
    if (stop_->load())
        return;
    // Requests that wait together are told together.
    pending_.songs += found.songs;
    pending_.refused += found.refused;
    hasPending_ = true;
    tryPending();
}

void SongOpener::tryPending()
{
    if (!hasPending_)
        return;
    if (busy_ || modalDialogOpen()) {
        retry_->start();
        return;
    }
    const FoundSongs found = std::exchange(pending_, {});
    hasPending_ = false;
    apply(found);
}

void SongOpener::apply(const FoundSongs& found)
{
    frmMain* main = forms_.MainIfLoaded();
    if (!main)
        return;
    busy_ = true;
    if (!found.songs.isEmpty()) {
        if (main->Text_Title->isHidden())
            main->SwitchOn();
        frmPlayList& playList = forms_.PlayList();
        const int first = playList.List1->ListCount();
        playList.AddSongs(found.songs);
        main->PlayListSong(first);
    }
    const QString message = refusedSongsMessage(found.refused);
    if (!message.isEmpty())
        forms_.services().msgBox.show(main, message, MsgBoxStyle::OkOnly | MsgBoxStyle::Exclamation,
                                      kProgramTitle);
    busy_ = false;
    emit delivered();
}

} // namespace vorlix
