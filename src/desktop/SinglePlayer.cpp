// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SinglePlayer.h"

#include "desktop/CommandLine.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vorlix {

namespace {

constexpr quint32 kMagic = 0x566f7231; // "Vor1"
// Far more than any command line; a peer sending more is cut off.
constexpr qsizetype kMostBytes = 64 * 1024 * 1024;
// Requests being read at one time; more wait in the socket's queue.
constexpr int kMostPeers = 32;
// The player's one-byte answer to a whole request.
constexpr char kTaken = 'T';
constexpr char kClosing = 'C';

bool ownPeer(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::geteuid();
}

sockaddr_un addressOf(const QByteArray& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return address;
}

// Waits for `events` on fd until the deadline; false when it passed.
bool await(int fd, short events, const QDeadlineTimer& deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, int(deadline.remainingTime()));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

} // namespace

QByteArray PlayerRequest::encode() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kMagic << workingFolder << files << commands;
    return bytes;
}

namespace {

// A list as QDataStream writes it, read without trusting its count: every
// item takes four bytes at least, so a count beyond what is left is a lie,
// and making room for it could take all memory.
template <class T> bool readList(QDataStream& in, qsizetype size, QList<T>& list)
{
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok || count > quint64(size - in.device()->pos()) / 4)
        return false;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i)
        in >> list.emplace_back();
    return in.status() == QDataStream::Ok;
}

} // namespace

std::optional<PlayerRequest> PlayerRequest::decode(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint32 magic = 0;
    PlayerRequest request;
    in >> magic >> request.workingFolder;
    if (magic != kMagic || !readList(in, bytes.size(), request.files) ||
        !readList(in, bytes.size(), request.commands) || !in.atEnd())
        return std::nullopt;
    return request;
}

PlayerLock::PlayerLock(QByteArray runtimeFolder) : folder_(std::move(runtimeFolder)) {}

PlayerLock::~PlayerLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QByteArray PlayerLock::userRuntimeFolder(QString* why)
{
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    return folder.isEmpty() ? QByteArray() : privateFolder(folder, why);
}

QByteArray PlayerLock::privateFolder(const QByteArray& folder, QString* why)
{
    // Anyone who may create names there could listen in our place.
    struct stat st {};
    QString problem;
    if (!folder.startsWith('/'))
        problem = commandLineText(QT_TRANSLATE_NOOP("vorlix", "not an absolute path"));
    else if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        problem = commandLineText(QT_TRANSLATE_NOOP("vorlix", "not a folder"));
    else if (st.st_uid != ::geteuid())
        problem = commandLineText(QT_TRANSLATE_NOOP("vorlix", "owned by another user"));
    else if ((st.st_mode & 07777) != 0700)
        problem = commandLineText(QT_TRANSLATE_NOOP("vorlix", "open to other users (mode %1, not 0700)"))
                      .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
    if (problem.isEmpty())
        return folder;
    if (why)
        *why = QStringLiteral("%1: %2").arg(QFile::decodeName(folder), problem);
    return {};
}

PlayerLock::Role PlayerLock::take()
{
    if (folder_.isEmpty())
        return Role::Alone;
    if (fd_ < 0)
        fd_ = ::open((folder_ + "/vorlix.lock").constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0)
        return Role::Alone;
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0)
        return Role::First;
    const bool held = errno == EWOULDBLOCK;
    ::close(fd_);
    fd_ = -1;
    return held ? Role::Later : Role::Alone;
}

HandOver handOver(const QByteArray& socketPath, const PlayerRequest& request, int patienceMs)
{
    const QDeadlineTimer deadline(patienceMs);
    if (socketPath.size() >= qsizetype(sizeof(sockaddr_un::sun_path)))
        return HandOver::NoAnswer;
    const sockaddr_un address = addressOf(socketPath);
    // Non-blocking throughout: a player that is stopped, or whose queue is
    // full, never holds this start beyond the deadline.
    int fd = -1;
    for (;;) {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return HandOver::NoAnswer;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            break;
        const int error = errno;
        ::close(fd);
        // Not there yet, a killed player's, or a full queue: tried again.
        if ((error != ENOENT && error != ECONNREFUSED && error != EAGAIN) || deadline.hasExpired())
            return HandOver::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto done = [fd](HandOver result) {
        ::close(fd);
        return result;
    };
    if (!ownPeer(fd))
        return done(HandOver::OtherUser);
    const QByteArray bytes = request.encode();
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno == EAGAIN && await(fd, POLLOUT, deadline))
            continue;
        else if (n >= 0 || errno != EINTR)
            break; // a player that closed early may still have said why
    }
    ::shutdown(fd, SHUT_WR);
    char answer = 0;
    while (await(fd, POLLIN, deadline)) {
        const ssize_t n = ::recv(fd, &answer, 1, 0);
        if (n == 1 || (n < 0 && errno != EINTR && errno != EAGAIN) || n == 0)
            break;
    }
    return done(answer == kTaken ? HandOver::Taken : answer == kClosing ? HandOver::Closing : HandOver::NoAnswer);
}

PlayerService::PlayerService(int idleMs, QObject* parent) : QObject(parent), idleMs_(idleMs) {}

PlayerService::~PlayerService()
{
    // Whoever is still sending learns that this player took nothing.
    for (int peer : std::as_const(peers_)) {
        [[maybe_unused]] const auto sent = ::send(peer, &kClosing, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        ::close(peer);
    }
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink(path_.constData());
}

bool PlayerService::listen(const QByteArray& socketPath, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (fd_ >= 0 || socketPath.size() >= qsizetype(sizeof(sockaddr_un::sun_path)))
        return fail(QCoreApplication::translate("vorlix", "the name is too long"));
    // What a player that is gone left at the name: its socket, or anything
    // else of ours that is no folder with something in it.
    struct stat st {};
    if (::lstat(socketPath.constData(), &st) == 0) {
        const bool gone = S_ISDIR(st.st_mode) ? ::rmdir(socketPath.constData()) == 0
                                              : ::unlink(socketPath.constData()) == 0;
        if (!gone)
            return fail(QCoreApplication::translate("vorlix", "%1 is in the way: %2").arg(QFile::decodeName(socketPath),
                                                                   QString::fromLocal8Bit(std::strerror(errno))));
    }
    const sockaddr_un address = addressOf(socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const mode_t mask = ::umask(0177); // the user's own, whatever the folder
    const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, 16) != 0) {
        const int code = errno;
        if (fd >= 0)
            ::close(fd);
        return fail(QString::fromLocal8Bit(std::strerror(code)));
    }
    fd_ = fd;
    path_ = socketPath;
    incoming_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(incoming_, &QSocketNotifier::activated, this, &PlayerService::accept);
    return true;
}

void PlayerService::pauseListening(int ms)
{
    incoming_->setEnabled(false);
    if (ms > 0)
        QTimer::singleShot(ms, this, [this] { incoming_->setEnabled(peers_.size() < kMostPeers); });
}

void PlayerService::drop(int peer)
{
    if (!peers_.remove(peer))
        return;
    ::close(peer);
    if (!incoming_->isEnabled() && peers_.size() < kMostPeers)
        incoming_->setEnabled(true);
}

void PlayerService::accept()
{
    while (peers_.size() < kMostPeers) {
        const int peer = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (peer < 0) {
            // Out of descriptors the queue stays readable: looking again at
            // once would only spin. Connections that end free some.
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)
                pauseListening(250);
            return;
        }
        if (!ownPeer(peer)) {
            ::close(peer);
            continue;
        }
        peers_.insert(peer);
        auto* readable = new QSocketNotifier(peer, QSocketNotifier::Read, this);
        auto* idle = new QTimer(readable);
        auto bytes = std::make_shared<QByteArray>();
        const auto end = [this, peer, readable, idle] {
            idle->stop();
            readable->setEnabled(false);
            readable->deleteLater();
            drop(peer);
        };
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, this, end);
        idle->start(idleMs_);
        connect(readable, &QSocketNotifier::activated, this, [this, peer, bytes, end] {
            char chunk[65536];
            const ssize_t n = ::read(peer, chunk, sizeof chunk);
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            if (n > 0 && bytes->size() + n <= kMostBytes) {
                bytes->append(chunk, n);
                return;
            }
            // The peer is done sending (or sent more than any request).
            std::optional<PlayerRequest> request;
            if (n == 0)
                request = PlayerRequest::decode(*bytes);
            if (request) {
                const char answer = closing_ ? kClosing : kTaken;
                if (!closing_)
                    emit requested(*request);
                [[maybe_unused]] const auto sent = ::send(peer, &answer, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
            }
            end();
        });
    }
    pauseListening(0); // until a connection ends
}

} // namespace vorlix
