// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/SongList.h"

#include <QApplication>
#include <QPaintEngine>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace vorlix;

namespace {

// Ten songs in a box four and a half rows tall.
struct Box {
    Box(int songs = 10)
    {
        QList<QByteArray> entries;
        for (int i = 0; i < songs; ++i)
            entries.append("/m/song " + QByteArray::number(i) + ".mp3");
        list.setEntries(entries);
        list.resize(185, list.fontMetrics().height() * 9 / 2);
        list.show();
    }
    int row() const { return list.fontMetrics().height(); }
    int rows() const { return list.height() / row(); }
    bool selectedInView() const { return list.topRow() <= list.ListIndex() && list.ListIndex() < list.topRow() + rows(); }
    bool barShown() const { return list.findChild<QScrollBar*>() && list.findChild<QScrollBar*>()->isVisible(); }
    SongList list;
};

// Paints nothing; notes where the text starts and ends.
struct TextRuns : QImage, QPaintEngine {
    explicit TextRuns(QSize size) : QImage(size, Format_RGB32), QPaintEngine(AllFeatures) {}
    QPaintEngine* paintEngine() const override { return const_cast<TextRuns*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& at, const QTextItem& run) override { left = std::min(left, at.x()); right = std::max(right, at.x() + run.width()); }
    Type type() const override { return User; }
    qreal left = 1e9, right = 0;
};

} // namespace

class TestSongList : public QObject {
    Q_OBJECT
private slots:
    void keysMoveTheSelection_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down from none") << -1 << int(Qt::Key_Down) << 0;
        QTest::newRow("up from none") << -1 << int(Qt::Key_Up) << 0;
        QTest::newRow("up at the top") << 0 << int(Qt::Key_Up) << 0;
        QTest::newRow("down at the end") << 9 << int(Qt::Key_Down) << 9;
        QTest::newRow("down past the view") << 3 << int(Qt::Key_Down) << 4;
        QTest::newRow("page down") << 1 << int(Qt::Key_PageDown) << 5;
        QTest::newRow("page down near the end") << 8 << int(Qt::Key_PageDown) << 9;
        QTest::newRow("page up") << 9 << int(Qt::Key_PageUp) << 5;
        QTest::newRow("page up near the top") << 2 << int(Qt::Key_PageUp) << 0;
        QTest::newRow("home") << 7 << int(Qt::Key_Home) << 0;
        QTest::newRow("end") << 1 << int(Qt::Key_End) << 9;
    }
    void keysMoveTheSelection()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        Box box;
        QCOMPARE(box.rows(), 4);
        box.list.setListIndex(from);
        QTest::keyClick(&box.list, Qt::Key(key));
        QCOMPARE(box.list.ListIndex(), to);
        QVERIFY(box.selectedInView());
        QCOMPARE(box.list.Text(), "/m/song " + QByteArray::number(to) + ".mp3");
    }

    void clicksPickTheRowUnderThem()
    {
        Box box;
        QTest::mouseClick(&box.list, Qt::LeftButton, {}, QPoint(20, 2 * box.row() + 2));
        QCOMPARE(box.list.ListIndex(), 2);
        box.list.setListIndex(9);
        QVERIFY(box.selectedInView());
        QCOMPARE(box.list.rowAt(QPoint(20, 3 * box.row() + 2)), 9);
        QTest::mouseClick(&box.list, Qt::LeftButton, {}, QPoint(20, box.row() + 2));
        QCOMPARE(box.list.ListIndex(), 7);   // rows 6 to 9 in view
        QCOMPARE(box.list.rowAt(QPoint(box.list.width() - 2, 2)), -1);   // the scroll bar

        // Below the last row: the selection stays.
        Box two(2);
        two.list.setListIndex(1);
        QTest::mouseClick(&two.list, Qt::LeftButton, {}, QPoint(20, 3 * two.row() + 2));
        QCOMPARE(two.list.ListIndex(), 1);
    }

    void scrollBarFollowsTheRows()
    {
        Box box;
        QVERIFY(box.barShown());
        box.list.setListIndex(9);
        QCOMPARE(box.list.topRow(), 6);
        QCOMPARE(box.list.findChild<QScrollBar*>()->value(), 6);

        QWheelEvent up({20, 20}, box.list.mapToGlobal(QPointF(20, 20)), {}, {0, 120}, Qt::NoButton, {},
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(&box.list, &up);
        QCOMPARE(box.list.topRow(), 3);   // three rows a notch

        while (box.list.ListCount() > 3)
            box.list.RemoveItem(0);
        QCOMPARE(box.list.topRow(), 0);
        QVERIFY(!box.barShown());
        box.list.AddItem("/m/again.mp3");
        box.list.AddItem("/m/more.mp3");
        QVERIFY(box.barShown());
    }

    // A row's text ends as far left of the scroll bar as it starts right of
    // the box's edge, at any width of the box: Qt measured what follows
    // Japanese or Korean in their font, and cut off the end of the name.
    void rowsEndBeforeTheScrollBar()
    {
        Box box;
        const QByteArray kana = "/home/u/Musik/宇多田ヒカル - First Love.mp3", hangul = "/home/u/Musik/방탄소년단/2001 - 02 - Erste Liebe.mp3";
        box.list.setEntries({kana, hangul, kana, hangul, kana, hangul});
        for (int width = 120; width < 240; ++width) {
            box.list.resize(width, box.list.height());
            TextRuns runs(box.list.size());
            box.list.render(&runs, {}, {}, {});
            QVERIFY2(runs.left > 0 && runs.right <= box.list.findChild<QScrollBar*>()->x() - runs.left + 0.01, qPrintable(QString::number(width)));
        }
    }

    // Only the selected row is painted in the highlight, wherever the list
    // is scrolled to.
    void selectedRowIsHighlighted()
    {
        Box box;
        box.list.setListIndex(8);
        QImage image(box.list.size(), QImage::Format_RGB32);
        box.list.render(&image);
        const QRgb highlight = box.list.palette().color(QPalette::Highlight).rgb();
        const int selectedBand = 3 * box.row();   // rows 5 to 8 in view
        const int x = box.list.width() - box.list.findChild<QScrollBar*>()->width() - 3;   // past the text
        for (int y = 0; y < box.rows() * box.row(); ++y)
            QCOMPARE(image.pixel(x, y) == highlight, y >= selectedBand && y < selectedBand + box.row());
    }
};

QTEST_MAIN(TestSongList)
#include "tst_songlist.moc"
