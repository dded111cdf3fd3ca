// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SongPaths.h"

#include "player/Display.h"
#include "playlist/PlaylistFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <set>
#include <utility>

#include <climits>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace vorlix {

namespace {

bool startsWithNoCase(QByteArrayView text, QByteArrayView start)
{
    return text.size() >= start.size() && text.first(start.size()).compare(start, Qt::CaseInsensitive) == 0;
}

// "scheme://" of any scheme: RFC 3986 letters, digits, "+", "-" and ".".
bool hasScheme(QByteArrayView text)
{
    const qsizetype colon = text.indexOf("://");
    if (colon <= 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(text.begin(), text.begin() + colon, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

std::optional<QByteArray> fileUriPath(QByteArrayView uri)
{
    QByteArrayView rest = uri.sliced(5); // after "file:"
    if (rest.startsWith("//")) {
        rest = rest.sliced(2);
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0)
            return std::nullopt;
        const QByteArrayView host = rest.first(slash);
        if (!host.isEmpty() && host.compare("localhost", Qt::CaseInsensitive) != 0)
            return std::nullopt;
        rest = rest.sliced(slash);
    }
    if (!rest.startsWith('/'))
        return std::nullopt;
    // A query or fragment is no part of the name; a "?" or "#" in a name
    // comes escaped.
    const auto end = std::find_if(rest.begin(), rest.end(), [](char c) { return c == '?' || c == '#'; });
    return QByteArray::fromPercentEncoding(QByteArray(rest.data(), end - rest.begin()));
}

// Opens as a program reading it would: a FIFO or device gives no song.
bool readableRegularFile(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

// The kernel's views of itself and the device nodes: no songs there, and
// names that stand for other things (/proc/self/cwd is whoever looks).
bool systemFileSystem(const QByteArray& path, const struct stat& st)
{
    struct statfs fs {};
    if (::statfs(path.constData(), &fs) != 0)
        return false;
    switch (quint64(fs.f_type)) {
    case PROC_SUPER_MAGIC: case SYSFS_MAGIC: case CGROUP_SUPER_MAGIC: case CGROUP2_SUPER_MAGIC:
    case DEBUGFS_MAGIC: case TRACEFS_MAGIC: case SECURITYFS_MAGIC: case DEVPTS_SUPER_MAGIC:
    case PSTOREFS_MAGIC: case BPF_FS_MAGIC: case BINFMTFS_MAGIC: case EFIVARFS_MAGIC:
    case SELINUX_MAGIC: case SMACK_MAGIC: case NSFS_MAGIC:
        return true;
    }
    // /dev is a memory file system like /tmp: it is told by its mount.
    static const std::optional<dev_t> devices = []() -> std::optional<dev_t> {
        struct stat dev {}, root {};
        if (::stat("/dev", &dev) == 0 && ::stat("/", &root) == 0 && dev.st_dev != root.st_dev)
            return dev.st_dev;
        return std::nullopt;
    }();
    return devices == st.st_dev;
}

// "/proc/self/cwd/a.mp3" as the file it leads to; other names as they are.
QByteArray throughSystem(const QByteArray& path)
{
    const qsizetype second = path.indexOf('/', 1);
    const QByteArray top = second < 0 ? path : path.left(second);
    struct stat st {};
    if (!path.startsWith('/') || ::stat(top.constData(), &st) != 0 || !systemFileSystem(top, st))
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : path;
}

class Walker {
public:
    Walker(FoundSongs& found, const std::atomic_bool* stop) : found_(found), stop_(stop) {}

    void argument(QByteArray path)
    {
        struct stat st {};
        if (path.isEmpty() || path.contains('\0')) {
            refuse(path, RefusedSong::Reason::Missing);
            return;
        }
        path = throughSystem(path);
        if (::stat(path.constData(), &st) != 0) {
            refuse(path, errno == EACCES ? RefusedSong::Reason::Unreadable : RefusedSong::Reason::Missing);
            return;
        }
        if (S_ISDIR(st.st_mode)) {
            QList<QByteArray> songs;
            folder(path, st, songs);
            if (songs.isEmpty() && !stopped())
                refuse(path, RefusedSong::Reason::NoSongs);
            std::sort(songs.begin(), songs.end());
            found_.songs += songs;
            return;
        }
        if (systemFileSystem(path, st))
            refuse(path, RefusedSong::Reason::Unreadable);
        else
            file(path, true, found_.songs);
    }

    void refuse(const QByteArray& path, RefusedSong::Reason reason) { found_.refused.append({path, reason}); }

private:
    bool stopped() const { return stop_ && stop_->load(std::memory_order_relaxed); }

    void file(const QByteArray& path, bool named, QList<QByteArray>& songs)
    {
        if (!hasMp3Name(path)) {
            if (named)
                refuse(path, RefusedSong::Reason::NotMp3);
        } else if (!fitsPlaylistLine(path)) {
            refuse(path, RefusedSong::Reason::LineBreak);
        } else if (!readableRegularFile(path)) {
            refuse(path, RefusedSong::Reason::Unreadable);
        } else {
            songs.append(path);
        }
    }

    void folder(const QByteArray& path, const struct stat& st, QList<QByteArray>& songs)
    {
        // A link back up the tree leads to a folder already seen.
        if (stopped() || !seen_.insert({st.st_dev, st.st_ino}).second || systemFileSystem(path, st))
            return;
        DIR* dir = ::opendir(path.constData());
        if (!dir) {
            refuse(path, RefusedSong::Reason::Unreadable);
            return;
        }
        const QByteArray prefix = path.endsWith('/') ? path : path + '/';
        while (const dirent* entry = ::readdir(dir)) {
            if (stopped())
                break;
            const QByteArrayView name(entry->d_name);
            if (name == "." || name == "..")
                continue;
            const QByteArray child = prefix + name.toByteArray();
            struct stat childStat {};
            if (::stat(child.constData(), &childStat) != 0)
                continue; // a dangling link
            if (S_ISDIR(childStat.st_mode))
                folder(child, childStat, songs);
            else if (S_ISREG(childStat.st_mode) && (entry->d_type != DT_LNK || !systemFileSystem(child, childStat)))
                file(child, false, songs);
        }
        ::closedir(dir);
    }

    FoundSongs& found_;
    const std::atomic_bool* stop_;
    std::set<std::pair<dev_t, ino_t>> seen_;
};

QString reasonText(RefusedSong::Reason reason)
{
    switch (reason) {
    case RefusedSong::Reason::NotMp3: return QCoreApplication::translate("vorlix", "not an MP3 file");
    case RefusedSong::Reason::Missing: return QCoreApplication::translate("vorlix", "not found");
    case RefusedSong::Reason::Unreadable: return QCoreApplication::translate("vorlix", "cannot be read");
    case RefusedSong::Reason::LineBreak: return QCoreApplication::translate("vorlix", "its name holds a line break");
    case RefusedSong::Reason::NotLocal: return QCoreApplication::translate("vorlix", "not a file on this computer");
    case RefusedSong::Reason::NoSongs: return QCoreApplication::translate("vorlix", "no songs in it");
    }
    return {};
}

// A path as the message shows it: line breaks visible, a long one shortened
// in its middle so that its end, the file name, stays.
QString shownPath(const QByteArray& path)
{
    constexpr qsizetype kMost = 120;
    QByteArray shown = path.size() > 4 * kMost ? path.first(2 * kMost) + path.last(2 * kMost) : path;
    QString text = displayPath(shown).replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
    if (text.size() > kMost)
        text = text.first(kMost / 3) + QStringLiteral("…") + text.last(kMost - kMost / 3 - 1);
    return text;
}

} // namespace

bool isFileUri(QByteArrayView argument)
{
    return startsWithNoCase(argument, "file:");
}

std::optional<QByteArray> localPath(QByteArrayView argument, QByteArrayView workingFolder)
{
    if (isFileUri(argument))
        return fileUriPath(argument);
    if (hasScheme(argument))
        return std::nullopt;
    if (argument.startsWith('/') || argument.isEmpty())
        return argument.toByteArray();
    while (argument.startsWith("./"))
        argument = argument.sliced(2);
    QByteArray path = workingFolder.toByteArray();
    if (!path.endsWith('/'))
        path += '/';
    return path + argument.toByteArray();
}

QList<QByteArray> uriListEntries(QByteArrayView data)
{
    QList<QByteArray> uris;
    for (QByteArrayView line : QByteArray::fromRawData(data.data(), data.size()).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty() && !line.startsWith('#'))
            uris.append(line.toByteArray());
    }
    return uris;
}

bool hasMp3Name(QByteArrayView path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArrayView name = path.sliced(slash + 1);
    return name.size() >= 4 && name.last(4).compare(".mp3", Qt::CaseInsensitive) == 0;
}

FoundSongs findSongs(const QList<QByteArray>& arguments, QByteArrayView workingFolder, const std::atomic_bool* stop)
{
    FoundSongs found;
    Walker walker(found, stop);
    for (const QByteArray& argument : arguments) {
        // Relative to a working folder that was removed: found nowhere.
        const bool relative = !argument.startsWith('/') && !isFileUri(argument) && !hasScheme(argument);
        if (relative && workingFolder.isEmpty())
            walker.refuse(argument, RefusedSong::Reason::Missing);
        else if (const std::optional<QByteArray> path = localPath(argument, workingFolder))
            walker.argument(*path);
        else
            walker.refuse(argument, RefusedSong::Reason::NotLocal);
    }
    return found;
}

QString refusedSongsMessage(const QList<RefusedSong>& refused)
{
    if (refused.isEmpty())
        return {};
    constexpr qsizetype kNamed = 3;
    QString text = refused.size() == 1
        ? QCoreApplication::translate("vorlix", "This was not added to the play list:")
        : QCoreApplication::translate("vorlix", "These were not added to the play list:");
    for (const RefusedSong& song : refused.first(std::min(kNamed, refused.size())))
        text += u'\n' + shownPath(song.path) + QStringLiteral(" (") + reasonText(song.reason) + u')';
    if (refused.size() > kNamed)
        text += u'\n' + QCoreApplication::translate("vorlix", "and %n more.", nullptr, int(refused.size() - kNamed));
    return text;
}

} // namespace vorlix
