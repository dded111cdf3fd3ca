// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QMimeData;

namespace vorlix {

class SongOpener;

// Files and folders dropped on the player or the playlist window, from a
// file manager's "text/uri-list", are opened like any other request. A drag
// is taken, with the copy cursor, only where a drop would be: on one of the
// two windows, with at least one local file in it, and no modal dialog open.
// Watches the whole application, since the playlist window comes and goes,
// and makes each of the two windows take drops: those there already, and
// each new one before it first shows.
class SongDrops : public QObject {
    Q_OBJECT
public:
    explicit SongDrops(SongOpener& opener, QObject* parent = nullptr);

    // True when the data holds a file URI.
    static bool holdsFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SongOpener& opener_;
};

} // namespace vorlix
