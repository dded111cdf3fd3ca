// The player in a real X session: its outline, its hit area, the power key,
// the close question and the ways the system asks it to end. Runs the built
// program against an Xvfb of its own and watches it through xcb; xdotool
// moves the pointer and types.
#include "player/frmMainLayout.h"
#include "skin/gifmod.h"
#include "x11/XSession.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;

namespace {

namespace L = frmMainLayout;

const QString kPlayer = QStringLiteral(VORLIX_PLAYER_PATH);
const QRect kPowerRect = L::Image_power.pixels();
const QRect kDisplayRect = L::Text_Title.pixels();

// Qt takes a second press within this time for a double-click, which is not
// a click; presses on the player keep further apart than that.
constexpr auto kClickGap = 600ms;

// Caption ink: far darker than the glass it is written on.
bool isInk(QRgb pixel)
{
    return qGray(pixel) < 90;
}

int inkPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isInk(image.pixel(x, y));
    return count;
}

QString describe(const QRegion& region)
{
    qint64 pixels = 0;
    for (const QRect& r : region)
        pixels += qint64(r.width()) * r.height();
    const QRect b = region.boundingRect();
    return QStringLiteral("%1 pixels within %2,%3 %4x%5")
        .arg(pixels).arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height());
}

} // namespace

class TestX11Player : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void showsTheShapedPicture();
    void windowClassIsTheMenuEntrys();
    void hitAreaIsTheOutline_data();
    void hitAreaIsTheOutline();
    void powerShowsTheDisplay();
    void closeQuestion_data();
    void closeQuestion();
    void closeRequests_data();
    void closeRequests();

private:
    bool launch();
    void stopPlayer();
    bool movePointer(QPoint windowPoint);
    bool click(QPoint windowPoint);
    bool powerOn();
    std::optional<TopLevel> askToClose();
    bool answer(const TopLevel& box, const QString& key);
    int insideMismatches(const QImage& shot) const;
    QImage windowShot() const { return x_->grab(window_.geometry); }
    QImage settledShot() const;
    void save(const QString& name, const QImage& image) const;

    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<XConnection> x_;
    QTemporaryDir scratch_;
    QString shots_;
    QImage skin_;
    QImage picture_;
    QRegion outline_;
    QImage background_;
    std::unique_ptr<QProcess> player_;
    TopLevel window_;
    QElapsedTimer sinceClick_;
};

void TestX11Player::initTestCase()
{
    QVERIFY2(QFileInfo(kPlayer).isExecutable(), qPrintable(kPlayer));
    QVERIFY(scratch_.isValid());
    skin_ = QImage(QStringLiteral(":/skin1.gif")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(skin_.size(), L::kSkinSize);
    outline_ = MakeWindowRegion(skin_);
    QVERIFY(!outline_.isEmpty());
    // What the window shows when off: the skin, and the play key's own
    // picture over the painted one.
    picture_ = skin_;
    {
        const QImage play(QStringLiteral(":/play.gif"));
        QVERIFY(!play.isNull());
        QPainter painter(&picture_);
        painter.drawImage(L::Image_button.pixels().topLeft(), play);
    }

    QString error;
    xvfb_ = Xvfb::start(&error);
    if (!xvfb_)
        QSKIP(qPrintable(error));
    x_ = XConnection::open(xvfb_->display());
    QVERIFY2(x_, qPrintable(xvfb_->display()));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is not installed");

    shots_ = QCoreApplication::applicationDirPath() + QStringLiteral("/x11-shots");
    QDir(shots_).removeRecursively();
    QVERIFY(QDir().mkpath(shots_));
    background_ = x_->grabScreen();
    QVERIFY(!background_.isNull());
    save(QStringLiteral("background"), background_);
}

void TestX11Player::cleanupTestCase()
{
    stopPlayer();
    x_.reset();
    xvfb_.reset();
}

void TestX11Player::cleanup()
{
    if (QTest::currentTestFailed() && player_)
        qWarning().noquote() << "player output:" << player_->readAll();
    stopPlayer();
}

bool TestX11Player::launch()
{
    stopPlayer();
    QProcessEnvironment env = xvfb_->clientEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), scratch_.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch_.path());
    player_ = std::make_unique<QProcess>();
    player_->setProcessEnvironment(env);
    player_->setProcessChannelMode(QProcess::MergedChannels);
    player_->start(kPlayer, {});
    if (!player_->waitForStarted(5000))
        return false;
    const qint64 pid = player_->processId();
    std::optional<TopLevel> found;
    const bool mapped = waitUntil([&] {
        found = x_->findMapped(pid, [](const TopLevel& t) {
            return t.geometry.size() == L::kSkinSize && t.name == QStringLiteral("Ormatel");
        });
        return found.has_value() || player_->state() == QProcess::NotRunning;
    });
    if (!mapped || !found)
        return false;
    window_ = *found;
    sinceClick_.invalidate();
    // The picture comes with the first paint, a moment after the map; tests
    // compare against it. (One that never comes is showsTheShapedPicture's
    // to report.)
    waitUntil([&] { return insideMismatches(windowShot()) == 0; }, 5s);
    return true;
}

int TestX11Player::insideMismatches(const QImage& shot) const
{
    if (shot.size() != picture_.size())
        return -1;
    int wrong = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            wrong += outline_.contains(QPoint(x, y)) &&
                     (shot.pixel(x, y) | 0xff000000) != (picture_.pixel(x, y) | 0xff000000);
    return wrong;
}

void TestX11Player::stopPlayer()
{
    if (!player_)
        return;
    if (player_->state() != QProcess::NotRunning) {
        player_->terminate();
        if (!player_->waitForFinished(5000)) {
            player_->kill();
            player_->waitForFinished(2000);
        }
    }
    player_.reset();
    window_ = {};
}

// (xdotool's own --sync waits for a motion, which never comes when the
// pointer is already there.)
bool TestX11Player::movePointer(QPoint windowPoint)
{
    const QPoint at = window_.geometry.topLeft() + windowPoint;
    if (!xvfb_->runTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"),
                                                    QString::number(at.x()), QString::number(at.y())}))
        return false;
    return waitUntil([&] {
        const auto p = x_->pointer();
        return p && p->position == at;
    }, 3s);
}

bool TestX11Player::click(QPoint windowPoint)
{
    if (sinceClick_.isValid())
        waitUntil([&] { return sinceClick_.elapsed() >= kClickGap.count(); }, 2 * kClickGap);
    if (!movePointer(windowPoint))
        return false;
    const bool ok = xvfb_->runTool(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
    sinceClick_.start();
    return ok;
}

bool TestX11Player::powerOn()
{
    if (!click(kPowerRect.center()))
        return false;
    return waitUntil([&] { return inkPixels(x_->grab(kDisplayRect.translated(window_.geometry.topLeft()))) > 0; });
}

std::optional<TopLevel> TestX11Player::askToClose()
{
    if (!click(kPowerRect.center()))
        return std::nullopt;
    std::optional<TopLevel> box;
    waitUntil([&] {
        box = x_->findMapped(player_->processId(), [&](const TopLevel& t) {
            return t.id != window_.id && t.name == QStringLiteral("Vorlix");
        });
        return box.has_value();
    });
    return box;
}

bool TestX11Player::answer(const TopLevel& box, const QString& key)
{
    // With no window manager the box takes the focus itself when it maps;
    // if it has not, it is given it, as a window manager would.
    if (!waitUntil([&] { return x_->inputFocus() == box.id; }, 2s))
        xvfb_->runTool(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"),
                                                   QStringLiteral("--sync"),
                                                   QString::number(box.id)});
    return xvfb_->runTool(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
}

// The window once two shots in a row agree: a caption arrives whole, not
// just its first glyph.
QImage TestX11Player::settledShot() const
{
    QImage last;
    waitUntil([&] {
        const QImage shot = windowShot();
        const bool same = shot == last;
        last = shot;
        return same;
    }, 2s);
    return last;
}

void TestX11Player::save(const QString& name, const QImage& image) const
{
    const QString path = shots_ + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!image.save(path))
        qWarning() << "could not save" << path;
}

// The player shows exactly its picture: the X shape is the skin's outline,
// and around the outline the desktop shows through, with no white square.
void TestX11Player::showsTheShapedPicture()
{
    QVERIFY(launch());
    const auto shape = x_->boundingShape(window_.id);
    QVERIFY(shape);
    const QRegion wrong = shape->xored(outline_);
    QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("shape differs from the skin's outline in ") +
                                         describe(wrong)));

    const QPoint origin = window_.geometry.topLeft();
    int outsideWrong = 0;
    int outsideWhite = 0;
    int insideWrong = 0;
    QImage shot;
    // The picture arrives with the first paint, shortly after the map.
    waitUntil([&] {
        shot = windowShot();
        insideWrong = insideMismatches(shot);
        if (insideWrong < 0)
            return false;
        outsideWrong = outsideWhite = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb seen = shot.pixel(x, y) | 0xff000000;
                if (!outline_.contains(QPoint(x, y)) &&
                    seen != (background_.pixel(origin + QPoint(x, y)) | 0xff000000)) {
                    ++outsideWrong;
                    outsideWhite += seen == 0xffffffff;
                }
            }
        }
        return outsideWrong == 0 && insideWrong == 0;
    }, 3s);
    save(QStringLiteral("player-off"), shot);
    save(QStringLiteral("screen-player-off"), x_->grabScreen());
    QVERIFY2(outsideWrong == 0, qPrintable(QStringLiteral("%1 pixels outside the outline cover the "
                                                          "desktop, %2 of them white")
                                               .arg(outsideWrong).arg(outsideWhite)));
    QVERIFY2(insideWrong == 0,
             qPrintable(QStringLiteral("%1 pixels inside differ from the skin picture").arg(insideWrong)));
}

// The desktop ties the window to its menu entry, and so to its icon and
// name in task lists, by the entry's StartupWMClass.
void TestX11Player::windowClassIsTheMenuEntrys()
{
    QSettings entry(QStringLiteral(VORLIX_DESKTOP_ENTRY), QSettings::IniFormat);
    entry.beginGroup(QStringLiteral("Desktop Entry"));
    const QString wanted = entry.value(QStringLiteral("StartupWMClass")).toString();
    QVERIFY(!wanted.isEmpty());
    QVERIFY(launch());
    const QStringList wmClass = x_->wmClass(window_.id);
    QCOMPARE(wmClass.size(), 2);
    QCOMPARE(wmClass[1], wanted);
}

// The pointer over the window's rectangle but off the outline is over the
// desktop, and a click there leaves the player as it was.
void TestX11Player::hitAreaIsTheOutline_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("onPlayer");
    QTest::newRow("top-left corner") << QPoint(2, 2) << false;
    QTest::newRow("top edge left of the volume keys") << QPoint(100, 2) << false;
    QTest::newRow("bottom-right corner") << QPoint(297, 80) << false;
    QTest::newRow("bottom-left corner") << QPoint(2, 80) << false;
    QTest::newRow("power key") << kPowerRect.center() << true;
    QTest::newRow("display") << kDisplayRect.center() << true;
    QTest::newRow("volume key on the top edge") << QPoint(155, 5) << true;
}

void TestX11Player::hitAreaIsTheOutline()
{
    QFETCH(QPoint, point);
    QFETCH(bool, onPlayer);
    QCOMPARE(outline_.contains(point), onPlayer); // the row itself is right

    QVERIFY(launch());
    const QImage before = windowShot();
    const QPoint at = window_.geometry.topLeft() + point;
    QVERIFY(movePointer(point));
    const auto under = x_->pointer();
    QVERIFY(under);
    QCOMPARE(under->position, at);
    if (onPlayer) {
        QCOMPARE(under->child, window_.id);
        return;
    }
    QCOMPARE(under->child, quint32(0)); // the root window itself

    QVERIFY(click(point));
    // Nothing may come of it: no repaint, no move, no second window.
    QString change;
    waitUntil([&] {
        if (player_->state() != QProcess::Running)
            change = QStringLiteral("the player ended");
        else if (x_->mappedTopLevels().size() != 1)
            change = QStringLiteral("another window appeared");
        else if (windowShot() != before)
            change = QStringLiteral("the player's picture changed");
        return !change.isEmpty();
    }, 800ms);
    QVERIFY2(change.isEmpty(), qPrintable(change));
    const auto still = x_->findMapped(player_->processId(), [&](const TopLevel& t) {
        return t.id == window_.id;
    });
    QVERIFY(still);
    QCOMPARE(still->geometry, window_.geometry);
}

// Power on: the caption appears in the display and nothing else changes.
void TestX11Player::powerShowsTheDisplay()
{
    QVERIFY(launch());
    const QImage off = windowShot();
    QCOMPARE(inkPixels(off.copy(kDisplayRect)), 0);

    QVERIFY(powerOn());
    const QImage on = settledShot();
    save(QStringLiteral("player-on"), on);
    const int ink = inkPixels(on.copy(kDisplayRect));
    QVERIFY2(ink >= 20, qPrintable(QStringLiteral("only %1 caption pixels").arg(ink)));

    int elsewhere = 0;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            elsewhere += !kDisplayRect.contains(x, y) && on.pixel(x, y) != off.pixel(x, y);
    QCOMPARE(elsewhere, 0);
}

// The second press on power asks first: No keeps the player as it was, Yes
// (the default button) ends the program normally.
void TestX11Player::closeQuestion_data()
{
    QTest::addColumn<QString>("noKey");
    QTest::newRow("Escape") << QStringLiteral("Escape");
    QTest::newRow("n") << QStringLiteral("n");
}

void TestX11Player::closeQuestion()
{
    QFETCH(QString, noKey);
    QVERIFY(launch());
    QVERIFY(powerOn());
    const QImage on = settledShot();

    auto box = askToClose();
    QVERIFY2(box, "no question window");
    QVERIFY(!box->geometry.isEmpty());
    save(QStringLiteral("question-") + noKey, x_->grab(window_.geometry.united(box->geometry)));

    QVERIFY(answer(*box, noKey));
    QVERIFY2(waitUntil([&] { return !x_->findMapped(0, [&](const TopLevel& t) { return t.id == box->id; }); }),
             "the question stayed");
    QCOMPARE(player_->state(), QProcess::Running);
    // The player repaints where the box covered it, and looks as before.
    QVERIFY(waitUntil([&] { return windowShot() == on; }, 3s));
    QVERIFY(x_->findMapped(player_->processId(), [&](const TopLevel& t) { return t.id == window_.id; }));

    box = askToClose();
    QVERIFY2(box, "no question window the second time");
    QVERIFY(answer(*box, QStringLiteral("Return")));
    QVERIFY2(player_->waitForFinished(10000), "Yes did not end the program");
    QCOMPARE(player_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(player_->exitCode(), 0);
}

// The system's requests to end the program end it normally, whatever it is
// showing.
void TestX11Player::closeRequests_data()
{
    QTest::addColumn<int>("signal"); // 0: the window manager's close request
    QTest::addColumn<bool>("questionOpen");
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM with the question open") << int(SIGTERM) << true;
    QTest::newRow("WM_DELETE_WINDOW") << 0 << false;
}

void TestX11Player::closeRequests()
{
    QFETCH(int, signal);
    QFETCH(bool, questionOpen);
    QVERIFY(launch());
    if (questionOpen) {
        QVERIFY(powerOn());
        QVERIFY(askToClose());
    }
    if (signal)
        QCOMPARE(::kill(pid_t(player_->processId()), signal), 0);
    else
        QVERIFY(x_->sendDeleteWindow(window_.id));
    QVERIFY2(player_->waitForFinished(10000), "the program did not end");
    QCOMPARE(player_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(player_->exitCode(), 0);
    QVERIFY(waitUntil([&] { return x_->mappedTopLevels().empty(); }, 3s));
}

// The test itself needs no display, only the Xvfb it starts; run by hand it
// stays off the desktop too.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestX11Player test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_player.moc"
