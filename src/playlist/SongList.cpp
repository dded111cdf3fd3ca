#include "playlist/SongList.h"

#include "player/Display.h"

#include <QItemSelectionModel>

namespace vorlix {

int SongListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant SongListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return displayPath(entries_[index.row()]);
    return {};
}

void SongListModel::setEntries(QList<QByteArray> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

void SongListModel::append(const QByteArray& entry)
{
    const int row = static_cast<int>(entries_.size());
    beginInsertRows({}, row, row);
    entries_.append(entry);
    endInsertRows();
}

void SongListModel::removeAt(int row)
{
    beginRemoveRows({}, row, row);
    entries_.removeAt(row);
    endRemoveRows();
}

SongList::SongList(QWidget* parent) : QListView(parent), model_(new SongListModel(this))
{
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row has the same height, which keeps long lists fast.
    setUniformItemSizes(true);
}

int SongList::ListCount() const
{
    return model_->rowCount();
}

int SongList::ListIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void SongList::setListIndex(int index)
{
    if (index < 0 || index >= ListCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = model_->index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

QByteArray SongList::Text() const
{
    const int index = ListIndex();
    return index < 0 ? QByteArray() : model_->entries()[index];
}

void SongList::AddItem(const QByteArray& entry)
{
    model_->append(entry);
}

void SongList::RemoveItem(int index)
{
    if (index < 0 || index >= ListCount())
        return;
    model_->removeAt(index);
    // Nothing is selected after a removal.
    selectionModel()->clearSelection();
}

void SongList::setEntries(QList<QByteArray> entries)
{
    model_->setEntries(std::move(entries));
}

} // namespace vorlix
