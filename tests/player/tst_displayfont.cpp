// Song names on the 12-pixel display: accents, descenders and CJK whole.
#include "doubles/Fixture.h"
#include "skin/Label.h"

#include <QDir>
#include <QPainter>

using namespace vorlix;
using namespace vorlix::test;

namespace {

const QRgb kGlass = qRgb(0xa0, 0xb0, 0xa0);

// The rows and columns that hold ink, and how much ink there is.
struct Ink {
    int rows = 0;
    int columns = 0;
    int pixels = 0;
};

Ink inkOf(const QImage& image)
{
    Ink ink;
    QList<bool> rows(image.height()), columns(image.width());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAbs(qGray(image.pixel(x, y)) - qGray(kGlass)) > 40)
                rows[y] = columns[x] = ++ink.pixels;
    ink.rows = int(rows.count(true));
    ink.columns = int(columns.count(true));
    return ink;
}

} // namespace

class TestDisplayFont : public QObject {
    Q_OBJECT

private slots:
    // The caption as the label shows it has all the ink the same text has
    // when drawn with room to spare.
    void captionIsWhole_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shot");
        QTest::newRow("accented capital") << "Ärger" << "aerger";
        QTest::newRow("cedilla, breve, dotless i") << "Çığ" << "cig";
        QTest::newRow("descenders") << "Jpg" << "jpg";
        QTest::newRow("CJK") << "東京" << "tokyo";
    }
    void captionIsWhole()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shot);
        Fixture f;
        Label& label = *f.main().Text_Title;
        label.setCaption(caption);
        QImage shown(label.size(), QImage::Format_RGB32);
        shown.fill(kGlass);
        label.render(&shown);

        QImage roomy(label.width(), 4 * label.height(), QImage::Format_RGB32);
        roomy.fill(kGlass);
        {
            QPainter painter(&roomy);
            painter.setFont(label.font());
            painter.setPen(qRgb(0x1d, 0x2a, 0x1f));
            painter.drawText(label.width() - QFontMetrics(label.font()).horizontalAdvance(caption),
                             2 * label.height(), caption);
        }
        const Ink seen = inkOf(shown);
        const Ink whole = inkOf(roomy);
        QVERIFY(whole.rows >= 7);
        QCOMPARE(seen.rows, whole.rows);
        QCOMPARE(seen.columns, whole.columns);
        QVERIFY2(qAbs(seen.pixels - whole.pixels) <= whole.pixels / 20,
                 qPrintable(QStringLiteral("%1 of %2 ink pixels").arg(seen.pixels).arg(whole.pixels)));

        // The player as it looks, and its display four times as large.
        f.powerOn();
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/display-shots/");
        QDir().mkpath(dir);
        const QImage player = f.main().grab().toImage();
        player.save(dir + shot + QStringLiteral(".png"));
        player.copy(label.geometry().adjusted(-4, -4, 4, 4))
            .scaled(4 * (label.width() + 8), 4 * (label.height() + 8))
            .save(dir + shot + QStringLiteral("-x4.png"));
    }
};

QTEST_MAIN(TestDisplayFont)
#include "tst_displayfont.moc"
