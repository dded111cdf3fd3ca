#include "skin/gifmod.h"

#include <QImage>
#include <QTest>

using vorlix::MakeWindowRegion;

namespace {

// A picture drawn from rows of characters: '.' is the background white, any
// other character a colour of its own.
QImage picture(const QStringList& rows)
{
    const int width = rows.isEmpty() ? 0 : static_cast<int>(rows.first().size());
    QImage image(width, static_cast<int>(rows.size()), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x) {
            const QChar c = rows[y][x];
            image.setPixel(x, y, c == u'.' ? 0xffffffff : 0xff000000 | (c.unicode() * 0x010305));
        }
    return image;
}

// What the region must be, pixel by pixel: inside exactly where the colour
// differs from the top-left pixel's.
void compareWithPixels(const QImage& image, const QRegion& region)
{
    const QRgb transparent = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QVERIFY2(region.contains(QPoint(x, y)) == (image.pixel(x, y) != transparent),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    QVERIFY(QRect(0, 0, image.width(), image.height()).contains(region.boundingRect()) ||
            region.isEmpty());
}

} // namespace

class TestGifmod : public QObject {
    Q_OBJECT
private slots:
    void matchesPixels_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QList<QRect>>("expected");
        QTest::newRow("single pixel") << QStringList{"....", "..x.", "...."}
                                      << QList<QRect>{QRect(2, 1, 1, 1)};
        QTest::newRow("two runs, one-pixel gap") << QStringList{"......", ".xx.x.", "......"}
                                                 << QList<QRect>{QRect(1, 1, 2, 1), QRect(4, 1, 1, 1)};
        QTest::newRow("run to the right edge, next row starts fresh")
            << QStringList{"....", "..xx", "x..."}
            << QList<QRect>{QRect(2, 1, 2, 1), QRect(0, 2, 1, 1)};
        QTest::newRow("hole inside") << QStringList{".....", ".xxx.", ".x.x.", ".xxx."}
                                     << QList<QRect>{};
        QTest::newRow("colours differ, all inside") << QStringList{"...", "abc", "cba"}
                                                    << QList<QRect>{QRect(0, 1, 3, 2)};
        QTest::newRow("top-left pixel's colour is the background whatever it is")
            << QStringList{"aa.", "a..", "..."} << QList<QRect>{};
    }
    void matchesPixels()
    {
        QFETCH(QStringList, rows);
        QFETCH(QList<QRect>, expected);
        const QImage image = picture(rows);
        const QRegion region = MakeWindowRegion(image);
        compareWithPixels(image, region);
        if (!expected.isEmpty()) {
            QRegion want;
            for (const QRect& r : expected)
                want += r;
            QCOMPARE(region, want);
        }
    }

    void noRegion_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::newRow("null picture") << QImage();
        QTest::newRow("one colour") << picture({"...", "..."});
        QImage empty(0, 5, QImage::Format_ARGB32);
        QTest::newRow("no pixels") << empty;
    }
    void noRegion()
    {
        QFETCH(QImage, image);
        QVERIFY(MakeWindowRegion(image).isEmpty());
    }

    void alphaCounts()
    {
        // A transparent background and the same colour opaque are different
        // colours, as a picture with a transparent colour loads.
        QImage image(3, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, 0x00ffffff);
        image.setPixel(1, 0, 0xffffffff);
        image.setPixel(2, 0, 0x00ffffff);
        QCOMPARE(MakeWindowRegion(image), QRegion(1, 0, 1, 1));
    }

    void largeRandomPictures()
    {
        // Random shapes with holes, in the formats pictures load in.
        for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB32,
                                  QImage::Format_Indexed8, QImage::Format_ARGB32_Premultiplied}) {
            QImage image(137, 61, QImage::Format_ARGB32);
            quint32 seed = 12345 + format;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    seed = seed * 1103515245u + 12345u;
                    image.setPixel(x, y, (seed >> 16) % 3 == 0 ? 0xffffffff : 0xff808080 + (seed >> 28));
                }
            image.setPixel(0, 0, 0xffffffff);
            const QImage converted = image.convertToFormat(format);
            compareWithPixels(converted, MakeWindowRegion(converted));
        }
    }

    void shippedSkins_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("first skin") << QStringLiteral(":/skin1.gif");
        QTest::newRow("second skin") << QStringLiteral(":/skin2.gif");
        QTest::newRow("playlist") << QStringLiteral(":/playlist_outline.gif");
    }
    void shippedSkins()
    {
        QFETCH(QString, file);
        const QImage image(file);
        QVERIFY2(!image.isNull(), qPrintable(file));
        const QRegion region = MakeWindowRegion(image);
        QVERIFY(!region.isEmpty());
        compareWithPixels(image, region);
    }
};

QTEST_MAIN(TestGifmod)
#include "tst_gifmod.moc"
