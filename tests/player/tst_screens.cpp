// SPDX-License-Identifier: GPL-3.0-or-later
// The player and its list moved between a screen of ratio 1 and one of
// ratio 2, on Qt's offscreen platform with two screens side by side
// (screens.json).
#include "doubles/Fixture.h"
#include "skin/gifmod.h"

using namespace vorlix;

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void picturesOutlineAndListFollowTheScreen()
    {
        test::Fixture f;
        frmMain& player = f.main();
        player.move(100, 100);
        player.show();
        f.powerOn();
        player.Image_PlayList_Click();
        frmPlayList& list = f.forms.PlayList();
        const QRegion outline1x = MakeWindowRegion(readPicture(":/skin1.png"));
        QCOMPARE(player.mask(), outline1x);

        for (const auto& [at, ratio] : {std::pair{QPoint(1100, 100), 2.0}, std::pair{QPoint(100, 100), 1.0}}) {
            player.move(at);
            QTRY_COMPARE(player.pic1->picture().devicePixelRatio(), ratio);
            QTRY_COMPARE(list.pos() - player.pos(), QPoint(10, 74));
            QTRY_COMPARE(list.pic1->picture().devicePixelRatio(), ratio);
            QCOMPARE(player.size(), QSize(300, 82));
            QCOMPARE(player.pic1->picture().size(), QSize(300, 82) * ratio);
        }
        // Back on the first screen: the 1x outline, exactly.
        QCOMPARE(player.mask(), outline1x);
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
