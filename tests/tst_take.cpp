// A robot's choice between the top discard and the stock, and the hand tests
// behind it.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

namespace {
// Runs PlayBots up to the robot's announcement of its draw and stops the
// turn there. Answers "discard", "stock" or "none".
QString Decide(Table& t, int seat) {
    QString drawn = "none";
    t.host.onPause = [&] {
        const std::string& caption = t.g.ui.LblBots.Caption;
        if (caption.find("is taking the Discard card so not on offer") != std::string::npos)
            drawn = "discard";
        else if (caption.find("wants Stock card so Discard card on offer") != std::string::npos)
            drawn = "stock";
        if (drawn != "none") throw ChainAborted{};
    };
    try {
        PlayBots(t.g, seat);
    } catch (const ChainAborted&) {
    }
    t.host.onPause = nullptr;
    return drawn;
}
}  // namespace

class TakeDecisionTest : public QObject {
    Q_OBJECT
private slots:
    void decision_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("contract");
        QTest::addColumn<Cards>("hand");
        QTest::addColumn<int>("top");
        QTest::addColumn<QString>("expected");
        const Cards junk{Cd(2, D), Cd(9, C), Cd(13, H)};
        for (int r = 1; r <= 7; ++r)
            for (bool contract : {false, true})
                QTest::addRow("r%d%s Joker", r, contract ? " contract" : "") << r << contract << junk << 106 << "discard";
        for (int r : {1, 4}) {
            const Cards one = junk + Cards{Cd(7, D)}, two = one + Cards{Cd(7, C)};
            QTest::addRow("r%d three held", r) << r << false << two + Cards{Cd(7, H)} << Cd(7, S) << "stock";
            QTest::addRow("r%d pair held", r) << r << false << two << Cd(7, S) << "discard";
            QTest::addRow("r%d one and Joker", r) << r << false << one + Cards{105} << Cd(7, S) << "discard";
            QTest::addRow("r%d one", r) << r << false << one << Cd(7, S) << "stock";
            QTest::addRow("r%d Joker only", r) << r << false << junk + Cards{105} << Cd(7, S) << "stock";
        }
        const Cards run3{Cd(9, H), Cd(10, H), Cd(11, H), Cd(2, D), Cd(3, D), Cd(4, D), Cd(6, S)};
        for (int r : {2, 3, 5, 6, 7}) {
            QTest::addRow("r%d below run", r) << r << false << run3 << Cd(8, H) << "discard";
            QTest::addRow("r%d above run", r) << r << false << run3 << Cd(12, H) << "discard";
            QTest::addRow("r%d two above", r) << r << false << run3 << Cd(13, H) << "stock";
            QTest::addRow("r%d other suit", r) << r << false << run3 << Cd(8, C) << "stock";
        }
        // The 7 fills 5 6 _ 8, but the robot holds that very card.
        const Cards twin{Cd(5, D), Cd(6, D), Cd(7, D), Cd(8, D), Cd(13, C)};
        QTest::newRow("r3 twin held") << 3 << false << twin << Cd(7, D, 1) << "stock";
        QTest::newRow("r7 twin held") << 7 << false << twin << Cd(7, D, 1) << "stock";
        // Twenty cards: only the one-card-gap test of rounds 2 and 5 is left.
        Cards big{Cd(5, S), Cd(7, S), Cd(10, S), Cd(12, S), Cd(2, S)};
        for (int v : {1, 3, 9, 11, 13}) big += Cards{Cd(v, D), Cd(v, C), Cd(v, H)};
        QTest::newRow("r2 twenty cards, gap") << 2 << false << big << Cd(6, S) << "discard";
        QTest::newRow("r3 twenty cards, gap") << 3 << false << big << Cd(6, S) << "stock";
        // Holding its run, a round 2 robot plays for the set.
        const Cards run4{Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S), Cd(9, C)};
        QTest::newRow("r2 run, pair") << 2 << false << run4 + Cards{Cd(9, H)} << Cd(9, D) << "discard";
        QTest::newRow("r2 run, three") << 2 << false << run4 + Cards{Cd(9, H), Cd(9, S)} << Cd(9, D) << "stock";
        QTest::newRow("r2 run, one") << 2 << false << run4 << Cd(9, D) << "stock";
        // With its contract: only what lays off on a complete meld.
        const Cards hand{Cd(2, D), Cd(2, C)};
        QTest::newRow("below run") << 2 << true << hand << Cd(4, C) << "discard";
        QTest::newRow("above run") << 2 << true << hand << Cd(9, C, 1) << "discard";
        QTest::newRow("set value") << 2 << true << hand << Cd(9, D) << "discard";
        QTest::newRow("below King") << 2 << true << hand << Cd(9, H, 1) << "discard";
        QTest::newRow("Ace after King") << 2 << true << hand << Cd(1, H) << "stock";
        QTest::newRow("wrong suit") << 2 << true << hand << Cd(4, D) << "stock";
        QTest::newRow("pairs a hand card") << 2 << true << hand << Cd(2, S) << "stock";
    }
    void decision() {
        QFETCH(int, round);
        QFETCH(bool, contract);
        QFETCH(Cards, hand);
        QFETCH(int, top);
        QFETCH(QString, expected);
        Table t;
        t.StartRound(round);
        if (contract) {
            t.Meld(1, {Cd(10, H), Cd(11, H), Cd(12, H), Cd(13, H)});
            t.Meld(3, {Cd(5, C), Cd(6, C), Cd(7, C), Cd(8, C)});
            t.Meld(4, {Cd(9, S), Cd(9, H), Cd(9, C)});
        }
        Hand(t, 2, hand);
        t.g.HasContract[2] = contract;
        t.Discard({top});
        QCOMPARE(Decide(t, 2), expected);
    }

    void runTests_data() {
        QTest::addColumn<Cards>("hand");
        QTest::addColumn<int>("top");
        QTest::addColumn<bool>("extends");  // CheckWantDCRun
        QTest::addColumn<bool>("fills");    // WantDiscardRun2Check
        QTest::newRow("pair extended") << Cards{Cd(5, S), Cd(6, S), Cd(8, S), Cd(2, D)} << Cd(7, S) << true << false;
        QTest::newRow("gap in neighbours") << Cards{Cd(5, S), Cd(7, S), Cd(12, D)} << Cd(6, S) << true << false;
        QTest::newRow("gap not neighbours") << Cards{Cd(5, S), Cd(6, C), Cd(7, S), Cd(12, D)} << Cd(6, S) << false << false;
        const Cards four{Cd(9, H), Cd(10, H), Cd(11, H), Cd(12, H), Cd(3, C)};
        QTest::newRow("four below") << four << Cd(8, H) << false << false;
        QTest::newRow("four above") << four << Cd(13, H) << false << false;
        QTest::newRow("fills v+2") << Cards{Cd(5, D), Cd(6, D), Cd(7, C), Cd(8, D)} << Cd(7, D) << true << true;
        QTest::newRow("fills v-1") << Cards{Cd(4, S), Cd(5, C), Cd(6, S), Cd(7, S)} << Cd(5, S) << true << true;
        QTest::newRow("8 not three places on") << Cards{Cd(5, D), Cd(6, D), Cd(8, D), Cd(9, C)} << Cd(7, D) << true << false;
    }
    void runTests() {
        QFETCH(Cards, hand);
        QFETCH(int, top);
        QFETCH(bool, extends);
        QFETCH(bool, fills);
        Table t;
        t.StartRound(3);
        Hand(t, 1, hand);
        t.Discard({top});
        QCOMPARE(WantDiscardRun2Check(t.g, 1), fills);
        QCOMPARE(CheckWantDCRun(t.g, 1), extends);
    }

    void extensionMarksItsRun() {
        Table t;
        t.StartRound(3);
        Hand(t, 1, {Cd(5, S), Cd(6, S), Cd(8, S), Cd(2, D)});
        t.Discard({Cd(7, S)});
        QVERIFY(CheckWantDCRun(t.g, 1));
        for (int c : {Cd(5, S), Cd(6, S), Cd(7, S)}) QVERIFY(t.g.CardTable[c].InRun);
        QVERIFY(!t.g.CardTable[Cd(8, S)].InRun);
    }

    void runsContract_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<Cards>("extra");
        QTest::addColumn<bool>("expected");
        const Cards second{Cd(1, H), Cd(2, H), Cd(3, H), Cd(4, H)};
        QTest::newRow("r2 one run") << 2 << Cards{} << true;
        QTest::newRow("r4 never") << 4 << second + Cards{107} << false;
        QTest::newRow("r6 one run") << 6 << Cards{} << false;
        QTest::newRow("r6 run, gap and Joker") << 6 << Cards{107} << true;
        QTest::newRow("r6 two runs") << 6 << second << true;
    }
    void runsContract() {
        QFETCH(int, round);
        QFETCH(Cards, extra);
        QFETCH(bool, expected);
        Table t;
        t.StartRound(round);
        Hand(t, 1, Cards{Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S), Cd(9, D), Cd(10, D), Cd(12, D)} + extra);
        QCOMPARE(CheckHasRunsContract(t.g, 1), expected);
        if (expected && extra == Cards{107}) QCOMPARE(t.g.CardTable[107].Value, 11);  // 9 10 J Q
    }

    void aRoundThatEndedWantsNothing() {
        Table t;
        t.StartRound(2);
        Hand(t, 1, {Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S), Cd(10, D), Cd(12, D)});
        t.Discard({Cd(11, D)});
        t.g.RoundOver = true;
        QVERIFY(!CheckIfCardInHand(t.g, 4, S));
        QVERIFY(!CheckHasRunsContract(t.g, 1));
        QVERIFY(!CheckWantDCRun(t.g, 1));
        t.g.RoundOver = false;
        QVERIFY(CheckHasRunsContract(t.g, 1));
        QVERIFY(CheckWantDCRun(t.g, 1));
    }
};

QTEST_APPLESS_MAIN(TakeDecisionTest)
#include "tst_take.moc"
