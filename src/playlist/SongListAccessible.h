// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

namespace vorlix {

class SongList;

// What a screen reader sees of the list box: a list whose items are named by
// their song's whole path. The selected row is selected, and focused while
// the list has the focus. Qt makes it only when an assistive technology asks.
class SongListAccessible : public QAccessibleWidget {
public:
    explicit SongListAccessible(SongList* list);
    ~SongListAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    SongList* list() const;

private:
    // Drops the rows' items once entries have moved to other rows, so that
    // the song now in a row is a new item to a screen reader, which would
    // not present an item it has just presented again.
    void forgetMovedRows() const;

    // One per row asked for; a row's item reads whatever entry stands in
    // that row.
    mutable QHash<int, QAccessible::Id> rows_;
    mutable quint64 rowsMoved_ = 0;
};

// Makes Qt use the interface above; done once, by the first list made.
void installSongListAccessibility();

} // namespace vorlix
