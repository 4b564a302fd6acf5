// The robots' hand pattern finders: same-value groups, runs of three and
// four, gaps filled by the discard or a Joker, Ace-high runs and the
// clearing of their marks.

#include <QtTest>

#include "Fixture.h"
#include "robots/Robots.h"

using namespace meldora;
using meldora::test::Table;

namespace {
constexpr int D = SuitDiamonds, C = SuitClubs, H = SuitHearts, S = SuitSpades;
constexpr int West = 1;
int Cd(int value, int suit, int copy = 0) { return Table::Card(value, suit, copy); }

QList<int> Slot(const Game& g, int seat, int k) {
    return {g.RunCard1[seat][k], g.RunCard2[seat][k], g.RunCard3[seat][k], g.RunCard4[seat][k]};
}

QList<int> Marked(const Game& g, bool CardRecord::*flag) {
    QList<int> cards;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].*flag) cards << c;
    return cards;
}
}  // namespace

class FindersTest : public QObject {
    Q_OBJECT
private slots:
    void sameValueGroupsTakeOnlyFreeCards() {
        Table t;
        t.StartRound(1);
        t.Give(West, {Cd(7, D), Cd(7, C), Cd(7, H), Cd(7, S), Cd(2, D)});
        QVERIFY(CheckFor3Same(t.g, 7));
        QCOMPARE(Marked(t.g, &CardRecord::InSet), (QList<int>{Cd(7, D), Cd(7, C), Cd(7, H)}));
        QVERIFY(!CheckFor3Same(t.g, 7));
        QVERIFY(!CheckFor2Same(t.g, 7));

        Table u;
        u.StartRound(1);
        u.Give(West, {Cd(9, D), Cd(9, S), Cd(3, H)});
        u.g.CardTable[Cd(9, S)].InRun = true;
        QVERIFY(!CheckFor2Same(u.g, 9));
        QVERIFY(Marked(u.g, &CardRecord::InSet).isEmpty());
    }

    void runOfFour_data() {
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<QList<int>>("run");
        QTest::newRow("the lowest four of five")
            << QList<int>{Cd(8, S), Cd(6, S), Cd(4, S), Cd(7, S), Cd(5, S), Cd(2, H)}
            << QList<int>{Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S)};
        QTest::newRow("the later copy inside, the first on top")
            << QList<int>{Cd(3, D, 0), Cd(3, D, 1), Cd(4, D, 0), Cd(4, D, 1), Cd(5, D), Cd(6, D, 0),
                          Cd(6, D, 1)}
            << QList<int>{Cd(3, D, 0), Cd(4, D, 1), Cd(5, D), Cd(6, D, 0)};
        QTest::newRow("suits do not mix")
            << QList<int>{Cd(9, H), Cd(10, H), Cd(11, D), Cd(12, H)} << QList<int>{0, 0, 0, 0};
    }
    void runOfFour() {
        QFETCH(QList<int>, hand);
        QFETCH(QList<int>, run);
        Table t;
        t.StartRound(3);
        for (int card : hand) t.Give(West, {card});
        t.g.RunCard1[West][1] = 99;  // left over from an earlier search
        CheckForRunOne(t.g, West);
        QCOMPARE(Slot(t.g, West, 1), run);
        QCOMPARE(t.g.RunFound[West][1], run[0] != 0);
        for (int card : hand) {
            QCOMPARE(t.g.CardTable[card].InRun, run.contains(card));
            QCOMPARE(t.g.CardTable[card].RunKeep, run.contains(card));
        }
    }

    void runOfThreeNeedsExactlyThreeCards() {
        Table t;
        t.StartRound(3);
        t.Give(West, {Cd(6, S), Cd(4, S), Cd(5, S), Cd(10, C)});
        CheckForRunOne(t.g, West);
        QVERIFY(!t.g.RunFound[West][1]);
        QVERIFY(CheckForRunof3(t.g, West, 1));
        QCOMPARE(Slot(t.g, West, 1), (QList<int>{Cd(4, S), Cd(5, S), Cd(6, S), 0}));
        QCOMPARE(Marked(t.g, &CardRecord::InRunOf3), (QList<int>{Cd(4, S), Cd(5, S), Cd(6, S)}));
        QVERIFY(!t.g.RunFound[West][1]);

        Table u;
        u.StartRound(3);
        u.Give(West, {Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S)});
        QVERIFY(!CheckForRunof3(u.g, West, 1));
    }

    void gapWithJoker_data() {
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<QList<int>>("run");
        QTest::addColumn<int>("jokerValue");
        const int J = 106;
        QTest::newRow("gap above") << QList<int>{Cd(5, D), Cd(6, D), Cd(8, D), J}
                                   << QList<int>{Cd(5, D), Cd(6, D), J, Cd(8, D)} << 7;
        QTest::newRow("gap below") << QList<int>{Cd(4, D), Cd(6, D), Cd(7, D), J}
                                   << QList<int>{Cd(4, D), J, Cd(6, D), Cd(7, D)} << 5;
        QTest::newRow("no Joker") << QList<int>{Cd(5, D), Cd(6, D), Cd(8, D)}
                                  << QList<int>{0, 0, 0, 0} << 0;
        QTest::newRow("nothing above a Jack-Queen pair")
            << QList<int>{Cd(11, D), Cd(12, D), Cd(1, D), J} << QList<int>{0, 0, 0, 0} << 0;
        QTest::newRow("pair split in the sorted list")
            << QList<int>{Cd(5, D), Cd(5, H), Cd(6, D), Cd(8, D), J} << QList<int>{0, 0, 0, 0} << 0;
    }
    void gapWithJoker() {
        QFETCH(QList<int>, hand);
        QFETCH(QList<int>, run);
        QFETCH(int, jokerValue);
        Table t;
        t.StartRound(2);
        for (int card : hand) t.Give(West, {card});
        if (hand.contains(Cd(1, D))) t.g.CardTable[Cd(1, D)].Value = 14;  // an Ace counting high
        const bool found = CheckInBetweenCardPlusJoker(t.g, West, 1, D);
        QCOMPARE(found, jokerValue != 0);
        QCOMPARE(t.g.RunFound[West][1], found);
        QCOMPARE(Slot(t.g, West, 1), run);
        if (found) {
            QCOMPARE(t.g.CardTable[106].Value, jokerValue);
            QCOMPARE(t.g.CardTable[106].Suit, int(D));
            QCOMPARE(Marked(t.g, &CardRecord::InRun).size(), 4);
        }
    }

    void aceHighRunNeedsNeighbouringCourtCards() {
        // The King is the last card of the sorted list.
        Table t;
        t.StartRound(3);
        t.Give(West, {Cd(1, C), Cd(11, C), Cd(12, C), Cd(13, C), Cd(4, H)});
        t.g.SortHandCardsByValue();
        QVERIFY(CheckForAceHighRun(t.g, West, 2));
        QCOMPARE(Slot(t.g, West, 2), (QList<int>{Cd(11, C), Cd(12, C), Cd(13, C), Cd(1, C)}));
        QCOMPARE(t.g.CardTable[Cd(1, C)].Value, 14);
        QVERIFY(t.g.RunFound[West][2]);

        Table u;
        u.StartRound(3);
        u.Give(West, {Cd(1, C), Cd(11, C), Cd(12, C), Cd(12, H), Cd(13, C)});
        u.g.SortHandCardsByValue();
        QVERIFY(!CheckForAceHighRun(u.g, West, 1));
        QCOMPARE(u.g.CardTable[Cd(1, C)].Value, 1);
        // The Ace still counts low for an ordinary run.
        u.Give(West, {Cd(2, C), Cd(3, C), Cd(4, C)});
        CheckForRunOne(u.g, West);
        QCOMPARE(u.g.RunCard1[West][1], Cd(1, C));
    }

    void discardFillingAGap_data() {
        QTest::addColumn<int>("between");
        QTest::addColumn<bool>("fills");
        QTest::newRow("neighbours") << 0 << true;
        QTest::newRow("a Six of another suit between") << Cd(6, C) << false;
    }
    void discardFillingAGap() {
        QFETCH(int, between);
        QFETCH(bool, fills);
        Table t;
        t.StartRound(2);
        t.Give(West, {Cd(5, H), Cd(7, H), Cd(12, S)});
        if (between) t.Give(West, {between});
        t.Discard({Cd(6, H)});
        t.g.SortHandCardsByValue();
        QCOMPARE(CheckInBetweenCard(t.g), fills);
    }

    void clearingFreesJokersButKeepsRunSlots() {
        Table t;
        t.StartRound(2);
        t.Give(2, {107});
        t.Give(West, {Cd(5, D), Cd(6, D), Cd(8, D), 105, 106});
        QVERIFY(CheckInBetweenCardPlusJoker(t.g, West, 1, D));
        t.g.CardTable[107].Value = 9;  // North's Joker is not West's to clear
        QCOMPARE(CountFreeJokers(t.g, West), 1);
        ClearInSetInRun(t.g, West);
        QCOMPARE(CountFreeJokers(t.g, West), 2);
        QCOMPARE(t.g.CardTable[106].Value, 14);
        QCOMPARE(t.g.CardTable[106].Suit, int(SuitNone));
        QCOMPARE(t.g.CardTable[107].Value, 9);
        QVERIFY(!t.g.RunFound[West][1]);
        QVERIFY(Marked(t.g, &CardRecord::InRun).isEmpty());
        QCOMPARE(t.g.RunCard3[West][1], 106);  // the higher of West's two Jokers
        QVERIFY(t.g.CardTable[Cd(8, D)].RunKeep);
    }

    void anEndedRoundFindsNothing() {
        Table t;
        t.StartRound(2);
        t.Give(West, {Cd(5, H), Cd(6, H), Cd(7, H), Cd(8, H), Cd(9, C), Cd(9, D), 105});
        t.Discard({Cd(10, H)});
        t.g.RoundOver = true;
        QVERIFY(!CheckFor2Same(t.g, 9));
        CheckForRunOne(t.g, West);
        QVERIFY(!t.g.RunFound[West][1]);
        QVERIFY(!CheckForRunof3(t.g, West, 1));
        QVERIFY(!CheckInBetweenCardPlusJoker(t.g, West, 1, H));
        QCOMPARE(CheckNextInRun(t.g, 1, H), 0);
    }
};

QTEST_GUILESS_MAIN(FindersTest)
#include "tst_finders.moc"
