// Cards glide: with animation on, a card the game moves before a wait is
// drawn on its way over the wait and lands on the model's place when the
// wait ends; with animation off, or a card the player carries, it is drawn
// at its new place at once.

#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "game/Cards.h"

using namespace meldora;
using namespace meldora::ui;

class TestGlide : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { test::SilencePlatformNoise(); }

    void aMovedCardTravelsOverTheWait_data() {
        QTest::addColumn<bool>("animation");
        QTest::addColumn<bool>("carried");
        QTest::addColumn<bool>("glides");
        QTest::newRow("animation on") << true << false << true;
        QTest::newRow("animation off") << false << false << false;
        QTest::newRow("the card the player carries") << true << true << false;
    }
    void aMovedCardTravelsOverTheWait() {
        QFETCH(bool, animation);
        QFETCH(bool, carried);
        QFETCH(bool, glides);
        MainWindow w(1);
        test::QuickWindow(w);
        w.host().setPaceScale(1);
        w.game().settings.NoAnimation = !animation;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TableModel& m = w.game().ui;
        constexpr int kCard = 5;
        CardImage& card = m.Cds[kCard];
        card.Visible = true;
        card.Left = 1000;
        card.Top = 1000;
        w.syncView();
        TableWidget* table = w.table();
        const QRect from = table->paintedRect(kCard);
        if (carried) {
            m.FollowMouse.Object(card);
            m.FollowMouse.Enabled(true);
        }
        card.Left = 7000;
        card.Top = 4000;
        QRect midway;
        QTimer::singleShot(150, table, [&] { midway = table->paintedRect(kCard); });
        w.host().Pause(300);
        const QRect to = table->paintedRect(kCard);
        QCOMPARE(to.size(), from.size());
        QCOMPARE(to.topLeft(), table->mapping().toPixels(QPointF(7000, 4000)).toPoint());
        QCOMPARE(table->glidingCards(), 0);
        if (glides) {
            // Somewhere well inside the way, on the straight line.
            QCOMPARE_GT(midway.left(), from.left() + (to.left() - from.left()) / 4);
            QCOMPARE_LT(midway.left(), to.left() - (to.left() - from.left()) / 4);
            QCOMPARE_GT(midway.top(), from.top());
            QCOMPARE_LT(midway.top(), to.top());
        } else {
            QCOMPARE(midway, to);
        }
    }

    // While a card glides the rest of the table is drawn from a layer kept
    // aside: a card turned over elsewhere during the glide shows turned at
    // once, just as the table shows it once nothing glides.
    void theRestOfTheTableStaysTrue() {
        MainWindow w(1);
        test::QuickWindow(w);
        w.host().setPaceScale(1);
        w.game().settings.NoAnimation = false;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TableModel& m = w.game().ui;
        CardImage& moving = m.Cds[5];
        CardImage& turned = m.Cds[9];
        moving.Visible = turned.Visible = true;
        moving.Left = moving.Top = 1000;
        turned.Left = 3000;
        turned.Top = 7000;
        turned.Picture = 9;
        w.syncView();
        TableWidget* table = w.table();
        const QRect spot = table->paintedRect(9);
        moving.Left = 7000;
        moving.Top = 4000;
        int glidingThen = 0;
        QImage during;
        QTimer::singleShot(60, table, [&] {
            turned.Picture = kPicBack;
            w.syncView();
        });
        QTimer::singleShot(150, table, [&] {
            glidingThen = table->glidingCards();
            during = table->grab(spot).toImage();
        });
        w.host().Pause(300);
        QCOMPARE(glidingThen, 1);
        QCOMPARE(table->glidingCards(), 0);
        QCOMPARE(during, table->grab(spot).toImage());
    }
};

QTEST_MAIN(TestGlide)
#include "tst_ui_glide.moc"
