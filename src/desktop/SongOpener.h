// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/SongPaths.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <atomic>
#include <memory>

class QThread;
class QTimer;

namespace vorlix {

class Forms;

// Opens songs asked for from outside the windows, the same way from every
// door: they are appended to the play list as Add appends a file, a player
// that is off is switched on (without the click), and the first of them
// plays as a list song. What cannot be added is told in one message.
// Folders are searched on a thread of their own; a request waits while a
// modal dialog is open.
class SongOpener : public QObject {
    Q_OBJECT
public:
    explicit SongOpener(Forms& forms, QObject* parent = nullptr);
    ~SongOpener() override;

    // Arguments as findSongs() takes them; relative paths against
    // `workingFolder`.
    void open(const QList<QByteArray>& arguments, const QByteArray& workingFolder);

    // What open() does once the songs are found: now, or when no modal
    // dialog is open any more.
    void deliver(const FoundSongs& found);

    // True while the user must answer a modal dialog first.
    static bool modalDialogOpen();

    // The program is closing: the searches still to do are given `graceMs`
    // in all to end, then stopped where they are (a search of a whole disk
    // must not hold the close); files named on their own are looked at all
    // the same. Nothing is played or shown any more. Returns the songs that
    // were asked for and are not in the list yet, for the list to keep.
    QList<QByteArray> finish(int graceMs = 2000);

signals:
    // After songs have been delivered, whatever became of them.
    void delivered();

private:
    struct Request {
        QList<QByteArray> arguments;
        QByteArray workingFolder;
    };
    void searchNext();
    void tryPending();
    void apply(const FoundSongs& found);

    Forms& forms_;
    QList<Request> requests_;
    QThread* search_ = nullptr;
    FoundSongs searched_; // the running search's, once it has ended
    std::shared_ptr<std::atomic_bool> stop_ = std::make_shared<std::atomic_bool>(false);
    FoundSongs pending_;
    bool hasPending_ = false;
    bool busy_ = false;
    QTimer* retry_;
};

} // namespace vorlix
