// A robot laying the round's contract: which way wins, what is announced,
// which cards go into which meld slot, and that the table stays whole.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

namespace {
constexpr int West = 1;  // lays into slots 1, 2 (and 3) in every round

// West holding `hand` in the given round, with every status line it shows kept.
struct Robot {
    Robot(int round, const QString& hand) {
        t.Set(round, qPrintable("W: " + hand));
        t.host.onPause = [this] { said << QString::fromStdString(t.g.ui.LblBots.Caption); };
    }
    void Play() {
        static void (*const kMake[8])(Game&, int) = {nullptr,       MakeContract1, MakeContract2,
                                                     MakeContract3, MakeContract4, MakeContract5,
                                                     MakeContract6, MakeContract7};
        kMake[t.g.Round](t.g, West);
    }
    Table t;
    QStringList said;
};

}  // namespace

class ContractsTest : public QObject {
    Q_OBJECT
private slots:
    void contract_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("hand");
        QTest::addColumn<bool>("over");      // the round has ended
        QTest::addColumn<QString>("after");  // West's hand and the melds; "" when nothing is laid
        QTest::addColumn<QString>("ends");
        QTest::newRow("r1 Aces before Kings") << 1 << "AD AC AH KD KC KH 2S 4H 6C 8D TS" << false
            << "W: 8D 6C 4H 2S TS | M1: AD AC AH | M2: KD KC KH" << "1 13";
        QTest::newRow("r1 Kings before Sevens, the fourth Seven kept") << 1 << "KD KC KH 7D 7C 7H 7S 4H 2C 9D TS" << false
            << "W: 9D 2C 4H 7S TS | M1: KD KC KH | M2: 7D 7C 7H" << "13 7";
        QTest::newRow("r1 a pair completed by the Joker") << 1 << "5D 5C 5S 9D 9H JK 2S 4H 6C QD TS" << false
            << "W: QD 6C 4H 2S TS | M1: 5D 5C 5S | M2: 9D 9H JK=9D" << "5 9";
        // Two pairs of one value, a Joker each: neither set gets both Jokers.
        QTest::newRow("r1 two pairs of Nines") << 1 << "9D 9C 9H 9S JK JK 2S 4H 6C KD JS" << false
            << "W: KD 6C 4H 2S JS | M1: 9D 9C JK=9D | M2: 9H 9S JK=9D" << "9 9";
        QTest::newRow("r2 the fifth run card kept") << 2 << "4C 5C 6C 7C 8C QD QC QH 2H TS 9D" << false
            << "W: 9D 8C 2H TS | M1: 4C 5C 6C 7C | M2: QD QC QH" << "4-7 12";
        // Three and a Joker keeps the lowest natural set.
        QTest::newRow("r2 Fours below Queens") << 2 << "4C 5C 6C JK QD QC QH 4D 4H 4S 9S 2D" << false
            << "W: 2D QD QC QH 9S | M1: 4C 5C 6C JK=7C | M2: 4D 4H 4S" << "4-7 4";
        QTest::newRow("r2 Queens when the run holds a Four") << 2 << "4C 5C 6C JK QD QC QH 4D 4H 9S 2D" << false
            << "W: 2D 4D 4H 9S | M1: 4C 5C 6C JK=7C | M2: QD QC QH" << "4-7 12";
        // The Ace counts 15 on the table, above the King.
        QTest::newRow("r2 Ace-high run") << 2 << "AC JC QC KC 5D 5C 5H 2H 8S TD" << false
            << "W: TD 2H 8S | M1: AC JC QC KC | M2: 5D 5C 5H" << "11-15 5";
        // After the first run is down the hand list is in card-number
        // order, with the Joker below the second run last in it.
        QTest::newRow("r3 Joker below the second run") << 3 << "4D 5D 6D JK JH QH KH JK 2S 9C 9S" << false
            << "W: 9C 2S 9S | M1: 4D 5D 6D JK=7D | M2: JH QH KH JK=TH" << "4-7 10-13";
        QTest::newRow("r4 two Jokers: a set and two pairs") << 4 << "8D 8C 8H KD KC JK 3H 3S JK 2D 5C TS QH" << false
            << "W: 2D 5C QH TS | M1: 8D 8C 8H | M2: KD KC JK=KD | M3: 3H 3S JK=3D" << "8 13 3";
        QTest::newRow("r5 one Joker: the pair before the set") << 5 << "4S 5S 6S 7S 9D 9C JK 3D 3C 3H JD KH AC" << false
            << "W: JD AC KH | M1: 4S 5S 6S 7S | M2: 9D 9C JK=9D | M3: 3D 3C 3H" << "4-7 9 3";
        // The ways for exactly three Jokers are skipped.
        QTest::newRow("r6 two Jokers") << 6 << "4S 5S 6S 7S 9H TH JH QD QC JK JK 2D 8C" << false
            << "W: 2D 8C | M1: 4S 5S 6S 7S | M2: 9H TH JH JK=QH | M3: QD QC JK=QD" << "4-7 9-12 12";
        QTest::newRow("r7 three natural runs") << 7 << "AD 2D 3D 4D 6C 7C 8C 9C TH JH QH KH 5S" << false
            << "W: 5S | M1: AD 2D 3D 4D | M2: 6C 7C 8C 9C | M3: TH JH QH KH" << "1-4 6-9 10-13";
        QTest::newRow("two pairs but one Joker") << 1 << "9D 9C 9H 9S JK 2S 4H 6C" << false << "" << "";
        // Two identical runs: the second slot repeats the first slot's cards.
        QTest::newRow("second run repeats the first") << 3 << "4D 4D 5D 5D 6D 6D 7D 7D 2S QC" << false << "" << "";
        // Each set of Nines passes its check alone, but together they need
        // six cards and the hand has four Nines and one Joker for them.
        QTest::newRow("two sets of Nines short of a card") << 5 << "5D 6D 8D 9D 9C 9H 9S JK JK JK 2S 4H KC" << false
            << "" << "";
        QTest::newRow("round over") << 2 << "4C 5C 6C 7C QD QC QH" << true << "" << "";
    }
    void contract() {
        QFETCH(int, round);
        QFETCH(QString, hand);
        QFETCH(bool, over);
        QFETCH(QString, after);
        QFETCH(QString, ends);
        Robot r(round, hand);
        r.t.g.RoundOver = over;
        r.Play();
        const bool laid = !ends.isEmpty();
        // The announcement names the round's contract.
        const QString said = r.said.join('|');
        QCOMPARE(said.contains(QString("contract number %1 of").arg(round), Qt::CaseInsensitive), laid);
        QCOMPARE(said.isEmpty(), !laid);
        if (laid) QCOMPARE(Shown(r.t), after);
        for (int joker = kFirstJoker; joker <= kCardCount; ++joker)  // a laid Joker shows what it stands for
            QCOMPARE(r.t.g.ui.Cds[joker].Mark.empty(), r.t.g.CardTable[joker].Location != LocMeld);
        QCOMPARE(Ends(r.t.g), ends);
        QCOMPARE(r.t.g.HasContract[West], laid);
        QCOMPARE(r.t.g.ContractThisTurn, laid);
        QVERIFY(r.t.host.systemMessages.empty());
        QCOMPARE(r.t.CheckInvariants(), QString());
    }

    void laterRoundsLeaveSetMarksForTheDiscard() {
        Robot r(5, "KD KC KS 2H 4D 6C 8S TH");
        r.Play();
        QVERIFY(!r.t.g.HasContract[West]);
        QCOMPARE(Marked(r.t.g, &CardRecord::InSet), QString("KD KC KS"));
    }

    // An Ace a failed search left counting 14 tops Q-K-A: the Joker goes below.
    void jokerGoesBelowAnAceCountingHigh() {
        Table t;
        t.Set(3, "W: QS KS AS JK 2H");
        AcesHigh(t.g, West);
        QVERIFY(CheckForRunof3(t.g, West, 1));
        AddJokertoRun(t.g, West, 1);
        QCOMPARE(RunSlot(t.g, West, 1), QString("JK=JS QS KS AS"));
        QVERIFY(t.g.RunFound[West][1]);
    }
};

QTEST_GUILESS_MAIN(ContractsTest)
#include "tst_contracts.moc"
