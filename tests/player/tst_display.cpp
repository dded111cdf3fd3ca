// SPDX-License-Identifier: GPL-3.0-or-later
#include "player/Display.h"

#include <QTest>

using namespace vorlix;

namespace {
struct Steps {
    VolumeDirection direction;
    std::optional<std::int32_t> start1, start2; // none: cannot be read
    QList<int> channel1, channel2;
    QStringList percents;
};
} // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private slots:
    void scrollCycleOfNineAndWrap()
    {
        ScrollingCaption scroll;
        for (int cycle = 0; cycle < 2; ++cycle)
            for (int spaces = 0; spaces <= 24; spaces += 3)
                QCOMPARE(scroll.next(QStringLiteral("Track 01")),
                         QStringLiteral("Track 01") + QString(spaces, u' '));
    }

    void titles_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("dialogTitle");
        QTest::addColumn<QString>("listTitle");
        QTest::addColumn<bool>("mp3");
        QTest::newRow("plain") << "Track 01.mp3" << "Track 01" << "Track 01" << true;
        QTest::newRow("four characters") << "a.mp" << "" << "" << false;
        QTest::newRow("three") << "mp3" << "" << "" << true;
        QTest::newRow("two") << "p3" << "" << "" << false;
        QTest::newRow("empty") << "" << "" << "" << false;
        QTest::newRow("linux path") << "/home/u/Music/Song.mp3" << "/home/u/Music/Song" << "Song" << true;
        QTest::newRow("windows path, upper case") << "C:\\Music\\Old Song.MP3" << "C:\\Music\\Old Song" << "Old Song" << true;
        QTest::newRow("spaces trimmed before the cut") << "  /music/ Name .mp3" << "  /music/ Name " << " Name" << true;
        QTest::newRow("separator last") << "/music/.mp3" << "/music/" << "" << true;
        QTest::newRow("no dot still counts") << "/a/bmp3" << "/a/" << "" << true;
        QTest::newRow("wav") << "/a/b.wav" << "/a/b" << "b" << false;
        QTest::newRow("mp3 folder") << "/a/mp3/b" << "/a/m" << "m" << false;
    }
    void titles()
    {
        QFETCH(QString, input);
        QFETCH(QString, dialogTitle);
        QFETCH(QString, listTitle);
        QFETCH(bool, mp3);
        QCOMPARE(dialogSongTitle(input), dialogTitle);
        QCOMPARE(listSongTitle(input), listTitle);
        QCOMPARE(hasMp3Extension(input), mp3);
    }

    // Steps from the start levels: both channels after each step, and the
    // percentage shown.
    void volumeSteps_data()
    {
        QTest::addColumn<Steps>("steps");
        const QList<int> up{6554, 13108, 19662, 26216, 32770, 39324, 45878, 52432, 58986, 65535, 65535};
        const QList<int> down{58981, 52427, 45873, 39319, 32765, 26211, 19657, 13103, 6549, 0, 0};
        QTest::newRow("up from silence")
            << Steps{VolumeDirection::Up, 0, 0, up, up, QString("10 20 30 40 50 60 70 80 90 100 100").split(' ')};
        QTest::newRow("down from full")
            << Steps{VolumeDirection::Down, 65535, 65535, down, down, QString("90 80 70 60 50 40 30 20 10 0 0").split(' ')};
        QTest::newRow("either channel crossing the top clamps both")
            << Steps{VolumeDirection::Up, 60000, 10000, {65535}, {65535}, {"100"}};
        QTest::newRow("either channel crossing zero silences both")
            << Steps{VolumeDirection::Down, 50000, 3000, {0}, {0}, {"0"}};
        QTest::newRow("channel 1 alone decides the text") << Steps{VolumeDirection::Up, 26214, 0, {32768}, {6554}, {"50"}};
        // A level that cannot be read, or a step past 32 bits, clamps.
        QTest::newRow("channel 1 unreadable") << Steps{VolumeDirection::Up, std::nullopt, 100, {65535}, {65535}, {"100"}};
        QTest::newRow("channel 2 unreadable") << Steps{VolumeDirection::Down, 100, std::nullopt, {0}, {0}, {"0"}};
        QTest::newRow("past 32 bits") << Steps{VolumeDirection::Up, std::numeric_limits<std::int32_t>::max(), 0, {65535}, {65535}, {"100"}};
    }
    void volumeSteps()
    {
        QFETCH(Steps, steps);
        std::optional<std::int32_t> v1 = steps.start1, v2 = steps.start2;
        for (int i = 0; i < steps.channel1.size(); ++i) {
            std::tie(v1, v2) = steppedVolume(v1, v2, steps.direction);
            QCOMPARE(QList<int>({*v1, *v2}), QList<int>({steps.channel1[i], steps.channel2[i]}));
            QCOMPARE(volumeCaption(v1), QStringLiteral("Volume :  ") + steps.percents[i] + QStringLiteral("%       "));
        }
        // A level that cannot be shown reads 0 %.
        QCOMPARE(volumeCaption(std::nullopt), QStringLiteral("Volume :  0%       "));
        QCOMPARE(volumeCaption(std::numeric_limits<std::int32_t>::max()), QStringLiteral("Volume :  0%       "));
        QCOMPARE(volumeCaption(-6554), QStringLiteral("Volume : -10%       "));
    }

    // What the display sets of a long entry's title: its last 160 UTF-16
    // units, without half a character at the front.
    void longListTitles_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("shown");
        const QByteArray many(5000, 'a');
        const QString note = QString::fromUtf8("\xf0\x9f\x8e\xb5");   // outside the BMP: a surrogate pair
        QTest::newRow("folder near the end") << "/m/" + many + "/ Song .mp3" << " Song";
        QTest::newRow("no folder") << many + "xyz.mp3" << QString(157, 'a') + "xyz";
        QTest::newRow("spaces before .mp3") << "/m/" + many + "b" + QByteArray(3000, ' ') + ".mp3" << QString(159, 'a') + "b";
        QTest::newRow("Latin-1 bytes") << "/m/" + many + "\\\xe9t\xe9.mp3" << "\u00e9t\u00e9";
        QTest::newRow("UTF-8, cut in a character") << "/m/" + QString(3000, QChar(0x6771)).toUtf8() + "x.mp3"
                                                   << QString(159, QChar(0x6771)) + "x";
        QTest::newRow("leading spaces, short name") << QByteArray(5000, ' ') + "ab.mp3" << "ab";
        for (const int notes : {100, 300})   // read whole, and from the end
            QTest::addRow("cut in a surrogate pair, %d", notes) << "/m/x" + note.repeated(notes).toUtf8() + "y.mp3"
                                                                << note.repeated(79) + "y";
    }
    void longListTitles()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, shown);
        ShownListTitle title;
        QCOMPARE(title.of(entry), shown);
        const QByteArray copy(entry.constData(), entry.size());
        QCOMPARE(title.of(copy), shown);
        QCOMPARE(title.of("/m/b.mp3"), QStringLiteral("b"));
    }

    void displayPathKeepsEveryByteVisible()
    {
        QCOMPARE(displayPath("/m/\xc3\xa9t\xc3\xa9.mp3"), QStringLiteral("/m/\u00e9t\u00e9.mp3"));
        QCOMPARE(displayPath("/m/\xe9t\xe9.mp3"), QStringLiteral("/m/\u00e9t\u00e9.mp3"));
        QCOMPARE(displayPath(QByteArray("/m/\xe9\0.mp3", 9)), QStringLiteral("/m/\u00e9\u2400.mp3"));
    }
};

QTEST_GUILESS_MAIN(TestDisplay)
#include "tst_display.moc"
