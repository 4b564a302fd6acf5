// "May I?": who is asked and in which order, the robots' decision in each
// round, the player's answer, and what a claim does.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

namespace {
// Robots that only note who was asked and never claim.
struct NotingRobots : RobotSeats {
    QList<int> asked;
    void PlayBots(Game& g, int seat) override { TheRobots().PlayBots(g, seat); }
    void MayIWho(Game&, int seat) override { asked << seat; }
};

// Round 1, the Seven of Hearts on the discard pile, nobody holding a Seven.
constexpr const char* kSevenOnOffer = "P: AD 2D 3D | W: AC 2C 3C | N: AS 2S 3S | E: AH 2H 3H | D: 7H";
}  // namespace

class TestMayI : public QObject {
    Q_OBJECT
private slots:
    void whoIsAsked_data() {
        QTest::addColumn<int>("drawer");
        QTest::addColumn<int>("withContract");  // a robot that has laid its contract, or -1
        QTest::addColumn<QList<int>>("asked");   // in order; 0 is the player
        QTest::newRow("player draws") << 0 << -1 << QList<int>{1, 2};
        QTest::newRow("West draws: the player threw it") << 1 << -1 << QList<int>{2, 3};
        QTest::newRow("North draws") << 2 << -1 << QList<int>{3, 0};
        QTest::newRow("East draws") << 3 << -1 << QList<int>{0, 1};
        QTest::newRow("North has its contract") << 1 << 2 << QList<int>{3};
        QTest::newRow("the player is asked with a contract") << 3 << 1 << QList<int>{0};
    }
    void whoIsAsked() {
        QFETCH(int, drawer);
        QFETCH(int, withContract);
        QFETCH(QList<int>, asked);
        NotingRobots robots;
        Table t(1, robots);
        t.Set(1, kSevenOnOffer);
        if (withContract >= 0) t.g.HasContract[withContract] = true;
        t.g.HasContract[0] = true;
        t.host.onMayI = [&] {
            robots.asked << 0;
            QVERIFY(t.g.ui.CmdPass.Visible);
            t.g.CmdPass_Click();
        };
        t.g.MayIFrom(drawer);
        QCOMPARE(robots.asked, asked);
        QVERIFY(!t.g.MayIAnswered);  // reset for the next offer
        QVERIFY(!t.g.ui.CmdMayI.Visible);
    }

    // North has laid its contract and is passed over; East claims with a
    // pair, and the offer ends there: the player is never asked.
    void claimTakesDiscardAndPenaltyCard() {
        Table t;
        t.Set(1, "P: AD | W: AC 2C 3C | N: 7C 7S | E: 7D 7D 2S | D: 9H 7H");
        t.g.HasContract[2] = true;
        t.g.MayIFrom(1);
        QVERIFY(t.g.MayIClaimed);
        QCOMPARE(t.g.CardsInHand[2], 2);
        QCOMPARE(t.g.CardsInHand[3], 5);  // the Seven and a penalty card from the stock
        QCOMPARE(t.g.CardTable[Table::Card(7, SuitHearts)].Location, 3);
        QCOMPARE(t.host.mayIQuestions, 0);
        QCOMPARE(t.g.HandCount(), 3);  // the drawer's hand is collected again
        QCOMPARE(t.g.HandCards[1], Table::Card(1, SuitClubs));
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // North's choice on the Seven of Hearts, by the row of its round in the
    // contract table: sets-only rounds want a Seven, run rounds a card for a
    // run; with its runs held a robot of rounds 2, 5 and 6 wants the Seven
    // for its set.
    void roundsDecision_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("north");
        QTest::addColumn<bool>("claims");
        const QString runs2 = "2S 3S 4S 5S 7C", runs6 = "2S 3S 4S 5S 9D TD JD QD 7C";
        QTest::newRow("r1 no Seven") << 1 << "AS 3S 6S" << false;
        QTest::newRow("r1 one Seven") << 1 << "AS 3S 6S 7C" << true;
        QTest::newRow("r1 two Sevens") << 1 << "AS 3S 6S 7C 7S" << true;
        QTest::newRow("r1 three Sevens: a set already") << 1 << "AS 3S 6S 7C 7S 7D" << false;
        QTest::newRow("r4 one Seven") << 4 << "AS 3S 6S 7C" << true;
        QTest::newRow("r4 three Sevens") << 4 << "AS 3S 6S 7C 7S 7D" << false;
        for (int r : {2, 3, 5, 6, 7}) {
            QTest::addRow("r%d a run's next card", r) << r << "5H 6H KC 2S" << true;
            QTest::addRow("r%d a pair, no run", r) << r << "7C 7S AS" << false;
        }
        for (int r : {2, 5}) QTest::addRow("r%d runs held, one Seven", r) << r << runs2 << true;
        // Round 6 wants a pair for its set: one Seven is not enough.
        QTest::newRow("r6 runs held, one Seven") << 6 << runs6 << false;
        QTest::newRow("r6 runs held, two Sevens") << 6 << runs6 + " 7S" << true;
        QTest::newRow("r3 a run held, one Seven") << 3 << runs2 << false;
    }
    void roundsDecision() {
        QFETCH(int, round);
        QFETCH(QString, north);
        QFETCH(bool, claims);
        Table t;
        t.Set(round, qPrintable("N: " + north + " | D: 7H"));
        const int held = t.g.CardsInHand[2];
        MayIWho(t.g, 2);
        QCOMPARE(t.g.MayIClaimed, claims);
        QCOMPARE(t.g.CardsInHand[2], held + (claims ? 2 : 0));
    }

    // A double click: both buttons pressed again while the claim pauses, when
    // the lower line no longer asks.
    void playerClaimsOnce() {
        Table t;
        t.Set(1, kSevenOnOffer);
        const int seven = t.g.TopDiscard();
        t.g.LblMayI();  // not asked yet: nothing happens
        t.g.CmdPass_Click();
        QVERIFY(!t.g.MayIAnswered);
        bool pressedAgain = false, asking = false;
        t.host.onMayI = [&] {
            t.host.onPause = [&] {
                asking = asking || t.g.ui.LblP.Caption.find("click 'MayI'") != std::string::npos;
                if (pressedAgain) return;
                pressedAgain = true;
                t.g.LblMayI();
                t.g.CmdPass_Click();
            };
            t.g.LblMayI();
            t.host.onPause = nullptr;
        };
        t.g.MayIFrom(3);
        QVERIFY(pressedAgain);
        QVERIFY(!asking);
        QCOMPARE(t.g.CardsInHand[0], 5);  // the Seven and one penalty card
        QCOMPARE(t.g.CardTable[seven].Location, 0);
        QCOMPARE(t.g.CardsInHand[1], 3);  // West was not asked after the claim
        QVERIFY(!t.g.ui.CmdPass.Visible);
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // The stock is empty and has been renewed twice: North's penalty card
    // finds it empty a third time, which ends the round inside the claim.
    void claimEndingRoundStopsDrawer() {
        Table t;
        t.Set(1, "W: AD | E: AC | P: AS | N: 7C 7S | D: 2D 3D 4D 7H | M12: *");
        t.g.StockRenewals = 2;
        t.g.IsTurn[0] = false;
        t.g.IsTurn[1] = true;
        t.host.onMayI = [&] { t.g.CmdPass_Click(); };
        TakingDeck(t.g, 1);
        QVERIFY(t.g.RoundOver);
        QCOMPARE(t.g.CardsInHand[2], 3);  // North took the Seven only
        QCOMPARE(t.g.CardsInHand[1], 1);  // West drew nothing after the round ended
        QCOMPARE(t.CheckInvariants(), QString());
    }
};

QTEST_GUILESS_MAIN(TestMayI)
#include "tst_mayi.moc"
