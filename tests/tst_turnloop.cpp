// The turn loop: drawing from either pile, stock renewal and its limit,
// passing the turn on, and the start of the player's turn.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

class TestTurnLoop : public QObject {
    Q_OBJECT
private slots:
    void takeFromThePiles() {
        Table t;
        t.Set(1, "N: AD AD");
        t.g.TakeDiscard(2);  // an empty pile changes nothing
        QCOMPARE(t.g.CardsInHand[2], 2);
        QCOMPARE(t.g.LastDiscardTaken, 0);
        t.Set(1, "N: AD AD | D: 2C 9C");
        const int nine = t.Find(LocDiscard, "9C");
        t.g.TakeDiscard(2);
        QCOMPARE(t.g.LastDiscardTaken, nine);
        QCOMPARE(t.g.CardTable[nine].Location, 2);
        QCOMPARE(t.g.TopDiscard(), t.Find(LocDiscard, "2C"));
        QCOMPARE(t.g.ui.Cds[nine].Picture, kPicBack);  // face down in North's hand
        t.g.RedrawStock();
        t.g.TakeDeckCard(2);
        QCOMPARE(t.g.CardsInHand[2], 4);
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

    void passingTheTurn() {
        Table t;
        t.Set(3, "P: AD | E: 2D | M1: 3C 4C 5C JK=6C");
        const int joker = t.Find(-1, "JK");
        t.g.ui.Cds[joker].Enabled = false;
        t.g.IsTurn[0] = false;
        t.g.IsTurn[3] = true;
        t.g.HasDiscarded[3] = true;
        t.g.WhoPlaysNext(3);
        QVERIFY(t.g.IsTurn[0]);
        QVERIFY(!t.g.IsTurn[3]);
        QVERIFY(!t.g.HasDiscarded[3]);
        QVERIFY(t.g.ui.Cds[joker].Enabled);  // a Joker in a run can be claimed again
        QVERIFY(t.g.ui.CmdStock.Visible);  // the player is asked to draw
        // Nothing happens once the round is over.
        Table over;
        over.StartRound(4);
        over.g.RoundOver = true;
        over.g.PlayP();
        QVERIFY(!over.g.ui.CmdStock.Visible);
    }
};

QTEST_GUILESS_MAIN(TestTurnLoop)
#include "tst_turnloop.moc"
