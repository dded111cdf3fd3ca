// SPDX-License-Identifier: GPL-3.0-or-later
// The player on a HiDPI screen (QT_SCALE_FACTOR): it wears the pictures drawn
// for the scale, cut at the screen's own pixels, with each hotspot still over
// its button.
#include "player/frmMainLayout.h"
#include "playlist/frmPlayListLayout.h"
#include "skin/Picture.h"
#include "skin/gifmod.h"
#include "x11/Desktop.h"

#include <QGuiApplication>
#include <QTest>

using namespace vorlix;
using namespace vorlix::x11;
namespace L = frmMainLayout;

class TestX11Scale : public QObject {
    Q_OBJECT
private slots:
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
        Desktop d;
        if (const QString why = d.start(false); !why.isEmpty())
            QSKIP(qPrintable(why));
        d.env.insert("QT_SCALE_FACTOR", QString::number(scale));
        // The player's window other than `other`, named `name` (any name if empty).
        const auto window = [&](const QString& name, quint32 other = 0, QSize want = {}) {
            return d.x->waitFor(d.player.processId(), [&](const TopLevel& t) {
                return (name.isEmpty() || t.name == name) && t.id != other && (want.isEmpty() || t.geometry.size() == want);
            });
        };
        const auto press = [&](const TopLevel& on, const TwipsRect& control, int clicks = 1) {
            return d.xvfb->click(on.geometry.topLeft() + (QPointF(control.pixels().center()) * scale).toPoint(), clicks);
        };
        QVERIFY(d.launch());
        const auto main = window("Ormatel", 0, size);
        QVERIFY2(main, "no player window of the scale's size");

        // The outline of the scale's picture, with edges between the pixels
        // that 1x pixels blown up would pair.
        const auto shape = d.x->boundingShape(main->id);
        QVERIFY(shape);
        QCOMPARE(*shape, MakeWindowRegion(readPicture(":/skin1.png", scale)));
        int oddEdges = 0;
        for (const QRect& r : *shape)
            oddEdges += r.left() % 2 + (r.right() + 1) % 2;
        QVERIFY2(oddEdges > 20, qPrintable(QString::number(oddEdges)));

        // Power: the caption's dark ink appears in the display.
        const QImage off = d.x->grab(main->geometry);
        QVERIFY(press(*main, L::Image_power));
        const QRect display(L::Text_Title.pixels().topLeft() * scale, L::Text_Title.pixels().size() * scale);
        QVERIFY2(waitUntil([&] { return d.x->grab(main->geometry).copy(display) != off.copy(display); }), "power");
        if (scale == 2) {
            // Not a picture blown up: more than a quarter of the pixels
            // differ from the pixel-doubled shot.
            const QImage shot = d.x->grab(main->geometry);
            int differ = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x)
                    differ += shot.pixel(x, y) != shot.pixel(x & ~1, y & ~1);
            QVERIFY2(differ * 4 > shot.width() * shot.height(), qPrintable(QString::number(differ)));
        }

        QVERIFY(press(*main, L::Image_PlayList));
        const auto list = window("Play List", 0, (QSizeF(frmPlayListLayout::kOutlineSize) * scale).toSize());
        QVERIFY2(list, "the playlist key");
        QVERIFY(press(*list, frmPlayListLayout::Image_MinPlayList));
        QVERIFY2(d.x->gone(list->id), "the list's knob");
        // With the list away, play asks for a song.
        QVERIFY(press(*main, L::Image_button));
        const auto dialog = window("", main->id);
        QVERIFY2(dialog, "the play key");
        QVERIFY(d.xvfb->xdotool({"windowfocus", "--sync", QString::number(dialog->id), "key", "Escape"}));
        QVERIFY(d.x->gone(dialog->id));
        QVERIFY(press(*main, L::Image_usb_off, 2));
        QVERIFY2(window("About"), "the cap");
        QVERIFY(press(*main, L::Image2));
        QVERIFY2(window("Vorlix", main->id), "the second skin's close key");
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
