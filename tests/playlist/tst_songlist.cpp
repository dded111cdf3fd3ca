// What the list shows of an entry: no more than fits, the entry kept whole.
#include "playlist/SongList.h"

#include <QtTest>

using namespace vorlix;

class TestSongList : public QObject {
    Q_OBJECT

private slots:
    void showsWhatFits_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("shownEnd");  // what the text must end with
        QTest::addColumn<QString>("tipStart"); // what the tip must start with
        QTest::newRow("short") << QByteArray("/music/Ärger.mp3") << QString("/music/Ärger.mp3")
                               << QString("/music/Ärger.mp3");
        QTest::newRow("1 MB") << "/music/" + QByteArray(1 << 20, 'x') + "/song.mp3"
                              << QString("xx/song.mp3") << QString("/music/xx");
        // Two-byte characters with the cut at both ends inside one of them.
        QTest::newRow("long UTF-8") << "/m/" + QString(300, QChar(0xe9)).toUtf8() + "x.mp3"
                                    << QString(QChar(0xe9)) + "x.mp3" << "/m/" + QString(QChar(0xe9));
        QTest::newRow("long, not UTF-8") << "/m/" + QByteArray(5000, '\xe9') + ".mp3"
                                         << QString(QChar(0xe9)) + ".mp3" << "/m/" + QString(QChar(0xe9));
    }
    void showsWhatFits()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, shownEnd);
        QFETCH(QString, tipStart);
        SongListModel model;
        model.setEntries({entry});
        const QString shown = model.data(model.index(0), Qt::DisplayRole).toString();
        const QString tip = model.data(model.index(0), Qt::ToolTipRole).toString();
        QVERIFY2(shown.endsWith(shownEnd), qPrintable(shown.right(40)));
        QVERIFY2(tip.startsWith(tipStart) && tip.endsWith(shownEnd), qPrintable(tip));
        for (const QString& text : {shown, tip}) {
            QVERIFY2(text.size() <= 201, qPrintable(QString::number(text.size())));
            QVERIFY(!text.contains(QChar(0xfffd)) && !text.contains(QChar(0xc3)));
        }
        QCOMPARE(model.entries().constFirst(), entry);
    }
};

QTEST_GUILESS_MAIN(TestSongList)
#include "tst_songlist.moc"
