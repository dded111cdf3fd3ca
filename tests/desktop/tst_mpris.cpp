// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's media controls, called through the adaptors as the bus calls them.
#include "doubles/Fixture.h"
#include "desktop/Mpris.h"

#include <QRegularExpression>

using namespace vorlix;
using namespace vorlix::test;

namespace {

// Brings the player into a named state, a modal dialog in front if asked.
void enter(Fixture& f, const QString& state)
{
    f.writeList(state.contains("empty") ? "" : "/m/a.mp3\r\n/m/Caf\xe9 #2.mp3\r\n/m/c.mp3\r\n");
    f.fake.mp3->volume1 = f.fake.mp3->volume2 = 32768;
    if (state == "off")
        return;
    f.powerOn();
    if (state.contains("list"))
        f.main().Image_PlayList_Click();
    if (state.contains("last"))
        f.forms.PlayList().List1->setListIndex(2);
    f.fake.fileDialog.choices << QStringLiteral("/m/d.mp3");
    if (state.startsWith("playing"))
        f.main().Image_button_Click();
    if (state.contains("paused"))
        f.main().Image_pause_Click();
    f.main().pic1->setHidden(state.contains("second skin"));
    f.showQuestion(state.contains("modal"));
    f.calls().clear();
    f.fake.sound.played.clear();
}

} // namespace

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    // Each request in the state it arrives in: what the desktop may do there,
    // and what the press does.
    void requestsPressTheButtons_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("flags"); // status; play, pause, next, previous allowed
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("calls"); // sounds and engine calls
        const QString playingList = "Playing PPNB";
        QTest::newRow("Play") << "idle, list" << "Stopped P---" << "Play" << "do.wav Stop Open /m/a.mp3 Play";
        QTest::newRow("Play while off") << "off" << "Stopped ----" << "Play" << "";
        QTest::newRow("power button while off") << "off" << "Stopped ----" << "power" << "do.wav";
        // Without the list on screen: its selected song, no file dialog.
        QTest::newRow("Play, list hidden") << "idle" << "Stopped P---" << "Play" << "do.wav Stop Open /m/a.mp3 Play";
        QTest::newRow("PlayPause, list hidden, last selected") << "idle, last" << "Stopped P---" << "PlayPause"
                                                               << "do.wav Stop Open /m/c.mp3 Play";
        QTest::newRow("PlayPause after a pause") << "playing list, last, paused" << "Stopped P---" << "PlayPause"
                                                 << "do.wav Stop Open /m/c.mp3 Play";
        QTest::newRow("Play, empty list") << "idle, empty" << "Stopped ----" << "Play" << "";
        QTest::newRow("Play, empty list after a pause") << "playing dialog, empty, paused" << "Stopped ----" << "Play" << "";
        QTest::newRow("Play while playing") << "playing list" << playingList << "Play" << "";
        QTest::newRow("Play, modal dialog") << "idle, list, modal" << "Stopped ----" << "Play" << "";
        QTest::newRow("PlayPause while playing") << "playing list" << playingList << "PlayPause" << "do.wav Pause";
        QTest::newRow("Stop") << "playing dialog" << "Playing PP--" << "Stop" << "do.wav Pause";
        QTest::newRow("Pause, second skin") << "playing list, second skin" << "Playing --NB" << "Pause" << "";
        QTest::newRow("Previous wraps") << "playing list" << playingList << "Previous" << "Open /m/c.mp3 Play";
        QTest::newRow("Next wraps") << "playing list, last" << playingList << "Next" << "Open /m/a.mp3 Play";
        QTest::newRow("Next, modal dialog") << "playing list, modal" << "Playing ----" << "Next" << "";
        QTest::newRow("Next of a dialog song") << "playing dialog" << "Playing PP--" << "Next" << "";
        QTest::newRow("Volume above full") << "playing list" << playingList << "1.7" << "SetVolume 65535 65535";
        QTest::newRow("Volume below silent") << "playing list" << playingList << "-0.2" << "SetVolume 0 0";
        QTest::newRow("Volume not a number") << "playing list" << playingList << "nan" << "";
        QTest::newRow("Volume while idle") << "idle" << "Stopped P---" << "0.5" << "";
    }
    void requestsPressTheButtons()
    {
        QFETCH(QString, state);
        QFETCH(QString, flags);
        QFETCH(QString, request);
        QFETCH(QString, calls);
        Fixture f;
        enter(f, state);
        Mpris m(f.forms, [] {});
        QCOMPARE(m.PlaybackStatus() + (m.CanPlay() ? " P" : " -") + (m.CanPause() ? "P" : "-") +
                     (m.CanGoNext() ? "N" : "-") + (m.CanGoPrevious() ? "B" : "-"),
                 flags);
        QSignalSpy announced(&m, &Mpris::propertiesChanged);
        const qsizetype dialogs = f.fake.fileDialog.filters.size();
        auto* adaptor = m.findChild<MprisPlayerAdaptor*>();
        bool volume = false;
        if (const double level = request.toDouble(&volume); volume)
            adaptor->setProperty("Volume", level);
        else if (request == "power")
            f.powerOn();
        else
            QVERIFY(QMetaObject::invokeMethod(adaptor, request.toLatin1().constData()));
        QCoreApplication::processEvents();
        const QStringList sounds = f.fake.sound.played.replaceInStrings(QRegularExpression(".*/"), "");
        QCOMPARE((sounds + f.calls().filter(QRegularExpression("^(?!Get)"))).join(' '), calls);
        QCOMPARE(announced.isEmpty(), calls.isEmpty());
        if (request == "power") // Play can be pressed now, and listeners are told
            QVERIFY(announced.last().at(0).toMap().value("CanPlay").toBool());
        QCOMPARE(f.fake.fileDialog.filters.size(), dialogs); // never a dialog in front of the desktop
        const frmPlayList* list = f.forms.PlayListIfLoaded();
        QVERIFY(!calls.startsWith("do.wav Stop") || (list && list->isHidden() && list->Timer_MP3ListDataShow->Enabled()));
    }

    // The second song's name as the display shows it and its path byte for
    // byte. A huge entry, or one whose URL grows huge by its escapes, sends
    // the start of its name and no URL: the message must stay within what
    // the bus carries.
    void metadata_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("url"); // "-": none
        QTest::newRow("Latin-1 name") << QByteArray("/m/Caf\xe9 #2.mp3") << QString::fromUtf8("Caf\xc3\xa9 #2")
                                      << "file:///m/Caf%E9%20%232.mp3";
        QTest::newRow("2000 escaped bytes") << "/m/" + QByteArray(2000, '\xe9') + ".mp3" << QString(2000, QChar(0xe9)) << "-";
        QTest::newRow("huge folder") << "/" + QByteArray(50 << 20, 'd') + "/song.mp3" << "song" << "-";
        QTest::newRow("huge name") << "/tmp/" + QByteArray(50 << 20, 'a') + ".mp3" << QString(4095, 'a') + "…" << "-";
        QTest::newRow("huge name, cut in a character") << "/a" + QByteArray("\xc3\xa9").repeated(10000) + ".mp3"
                                                       << "a" + QString::fromUtf8("\xc3\xa9").repeated(4094) + "…" << "-";
    }
    void metadata()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, title);
        QFETCH(QString, url);
        Fixture f;
        f.writeList("/m/a.mp3\r\n" + entry + "\r\n");
        f.powerOn();
        f.main().Image_PlayList_Click();
        f.forms.PlayList().List1->setListIndex(1);
        Mpris m(f.forms, [] {});
        QVERIFY(m.Metadata().isEmpty());
        f.main().Image_button_Click();
        const QVariantMap metadata = m.Metadata();
        QCOMPARE(metadata.value("xesam:title").toString(), title);
        QCOMPARE(metadata.value("xesam:url", "-").toString(), url);
        QCOMPARE(metadata.value("mpris:trackid").value<QDBusObjectPath>().path(), QString("/org/vorlix/track/1"));
    }

    // Files come in through OpenUri as from a file manager; nothing else does.
    void openUri()
    {
        Fixture f;
        Mpris m(f.forms, [] {});
        QByteArrayList opened;
        m.setOpener([&](const QByteArray& uri) { opened << uri; });
        QVERIFY(!m.OpenUri("https://example.org/a.mp3") && m.OpenUri("file:///m/Caf%C3%A9.mp3"));
        QCOMPARE(opened, QByteArrayList{"file:///m/Caf%C3%A9.mp3"});
        QCOMPARE(m.findChild<MprisRootAdaptor*>()->SupportedUriSchemes(), QStringList{"file"});
    }
};

QTEST_MAIN(TestMpris)
#include "tst_mpris.moc"
