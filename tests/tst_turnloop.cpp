// The turn loop: an empty discard pile, stock renewal and its limit.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

class TestTurnLoop : public QObject {
    Q_OBJECT
private slots:
    // An empty discard pile gives nothing.
    void takeFromAnEmptyPile() {
        Table t;
        t.Set(1, "N: AD AD");
        t.g.TakeDiscard(2);
        QCOMPARE(t.g.CardsInHand[2], 2);
        QCOMPARE(t.g.LastDiscardTaken, 0);
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // An empty stock, a card in each hand and five on the discard pile: the
    // pile but its top renews the stock twice; the third time the round
    // ends with the hands as they are and nothing goes back into the stock.
    void renewalCountsAndLimit() {
        Table t(8);
        t.Set(1, "W: AD | N: AD | E: 2D | P: 2D | D: 3D 3D 4D 4D 5D | M12: *");
        const int top = t.g.TopDiscard();
        const int c = t.g.GetSingleCard();
        QCOMPARE(t.g.StockCount, 4);
        QCOMPARE(t.g.DiscardPile[1], top);
        QCOMPARE(t.g.CardTable[c].Location, LocStock);
        QVERIFY(c != top);
        QCOMPARE(t.CheckInvariants(), QString());
        for (int renewal = 2; renewal <= 3; ++renewal) {
            t.g.DiscardCount = 0;  // the stock drawn empty onto the pile again
            for (int card = 5; card <= 9; ++card) {
                if (card == top) continue;
                t.g.CardTable[card].Location = LocDiscard;
                t.g.DiscardPile[++t.g.DiscardCount] = card;
            }
            t.g.DiscardPile[++t.g.DiscardCount] = top;
            t.g.RedrawStock();
            QCOMPARE(t.g.GetSingleCard() == 0, renewal == 3);
            QCOMPARE(t.g.RoundOver, renewal == 3);
        }
        QVERIFY(t.host.messages[2].prompt.find("Game will now finish") != std::string::npos);
        QCOMPARE(t.g.StockCount, 0);
        QCOMPARE(t.g.DiscardCount, 5);
        QCOMPARE(t.g.GetSingleCard(), 0);  // no fourth renewal
        QCOMPARE(t.host.messages.size(), std::size_t(3));
        QCOMPARE(t.CheckInvariants(), QString());
    }
};

QTEST_GUILESS_MAIN(TestTurnLoop)
#include "tst_turnloop.moc"
