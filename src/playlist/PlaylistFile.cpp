// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/PlaylistFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorlix {

QList<QByteArray> parsePlaylist(QByteArrayView bytes)
{
    QList<QByteArray> entries;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        entries.append(QByteArray(p, q - p));
        if (q == end)
            break;
        // CR LF is one line end; a lone CR or a lone LF is one too.
        q += (*q == '\r' && q + 1 < end && q[1] == '\n') ? 2 : 1;
        p = q;
    }
    return entries;
}

bool fitsPlaylistLine(QByteArrayView entry)
{
    return !entry.contains('\r') && !entry.contains('\n');
}

QByteArray serializePlaylist(const QList<QByteArray>& entries)
{
    qsizetype size = 0;
    for (const QByteArray& e : entries)
        size += e.size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const QByteArray& e : entries) {
        if (!fitsPlaylistLine(e))
            continue;
        out += e;
        out += "\r\n";
    }
    return out;
}

namespace {

// Which entries of `base` survive in `edited`, matched in order; the entries
// of `edited` past the last match were added (their index is returned).
qsizetype matchInOrder(const QList<QByteArray>& base, const QList<QByteArray>& edited, QList<bool>& kept)
{
    kept = QList<bool>(base.size(), false);
    qsizetype j = 0;
    for (qsizetype i = 0; i < base.size() && j < edited.size(); ++i) {
        if (base[i] == edited[j]) {
            kept[i] = true;
            ++j;
        }
    }
    return j;
}

} // namespace

QList<QByteArray> mergePlaylist(const QList<QByteArray>& base, const QList<QByteArray>& ours,
                                const QList<QByteArray>& theirs)
{
    QList<bool> keptByUs, keptByThem;
    const qsizetype ourAdditions = matchInOrder(base, ours, keptByUs);
    const qsizetype theirAdditions = matchInOrder(base, theirs, keptByThem);
    QList<QByteArray> merged;
    merged.reserve(theirs.size() + ours.size() - ourAdditions);
    for (qsizetype i = 0; i < base.size(); ++i)
        if (keptByUs[i] && keptByThem[i])
            merged.append(base[i]);
    merged.append(theirs.mid(theirAdditions));
    merged.append(ours.mid(ourAdditions));

    // A list that was itself merged may hold the same songs in another
    // order, which the matching above takes for removed and added again.
    // Each path is kept as often as both sides together leave it: what
    // either added, less what either removed.
    QHash<QByteArray, qsizetype> wanted;
    for (const QByteArray& e : theirs)
        ++wanted[e];
    for (const QByteArray& e : ours)
        ++wanted[e];
    for (const QByteArray& e : base)
        --wanted[e];
    QHash<QByteArray, qsizetype> have;
    for (const QByteArray& e : merged)
        ++have[e];
    for (qsizetype i = merged.size() - 1; i >= 0; --i) { // extra copies go from the end
        qsizetype& n = have[merged[i]];
        if (n > wanted.value(merged[i])) {
            --n;
            merged.remove(i);
        }
    }
    for (const QByteArray& e : ours) { // and copies missing come in our order
        qsizetype& n = have[e];
        if (n < wanted.value(e)) {
            ++n;
            merged.append(e);
        }
    }
    return merged;
}

QString playlistFilePath(const QString& tempFolder)
{
    return tempFolder + QStringLiteral("mp3list.ini");
}

#ifdef Q_OS_WIN

PlaylistRead readPlaylistFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        return {PlaylistRead::Status::Unreadable, {}, file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {PlaylistRead::Status::Unreadable, {}, file.errorString()};
    return {PlaylistRead::Status::Read, parsePlaylist(bytes), {}};
}

bool writePlaylistFile(const QString& path, const QList<QByteArray>& entries, QString* error)
{
    // QSaveFile writes a temporary file beside the target, flushes it and
    // renames it over the target.
    QSaveFile file(path);
    const QByteArray bytes = serializePlaylist(entries);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    if (!ok)
        file.cancelWriting();
    ok = ok && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

PlaylistSave savePlaylistEdits(const QString& path, const QList<QByteArray>& base,
                               const QList<QByteArray>& ours, int)
{
    const PlaylistRead now = readPlaylistFile(path);
    if (!now.mayReplaceFile())
        return {false, {}, now.error};
    PlaylistSave save{true, now.status == PlaylistRead::Status::Read ? mergePlaylist(base, ours, now.entries) : ours, {}};
    save.ok = writePlaylistFile(path, save.saved, &save.error);
    return save;
}

// Saves here go without turns.
PlaylistSaveTurn::PlaylistSaveTurn(const QString&, int) {}
PlaylistSaveTurn::~PlaylistSaveTurn() = default;

#else

namespace {

bool readAll(int fd, QByteArray& out, qsizetype sizeHint)
{
    out.reserve(sizeHint + 1);
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            out.append(buffer, n);
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    if (slash == 0)
        return "/";
    return path.left(slash);
}

// The new file of a save of `path` is named ".<name>.XXXXXX" beside it.
QByteArray tempPrefixOf(const QByteArray& path)
{
    return "." + path.mid(path.lastIndexOf('/') + 1) + ".";
}

// mkostemp() fills the six X of its pattern from these.
bool isTempSuffix(const char* s)
{
    for (int i = 0; i < 6; ++i) {
        const char c = s[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return s[6] == '\0';
}

// Makes the new file beside the target and holds a lock on it while it is
// written, so that removeStaleTemps() of another run leaves it alone.
int makeTemp(QByteArray& temp, const QByteArray& pattern)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        temp = pattern;
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        ::flock(fd, LOCK_EX);
        // Between the two steps another run may have taken it for debris.
        struct stat byFd {}, byName {};
        if (::fstat(fd, &byFd) == 0 && ::lstat(temp.constData(), &byName) == 0 &&
            byFd.st_ino == byName.st_ino && byFd.st_dev == byName.st_dev)
            return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

// Removes what a save cut short by a crash left behind: our own regular
// files named like the new file of a save, that no running save holds.
void removeStaleTemps(const QByteArray& folder, const QByteArray& prefix)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, prefix.constData(), size_t(prefix.size())) != 0 ||
            !isTempSuffix(name + prefix.size()))
            continue;
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

PlaylistRead readPlaylistFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    removeStaleTemps(folderOf(name), tempPrefixOf(name));
    const auto unreadable = [](int code) {
        return PlaylistRead{PlaylistRead::Status::Unreadable, {}, QString::fromLocal8Bit(std::strerror(code))};
    };
    // O_NONBLOCK: a FIFO put at our place must not hang the program.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return unreadable(errno);
    }
    struct stat st {};
    QByteArray bytes;
    int code = 0;
    // Only a regular file is read: a FIFO or a device may never end.
    if (::fstat(fd, &st) != 0 || (S_ISREG(st.st_mode) && !readAll(fd, bytes, qsizetype(st.st_size))))
        code = errno;
    ::close(fd);
    if (S_ISDIR(st.st_mode))
        return unreadable(EISDIR);
    if (!S_ISREG(st.st_mode))
        return {PlaylistRead::Status::Unreadable, {},
                QCoreApplication::translate("vorlix", "It is not a regular file.")};
    if (code)
        return unreadable(code);
    return {PlaylistRead::Status::Read, parsePlaylist(bytes), {}, quint64(st.st_dev), quint64(st.st_ino)};
}

namespace {

QString errorText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// A new file beside `target` holding the entries, flushed to disk and still
// locked (see makeTemp()); -1 on failure, with nothing left behind.
int writeBeside(const QByteArray& target, const QList<QByteArray>& entries, QByteArray& temp)
{
    // What a save cut short left there goes first: on a nearly full disk its
    // room may be what this save needs.
    const QByteArray tempPrefix = tempPrefixOf(target);
    const QByteArray folder = folderOf(target);
    removeStaleTemps(folder, tempPrefix);
    const int fd = makeTemp(temp, folder + '/' + tempPrefix + "XXXXXX");
    if (fd < 0)
        return -1;
    const QByteArray bytes = serializePlaylist(entries);
    if (::fchmod(fd, 0600) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0)
        return fd;
    const int code = errno;
    ::close(fd);
    ::unlink(temp.constData());
    errno = code;
    return -1;
}

// Makes the rename itself durable. The new file is in place whatever this
// returns, so a failure here is not reported as a failed save.
void syncFolder(const QByteArray& target)
{
    const int dirFd = ::open(folderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool badTarget(const QByteArray& target)
{
    return target.isEmpty() || target.endsWith('/');
}

} // namespace

bool writePlaylistFile(const QString& path, const QList<QByteArray>& entries, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temp;
    // rename() replaces whatever name is at target, a symbolic link
    // included, and never writes through the link. The new file is renamed
    // while still locked; fsync() has put the bytes on disk by then.
    const int fd = badTarget(target) ? (errno = EISDIR, -1) : writeBeside(target, entries, temp);
    const bool ok = fd >= 0 && ::rename(temp.constData(), target.constData()) == 0;
    const int code = errno;
    if (fd >= 0)
        ::close(fd);
    if (!ok) {
        if (fd >= 0)
            ::unlink(temp.constData());
        if (error)
            *error = errorText(code);
        return false;
    }
    syncFolder(target);
    return true;
}

PlaylistSave savePlaylistEdits(const QString& path, const QList<QByteArray>& base,
                               const QList<QByteArray>& ours, int patienceMs)
{
    const PlaylistSaveTurn turn(path, patienceMs);
    PlaylistRead now = readPlaylistFile(path);
    if (!now.mayReplaceFile())
        return {false, {}, now.error};
    QList<QByteArray> list = now.status == PlaylistRead::Status::Read ? mergePlaylist(base, ours, now.entries) : ours;
    const QByteArray target = QFile::encodeName(path);
    if (badTarget(target))
        return {false, {}, errorText(EISDIR)};
    // Each round that finds another player's file in the place of the one it
    // read merges that file in; players that keep saving could hold a save
    // here for ever, so it gives up after a while.
    for (int round = 0; round < 50; ++round) {
        QByteArray temp;
        const int fd = writeBeside(target, list, temp);
        if (fd < 0)
            return {false, {}, errorText(errno)};
        struct stat mine {};
        ::fstat(fd, &mine);
        // The new file and the one in place trade names in one step; with no
        // file in place, the name is taken only if no one took it meanwhile.
        const bool had = now.status == PlaylistRead::Status::Read;
        const int moved = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(),
                                      had ? RENAME_EXCHANGE : RENAME_NOREPLACE);
        const int code = errno;
        bool wasOther = false;
        QByteArray otherBytes;
        if (moved == 0 && had) {
            // Now under the temporary name: the file that was in place.
            const int old = ::open(temp.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
            struct stat st {};
            wasOther = old >= 0 && ::fstat(old, &st) == 0 && S_ISREG(st.st_mode) &&
                       (quint64(st.st_dev) != now.device || quint64(st.st_ino) != now.inode) &&
                       readAll(old, otherBytes, qsizetype(st.st_size));
            if (old >= 0)
                ::close(old);
        }
        ::unlink(temp.constData());
        ::close(fd);
        if (moved != 0) {
            if (code == EEXIST || code == ENOENT) { // someone saved first, or took the file away
                now = readPlaylistFile(path);
                if (!now.mayReplaceFile())
                    return {false, {}, now.error};
                list = now.status == PlaylistRead::Status::Read ? mergePlaylist(base, ours, now.entries) : ours;
                continue;
            }
            if (code != EINVAL) // EINVAL: a file system that cannot swap names
                return {false, {}, errorText(code)};
            QString error;
            if (!writePlaylistFile(path, list, &error))
                return {false, {}, error};
            return {true, list, {}};
        }
        syncFolder(target);
        if (!wasOther)
            return {true, list, {}};
        // Another player saved between our look and our swap: its list goes
        // into ours, and ours, now in place, is what the next round replaces.
        const QList<QByteArray> merged = mergePlaylist(now.entries, list, parsePlaylist(otherBytes));
        now = {PlaylistRead::Status::Read, std::move(list), {}, quint64(mine.st_dev), quint64(mine.st_ino)};
        list = merged;
    }
    return {false, {}, QCoreApplication::translate("vorlix", "Other players keep saving the list.")};
}

PlaylistSaveTurn::PlaylistSaveTurn(const QString& path, int patienceMs)
    : fd_(::open(folderOf(QFile::encodeName(path)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (fd_ < 0)
        return;
    // Another player's save takes milliseconds; its turn is waited out in
    // small steps rather than in one blocking wait that might never end.
    for (int waited = 0; ::flock(fd_, LOCK_EX | LOCK_NB) != 0; waited += 5) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= patienceMs) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        ::usleep(5000);
    }
}

PlaylistSaveTurn::~PlaylistSaveTurn()
{
    if (fd_ >= 0)
        ::close(fd_);
}

#endif

} // namespace vorlix
