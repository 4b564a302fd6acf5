// Which card a robot throws at the end of its turn.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

class DiscardTest : public QObject {
    Q_OBJECT
private slots:
    void withContract_data() {
        QTest::addColumn<bool>("laidThisTurn");
        QTest::addColumn<Cards>("hand");
        QTest::addColumn<int>("thrown");
        const Cards hand{Cd(5, H), Cd(13, C), Cd(1, D), 105};
        QTest::newRow("Aces first") << false << hand << Cd(1, D);
        QTest::newRow("keeps what fits the table") << true << hand << Cd(13, C);
        QTest::newRow("Jokers last") << false << Cards{105, Cd(3, D)} << Cd(3, D);
        QTest::newRow("only Jokers") << false << Cards{106, 105} << 105;
        QTest::newRow("goes out") << false << Cards{Cd(13, C)} << Cd(13, C);
    }
    void withContract() {
        QFETCH(bool, laidThisTurn);
        QFETCH(Cards, hand);
        QFETCH(int, thrown);
        Table t;
        t.StartRound(1);
        t.Meld(3, {Cd(1, C), Cd(1, H), Cd(1, S)});
        Hand(t, 1, hand);
        t.g.HasContract[1] = true;
        t.g.ContractThisTurn = laidThisTurn;
        DiscardBotsWithContract(t.g, 1);
        QCOMPARE(t.g.TopDiscard(), thrown);
        QCOMPARE(t.g.RoundOver, hand.size() == 1);
        QVERIFY(t.g.HasDiscarded[1]);
        QVERIFY(!t.g.ContractThisTurn);
        QCOMPARE(t.CheckInvariants(), QString());
    }

    void withoutContract_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<Cards>("hand");
        QTest::addColumn<int>("justTaken");
        QTest::addColumn<int>("nextHolds");   // cards of seat 2, which has its contract
        QTest::addColumn<int>("thrown");
        const Cards lone{Cd(9, D), Cd(3, C), Cd(10, C), Cd(4, H), Cd(6, S), Cd(8, S)};
        QTest::newRow("lone Diamond") << 1 << lone << 0 << 3 << Cd(9, D);
        QTest::newRow("lone card just taken") << 1 << lone << Cd(9, D) << 3 << Cd(4, H);
        QTest::newRow("blocking") << 1 << lone << 0 << 1 << Cd(3, C);
        const Cards twins{Cd(5, H), Cd(5, H, 1), Cd(9, H, 1), Cd(2, S), Cd(7, S)};
        QTest::newRow("r3 second twin") << 3 << twins << 0 << 3 << Cd(5, H, 1);
        QTest::newRow("r7 second twin") << 7 << twins << 0 << 3 << Cd(5, H, 1);
    }
    void withoutContract() {
        QFETCH(int, round);
        QFETCH(Cards, hand);
        QFETCH(int, justTaken);
        QFETCH(int, nextHolds);
        QFETCH(int, thrown);
        Table t;
        t.StartRound(round);
        // Seat 2's set of Nines: the Nine of Diamonds would fit it.
        t.Meld(3, {Cd(9, C), Cd(9, H), Cd(9, S)});
        const int kings[3] = {Cd(13, D), Cd(13, C), Cd(13, H)};
        for (int i = 0; i < nextHolds; ++i) t.Give(2, {kings[i]});
        t.g.HasContract[2] = true;
        Hand(t, 1, hand);
        t.g.LastDiscardTaken = justTaken;
        DiscardBotsNoContract(t.g, 1);
        QCOMPARE(t.g.TopDiscard(), thrown);
        QCOMPARE(t.CheckInvariants(), QString());
        DiscardBotsNoContract(t.g, 1);  // once per turn
        QCOMPARE(t.g.CardsInHand[1], int(hand.size()) - 1);
    }

    // A card of a kept run is passed over like any other; so is the card
    // just taken from the pile.
    void failSafeSkipsKeptAndTakenCards() {
        Table t;
        t.StartRound(1);
        Hand(t, 3, {Cd(9, D), Cd(12, S), Cd(5, C), Cd(2, H)});
        t.g.CardTable[Cd(9, D)].RunKeep = true;
        t.g.LastDiscardTaken = Cd(12, S);
        FailSafeDiscard(t.g, 3);
        QCOMPARE(t.g.TopDiscard(), Cd(5, C));
    }

    void runSuitCandidate() {
        Table t;
        t.StartRound(3);
        Hand(t, 1, {Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S), Cd(9, S), Cd(2, D), Cd(13, S)});
        QCOMPARE(DiscardWhatRun(t.g, 1), 0);  // no run recorded
        t.g.RunCard1[1][1] = Cd(4, S);
        t.g.RunCard2[1][1] = Cd(5, S);
        t.g.RunCard3[1][1] = Cd(6, S);
        t.g.RunCard4[1][1] = Cd(7, S);
        t.g.RunFound[1][1] = true;
        QCOMPARE(t.g.HandCards.at(DiscardWhatRun(t.g, 1)), Cd(9, S));
        t.g.CardTable[Cd(9, S)].RunKeep = true;
        QCOMPARE(t.g.HandCards.at(DiscardWhatRun(t.g, 1)), Cd(13, S));
    }

    // An Ace a finder counted 14 leaves as an Ace: on the pile it must not
    // look like a Joker to the next seat.
    void thrownCardShowsItsOwnValue() {
        Table t;
        t.StartRound(3);
        Hand(t, 1, {Cd(1, H)});
        t.g.CardTable[Cd(1, H)].Value = kValueJoker;
        t.g.HasContract[1] = true;
        DiscardBotsWithContract(t.g, 1);
        QCOMPARE(t.g.CardTable[Cd(1, H)].Value, 1);
        QCOMPARE(t.g.CardTable[Cd(1, H)].Suit, int(H));
    }

    // The Nine given for a Joker is on the table: even as the only Club it
    // held, it cannot be thrown.
    void cardGivenForAJokerIsNeverThrown() {
        Table t;
        t.StartRound(2);
        t.g.CardTable[105].Value = 9;
        t.g.CardTable[105].Suit = C;
        t.Meld(3, {Cd(7, C), Cd(8, C), 105, Cd(10, C)});
        Hand(t, 1, {Cd(9, C), Cd(2, D), Cd(5, D), Cd(3, H), Cd(8, H), Cd(4, S), Cd(6, S)});
        DiscardBotsNoContract(t.g, 1);
        QVERIFY(t.g.CardTable[Cd(9, C)].InMeld[3]);
        QCOMPARE(t.g.CardTable[105].Location, 1);
        QCOMPARE(t.g.TopDiscard(), Cd(8, H));
        QCOMPARE(t.CheckInvariants(), QString());
    }
};

QTEST_APPLESS_MAIN(DiscardTest)
#include "tst_discard.moc"
