// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Picture.h"

#include <QColorSpace>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using vorlix::readPicture;

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    // Every picture the program shows, read as it reads them: whole, skin
    // pictures at a byte a pixel, and without loading a single image plugin
    // (each would be mapped into the player for the rest of its run). For a
    // screen's ratio (0: none given), the picture of that ratio's size; one
    // scaled down to a ratio between those drawn keeps a hard edge.
    void readsWithoutPlugins_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("palette");
        QTest::newRow("skin1") << ":/skin1.png" << 0.0 << QSize(300, 82) << true;
        QTest::newRow("skin2") << ":/skin2.png" << 0.0 << QSize(300, 82) << true;
        QTest::newRow("play") << ":/play.png" << 0.0 << QSize(50, 30) << true;
        QTest::newRow("list outline") << ":/playlist_outline.png" << 0.0 << QSize(285, 117) << true;
        QTest::newRow("list panel") << ":/playlist_panel.png" << 0.0 << QSize(266, 101) << true;
        QTest::newRow("icon") << ":/icons/vorlix-16.png" << 0.0 << QSize(16, 16) << false;
        QTest::newRow("missing") << ":/nothing.png" << 0.0 << QSize(0, 0) << false;
        QTest::newRow("skin1 at 2") << ":/skin1.png" << 2.0 << QSize(600, 164) << true;
        QTest::newRow("skin2 at 1.5") << ":/skin2.png" << 1.5 << QSize(450, 123) << false;
        QTest::newRow("list panel at 1.75") << ":/playlist_panel.png" << 1.75 << QSize(466, 177) << false;
        QTest::newRow("play at 3") << ":/play.png" << 3.0 << QSize(150, 90) << true;
        QTest::newRow("pause at 4") << ":/pause.png" << 4.0 << QSize(150, 90) << true;
    }
    void readsWithoutPlugins()
    {
        QFETCH(QString, file);
        QFETCH(qreal, ratio);
        QFETCH(QSize, size);
        QFETCH(bool, palette);
        const QImage image = ratio ? readPicture(file, ratio) : readPicture(file);
        QImageReader qtReader(file, "png");
        qtReader.setAutoDetectImageFormat(false);
        QCOMPARE(image, ratio ? image : qtReader.read());
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format() == QImage::Format_Indexed8, palette);
        if (ratio > 0 && ratio < 3)
            QCOMPARE(image.devicePixelRatio(), ratio);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(qAlpha(image.pixel(x, y)) % 255 == 0);
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("/imageformats/"));
    }

    // A picture that names its colour space keeps it, as Qt reads it.
    void keepsItsColourSpace()
    {
        QTemporaryDir dir;
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setColorSpace(QColorSpace::DisplayP3);
        QVERIFY(image.save(dir.filePath("p3.png")));
        QCOMPARE(readPicture(dir.filePath("p3.png")).colorSpace(), QColorSpace(QColorSpace::DisplayP3));
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
