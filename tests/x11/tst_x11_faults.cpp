// How the player ends when the system asks it to at awkward moments: a
// window manager's close while a modal dialog is open, a close of the
// playlist window, the loss of the X server. Each time the list is saved.
#include "player/frmMainLayout.h"
#include "x11/XSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;

namespace {

namespace L = frmMainLayout;
const QSize kPlayListSize(285, 117);
const QString kPlayer = QStringLiteral(VORLIX_PLAYER_PATH);
// Lone LF line ends: any save by the player turns them into CR LF.
const QByteArray kSeeded = "/music/a.mp3\n/music/b.mp3\n";
const QByteArray kSaved = "/music/a.mp3\r\n/music/b.mp3\r\n";

// The player on one X server, with its list in a scratch cache folder.
struct Player {
    const Xvfb* xvfb = nullptr;
    std::unique_ptr<XConnection> x;
    std::unique_ptr<QProcess> process;
    TopLevel window;
    QString listFile;
    QElapsedTimer sinceClick;

    bool start(const Xvfb& server, const QString& cache)
    {
        xvfb = &server;
        x = XConnection::open(server.display());
        if (!x || !QDir().mkpath(cache + QStringLiteral("/vorlix")))
            return false;
        listFile = cache + QStringLiteral("/vorlix/mp3list.ini");
        QFile file(listFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(kSeeded) != kSeeded.size())
            return false;
        file.close();
        QProcessEnvironment env = server.clientEnvironment();
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
        process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(kPlayer, {});
        if (!process->waitForStarted(5000))
            return false;
        const auto found = waitFor([](const TopLevel& t) { return t.name == QStringLiteral("Ormatel"); });
        if (!found) {
            qWarning().noquote() << "the player did not come up:" << process->readAll();
            return false;
        }
        window = *found;
        return true;
    }

    std::optional<TopLevel> waitFor(const std::function<bool(const TopLevel&)>& match)
    {
        std::optional<TopLevel> found;
        waitUntil([&] {
            found = x->findMapped(process->processId(), match);
            return found.has_value() || process->state() == QProcess::NotRunning;
        });
        return found;
    }

    // Presses further apart than a double-click.
    bool click(QPoint windowPoint)
    {
        if (sinceClick.isValid())
            waitUntil([&] { return sinceClick.elapsed() > 600; }, 2s);
        const QPoint at = window.geometry.topLeft() + windowPoint;
        const bool ok = xvfb->runTool(QStringLiteral("xdotool"),
                                      {QStringLiteral("mousemove"), QString::number(at.x()),
                                       QString::number(at.y()), QStringLiteral("click"),
                                       QStringLiteral("1")});
        sinceClick.start();
        return ok;
    }

    // A second window of the player's, other than the player itself.
    std::optional<TopLevel> waitForOther(const QSize& size = {})
    {
        return waitFor([&](const TopLevel& t) {
            return t.id != window.id && (size.isEmpty() || t.geometry.size() == size);
        });
    }

    QByteArray listBytes() const
    {
        QFile file(listFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    ~Player()
    {
        if (process && process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
};

} // namespace

class TestX11Faults : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void closeWhileModal_data();
    void closeWhileModal();
    void playlistCloseUnloads();
    void lostDisplaySavesList();

private:
    std::unique_ptr<Xvfb> xvfb_;
    QTemporaryDir scratch_;
};

void TestX11Faults::initTestCase()
{
    QVERIFY2(QFileInfo(kPlayer).isExecutable(), qPrintable(kPlayer));
    QVERIFY(scratch_.isValid());
    QString error;
    xvfb_ = Xvfb::start(&error);
    if (!xvfb_)
        QSKIP(qPrintable(error));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is not installed");
}

// The window manager closes the player while a modal dialog is up: the
// program ends normally and saves the list, as it does at any other moment.
void TestX11Faults::closeWhileModal_data()
{
    QTest::addColumn<QRect>("opener"); // pressed after power-on
    QTest::newRow("close question") << L::Image_power.pixels();
    QTest::newRow("file dialog") << L::Image_button.pixels();
}

void TestX11Faults::closeWhileModal()
{
    QFETCH(QRect, opener);
    Player player;
    QVERIFY(player.start(*xvfb_, scratch_.filePath(QString::fromLatin1(QTest::currentDataTag()))));
    QVERIFY(player.click(L::Image_power.pixels().center()));
    QVERIFY(player.click(opener.center()));
    QVERIFY2(player.waitForOther(), "no dialog came up");

    QVERIFY(player.x->sendDeleteWindow(player.window.id));
    QVERIFY2(player.process->waitForFinished(10000), "the close request was lost");
    QCOMPARE(player.process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.process->exitCode(), 0);
    QCOMPARE(player.listBytes(), kSaved);
}

// Closing the playlist window unloads it, which saves the list; the player
// goes on.
void TestX11Faults::playlistCloseUnloads()
{
    Player player;
    QVERIFY(player.start(*xvfb_, scratch_.filePath(QStringLiteral("playlist"))));
    QVERIFY(player.click(L::Image_power.pixels().center()));
    QVERIFY(player.click(L::Image_PlayList.pixels().center()));
    const auto list = player.waitForOther(kPlayListSize);
    QVERIFY2(list, "the playlist window did not come up");

    QVERIFY(player.x->sendDeleteWindow(list->id));
    QVERIFY2(waitUntil([&] { return player.listBytes() == kSaved; }), player.listBytes().constData());
    QVERIFY(waitUntil([&] { return !player.x->findMapped(0, [&](const TopLevel& t) { return t.id == list->id; }); }));
    QCOMPARE(player.process->state(), QProcess::Running);
}

// The X server goes away under a running player: it saves the list on its
// way out.
void TestX11Faults::lostDisplaySavesList()
{
    QString error;
    std::unique_ptr<Xvfb> doomed = Xvfb::start(&error);
    QVERIFY2(doomed, qPrintable(error));
    Player player;
    QVERIFY(player.start(*doomed, scratch_.filePath(QStringLiteral("lost"))));
    QVERIFY(player.click(L::Image_power.pixels().center()));
    // The list is read at power-on; wait until the display shows it is on.
    QVERIFY(player.click(L::Image_PlayList.pixels().center()));
    QVERIFY(player.waitForOther(kPlayListSize));

    player.x.reset();
    doomed.reset();
    QVERIFY2(player.process->waitForFinished(10000), "the player outlived its display");
    QCOMPARE(player.process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.listBytes(), kSaved);
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    TestX11Faults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_faults.moc"
