// A robot laying off onto the table's melds, and stealing Jokers from runs.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

class LayOffTest : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_APPLESS_MAIN(LayOffTest)
#include "tst_layoff.moc"
