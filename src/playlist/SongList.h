#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QListView>

namespace vorlix {

// The songs of the list as bytes, shown decoded.
class SongListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QList<QByteArray>& entries() const { return entries_; }
    void setEntries(QList<QByteArray> entries);
    void append(const QByteArray& entry);
    void removeAt(int row);

private:
    QList<QByteArray> entries_;
};

// The playlist's list box: song paths in the order they were added, at most
// one selected (index -1 for none).
class SongList : public QListView {
    Q_OBJECT
public:
    explicit SongList(QWidget* parent = nullptr);

    int ListCount() const;
    int ListIndex() const;
    void setListIndex(int index);
    // The selected entry, empty when none is selected.
    QByteArray Text() const;
    void AddItem(const QByteArray& entry);
    void RemoveItem(int index);

    const QList<QByteArray>& entries() const { return model_->entries(); }
    void setEntries(QList<QByteArray> entries);

private:
    SongListModel* model_;
};

} // namespace vorlix
