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
        t.StartRound(1);
        t.Give(2, {1, 2});
        t.g.TakeDiscard(2);  // an empty pile changes nothing
        QCOMPARE(t.g.CardsInHand[2], 2);
        QCOMPARE(t.g.LastDiscardTaken, 0);
        t.Discard({30, 44});
        t.g.TakeDiscard(2);
        QCOMPARE(t.g.LastDiscardTaken, 44);
        QCOMPARE(t.g.CardTable[44].Location, 2);
        QCOMPARE(t.g.TopDiscard(), 30);
        QCOMPARE(t.g.ui.Cds[44].Picture, kPicBack);  // face down in North's hand
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
        QVERIFY(c >= 5 && c <= 9 && c != top);
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
        t.StartRound(3);
        t.Give(0, {1});
        t.g.CheckTurns = false;  // cards placed by hand, not laid out on the table
        t.Meld(1, {Table::Card(3, SuitClubs), Table::Card(4, SuitClubs), Table::Card(5, SuitClubs), 107});
        t.g.ui.Cds[107].Enabled = false;
        t.g.IsTurn[0] = false;
        t.g.IsTurn[3] = true;
        t.g.HasDiscarded[3] = true;
        t.g.WhoPlaysNext(3);
        QVERIFY(t.g.IsTurn[0] && !t.g.IsTurn[3]);
        QVERIFY(!t.g.HasDiscarded[3]);
        QVERIFY(t.g.ui.Cds[107].Enabled);  // a Joker in a run can be claimed again
        QVERIFY(t.g.ui.CmdStock.Visible);  // the player is asked to draw
        // Nothing happens once the round is over.
        Table over;
        over.StartRound(4);
        over.g.RoundOver = true;
        over.g.PlayP();
        QVERIFY(!over.g.ui.CmdStock.Visible);
    }

    // A valued Joker dropped nowhere goes back to the hand free again (the
    // drag tests check where a card dropped nowhere lies).
    void backYouGoReturnsCard() {
        Table t;
        t.StartRound(2);
        t.Give(0, {20, 106});
        t.g.CardTable[106].Value = 6;
        t.g.CardTable[106].Suit = SuitDiamonds;
        t.g.BackYouGo(106);
        QCOMPARE(t.g.CardTable[106].Value, 14);
        QCOMPARE(t.g.CardTable[106].Suit, int(SuitNone));
    }
};

QTEST_GUILESS_MAIN(TestTurnLoop)
#include "tst_turnloop.moc"
