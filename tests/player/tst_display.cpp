#include "player/Display.h"

#include <QTest>

using namespace vorlix;

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

    void volumeSteps_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("start1");
        QTest::addColumn<int>("start2");
        QTest::addColumn<QList<int>>("channel1");
        QTest::addColumn<QList<int>>("channel2");
        QTest::addColumn<QStringList>("percents");
        const QList<int> up{6554, 13108, 19662, 26216, 32770, 39324, 45878, 52432, 58986, 65535, 65535};
        const QList<int> down{58981, 52427, 45873, 39319, 32765, 26211, 19657, 13103, 6549, 0, 0};
        QTest::newRow("up from silence") << int(VolumeDirection::Up) << 0 << 0 << up << up
                                         << QString("10 20 30 40 50 60 70 80 90 100 100").split(' ');
        QTest::newRow("down from full") << int(VolumeDirection::Down) << 65535 << 65535 << down << down
                                        << QString("90 80 70 60 50 40 30 20 10 0 0").split(' ');
        QTest::newRow("either channel crossing the top clamps both")
            << int(VolumeDirection::Up) << 60000 << 10000 << QList<int>{65535} << QList<int>{65535} << QStringList{"100"};
        QTest::newRow("either channel crossing zero silences both")
            << int(VolumeDirection::Down) << 50000 << 3000 << QList<int>{0} << QList<int>{0} << QStringList{"0"};
        QTest::newRow("channel 1 alone decides the text")
            << int(VolumeDirection::Up) << 26214 << 0 << QList<int>{32768} << QList<int>{6554} << QStringList{"50"};
    }
    void volumeSteps()
    {
        QFETCH(int, direction);
        QFETCH(int, start1);
        QFETCH(int, start2);
        QFETCH(QList<int>, channel1);
        QFETCH(QList<int>, channel2);
        QFETCH(QStringList, percents);
        std::int32_t v1 = start1, v2 = start2;
        for (int i = 0; i < channel1.size(); ++i) {
            std::tie(v1, v2) = steppedVolume(v1, v2, VolumeDirection(direction));
            QCOMPARE(v1, channel1[i]);
            QCOMPARE(v2, channel2[i]);
            QCOMPARE(volumeCaption(v1), QStringLiteral("Volume :  ") + percents[i] + QStringLiteral("%       "));
        }
    }

    void volumeFailures()
    {
        // A volume that cannot be read, or a step past 32 bits, takes the
        // clamping branch; a level that cannot be shown reads 0 %.
        using Pair = std::pair<std::int32_t, std::int32_t>;
        QCOMPARE(steppedVolume(std::nullopt, 100, VolumeDirection::Up), Pair(65535, 65535));
        QCOMPARE(steppedVolume(100, std::nullopt, VolumeDirection::Down), Pair(0, 0));
        QCOMPARE(steppedVolume(std::numeric_limits<std::int32_t>::max(), 0, VolumeDirection::Up), Pair(65535, 65535));
        QCOMPARE(volumeCaption(std::nullopt), QStringLiteral("Volume :  0%       "));
        QCOMPARE(volumeCaption(std::numeric_limits<std::int32_t>::max()), QStringLiteral("Volume :  0%       "));
        QCOMPARE(volumeCaption(-6554), QStringLiteral("Volume : -10%       "));
    }

    void displayPathKeepsEveryByteVisible()
    {
        QCOMPARE(displayPath("/m/\xc3\xa9t\xc3\xa9.mp3"), QStringLiteral("/m/\u00e9t\u00e9.mp3"));
        QCOMPARE(displayPath("/m/\xe9t\xe9.mp3"), QStringLiteral("/m/\u00e9t\u00e9.mp3"));
    }
};

QTEST_GUILESS_MAIN(TestDisplay)
#include "tst_display.moc"
