// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/gifmod.h"

#include <QImage>
#include <QTest>

using vorlix::MakeWindowRegion;

namespace {

// A picture drawn from rows of characters: '.' is the background white, any
// other character a colour of its own.
QImage picture(const QStringList& rows)
{
    QImage image(int(rows.first().size()), int(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y, c == u'.' ? 0xffffffff : 0xff000000 | (c.unicode() * 0x010305));
        }
    return image;
}

} // namespace

class TestGifmod : public QObject {
    Q_OBJECT
private slots:
    void region_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QRegion>("expected");
        // (Runs, holes and edges are matchesPixels' random shapes.)
        QTest::newRow("top-left pixel's colour is the background whatever it is")
            << picture({"aa.", "a..", "..."}) << (QRegion(2, 0, 1, 2) + QRegion(1, 1, 1, 1) + QRegion(0, 2, 3, 1));
        QTest::newRow("null picture") << QImage() << QRegion();
        QTest::newRow("one colour") << picture({"...", "..."}) << QRegion();
        QTest::newRow("no pixels") << QImage(0, 5, QImage::Format_ARGB32) << QRegion();
        // A transparent background and the same colour opaque are different
        // colours, as a picture with a transparent colour loads.
        QImage alpha(3, 1, QImage::Format_ARGB32);
        alpha.fill(0x00ffffff);
        alpha.setPixel(1, 0, 0xffffffff);
        QTest::newRow("transparent and opaque white") << alpha << QRegion(1, 0, 1, 1);
        // Palette pictures are cut by colour, not by entry.
        QImage palette(3, 1, QImage::Format_Indexed8);
        palette.setColorTable({0x00ffffff, 0xff000000, 0x00ffffff});
        palette.fill(0);
        palette.setPixel(1, 0, 2);
        palette.setPixel(2, 0, 1);
        QTest::newRow("two palette entries of the background colour") << palette << QRegion(2, 0, 1, 1);
    }
    void region()
    {
        QFETCH(QImage, image);
        QFETCH(QRegion, expected);
        QCOMPARE(MakeWindowRegion(image), expected);
    }

    // Real pictures, and random shapes with holes in the formats pictures load in.
    void matchesPixels_data()
    {
        QTest::addColumn<QImage>("image");
        for (const char* file : {":/skin1.png", ":/skin2.png", ":/playlist_outline.png"})
            QTest::newRow(file) << QImage(QString::fromLatin1(file));
        QImage image(137, 61, QImage::Format_ARGB32);
        quint32 seed = 12345;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                seed = seed * 1103515245u + 12345u;
                image.setPixel(x, y, (seed >> 16) % 3 == 0 ? 0xffffffff : 0xff808080 + (seed >> 28));
            }
        image.setPixel(0, 0, 0xffffffff);
        for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_Indexed8,
                                  QImage::Format_ARGB32_Premultiplied})
            QTest::addRow("random, format %d", int(format)) << image.convertToFormat(format);
    }
    // Inside exactly where the colour differs from the top-left pixel's.
    void matchesPixels()
    {
        QFETCH(QImage, image);
        const QRegion region = MakeWindowRegion(image);
        QVERIFY(!image.isNull() && !region.isEmpty() && image.rect().contains(region.boundingRect()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY2(region.contains(QPoint(x, y)) == (image.pixel(x, y) != image.pixel(0, 0)),
                         qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }
};

QTEST_MAIN(TestGifmod)
#include "tst_gifmod.moc"
