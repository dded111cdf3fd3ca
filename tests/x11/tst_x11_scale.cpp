// SPDX-License-Identifier: GPL-3.0-or-later
// The player on a HiDPI screen: Qt scales the whole program (QT_SCALE_FACTOR)
// and the player wears the pictures drawn for that scale, cut at the
// screen's own pixels, with every hotspot still over its button.
#include "player/frmMainLayout.h"
#include "playlist/frmPlayListLayout.h"
#include "skin/Picture.h"
#include "skin/gifmod.h"
#include "x11/XSession.h"

#include <QGuiApplication>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
using namespace std::chrono_literals;
namespace L = frmMainLayout;

class TestX11Scale : public QObject {
    Q_OBJECT

    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<XConnection> x_;
    std::unique_ptr<QProcess> player_;

    std::optional<TopLevel> mappedWindow(const QString& name, QSize size = {}) const
    {
        std::optional<TopLevel> found;
        waitUntil([&] {
            found = x_->findMapped(player_->processId(), [&](const TopLevel& t) {
                return t.name == name && (size.isEmpty() || t.geometry.size() == size);
            });
            return found.has_value();
        }, 5s);
        return found;
    }
    // A press on the middle of a control, in the screen's pixels.
    bool press(const TopLevel& window, const TwipsRect& control, qreal scale, bool twice = false)
    {
        const QPoint at = window.geometry.topLeft() + (QPointF(control.pixels().center()) * scale).toPoint();
        QStringList args{"mousemove", QString::number(at.x()), QString::number(at.y()), "click"};
        if (twice)
            args << "--repeat" << "2";
        QTest::qWait(700); // never part of a double-click
        return xvfb_->runTool(QStringLiteral("xdotool"), args << "1");
    }

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
    void cleanup()
    {
        if (player_) {
            player_->kill();
            player_->waitForFinished();
        }
    }

    void drawnForTheScale_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QSize>("size");
        QTest::newRow("2") << 2.0 << QSize(600, 164);
        QTest::newRow("1.5") << 1.5 << QSize(450, 123);
    }
    void drawnForTheScale()
    {
        QFETCH(qreal, scale);
        QFETCH(QSize, size);
        QProcessEnvironment env = xvfb_->clientEnvironment();
        env.insert("QT_SCALE_FACTOR", QString::number(scale));
        env.insert("SDL_AUDIODRIVER", "dummy");
        player_ = std::make_unique<QProcess>();
        player_->setProcessEnvironment(env);
        player_->start(VORLIX_PLAYER_PATH, {});
        const auto window = mappedWindow("Ormatel", size);
        QVERIFY2(window, "no player window of the scale's size");

        // Cut at the screen's pixels along the outline of the scale's picture:
        // with edges between the pixels that 1x pixels blown up would pair.
        const auto shape = x_->boundingShape(window->id);
        QVERIFY(shape);
        QCOMPARE(*shape, MakeWindowRegion(readPicture(":/skin1.png", scale)));
        int oddEdges = 0;
        for (const QRect& r : *shape)
            oddEdges += r.left() % 2 + (r.right() + 1) % 2;
        QVERIFY2(oddEdges > 20, qPrintable(QString::number(oddEdges)));

        QVERIFY(press(*window, L::Image_power, scale));
        const QRect display = L::Text_Title.pixels();
        const QRect shown(display.topLeft() * scale, display.size() * scale);
        QVERIFY2(waitUntil([&] {
            const QImage text = x_->grab(shown.translated(window->geometry.topLeft()));
            for (int y = 0; y < text.height(); ++y)
                for (int x = 0; x < text.width(); ++x)
                    if (qGray(text.pixel(x, y)) < 90)
                        return true;
            return false;
        }), "power did not switch the player on");
        if (scale == 2) {
            // Not the 1x picture blown up: against its own pixel-doubled
            // self, more than a quarter of the window differs.
            const QImage shot = x_->grab(window->geometry);
            int differ = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    differ += shot.pixel(x, y) != shot.pixel(x & ~1, y & ~1);
            QVERIFY2(differ * 4 > shot.width() * shot.height(), qPrintable(QString::number(differ)));
        }

        QVERIFY(press(*window, L::Image_PlayList, scale));
        const QSize listSize = (QSizeF(frmPlayListLayout::kOutlineSize) * scale).toSize();
        const auto list = mappedWindow("Play List", listSize);
        QVERIFY2(list, "the playlist key did not show the list");
        QVERIFY(press(*list, frmPlayListLayout::Image_MinPlayList, scale));
        QVERIFY2(waitUntil([&] { return !x_->findMapped(0, [&](const TopLevel& t) { return t.id == list->id; }); }),
                 "the knob did not hide the list");

        // With the list hidden, play asks for a song.
        QVERIFY(press(*window, L::Image_button, scale));
        std::optional<TopLevel> dialog;
        QVERIFY2(waitUntil([&] {
            return (dialog = x_->findMapped(player_->processId(), [&](const TopLevel& t) {
                return t.id != window->id && t.id != list->id;
            })).has_value();
        }), "play asked for no song");
        QVERIFY(xvfb_->runTool("xdotool", {"windowfocus", "--sync", QString::number(dialog->id), "key", "Escape"}));
        QVERIFY(waitUntil([&] { return !x_->findMapped(0, [&](const TopLevel& t) { return t.id == dialog->id; }); }));

        QVERIFY(press(*window, L::Image_usb_off, scale, true));
        QVERIFY2(mappedWindow("About"), "the cap did not come off");
        QVERIFY(press(*window, L::Image2, scale));
        QVERIFY2(mappedWindow("Vorlix"), "the close key on the second skin asked nothing");
    }
};

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    TestX11Scale test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_scale.moc"
