// The standard robots' routines on tables of the one-line notation: the
// run finders (runs of three and four, gaps filled by the discard or a
// Joker, Ace-high runs); the choice between the top discard and the stock;
// laying the round's contract (which way wins, what is announced, which
// cards go into which slot); laying off and taking Jokers from runs; the
// discard.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

namespace {
constexpr int West = 1;  // lays into slots 1, 2 (and 3) in every round

QStringList Sorted(const QString& cards) {
    QStringList list = cards.split(' ', Qt::SkipEmptyParts);
    list.sort();
    return list;
}

// Runs one finder on West's hand, collected (and, for the finders that
// take the list as they find it, sorted) as their callers leave it.
bool Find(Game& g, const QString& finder) {
    if (finder.contains("Aces high")) AcesHigh(g, West);
    g.RoundOver = finder.contains("round over");
    g.CollectHand(West);
    if (finder.startsWith("four")) {
        CheckForRunOne(g, West);
        return g.RunFound[West][1];
    }
    if (finder.startsWith("three")) return CheckForRunof3(g, West, 1);
    if (finder.startsWith("gap+Joker")) return CheckInBetweenCardPlusJoker(g, West, 1, SuitHearts);
    g.SortHandCardsByValue();
    if (finder == "ace-high") return CheckForAceHighRun(g, West, 1);
    return CheckInBetweenCard(g);
}

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

class TestRobots : public QObject {
    Q_OBJECT
private slots:
    void runs_data() {
        QTest::addColumn<QString>("finder");
        QTest::addColumn<QString>("table");  // round 3; a bare list is West's hand
        QTest::addColumn<QString>("run");    // run slot 1 afterwards
        QTest::addColumn<bool>("found");
        QTest::newRow("the lowest four") << "four" << "5D 6D 7D 8D 2S 3S 4S 5S 6S" << "2S 3S 4S 5S" << true;
        QTest::newRow("later copy inside, first on top") << "four" << "3D 3D 4D 4D 5D 6D 6D" << "3D 4D' 5D 6D" << true;
        QTest::newRow("suits do not mix") << "four" << "9H TH JD QH" << "" << false;
        QTest::newRow("an Ace counts low") << "four" << "AC 2C 3C 4C" << "AC 2C 3C 4C" << true;
        QTest::newRow("three are not four") << "four" << "4S 5S 6S TC" << "" << false;
        QTest::newRow("exactly three") << "three" << "4S 5S 6S TC" << "4S 5S 6S" << true;
        QTest::newRow("four are not three") << "three" << "4S 5S 6S 7S" << "" << false;
        QTest::newRow("gap above") << "gap+Joker" << "5H 6H 8H JK" << "5H 6H JK=7H 8H" << true;
        QTest::newRow("gap below") << "gap+Joker" << "4H 6H 7H JK" << "4H JK=5H 6H 7H" << true;
        QTest::newRow("no Joker") << "gap+Joker" << "5H 6H 8H" << "" << false;
        QTest::newRow("nothing above Jack-Queen") << "gap+Joker, Aces high" << "JH QH AH JK" << "" << false;
        QTest::newRow("pair split in the sorted list") << "gap+Joker" << "5H 5S 6H 8H JK" << "" << false;
        QTest::newRow("Ace-high, the King last") << "ace-high" << "AC JC QC KC 4H" << "JC QC KC AC" << true;
        QTest::newRow("Ace-high, a Queen between") << "ace-high" << "AC JC QC QH KC" << "" << false;
        QTest::newRow("discard fills a gap") << "discard gap" << "W: 5H 7H QS | D: 6H" << "" << true;
        QTest::newRow("discard gap, a Six between") << "discard gap" << "W: 5H 6C 7H QS | D: 6H" << "" << false;
        QTest::newRow("four, round over") << "four, round over" << "4S 5S 6S 7S" << "" << false;
        QTest::newRow("gap+Joker, round over") << "gap+Joker, round over" << "5H 6H 8H JK" << "" << false;
    }
    void runs() {
        QFETCH(QString, finder);
        QFETCH(QString, table);
        QFETCH(QString, run);
        QFETCH(bool, found);
        Table t;
        t.Set(3, qPrintable(table.contains(':') ? table : "W: " + table));
        if (finder.startsWith("four") || finder.startsWith("three"))
            t.g.RunCard1[West][1] = 99;  // left by an earlier search: a failed start clears it
        QCOMPARE(Find(t.g, finder), found);
        QCOMPARE(RunSlot(t.g, West, 1), run);
        QCOMPARE(t.g.RunFound[West][1], found && !finder.startsWith("three") && finder != "discard gap");
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::InRun)), Sorted(run));
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::RunKeep)), Sorted(run));
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::InRunOf3)), finder == "three" ? Sorted(run) : QStringList());
        if (const int ace = CardNamed(t.g, West, "AC"))
            QCOMPARE(t.g.CardTable[ace].Value, found && finder == "ace-high" ? 14 : 1);
    }

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

    // West has its contract and lays off.
    void layOff_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("acesHigh");  // as a failed Ace-high search leaves them
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("ends");
        QTest::addColumn<QString>("said");  // the last lay-off's status text
        QTest::newRow("a set takes both") << 1 << "M3: 7D 7H 7S | W: 7C 7D 4C" << false
            << "W: 4C | M3: 7D 7D 7C 7H 7S" << "7" << " is Laying Off  Seven of  Clubs";
        // Three passes reach three cards down; the high end takes any number.
        QTest::newRow("a run at both ends") << 3 << "M3: 8H 9H TH JH | W: 4H 5H 6H 7H QH KH 2C" << false
            << "W: 2C 4H | M3: 5H 6H 7H 8H 9H TH JH QH KH" << "5-13" << " is Laying Off  Five of  Hearts";
        QTest::newRow("one Ace above the King") << 3 << "M3: TD JD QD KD | W: AD AD 2C" << false
            << "W: AD 2C | M3: AD TD JD QD KD" << "10-15" << " is Laying Off  Ace of  Diamonds";
        QTest::newRow("an Ace counting 14 joins the Aces") << 1 << "M3: AC AH AS | W: AD 5C" << true
            << "W: 5C | M3: AD AC AH AS" << "1" << " is Laying Off  Ace of  Diamonds";
        QTest::newRow("the last card ends the round") << 1 << "M3: KD KC KH | W: KS KH" << false
            << "M3: KD KC KH KH KS" << "13" << " is Laying Off  King of  Spades";
        // Slot 3's run starts at the Ace, so the Joker goes below slot 5's.
        QTest::newRow("round 3: a Joker below a run") << 3 << "M3: AS 2S 3S 4S | M5: 5H 6H 7H 8H | W: JK 2C QC" << false
            << "W: 2C QC | M3: AS 2S 3S 4S | M5: 5H 6H 7H 8H JK=4H" << "1-4 4-8" << "is Laying Off Joker.";
        QTest::newRow("round 2: no Joker on a run") << 2 << "M5: 5H 6H 7H 8H | W: JK 2C QC" << false
            << "W: 2C QC JK | M5: 5H 6H 7H 8H" << "5-8" << "";
        QTest::newRow("round 2: a Joker on a set") << 2 << "M4: 9D 9C 9S | M5: 5H 6H 7H 8H | W: JK 2C QC" << false
            << "W: 2C QC | M4: 9D 9C 9S JK=9D | M5: 5H 6H 7H 8H" << "9 5-8" << " is Laying Off  9";
    }
    void layOff() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(bool, acesHigh);
        QFETCH(QString, after);
        QFETCH(QString, ends);
        QFETCH(QString, said);
        Table t;
        t.Set(round, qPrintable(table));
        if (acesHigh) AcesHigh(t.g, 1);
        t.g.HasContract[1] = true;
        QString shown;
        const int name = int(t.g.SeatName(1).size()) + 1;
        t.host.onPause = [&] {
            const QString caption = QString::fromStdString(t.g.ui.LblBots.Caption);
            if (caption.contains("Laying Off")) shown = caption.mid(name);
        };
        LayOffCardBots(t.g, 1);
        QCOMPARE(Shown(t), after);
        QCOMPARE(Ends(t.g), ends);
        QCOMPARE(shown, said);
        QCOMPARE(t.g.RoundOver, t.g.CardsInHand[1] == 0);
        for (int c = 1; c < kFirstJoker; ++c)
            if (t.g.CardTable[c].Location == 1) QCOMPARE(t.g.CardTable[c].Value, NaturalValue(c));
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // North, without its contract, looks for a Joker to take from a run.
    void swapJoker_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("after");  // "" when nothing changes
        // Two runs each with a Joker for the Nine of Clubs: the one Nine
        // held buys the first Joker and lies in that run only.
        QTest::newRow("the first Joker for the Nine held") << 2 << "M1: 7C 8C JK=9C TC | M3: 8C JK=9C TC JC | N: 9C 3H"
            << "N: 3H JK | M1: 7C 8C 9C TC | M3: 8C TC JC JK=9C";
        // A second Joker in the same turn, for the second card held.
        QTest::newRow("both Jokers for the two cards held") << 2 << "M1: 7C 8C JK=9C TC | M3: 4S JK=5S 6S 7S | N: 9C 5S 3H"
            << "N: 3H JK JK | M1: 7C 8C 9C TC | M3: 4S 5S 6S 7S";
        QTest::newRow("a set's Joker stays") << 1 << "M1: 9D 9H JK=9D | N: 9D 4C" << "";
        // Only the first Joker in a run counts: by slot, then card number.
        QTest::newRow("a later run's Joker stays") << 2 << "M3: 7C 8C JK=9C TC | M1: 4S JK=5S 6S 7S | N: 9C 4D" << "";
    }
    void swapJoker() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(QString, after);
        Table t;
        t.Set(round, qPrintable(table));
        const QString before = Shown(t);
        t.g.CollectHand(2);
        CheckSwapJoker(t.g, 2);
        QCOMPARE(Shown(t), after.isEmpty() ? before : after);
        const QString list = Names(t.g, t.g.HandCards);
        t.g.CollectHand(2);
        QCOMPARE(list, Names(t.g, t.g.HandCards));  // the work list follows the hand
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // West throws; North, next in turn, has its contract.
    void discard_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("contract");  // 0 none, 1 held, 2 laid this turn
        QTest::addColumn<QString>("taken");  // from the pile this turn
        QTest::addColumn<bool>("acesHigh");
        QTest::addColumn<QString>("thrown");
        const QString aces = "M3: AC AH AS | W: ";
        QTest::newRow("Aces first") << 1 << aces + "5H KC AD JK" << 1 << "" << false << "AD";
        QTest::newRow("laid this turn: keeps what fits") << 1 << aces + "5H KC AD JK" << 2 << "" << false << "KC";
        QTest::newRow("Jokers last") << 1 << aces + "JK 3D" << 1 << "" << false << "3D";
        QTest::newRow("only Jokers") << 1 << aces + "JK JK" << 1 << "" << false << "JK";
        QTest::newRow("goes out") << 1 << aces + "KC" << 1 << "" << false << "KC";
        // It must not lie on the pile looking like a Joker.
        QTest::newRow("an Ace counting 14 leaves as an Ace") << 1 << aces + "AH" << 1 << "" << true << "AH'";
        // The Nine of Diamonds would fit North's set of Nines.
        const QString nines = "M3: 9C 9H 9S | W: 9D 3C TC 4H 6S 8S | N: ";
        QTest::newRow("lone Diamond") << 1 << nines + "KD KC KH" << 0 << "" << false << "9D";
        QTest::newRow("lone card just taken") << 1 << nines + "KD KC KH" << 0 << "9D" << false << "4H";
        QTest::newRow("blocking") << 1 << nines + "KD" << 0 << "" << false << "3C";
        QTest::newRow("r3 second twin") << 3 << "W: 5H 5H 9H 2S 7S | N: KD KC KH" << 0 << "" << false << "5H'";
        // The Nine given for the Joker lies on the table: even as West's only
        // Club it cannot be thrown.
        QTest::newRow("the card given for a Joker") << 2 << "M3: 7C 8C JK=9C TC | W: 9C 2D 5D 3H 8H 4S 6S | N: KD KC KH"
            << 0 << "" << false << "8H";
    }
    void discard() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(int, contract);
        QFETCH(QString, taken);
        QFETCH(bool, acesHigh);
        QFETCH(QString, thrown);
        Table t;
        t.Set(round, qPrintable(table));
        t.g.HasContract[1] = contract > 0;
        t.g.ContractThisTurn = contract == 2;
        t.g.HasContract[2] = true;
        if (acesHigh) AcesHigh(t.g, 1);
        if (!taken.isEmpty()) t.g.LastDiscardTaken = CardNamed(t.g, 1, taken);
        const int held = t.g.CardsInHand[1];
        contract ? DiscardBotsWithContract(t.g, 1) : DiscardBotsNoContract(t.g, 1);
        QCOMPARE(Names(t.g, {t.g.TopDiscard()}), thrown);
        QCOMPARE(t.g.RoundOver, held == 1);
        QVERIFY(!t.g.ContractThisTurn);
        QCOMPARE(t.CheckInvariants(), QString());
        if (!contract) DiscardBotsNoContract(t.g, 1);  // once per turn
        QCOMPARE(t.g.CardsInHand[1], held - 1);
    }

    // A card of a kept run is passed over like any other; so is the card
    // just taken from the pile.
    void failSafeSkipsKeptAndTakenCards() {
        Table t;
        t.Set(1, "E: 9D QS 5C 2H");
        t.g.CollectHand(3);
        t.g.CardTable[CardNamed(t.g, 3, "9D")].RunKeep = true;
        t.g.LastDiscardTaken = CardNamed(t.g, 3, "QS");
        FailSafeDiscard(t.g, 3);
        QCOMPARE(Names(t.g, {t.g.TopDiscard()}), QString("5C"));
    }

    // A card of the run's suit that the run neither uses nor keeps.
    void runSuitCandidate() {
        Table t;
        t.Set(3, "W: 4S 5S 6S 7S 9S 2D KS");
        t.g.CollectHand(1);
        QCOMPARE(DiscardWhatRun(t.g, 1), 0);  // no run recorded
        CheckForRunOne(t.g, 1);
        QCOMPARE(Names(t.g, {t.g.HandCards.at(DiscardWhatRun(t.g, 1))}), QString("9S"));
        t.g.CardTable[CardNamed(t.g, 1, "9S")].RunKeep = true;
        QCOMPARE(Names(t.g, {t.g.HandCards.at(DiscardWhatRun(t.g, 1))}), QString("KS"));
    }
};

QTEST_GUILESS_MAIN(TestRobots)
#include "tst_robots.moc"
