// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/Picture.h"

#include <QFile>
#include <QGuiApplication>
#include <QTest>

using vorlix::readPicture;

class TestPicture : public QObject {
    Q_OBJECT
private slots:
    // Every picture the program shows, read as it reads them: whole, skin
    // pictures at a byte a pixel, and without loading a single image plugin
    // (each would be mapped into the player for the rest of its run).
    void readsWithoutPlugins_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("palette");
        QTest::newRow("skin1") << ":/skin1.png" << QSize(300, 82) << true;
        QTest::newRow("skin2") << ":/skin2.png" << QSize(300, 82) << true;
        QTest::newRow("play") << ":/play.png" << QSize(50, 30) << true;
        QTest::newRow("list outline") << ":/playlist_outline.png" << QSize(285, 117) << true;
        QTest::newRow("list panel") << ":/playlist_panel.png" << QSize(266, 101) << true;
        QTest::newRow("icon") << ":/icons/vorlix-16.png" << QSize(16, 16) << false;
        QTest::newRow("missing") << ":/nothing.png" << QSize(0, 0) << false;
    }
    void readsWithoutPlugins()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(bool, palette);
        const QImage image = readPicture(file);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format() == QImage::Format_Indexed8, palette);
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QVERIFY(!maps.readAll().contains("/imageformats/"));
    }
};

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
