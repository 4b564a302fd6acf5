// The turn loop: drawing from either pile, stock renewal and its limit,
// passing the turn on, and the start of the player's turn.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

class TestTurnLoop : public QObject {
    Q_OBJECT
private slots:
    void takeDiscard();
    void takeFromEmptyDiscardChangesNothing();
    void takeStockCard();
    void renewalCountsAndLimit();
    void passingTheTurn();
    void playerTurnButtons();
    void backYouGoReturnsCard();
};

void TestTurnLoop::takeDiscard() {
    Table t;
    t.StartRound(1);
    t.Give(2, {1, 2});
    t.Discard({30, 44});
    t.g.TakeDiscard(2);
    QCOMPARE(t.g.LastDiscardTaken, 44);
    QCOMPARE(t.g.CardTable[44].Location, 2);
    QCOMPARE(t.g.CardsInHand[2], 3);
    QCOMPARE(t.g.DiscardCount, 1);
    QCOMPARE(t.g.TopDiscard(), 30);
    QCOMPARE(t.g.ui.LblDiscard.Caption, std::string("In Discard:- 1"));
    QCOMPARE(t.g.ui.Cds[44].Picture, kPicBack);  // face down in North's hand
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestTurnLoop::takeFromEmptyDiscardChangesNothing() {
    Table t;
    t.StartRound(1);
    t.Give(1, {1});
    t.g.TakeDiscard(1);
    QCOMPARE(t.g.CardsInHand[1], 1);
    QCOMPARE(t.g.LastDiscardTaken, 0);
    QCOMPARE(t.g.ui.LblDiscard.Caption, std::string("In Discard:- 0"));
}

void TestTurnLoop::takeStockCard() {
    Table t(4);
    t.StartRound(2);
    t.Give(0, {10});
    t.g.RedrawStock();
    QCOMPARE(t.g.StockCount, 106);
    t.g.TakeDeckCard(0);
    QCOMPARE(t.g.CardsInHand[0], 2);
    QCOMPARE(t.g.StockCount, 105);
    QCOMPARE(t.g.ui.LblStock.Caption, std::string("In Stock:-  105"));
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestTurnLoop::renewalCountsAndLimit() {
    Table t(8);
    t.StartRound(1);
    // Everything but four cards in hands and a discard pile of five.
    for (int c = 1; c <= 107; ++c) t.g.CardTable[c].Location = LocMeld;
    for (int c = 1; c <= 107; ++c) t.g.CardTable[c].InMeld[1] = true;
    t.g.MeldTable[1].Count = 107;
    auto fromTable = [&](std::initializer_list<int> cards) {
        for (int c : cards) {
            t.g.CardTable[c].InMeld[1] = false;
            t.g.MeldTable[1].Count -= 1;
            t.g.CardTable[c].Location = LocStock;
        }
    };
    fromTable({1, 2, 3, 4, 5, 6, 7, 8, 9});
    t.Give(1, {1});
    t.Give(2, {2});
    t.Give(3, {3});
    t.Give(0, {4});
    t.Discard({5, 6, 7, 8, 9});
    t.g.StockCount = 0;

    const int c = t.g.GetSingleCard();
    QCOMPARE(t.host.messages.size(), std::size_t(1));
    QCOMPARE(t.host.messages[0].title, std::string("Stock empty"));
    QCOMPARE(t.host.messages[0].button0, std::string("Right"));
    QCOMPARE(t.host.messages[0].prompt,
             std::string("Stock card pile is empty and has been replaced 0 times. Discard cards, "
                         "except the top card, will now be placed in Stock pile."));
    QCOMPARE(t.g.StockRenewals, 1);
    QCOMPARE(t.g.StockCount, 4);
    QCOMPARE(t.g.DiscardCount, 1);
    QCOMPARE(t.g.DiscardPile[1], 9);
    QVERIFY(c >= 5 && c <= 8);
    QCOMPARE(t.CheckInvariants(), QString());

    // Second exhaustion reports one earlier renewal.
    auto emptyStockOntoPile = [&] {
        const int pile[] = {5, 6, 7, 8, 9};
        for (int k = 0; k < 5; ++k) {
            t.g.CardTable[pile[k]].Location = LocDiscard;
            t.g.DiscardPile[k + 1] = pile[k];
        }
        t.g.DiscardCount = 5;
        t.g.StockCount = 0;
    };
    emptyStockOntoPile();
    t.g.GetSingleCard();
    QCOMPARE(t.g.StockRenewals, 2);
    QVERIFY(t.host.messages[1].prompt.find("replaced 1 times") != std::string::npos);
    QVERIFY(!t.g.RoundOver);

    // The third renews and then ends the round with the hands as they are.
    emptyStockOntoPile();
    QCOMPARE(t.g.GetSingleCard(), 0);
    QCOMPARE(t.g.StockRenewals, 3);
    QVERIFY(t.g.RoundOver);
    QCOMPARE(t.g.ui.LblWhoWon.Caption,
             std::string("No outright winner on this round. See above for details."));
    emptyStockOntoPile();
    QCOMPARE(t.g.GetSingleCard(), 0);  // no fourth renewal
    QCOMPARE(t.host.messages.size(), std::size_t(3));
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
    QVERIFY(t.g.ui.CmdStock.Visible);
    QVERIFY(t.g.ui.CmdDiscard.Visible);
    QVERIFY(t.g.ui.CmdSortSame.Visible);
    QVERIFY(t.g.ui.CmdSortSuits.Visible);
    QCOMPARE(t.g.ui.Focus, std::string("CmdStock"));
    QCOMPARE(t.g.ui.LblBots.Caption, std::string("Player turn to play."));
    QCOMPARE(t.g.ui.LblP.Caption,
             std::string("Player  click below on either Take Discard button or Take Stock button."));
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
