// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorlix {

#ifdef Q_OS_WIN

std::optional<QString> userTempFolder()
{
    QString dir = QDir::tempPath();
    if (dir.isEmpty() || !QDir(dir).exists())
        return std::nullopt;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

#else

namespace {

bool isAbsolute(const char* s)
{
    return s != nullptr && s[0] == '/';
}

// The base folder the XDG way: $XDG_CACHE_HOME, else $HOME/.cache, else the
// home folder from the password database.
std::optional<QByteArray> cacheHome()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (isAbsolute(xdg))
        return QByteArray(xdg);
    const char* home = std::getenv("HOME");
    if (!isAbsolute(home)) {
        const passwd* pw = getpwuid(geteuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
    }
    if (!isAbsolute(home))
        return std::nullopt;
    QByteArray base(home);
    if (!base.endsWith('/'))
        base += '/';
    return base + ".cache";
}

// mkdir -p with mode 0700 for every folder it makes. A component that exists
// already is left as it is (it may be / or /home).
bool makePath(const QByteArray& path)
{
    for (qsizetype i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/')
            continue;
        const QByteArray part = path.left(i);
        if (part.endsWith('/'))
            continue;
        if (mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

} // namespace

std::optional<QString> userTempFolder()
{
    const std::optional<QByteArray> base = cacheHome();
    if (!base)
        return std::nullopt;
    QByteArray folder = *base;
    while (folder.endsWith('/'))
        folder.chop(1);
    folder += "/vorlix";
    if (!makePath(folder))
        return std::nullopt;

    struct stat st {};
    if (stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid())
        return std::nullopt;
    if ((st.st_mode & 022) != 0 && chmod(folder.constData(), 0700) != 0)
        return std::nullopt;
    // A folder we may only read still gives the list; saving it then fails
    // and says so.
    if (access(folder.constData(), X_OK) != 0)
        return std::nullopt;
    return QFile::decodeName(folder) + u'/';
}

#endif

QString dataFolderOf(const QString& programFolder)
{
    if (QFileInfo::exists(programFolder + QStringLiteral("/do.wav")))
        return programFolder;
    return QDir::cleanPath(programFolder + QStringLiteral("/" VORLIX_DATA_FROM_PROGRAM));
}

} // namespace vorlix
