// The system ends the player, or closes its list, at awkward moments; each
// time the list is saved. It is seeded with lone LF line ends, which any save
// turns into CR LF.
#include "player/frmMainLayout.h"
#include "x11/XSession.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = vorlix::frmMainLayout;

class TestX11Faults : public QObject {
    Q_OBJECT
    std::unique_ptr<Xvfb> xvfb_;
    // Held open throughout: a server whose last client leaves resets, and
    // refuses connections for a moment.
    std::unique_ptr<XConnection> x_;
    QTemporaryDir scratch_;

private slots:
    void initTestCase()
    {
        QString error;
        xvfb_ = Xvfb::start(&error);
        if (!xvfb_)
            QSKIP(qPrintable(error));
        x_ = XConnection::open(xvfb_->display());
        QVERIFY(x_);
    }

    void listIsSaved_data()
    {
        QTest::addColumn<QRect>("opener");     // pressed after power-on
        QTest::addColumn<bool>("closeOpened"); // the window manager closes what it opened, not the player
        QTest::addColumn<bool>("loseServer");
        QTest::addColumn<int>("exitCode"); // -1: goes on running
        const QRect power = L::Image_power.pixels();
        QTest::newRow("close question open") << power << false << false << 0;
        QTest::newRow("file dialog open") << L::Image_button.pixels() << false << false << 0;
        QTest::newRow("playlist window closed") << L::Image_PlayList.pixels() << true << false << -1;
        QTest::newRow("X server lost") << L::Image_PlayList.pixels() << false << true << 1;
    }
    void listIsSaved()
    {
        QFETCH(QRect, opener);
        QFETCH(bool, closeOpened);
        QFETCH(bool, loseServer);
        QFETCH(int, exitCode);
        QString error;
        std::unique_ptr<Xvfb> own = loseServer ? Xvfb::start(&error) : nullptr;
        const Xvfb& server = loseServer ? *own : *xvfb_;
        auto ownX = loseServer ? XConnection::open(server.display()) : nullptr;
        XConnection* x = loseServer ? ownX.get() : x_.get();
        QVERIFY2(x, qPrintable(error));
        const QString cache = scratch_.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(cache + "/vorlix"));
        QFile list(cache + "/vorlix/mp3list.ini");
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write("a.mp3\nb.mp3\n") == 12);
        list.close();
        const auto saved = [&] {
            list.open(QIODevice::ReadOnly);
            const QByteArray bytes = list.readAll();
            list.close();
            return bytes == "a.mp3\r\nb.mp3\r\n";
        };

        QProcess player;
        QProcessEnvironment env = server.clientEnvironment();
        env.insert("SDL_AUDIODRIVER", "dummy");
        env.insert("XDG_CACHE_HOME", cache);
        player.setProcessEnvironment(env);
        player.start(VORLIX_PLAYER_PATH, {});
        const auto mappedBut = [&](quint32 other) {
            std::optional<TopLevel> found;
            waitUntil([&] {
                found = x->findMapped(player.processId(), [&](const TopLevel& t) { return t.id != other; });
                return found.has_value();
            });
            return found;
        };
        const auto main = mappedBut(0);
        QVERIFY(main);
        for (const QPoint at : {L::Image_power.pixels().center(), opener.center()}) {
            const QPoint p = main->geometry.topLeft() + at;
            QVERIFY(server.runTool("xdotool", {"mousemove", QString::number(p.x()), QString::number(p.y()),
                                               "click", "1"}));
            QTest::qWait(700); // no double-click
        }
        const auto opened = mappedBut(main->id);
        QVERIFY2(opened, "nothing came up");

        if (loseServer) {
            ownX.reset();
            own.reset();
        } else {
            QVERIFY(x->sendDeleteWindow(closeOpened ? opened->id : main->id));
        }
        QVERIFY2(waitUntil(saved), "the list was not saved");
        if (exitCode < 0)
            QCOMPARE(player.state(), QProcess::Running);
        else
            QVERIFY2(player.waitForFinished(10000) && player.exitCode() == exitCode, "the player did not end");
    }
};

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    TestX11Faults test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_faults.moc"
