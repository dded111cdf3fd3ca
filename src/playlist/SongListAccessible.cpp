// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/SongListAccessible.h"

#include "player/Display.h"
#include "playlist/SongList.h"

#include <QPointer>

namespace vorlix {

namespace {

class SongRowAccessible : public QAccessibleInterface {
public:
    SongRowAccessible(SongList* list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return list_ && row_ < list_->ListCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? displayPath(list_->entries()[row_]) : QString();
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect row = list_->rowRect(row_);
        return QRect(list_->mapToGlobal(row.topLeft()), row.size());
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.selectable = true;
        s.focusable = true;
        s.selected = list_->ListIndex() == row_;
        s.focused = s.selected && list_->hasFocus();
        s.invisible = list_->rowRect(row_).isEmpty();
        return s;
    }

private:
    QPointer<SongList> list_;
    int row_;
};

QAccessibleInterface* songListFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(SongList::staticMetaObject.className()))
        return new SongListAccessible(static_cast<SongList*>(object));
    return nullptr;
}

} // namespace

SongListAccessible::SongListAccessible(SongList* list) : QAccessibleWidget(list, QAccessible::List) {}

SongListAccessible::~SongListAccessible()
{
    for (QAccessible::Id id : std::as_const(rows_))
        QAccessible::deleteAccessibleInterface(id);
}

void SongListAccessible::forgetMovedRows() const
{
    if (rowsMoved_ == list()->rowsMoved())
        return;
    rowsMoved_ = list()->rowsMoved();
    for (QAccessible::Id id : std::as_const(rows_))
        QAccessible::deleteAccessibleInterface(id);
    rows_.clear();
}

SongList* SongListAccessible::list() const
{
    return static_cast<SongList*>(widget());
}

int SongListAccessible::childCount() const
{
    return list()->ListCount();
}

QAccessibleInterface* SongListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    forgetMovedRows();
    if (const auto id = rows_.value(index))
        return QAccessible::accessibleInterface(id);
    auto* row = new SongRowAccessible(list(), index);
    rows_.insert(index, QAccessible::registerAccessibleInterface(row));
    return row;
}

int SongListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    // A row from before entries moved is no row now. It is not dropped
    // here: the caller still holds it.
    if (rowsMoved_ != list()->rowsMoved())
        return -1;
    for (auto it = rows_.cbegin(); it != rows_.cend(); ++it)
        if (QAccessible::accessibleInterface(it.value()) == child)
            return it.key() < childCount() ? it.key() : -1;
    return -1;
}

QAccessibleInterface* SongListAccessible::childAt(int x, int y) const
{
    return child(list()->rowAt(list()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* SongListAccessible::focusChild() const
{
    return list()->hasFocus() ? child(list()->ListIndex()) : nullptr;
}

void installSongListAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(songListFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vorlix
