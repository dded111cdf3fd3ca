// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <optional>

class QSocketNotifier;

namespace vorlix {

// What a later start hands to the running player: its files as given, the
// folder they are relative to, and button presses ("PlayPause", ...).
struct PlayerRequest {
    QByteArray workingFolder;
    QList<QByteArray> files;
    QStringList commands;

    QByteArray encode() const;
    static std::optional<PlayerRequest> decode(const QByteArray& bytes);
};

// One player per user: the first start holds a lock in the user's runtime
// folder ($XDG_RUNTIME_DIR) for as long as it runs and listens on a socket
// beside it; a later start finds the lock taken and hands its request over
// through the socket. The kernel lets go of the lock of a killed player, so
// the socket it leaves behind is taken over, never obeyed. Taking the lock
// never waits.
class PlayerLock {
public:
    // `runtimeFolder` empty: no folder to meet in, every start plays alone.
    explicit PlayerLock(QByteArray runtimeFolder);
    ~PlayerLock();
    PlayerLock(const PlayerLock&) = delete;
    PlayerLock& operator=(const PlayerLock&) = delete;

    enum class Role { Alone, First, Later };
    Role take();
    QByteArray socketPath() const { return folder_ + "/vorlix.socket"; }

    // $XDG_RUNTIME_DIR when it names a folder of this user's that no one
    // else may enter (mode 0700), else empty; `why` says what is wrong with
    // a folder that is named but cannot be used.
    static QByteArray userRuntimeFolder(QString* why = nullptr);
    static QByteArray privateFolder(const QByteArray& folder, QString* why);

private:
    QByteArray folder_;
    int fd_ = -1;
    QByteArray path_;
};

enum class HandOver {
    Taken,      // the player has it
    Closing,    // the player is on its way out and took nothing
    NoAnswer,   // no player took it in time
    OtherUser,  // the socket is another user's: nothing was sent
};

// Sends the request to the player listening at `socketPath` and waits for it
// to confirm, all within `patienceMs`. While that player is still starting
// its socket may not be there yet (or be a killed player's): it is tried
// again meanwhile. Nothing here waits longer, whatever the player does.
HandOver handOver(const QByteArray& socketPath, const PlayerRequest& request, int patienceMs);

// The running player's end of the socket. Only the user's own processes are
// heard; a connection that has not sent its whole request within
// `idleMs` is dropped, and while the process is short of descriptors no
// more are taken for a moment.
class PlayerService : public QObject {
    Q_OBJECT
public:
    explicit PlayerService(int idleMs = 3000, QObject* parent = nullptr);
    ~PlayerService() override;
    // Takes over the name when a killed player's socket (or an empty folder)
    // is in its way: the caller holds the lock. False when it cannot, with
    // the reason in `error`.
    bool listen(const QByteArray& socketPath, QString* error = nullptr);
    // From now on every request is refused as from a closing player.
    void refuseAll() { closing_ = true; }

signals:
    void requested(const PlayerRequest& request);

private:
    void accept();
    void drop(int peer);
    void pauseListening(int ms);
    int fd_ = -1;
    int idleMs_;
    bool closing_ = false;
    QByteArray path_;
    QSocketNotifier* incoming_ = nullptr;
    QSet<int> peers_;
};

} // namespace vorlix
