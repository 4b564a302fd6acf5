// The turns of a round: handing the turn to the seat whose flag is set,
// drawing from the stock or the discard pile, the piles' layout, the
// renewal of an empty stock, and the rest of a robot's turn.

#include <string>

#include "game/Game.h"
#include "robots/Robots.h"

namespace meldora {

namespace {
constexpr int kStockLeft = 480;
constexpr int kStockTop = 600;
constexpr int kDiscardLeft = 13320;
constexpr int kDiscardTop = 8280;

// Where a card travelling to a seat ends up before the hand is re-laid.
void HandArea(int seat, int& left, int& top) {
    switch (seat) {
        case 0: left = 5000; top = 8160; break;
        case 1: left = 240; top = 3400; break;
        case 2: left = 5400; top = 450; break;
        default: left = 14000; top = 3400; break;
    }
}
}  // namespace

void Game::MainLoop() {
    for (int s = 0; s < 4; ++s) {
        if (!IsTurn[s]) continue;
        SetStatus(5, SeatName(s) + " playing now.");
        if (s == 0)
            PlayP();
        else
            PlayBots(*this, s);
        return;
    }
}

void Game::PlayP() {
    if (RoundOver || GameOver) return;
    ShowGameText(PlayerName() + " turn to play.");
    ui.CmdStock.Visible = true;
    ui.CmdDiscard.Visible = true;
    ui.SetFocus("CmdStock");
    ui.CmdSortSame.Visible = true;
    ui.CmdSortSuits.Visible = true;
    if (!PlayerHasDrawn)
        ShowPlayerText(" click below on either Take Discard button or Take Stock button.");
}

void Game::TakingDeck(int seat) {
    ShowSeatText(seat, "wants Stock card so Discard card on offer to others.");
    MayIFrom(seat);
    if (RoundOver || GameOver) return;
    CollectHand(seat);
    ui.LblP.Caption = " ";
    TakeDeckCard(seat);
    CardTakenBotsAction(seat);
}

void Game::TakingDiscard(int seat) {
    ShowSeatText(seat, " is taking the Discard card so not on offer to other players.");
    TakeDiscard(seat);
    CardTakenBotsAction(seat);
}

void Game::TakeDeckCard(int seat) {
    ShowSeatText(seat, "is taking Stock Card.");
    const int c = GetSingleCard();
    if (c == 0) return;
    AnimateStockCard(seat, c);
    GiveCardToSeat(seat, c);
    RedrawStock();
}

void Game::ShowDiscardCount() {
    ui.LblDiscard.Caption = "In Discard:- " + std::to_string(DiscardCount);
}

void Game::TakeDiscard(int seat) {
    if (DiscardCount == 0) {
        ShowDiscardCount();
        return;
    }
    const int t = DiscardPile[DiscardCount];
    ShowSeatText(seat, " taking Discard " + CardTable[t].FullName +
                           " card so not on offer other players.");
    LastDiscardTaken = t;
    MoveDiscardTo(seat);
    GiveCardToSeat(seat, t);
    DiscardCount -= 1;
    RedrawDiscard();
    ShowDiscardCount();
}

int Game::GetSingleCard() {
    int inStock = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (CardTable[c].Location == LocStock) ++inStock;
    if (StockCount == 0 || inStock == 0) {
        if (StockRenewals >= 3) {
            AnyWinner(0);
            return 0;
        }
        StockCount = 0;
        RenewStock();
        StockRenewals += 1;
        if (StockRenewals >= 3) {
            AnyWinner(0);
            return 0;
        }
        inStock = StockCount;
        if (inStock == 0) return 0;  // nothing under the top discard to renew from
    }
    // Every card still in the stock is equally likely.
    for (;;) {
        const int c = 1 + rng.Below(kCardCount);
        if (CardTable[c].Location == LocStock) return c;
    }
}

void Game::RenewStock() {
    const std::string times = std::to_string(StockRenewals);
    const std::string prompt =
        StockRenewals < 3
            ? "Stock card pile is empty and has been replaced " + times +
                  " times. Discard cards, except the top card, will now be placed in Stock pile."
            : "Stock card pile is empty and has been replaced " + times +
                  " times. Game will now finish and penalty points given as currently in hands.";
    ShowMessage(prompt, "Right", "", "", "Stock empty");
    const int top = TopDiscard();
    for (int c = 1; c <= kCardCount; ++c) {
        if (CardTable[c].Location != LocDiscard || c == top) continue;
        CardTable[c].Location = LocStock;
        ui.Cds[c].Visible = true;
        StockCount += 1;
        ui.LblStock.Caption = "In Stock:- " + std::to_string(StockCount);
    }
    for (int& c : DiscardPile) c = 0;
    DiscardPile[1] = top;
    DiscardCount = top > 0 ? 1 : 0;
    RedrawDiscard();
    ShowDiscardCount();
    RedrawStock();
}

void Game::RedrawStock() {
    StockCount = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (CardTable[c].Location == LocStock) ui.Cds[c].Visible = false;
    for (int c = 1; c <= kCardCount; ++c) {
        if (CardTable[c].Location != LocStock) continue;
        CardImage& img = ui.Cds[c];
        img.Picture = kPicBack;
        img.Enabled = false;
        img.Left = kStockLeft + 2 * StockCount;
        img.Top = kStockTop - 2 * StockCount;
        ui.BringToFront(img);
        img.Visible = true;
        StockCount += 1;
    }
    ui.LblStock.Caption = "In Stock:-  " + std::to_string(StockCount);
}

void Game::RedrawDiscard() {
    DiscardLeft = kDiscardLeft;
    for (int k = 1; k <= DiscardCount; ++k) {
        CardImage& img = ui.Cds[DiscardPile[k]];
        img.Left = DiscardLeft;
        img.Top = kDiscardTop;
        img.Picture = DiscardPile[k];
        img.Visible = true;
        img.Enabled = false;
        ui.BringToFront(img);
        DiscardLeft += 2;
    }
}

void Game::AnimateTo(int card, int left, int top, int steps) {
    CardImage& img = ui.Cds[card];
    const int fromLeft = img.Left, fromTop = img.Top;
    img.Visible = true;
    for (int step = 1; step <= steps; ++step) {
        img.Left = fromLeft + (left - fromLeft) * step / steps;
        img.Top = fromTop + (top - fromTop) * step / steps;
        ui.BringToFront(img);
        Pause();
    }
}

void Game::AnimateStockCard(int seat, int card) {
    PauseLength = 150;
    if (seat == 0) ShowFace(card);
    int left = 0, top = 0;
    HandArea(seat, left, top);
    AnimateTo(card, left, top, 3);
    PauseLength = settings.Speed;
}

void Game::MoveDiscardTo(int seat) {
    const int t = TopDiscard();
    if (t == 0) return;
    PauseLength = 500;
    int left = 0, top = 0;
    HandArea(seat, left, top);
    AnimateTo(t, left, top, 2);
    PauseLength = settings.Speed;
}

void Game::CardTakenBotsAction(int seat) {
    if (RoundOver || GameOver) return;
    CollectHand(seat);
    if (Round <= 5 || (Round == 6 && HasContract[seat]) || Round == 7) {
        CheckSwapJoker(*this, seat);
        CheckSwapJoker(*this, seat);
    }
    if (RoundOver || GameOver) return;
    if (HasContract[seat])
        LayOffCardBots(*this, seat);
    else
        MakeContractForRound(*this, seat);
    if (RoundOver || GameOver) return;
    ShowSeatText(seat, "will now discard a card.");
    if (!HasContract[seat]) {
        DiscardBotsNoContract(*this, seat);
        WhoPlaysNext(seat);
    } else {
        DiscardBotsWithContract(*this, seat);
        if (!RoundOver && !GameOver) WhoPlaysNext(seat);
    }
}

void Game::WhoPlaysNext(int seat) {
    if (seat >= 0 && seat <= 3) HasDiscarded[seat] = false;
    for (int m = 1; m <= kMeldSlots; ++m) {
        if (MeldTable[m].Kind != kKindRun) continue;
        for (int c = kFirstJoker; c <= kCardCount; ++c)
            if (CardTable[c].Location == LocMeld && CardTable[c].InMeld[m]) ui.Cds[c].Enabled = true;
    }
    if (onTurnDone) onTurnDone(seat);
    if (RoundOver || GameOver) return;
    switch (seat) {
        case 1:
            IsTurn[2] = true;
            ShowGameText(SeatName(2) + " will now take turn");
            IsTurn[1] = false;
            break;
        case 2:
            IsTurn[3] = true;
            ShowGameText(SeatName(3) + " will now take turn");
            IsTurn[2] = false;
            break;
        case 3:
            IsTurn[0] = true;
            ShowGameText(PlayerName() + " it's now your turn");
            ShowPlayerText("it's now your turn to play");
            IsTurn[3] = false;
            break;
        default:
            return;
    }
    MainLoop();
}

void Game::BackYouGo(int card) {
    if (card < 1 || card > kCardCount) return;
    CardImage& img = ui.Cds[card];
    img.Visible = false;
    img.Left = SavedLeft;
    img.Top = SavedTop;
    img.Visible = true;
    if (IsJoker(card)) {
        CardTable[card].Value = kValueJoker;
        CardTable[card].Suit = SuitNone;
    }
    SortHandP();
}

}  // namespace meldora
