// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/SongDrops.h"

#include "desktop/SongOpener.h"
#include "desktop/SongPaths.h"
#include "player/frmMain.h"
#include "playlist/frmPlayList.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>

#include <algorithm>

namespace vorlix {

namespace {

const QString kUriList = QStringLiteral("text/uri-list");

bool dropTarget(QObject* watched)
{
    return qobject_cast<frmMain*>(watched) || qobject_cast<frmPlayList*>(watched);
}

} // namespace

SongDrops::SongDrops(SongOpener& opener, QObject* parent) : QObject(parent), opener_(opener)
{
    // The player window is on screen before anything watches for drops.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (dropTarget(window))
            window->setAcceptDrops(true);
}

bool SongDrops::holdsFiles(const QMimeData* data)
{
    if (!data || !data->hasFormat(kUriList))
        return false;
    const QList<QByteArray> uris = uriListEntries(data->data(kUriList));
    return std::any_of(uris.cbegin(), uris.cend(), [](const QByteArray& uri) { return isFileUri(uri); });
}

bool SongDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Polish && dropTarget(watched))
        static_cast<QWidget*>(watched)->setAcceptDrops(true);
    if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) || !dropTarget(watched))
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (SongOpener::modalDialogOpen() || !holdsFiles(drop->mimeData())) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        opener_.open(uriListEntries(drop->mimeData()->data(kUriList)), QFile::encodeName(QDir::currentPath()));
    return true;
}

} // namespace vorlix
