// The turn loop: drawing from either pile, stock renewal and its limit,
// passing the turn on, and the start of the player's turn.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

class TestTurnLoop : public QObject {
    Q_OBJECT
private slots:
    void takeFromThePiles();
    void renewalCountsAndLimit();
    void passingTheTurn();
    void playerTurnButtons();
    void backYouGoReturnsCard();
};

void TestTurnLoop::takeFromThePiles() {
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
    QCOMPARE(t.g.ui.LblDiscard.Caption, std::string("In Discard:- 1"));
    QCOMPARE(t.g.ui.Cds[44].Picture, kPicBack);  // face down in North's hand
    t.g.RedrawStock();
    const int stock = t.g.StockCount;
    t.g.TakeDeckCard(2);
    QCOMPARE(t.g.CardsInHand[2], 4);
    QCOMPARE(t.g.ui.LblStock.Caption, "In Stock:-  " + std::to_string(stock - 1));
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestTurnLoop::renewalCountsAndLimit() {
    // An empty stock, a card in each hand and five on the discard pile.
    Table t(8);
    t.Set(1, "W: AD | N: AD | E: 2D | P: 2D | D: 3D 3D 4D 4D 5D | M12: *");
    const int top = t.g.TopDiscard();
    auto pileUp = [&] {  // the stock drawn empty onto the discard pile again
        t.g.DiscardCount = 0;
        for (int c = 5; c <= 9; ++c) {
            if (c == top) continue;
            t.g.CardTable[c].Location = LocDiscard;
            t.g.DiscardPile[++t.g.DiscardCount] = c;
        }
        t.g.CardTable[top].Location = LocDiscard;
        t.g.DiscardPile[++t.g.DiscardCount] = top;
        t.g.RedrawStock();
    };
    const std::string prompt = "Stock card pile is empty and has been replaced ";
    const int c = t.g.GetSingleCard();
    QCOMPARE(t.host.messages.size(), std::size_t(1));
    QCOMPARE(t.host.messages[0].prompt,
             prompt + "0 times. Discard cards, except the top card, will now be placed in Stock pile.");
    QCOMPARE(t.g.StockCount, 4);
    QCOMPARE(t.g.DiscardPile[1], top);
    QVERIFY(c >= 5 && c <= 9 && c != top);
    QCOMPARE(t.CheckInvariants(), QString());

    pileUp();
    t.g.GetSingleCard();
    QCOMPARE(t.g.StockRenewals, 2);
    QVERIFY(t.host.messages[1].prompt.find("replaced 1 times. Discard cards") != std::string::npos);
    QVERIFY(!t.g.RoundOver);

    // The third time the round ends with the hands as they are: the message
    // says so and nothing goes back into the stock.
    pileUp();
    QCOMPARE(t.g.GetSingleCard(), 0);
    QCOMPARE(t.host.messages[2].prompt,
             prompt + "2 times. Game will now finish and penalty points given as currently in hands.");
    QCOMPARE(t.g.StockCount, 0);
    QCOMPARE(t.g.DiscardCount, 5);
    QVERIFY(t.g.RoundOver);
    QCOMPARE(t.g.GetSingleCard(), 0);  // no fourth renewal
    QCOMPARE(t.host.messages.size(), std::size_t(3));
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestTurnLoop::passingTheTurn() {
    Table t;
    t.StartRound(3);
    t.Give(0, {1});
    t.Meld(1, {Table::Card(3, SuitClubs), Table::Card(4, SuitClubs), Table::Card(5, SuitClubs), 107});
    t.g.ui.Cds[107].Enabled = false;
    t.g.IsTurn[0] = false;
    t.g.IsTurn[3] = true;
    std::vector<std::string> playerLines;
    t.host.onPause = [&] { playerLines.push_back(t.g.ui.LblP.Caption); };
    t.g.HasDiscarded[3] = true;
    t.g.WhoPlaysNext(3);
    QVERIFY(t.g.IsTurn[0]);
    QVERIFY(!t.g.IsTurn[3]);
    QVERIFY(!t.g.HasDiscarded[3]);
    QVERIFY(t.g.ui.Cds[107].Enabled);  // a Joker in a run can be claimed again
    QVERIFY(std::find(playerLines.begin(), playerLines.end(),
                      "Player it's now your turn to play") != playerLines.end());
    QCOMPARE(t.g.ui.StatusPanel[5], std::string("Player playing now."));
    // MainLoop handed the turn to the player, who is asked to draw.
    QVERIFY(t.g.ui.CmdStock.Visible);
}

void TestTurnLoop::playerTurnButtons() {
    Table t;
    t.StartRound(4);
    t.Give(0, {1, 2});
    t.g.IsTurn[0] = true;
    t.g.MainLoop();
    QVERIFY(t.g.ui.CmdStock.Visible && t.g.ui.CmdDiscard.Visible && t.g.ui.CmdSortSame.Visible);
    QCOMPARE(t.g.ui.Focus, std::string("CmdStock"));
    // Nothing happens once the round is over.
    Table over;
    over.StartRound(4);
    over.g.RoundOver = true;
    over.g.PlayP();
    QVERIFY(!over.g.ui.CmdStock.Visible);
}

void TestTurnLoop::backYouGoReturnsCard() {
    Table t;
    t.StartRound(2);
    t.Give(0, {20, 106});
    t.g.SortHandP();
    t.g.SavedLeft = t.g.ui.Cds[106].Left;
    t.g.SavedTop = t.g.ui.Cds[106].Top;
    t.g.CardTable[106].Value = 6;
    t.g.CardTable[106].Suit = SuitDiamonds;
    t.g.ui.Cds[106].Left = 7000;
    t.g.ui.Cds[106].Top = 3000;
    t.g.BackYouGo(106);
    QCOMPARE(t.g.CardTable[106].Value, 14);
    QCOMPARE(t.g.CardTable[106].Suit, int(SuitNone));
    QCOMPARE(t.g.ui.Cds[106].Top, 8160);
    QCOMPARE(t.g.ui.Cds[106].Left, 2520);
}

QTEST_GUILESS_MAIN(TestTurnLoop)
#include "tst_turnloop.moc"
