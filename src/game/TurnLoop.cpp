// The turns of a round: handing the turn to the seat whose flag is set,
// drawing from the stock or the discard pile, the piles' layout, the
// renewal of an empty stock, and the rest of a robot's turn.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "game/Describe.h"
#include "game/Game.h"
#include "game/TableChecks.h"

namespace meldora {

void Game::MainLoop() {
    for (int s = 0; s < 4; ++s) {
        if (!IsTurn[s]) continue;
        SetStatus(5, NameMark(s) + " playing now.");
        if (s == 0)
            PlayP();
        else
            Robots().PlayBots(*this, s);
        return;
    }
}

void Game::PlayP() {
    if (RoundOver || GameOver) return;
    ShowGameText(NameMark(0) + " turn to play.");
    ui.CmdStock.Visible = true;
    ui.CmdDiscard.Visible = true;
    ui.SetFocus("CmdStock");
    ui.CmdSortSame.Visible = true;
    ui.CmdSortSuits.Visible = true;
    if (!PlayerHasDrawn)
        ShowPlayerText(" click below on either Take Discard button or Take Stock button.");
}

void Game::TakeDeckCard(int seat) {
    ShowSeatText(seat, "is taking Stock Card.");
    const int c = GetSingleCard();
    if (c == 0) return;
    if (seat != 0) Say(SeatName(seat) + " takes a card from the stock", SpeechKind::Robot);
    else Say("You drew the " + CardName(c), SpeechKind::Player);
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
    if (seat != 0) Say(SeatName(seat) + " takes the " + CardName(t) + " from the discard pile", SpeechKind::Robot);
    else Say("You take the " + CardName(t) + " from the discard pile", SpeechKind::Player);
    ShowSeatText(seat, " taking Discard " + CardTable[t].FullName +
                           " card so not on offer other players.");
    LastDiscardTaken = t;
    PileRecord.Taken(seat, t);
    MoveDiscardTo(seat);
    TakeTopDiscard(seat);
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
        RenewStock();  // the third time it ends the round instead
        StockRenewals += 1;
        if (StockRenewals >= 3) {
            AnyWinner(0);
            return 0;
        }
        inStock = StockCount;
        if (inStock == 0) return 0;  // nothing under the top discard to renew from
    }
    // The next card of the stock's order that still lies in the stock; a
    // table laid out by hand has no order yet, so the stock is shuffled then.
    for (;;) {
        while (stockNext_ < stockOrder_.size()) {
            const int c = stockOrder_[stockNext_++];
            if (CardTable[c].Location == LocStock) return c;
        }
        ShuffleRest();
    }
}

std::uint64_t DealSeed(int deal, int round) {
    return static_cast<std::uint64_t>(deal) * 16 + static_cast<std::uint64_t>(round);
}

std::vector<int> Game::StockToCome() const {
    std::vector<int> cards;
    for (std::size_t i = stockNext_; i < stockOrder_.size(); ++i)
        if (CardTable[stockOrder_[i]].Location == LocStock) cards.push_back(stockOrder_[i]);
    return cards;
}

void Game::ShuffleStock() {
    dealRandom_ = Random(DealSeed(DealNumber, Round));
    ShuffleRest();
}

// The cards the stock holds now, in an order drawn from the deal's
// generator: every order is equally likely.
void Game::ShuffleRest() {
    stockOrder_.clear();
    stockNext_ = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (CardTable[c].Location == LocStock) stockOrder_.push_back(c);
    for (std::size_t i = stockOrder_.size(); i > 1; --i)
        std::swap(stockOrder_[i - 1], stockOrder_[dealRandom_.Below(static_cast<int>(i))]);
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
        img.Left = layout::kStock.left + layout::kPileStep * StockCount;
        img.Top = layout::kStock.top - layout::kPileStep * StockCount;
        ui.BringToFront(img);
        img.Visible = true;
        StockCount += 1;
    }
    ui.LblStock.Caption = "In Stock:-  " + std::to_string(StockCount);
}

void Game::RedrawDiscard() {
    DiscardLeft = layout::kDiscardPile.left;
    for (int k = 1; k <= DiscardCount; ++k) {
        CardImage& img = ui.Cds[DiscardPile[k]];
        img.Left = DiscardLeft;
        img.Top = layout::kDiscardPile.top;
        img.Picture = DiscardPile[k];
        img.Visible = true;
        img.Enabled = false;
        ui.BringToFront(img);
        DiscardLeft += layout::kPileStep;
    }
}

void Game::AnimateTo(int card, layout::Point to, int steps) {
    CardImage& img = ui.Cds[card];
    const int fromLeft = img.Left, fromTop = img.Top;
    img.Visible = true;
    for (int step = 1; step <= steps; ++step) {
        img.Left = fromLeft + (to.left - fromLeft) * step / steps;
        img.Top = fromTop + (to.top - fromTop) * step / steps;
        ui.BringToFront(img);
        Pause();
    }
}

void Game::AnimateStockCard(int seat, int card) {
    PaceScope pace(*this, kCardTravelMs);
    if (seat == 0) ShowFace(card);
    AnimateTo(card, layout::TravelTarget(seat), 3);
}

void Game::MoveDiscardTo(int seat) {
    const int t = TopDiscard();
    if (t == 0) return;
    PaceScope pace(*this, kSlowTravelMs);
    AnimateTo(t, layout::TravelTarget(seat), 2);
}

void Game::TurnDone(int seat) {
    if (CheckTurns) {
        const std::string fault = CheckTable(*this);
        if (!fault.empty()) {
            if (!onTableFault) {
                std::fprintf(stderr, "The table is broken after seat %d's turn in round %d: %s\n", seat, Round,
                             fault.c_str());
                std::abort();
            }
            onTableFault(seat, fault);
        }
    }
    if (onTurnDone) onTurnDone(seat);
}

void Game::WhoPlaysNext(int seat) {
    if (seat >= 0 && seat <= 3) HasDiscarded[seat] = false;
    for (int m = 1; m <= kMeldSlots; ++m) {
        if (MeldTable[m].Kind != kKindRun) continue;
        for (int c = kFirstJoker; c <= kCardCount; ++c)
            if (CardTable[c].Location == LocMeld && CardTable[c].InMeld[m]) ui.Cds[c].Enabled = true;
    }
    TurnDone(seat);
    if (RoundOver || GameOver) return;
    switch (seat) {
        case 1:
            IsTurn[2] = true;
            ShowGameText(NameMark(2) + " will now take turn");
            IsTurn[1] = false;
            break;
        case 2:
            IsTurn[3] = true;
            ShowGameText(NameMark(3) + " will now take turn");
            IsTurn[2] = false;
            break;
        case 3:
            IsTurn[0] = true;
            ShowGameText(NameMark(0) + " it's now your turn");
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
    ui.FollowMouse.Enabled(false);
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
