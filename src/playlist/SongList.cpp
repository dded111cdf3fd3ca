#include "playlist/SongList.h"

#include "player/Display.h"

#include <QItemSelectionModel>

namespace vorlix {

namespace {

// The list shows at most this many characters of an entry, the tip a few
// more; Qt lays out every character it is given, on every repaint.
constexpr qsizetype kShownChars = 160;
constexpr qsizetype kTipChars = 200;
// Enough bytes for that many characters in any encoding we show.
constexpr qsizetype kShownBytes = 4 * kTipChars;
const QChar kEllipsis(0x2026);

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// The last bytes of the path, from the start of a character on.
QString tailOf(const QByteArray& path, qsizetype chars)
{
    qsizetype from = std::max<qsizetype>(0, path.size() - kShownBytes);
    for (int i = 0; i < 3 && from > 0 && from < path.size() && isUtf8Continuation(path[from]); ++i)
        ++from;
    QString text = displayPath(path.mid(from));
    if (text.size() <= chars && from == 0)
        return text;
    text = text.right(chars);
    if (!text.isEmpty() && text.front().isLowSurrogate())
        text.remove(0, 1);
    return kEllipsis + text;
}

// The first bytes of the path, up to the end of a character.
QString headOf(const QByteArray& path, qsizetype chars)
{
    qsizetype to = std::min(path.size(), kShownBytes);
    qsizetype lead = to;
    while (lead > 0 && to - lead < 4 && isUtf8Continuation(path[lead - 1]))
        --lead;
    if (lead > 0 && to < path.size()) {
        const auto c = static_cast<unsigned char>(path[lead - 1]);
        const qsizetype need = c >= 0xf0 ? 4 : c >= 0xe0 ? 3 : c >= 0xc0 ? 2 : 1;
        if (to - (lead - 1) < need)
            to = lead - 1;
    }
    QString text = displayPath(path.left(to)).left(chars);
    if (!text.isEmpty() && text.back().isHighSurrogate())
        text.chop(1);
    return text;
}

// A long path as a tip: its beginning and its end.
QString tipOf(const QByteArray& path)
{
    const QString whole = tailOf(path, kTipChars);
    if (!whole.startsWith(kEllipsis))
        return whole;
    return headOf(path, kTipChars / 4) + tailOf(path, kTipChars - kTipChars / 4);
}

} // namespace

int SongListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant SongListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    // Only what can be seen: the view elides the rest on the left, so that
    // the file name stays in view.
    if (role == Qt::DisplayRole)
        return tailOf(entries_[index.row()], kShownChars);
    if (role == Qt::ToolTipRole)
        return tipOf(entries_[index.row()]);
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
