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
    // North decides; with its contract the table holds a run in slot 1 and
    // 3 and a set of Nines in slot 4.
    void decision_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("contract");
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("expected");
        const QString junk = "2D 9C KH";
        for (int r = 1; r <= 7; ++r)
            for (bool contract : {false, true})
                QTest::addRow("r%d%s Joker", r, contract ? " contract" : "") << r << contract << junk << "JK" << "discard";
        for (int r : {1, 4}) {
            QTest::addRow("r%d three held", r) << r << false << junk + " 7D 7C 7H" << "7S" << "stock";
            QTest::addRow("r%d pair held", r) << r << false << junk + " 7D 7C" << "7S" << "discard";
            QTest::addRow("r%d one and Joker", r) << r << false << junk + " 7D JK" << "7S" << "discard";
            QTest::addRow("r%d one", r) << r << false << junk + " 7D" << "7S" << "stock";
            QTest::addRow("r%d Joker only", r) << r << false << junk + " JK" << "7S" << "stock";
        }
        const QString run3 = "9H TH JH 2D 3D 4D 6S";
        for (int r : {2, 3, 5, 6, 7}) {
            QTest::addRow("r%d below run", r) << r << false << run3 << "8H" << "discard";
            QTest::addRow("r%d above run", r) << r << false << run3 << "QH" << "discard";
            QTest::addRow("r%d two above", r) << r << false << run3 << "KH" << "stock";
            QTest::addRow("r%d other suit", r) << r << false << run3 << "8C" << "stock";
        }
        // The 7 fills 5 6 _ 8, but the robot holds that very card.
        QTest::newRow("r3 twin held") << 3 << false << "5D 6D 7D 8D KC" << "7D" << "stock";
        QTest::newRow("r7 twin held") << 7 << false << "5D 6D 7D 8D KC" << "7D" << "stock";
        // Twenty cards: only the one-card-gap test of rounds 2 and 5 is left.
        const QString big = "5S 7S TS QS 2S AD AC AH 3D 3C 3H 9D 9C 9H JD JC JH KD KC KH";
        QTest::newRow("r2 twenty cards, gap") << 2 << false << big << "6S" << "discard";
        QTest::newRow("r3 twenty cards, gap") << 3 << false << big << "6S" << "stock";
        // Holding its run, a round 2 robot plays for the set.
        QTest::newRow("r2 run, pair") << 2 << false << "4S 5S 6S 7S 9C 9H" << "9D" << "discard";
        QTest::newRow("r2 run, three") << 2 << false << "4S 5S 6S 7S 9C 9H 9S" << "9D" << "stock";
        QTest::newRow("r2 run, one") << 2 << false << "4S 5S 6S 7S 9C" << "9D" << "stock";
        // With its contract: only what lays off on a complete meld.
        QTest::newRow("below run") << 2 << true << "2D 2C" << "4C" << "discard";
        QTest::newRow("above run") << 2 << true << "2D 2C" << "9C" << "discard";
        QTest::newRow("set value") << 2 << true << "2D 2C" << "9D" << "discard";
        QTest::newRow("below King") << 2 << true << "2D 2C" << "9H" << "discard";
        QTest::newRow("Ace after King") << 2 << true << "2D 2C" << "AH" << "stock";
        QTest::newRow("wrong suit") << 2 << true << "2D 2C" << "4D" << "stock";
        QTest::newRow("pairs a hand card") << 2 << true << "2D 2C" << "2S" << "stock";
    }
    void decision() {
        QFETCH(int, round);
        QFETCH(bool, contract);
        QFETCH(QString, hand);
        QFETCH(QString, top);
        QFETCH(QString, expected);
        Table t;
        const QString melds = contract ? "M1: TH JH QH KH | M3: 5C 6C 7C 8C | M4: 9S 9H 9C | " : "";
        t.Set(round, qPrintable(melds + "N: " + hand + " | D: " + top));
        t.g.HasContract[2] = contract;
        QCOMPARE(Decide(t, 2), expected);
    }

    // West's hand tests on the top discard in round 3.
    void runTests_data() {
        QTest::addColumn<QString>("hand");
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("fills");      // WantDiscardRun2Check
        QTest::addColumn<QString>("marked");  // by CheckWantDCRun, "" when it answers false
        QTest::newRow("pair extended") << "5S 6S 8S 2D" << "7S" << false << "5S 6S 7S";
        QTest::newRow("gap in neighbours") << "5S 7S QD" << "6S" << false << "5S 6S 7S";
        QTest::newRow("gap not neighbours") << "5S 6C 7S QD" << "6S" << false << "";
        QTest::newRow("three extended below") << "9H TH JH 3C" << "8H" << false << "8H 9H JH";
        QTest::newRow("four passed over below") << "9H TH JH QH 3C" << "8H" << false << "";
        QTest::newRow("four passed over above") << "9H TH JH QH 3C" << "KH" << false << "";
        QTest::newRow("fills v+2") << "5D 6D 7C 8D" << "7D" << true << "5D 6D 7D";
        QTest::newRow("fills v-1") << "4S 5C 6S 7S" << "5S" << true << "5S 6S 7S";
        QTest::newRow("8 not three places on") << "5D 6D 8D 9C" << "7D" << false << "5D 6D 7D";
    }
    void runTests() {
        QFETCH(QString, hand);
        QFETCH(QString, top);
        QFETCH(bool, fills);
        QFETCH(QString, marked);
        Table t;
        t.Set(3, qPrintable("W: " + hand + " | D: " + top));
        QCOMPARE(WantDiscardRun2Check(t.g, 1), fills);
        QCOMPARE(CheckWantDCRun(t.g, 1), !marked.isEmpty());
        QCOMPARE(Marked(t.g, &CardRecord::InRun), marked);
    }

    void runsContract_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<bool>("expected");
        QTest::newRow("r2 one run") << 2 << "" << true;
        QTest::newRow("r4 never") << 4 << "AH 2H 3H 4H JK" << false;
        QTest::newRow("r6 one run") << 6 << "" << false;
        QTest::newRow("r6 run, gap and Joker") << 6 << "JK" << true;
        QTest::newRow("r6 two runs") << 6 << "AH 2H 3H 4H" << true;
    }
    void runsContract() {
        QFETCH(int, round);
        QFETCH(QString, extra);
        QFETCH(bool, expected);
        Table t;
        t.Set(round, qPrintable("W: 4S 5S 6S 7S 9D TD QD " + extra));
        t.g.CollectHand(1);
        QCOMPARE(CheckHasRunsContract(t.g, 1), expected);
        if (expected && extra == "JK") QCOMPARE(Names(t.g, {105}), QString("JK=JD"));  // 9 10 J Q
    }

    void aRoundThatEndedWantsNothing() {
        Table t;
        t.Set(2, "W: 4S 5S 6S 7S TD QD | D: JD");
        t.g.CollectHand(1);
        t.g.RoundOver = true;
        QVERIFY(!CheckIfCardInHand(t.g, 4, SuitSpades));
        QVERIFY(!CheckHasRunsContract(t.g, 1));
        QVERIFY(!CheckWantDCRun(t.g, 1));
        t.g.RoundOver = false;
        QVERIFY(CheckIfCardInHand(t.g, 4, SuitSpades));
        QVERIFY(CheckHasRunsContract(t.g, 1));
        QVERIFY(CheckWantDCRun(t.g, 1));
    }
};

QTEST_APPLESS_MAIN(TakeDecisionTest)
#include "tst_take.moc"
