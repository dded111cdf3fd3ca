// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QWidget>

class QScrollBar;

namespace vorlix {

// What a row of the list shows of an entry: its end, so that the file name
// stays in view, at most a few hundred characters however long the entry.
QString songListText(const QByteArray& entry);
// The row's tip: the beginning and the end of a long entry.
QString songListTip(const QByteArray& entry);

// The playlist's list box: song paths in the order they were added, at most
// one selected (index -1 for none). Rows have one height and are painted
// here, only those in view; a scroll bar comes when the rows outgrow the box.
class SongList : public QWidget {
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

    const QList<QByteArray>& entries() const { return entries_; }
    void setEntries(QList<QByteArray> entries);

    // The first row in view, and the row at a point of the box (-1 below the
    // last row).
    int topRow() const { return top_; }
    int rowAt(QPoint point) const;
    // Where a row stands in the box; empty when it is out of view.
    QRect rowRect(int row) const;
    // Counts the changes that moved entries to other rows (a removal, a new
    // list): a row seen before such a change is another row after it.
    quint64 rowsMoved() const { return rowsMoved_; }

signals:
    // The Delete key, pressed while the list has the focus.
    void DeleteKey();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int rowHeight() const;
    int rowsInView() const;
    int textWidth() const;
    void select(int index);
    void scrollTo(int row);
    void setTopRow(int row);
    void rowsChanged();

    QList<QByteArray> entries_;
    int index_ = -1;
    int top_ = 0;
    int wheel_ = 0;   // a part of a wheel notch not yet scrolled
    QScrollBar* bar_ = nullptr;   // made when first needed
    quint64 rowsMoved_ = 0;
};

} // namespace vorlix
