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
        const QString caption = QString::fromStdString(t.g.ui.LblBots.Caption);
        if (caption.contains("is taking the Discard card so not on offer")) drawn = "discard";
        if (caption.contains("wants Stock card so Discard card on offer")) drawn = "stock";
        if (drawn != "none") throw ChainAborted{};
    };
    try {
        PlayBots(t.g, seat);
    } catch (const ChainAborted&) {
    }
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
        // Twenty cards: only the one-card-gap test of rounds 2 and 5 is left.
        const QString big = "5S 7S TS QS 2S AD AC AH 3D 3C 3H 9D 9C 9H JD JC JH KD KC KH";
        QTest::newRow("r2 twenty cards, gap") << 2 << false << big << "6S" << "discard";
        QTest::newRow("r3 twenty cards, gap") << 3 << false << big << "6S" << "stock";
        // Holding its run, a round 2 robot plays for the set.
        QTest::newRow("r2 run, pair") << 2 << false << "4S 5S 6S 7S 9C 9H" << "9D" << "discard";
        QTest::newRow("r2 run, three") << 2 << false << "4S 5S 6S 7S 9C 9H 9S" << "9D" << "stock";
        // Round 6 plays for the set with two runs, or one and a second made
        // with a Joker; the Two on the pile pairs a hand card but fits no run.
        QTest::newRow("r6 one run") << 6 << false << "4S 5S 6S 7S 9D TD QD 2C 2H" << "2S" << "stock";
        QTest::newRow("r6 run, gap and Joker") << 6 << false << "4S 5S 6S 7S 9D TD QD JK 2C 2H" << "2S" << "discard";
        QTest::newRow("r6 two runs") << 6 << false << "4S 5S 6S 7S AH 2H 3H 4H 9D 2C 2D" << "2S" << "discard";
        // With its contract: only what lays off on a complete meld.
        QTest::newRow("below run") << 2 << true << "2D 2C" << "4C" << "discard";
        QTest::newRow("above run") << 2 << true << "2D 2C" << "9C" << "discard";
        QTest::newRow("set value") << 2 << true << "2D 2C" << "9D" << "discard";
        QTest::newRow("Ace after King") << 2 << true << "2D 2C" << "AH" << "stock";
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
        QTest::addColumn<bool>("over");       // the round has ended
        QTest::newRow("pair extended") << "5S 6S 8S 2D" << "7S" << false << "5S 6S 7S" << false;
        QTest::newRow("gap in neighbours") << "5S 7S QD" << "6S" << false << "5S 6S 7S" << false;
        QTest::newRow("gap not neighbours") << "5S 6C 7S QD" << "6S" << false << "" << false;
        QTest::newRow("three extended below") << "9H TH JH 3C" << "8H" << false << "8H 9H JH" << false;
        QTest::newRow("four passed over") << "9H TH JH QH 3C" << "8H" << false << "" << false;
        QTest::newRow("fills v+2") << "5D 6D 7C 8D" << "7D" << true << "5D 6D 7D" << false;
        QTest::newRow("fills v-1") << "4S 5C 6S 7S" << "5S" << true << "5S 6S 7S" << false;
        QTest::newRow("8 not three places on") << "5D 6D 8D 9C" << "7D" << false << "5D 6D 7D" << false;
        QTest::newRow("round over") << "5S 6S 8S 2D" << "7S" << false << "" << true;
    }
    void runTests() {
        QFETCH(QString, hand);
        QFETCH(QString, top);
        QFETCH(bool, fills);
        QFETCH(QString, marked);
        QFETCH(bool, over);
        Table t;
        t.Set(3, qPrintable("W: " + hand + " | D: " + top));
        t.g.RoundOver = over;
        QCOMPARE(WantDiscardRun2Check(t.g, 1), fills);
        QCOMPARE(CheckWantDCRun(t.g, 1), !marked.isEmpty());
        QCOMPARE(Marked(t.g, &CardRecord::InRun), marked);
    }
};

QTEST_APPLESS_MAIN(TakeDecisionTest)
#include "tst_take.moc"
