// The primitives that keep the card table consistent when a card changes
// hands or goes to the table. Players and robots both use them.

#include <string>

#include "game/Describe.h"
#include "game/Game.h"

namespace meldora {

namespace {
using layout::kMeldCardStep;
using layout::kMeldCardTop;
using layout::MeldColumnLeft;

void BubbleSortByValue(const CardRecord* table, std::vector<int>& list, int n) {
    for (int pass = 1; pass < n; ++pass)
        for (int i = 1; i < n; ++i)
            if (table[list[i]].Value > table[list[i + 1]].Value) std::swap(list[i], list[i + 1]);
}
}  // namespace

void Game::CollectHand(int seat) {
    if (seat < 0 || seat > 3) return;
    if (CardsInHand[seat] > 0) HandCards.assign(CardsInHand[seat] + 1, 0);
    int next = 1;
    for (int c = 1; c <= kCardCount; ++c) {
        if (CardTable[c].Location != seat) continue;
        if (next < static_cast<int>(HandCards.size()))
            HandCards[next] = c;
        else
            HandCards.push_back(c);
        ++next;
        if (seat == 0) ui.Cds[c].Enabled = true;
    }
}

void Game::SortHandCardsByValue() { BubbleSortByValue(CardTable, HandCards, HandCount()); }

void Game::GiveCardToSeat(int seat, int card) {
    if (seat < 0 || seat > 3 || card < 1 || card > kCardCount) return;
    CardsInHand[seat] += 1;
    SetStatus(4, "Cards in Hand:- " + std::to_string(CardsInHand[0]));
    CardRecord& c = CardTable[card];
    c.Location = seat;
    // A card in a hand always shows its own value: a Joker stands for
    // nothing until it is laid again, and an Ace is low.
    c.Value = NaturalValue(card);
    if (IsJoker(card)) c.Suit = SuitNone;
    if (seat != 0) {
        SortHandAll(seat);
    } else {
        GetPoints(0);
        SetStatus(3, "Points in Hand:- " + std::to_string(RoundPoints[0][Round]));
        SortHandP();
    }
    CollectHand(seat);
    SortHandCardsByValue();
}

void Game::DiscardCard(int card) {
    if (card < 1 || card > kCardCount) return;
    ShowFace(card);
    const int from = CardTable[card].Location;
    if (from == LocPlayer) Say("You discard the " + CardName(card), SpeechKind::Player);
    PileRecord.Discarded(from >= 0 && from <= 3 ? from : -1, card);
    DiscardCount += 1;
    ui.LblDiscard.Caption = "In Discard:-  " + std::to_string(DiscardCount);
    CardTable[card].Location = LocDiscard;
    DiscardPile[DiscardCount] = card;
    MarkJokers();
    RedrawDiscard();
    PlayCardDownSound();
}

void Game::RemoveCard(int seat, int count) {
    if (RoundOver || seat < 0 || seat > 3 || CardsInHand[seat] <= 0) return;
    CardsInHand[seat] -= count;
    if (seat == 0) SetStatus(4, "Cards in Hand:- " + std::to_string(CardsInHand[0]));
    if (CardsInHand[seat] > 0) {
        CollectHand(seat);
        if (seat != 0)
            SortHandAll(seat);
        else
            GetPoints(0);
    }
}

// The player's card laid in a meld, as a listener hears it.
void Game::TellLaid(int card, int slot) {
    Say(CardNameInPlay(*this, card) + " on " + MeldColumnTitle(*this, slot), SpeechKind::Player);
}

void Game::PutInMeld(int slot, int card) {
    if (slot < 1 || slot > kMeldSlots || card < 1 || card > kCardCount) return;
    CardRecord& c = CardTable[card];
    c.Location = LocMeld;
    c.InMeld[slot] = true;
    MeldTable[slot].Count += 1;
}

void Game::SwapWithMeld(int seat, int slot, int joker, int natural) {
    if (seat < 0 || seat > 3 || slot < 1 || slot > kMeldSlots) return;
    CardRecord& j = CardTable[joker];
    CardRecord& h = CardTable[natural];
    h.Value = j.Value;  // a high Ace stays above the King
    h.InMeld[slot] = true;
    h.Location = LocMeld;
    j.InMeld[slot] = false;
    j.Location = seat;
    j.Value = kValueJoker;
    j.Suit = SuitNone;
}

void Game::ReturnFromMeld(int seat, int slot, int card) {
    if (slot < 1 || slot > kMeldSlots || card < 1 || card > kCardCount) return;
    CardTable[card].InMeld[slot] = false;
    GiveCardToSeat(seat, card);
}

int Game::TakeTopDiscard(int seat) {
    if (DiscardCount == 0) return 0;
    const int card = DiscardPile[DiscardCount];
    GiveCardToSeat(seat, card);
    DiscardCount -= 1;
    return card;
}

void Game::PlaceInMeld(int seat, int slot, int card) {
    PutInMeld(slot, card);
    if (seat != 0) MoveCardToMeld(seat, slot, card);
    else TellLaid(card, slot);
    if (MeldTable[slot].Kind == kKindRun)
        SortMeldsRun(slot);
    else
        SortMeldsSet(slot);
    RemoveCard(seat, 1);
    PlayCardDownSound();
}

namespace {
void MoveImage(TableModel& ui, int card, layout::Point to) {
    CardImage& image = ui.Cds[card];
    image.Left = to.left;
    image.Top = to.top;
    image.Visible = true;
    ui.BringToFront(image);
}
}  // namespace

void Game::MoveCardToMeld(int seat, int slot, int card) {
    if (card < 1 || card > kCardCount) return;
    PaceScope pace(*this, kCardTravelMs);
    ShowFace(card);
    MarkJokers();
    const layout::Path path = layout::MeldPath(seat);
    for (int step = 0; step < path.count; ++step) {
        MoveImage(ui, card, path.spots[step]);
        if (step + 1 < path.count) Pause();
    }
    if (slot >= 1 && slot <= kMeldSlots) {
        const int below = MeldTable[slot].Count > 0 ? MeldTable[slot].Count - 1 : 0;
        MoveImage(ui, card, {MeldColumnLeft(slot), kMeldCardTop + kMeldCardStep * below});
    }
    PlayCardDownSound();
}

void Game::MoveCardToHand(int seat, int card) {
    if (card < 1 || card > kCardCount) return;
    PaceScope pace(*this, kSlowTravelMs);
    MarkJokers();
    const layout::Path path = layout::MeldPath(seat);
    for (int step = path.count - 1; step >= 0; --step) {
        MoveImage(ui, card, path.spots[step]);
        if (step > 0) Pause();
    }
}

namespace {
std::vector<int> MeldCards(const CardRecord* table, int slot, int count) {
    std::vector<int> cards{0};
    for (int c = 1; c <= kCardCount && static_cast<int>(cards.size()) - 1 < count; ++c)
        if (table[c].InMeld[slot]) cards.push_back(c);
    return cards;
}
}  // namespace

void Game::SortMeldsRun(int slot) {
    if (RoundOver) return;
    std::vector<int> cards = MeldCards(CardTable, slot, MeldTable[slot].Count);
    const int n = static_cast<int>(cards.size()) - 1;
    BubbleSortByValue(CardTable, cards, n);
    for (int i = 1; i <= n; ++i) {
        CardImage& img = ui.Cds[cards[i]];
        img.Left = MeldColumnLeft(slot);
        img.Top = kMeldCardTop + kMeldCardStep * (i - 1);
        img.Picture = cards[i];
        img.Visible = true;
        ui.BringToFront(img);
        img.Enabled = IsJoker(cards[i]) && MeldTable[slot].Kind == kKindRun;
    }
    if (n > 0) {
        MeldTable[slot].Low = CardTable[cards[1]].Value;
        MeldTable[slot].High = CardTable[cards[n]].Value;
    }
    MarkJokers();
}

void Game::SortMeldsSet(int slot) {
    if (RoundOver) return;
    std::vector<int> cards = MeldCards(CardTable, slot, MeldTable[slot].Count);
    auto place = [&](int card, int top) {
        CardImage& img = ui.Cds[card];
        img.Left = MeldColumnLeft(slot);
        img.Top = top;
        img.Picture = card;
        img.Visible = true;
        img.Enabled = false;  // a Joker in a set cannot be reclaimed
        ui.BringToFront(img);
    };
    // Jokers lie at the head of the column, each in a row of its own so a
    // second Joker laid off onto the set stays in view; the natural cards
    // follow below them.
    int top = kMeldCardTop;
    for (std::size_t i = 1; i < cards.size(); ++i) {
        if (!IsJoker(cards[i])) continue;
        place(cards[i], top);
        top += kMeldCardStep;
    }
    for (std::size_t i = 1; i < cards.size(); ++i) {
        if (IsJoker(cards[i])) continue;
        place(cards[i], top);
        top += kMeldCardStep;
    }
    MarkJokers();
}

// The stock is rebuilt twice a round; when it runs out a third time the
// round ends with the hands as they are, so nothing is moved then.
void Game::RenewStock() {
    const std::string times = std::to_string(StockRenewals);
    const bool lastTime = StockRenewals >= 2;
    const std::string prompt =
        !lastTime
            ? "Stock card pile is empty and has been replaced " + times +
                  " times. Discard cards, except the top card, will now be placed in Stock pile."
            : "Stock card pile is empty and has been replaced " + times +
                  " times. Game will now finish and penalty points given as currently in hands.";
    ShowMessage(prompt, "Right", "", "", "Stock empty");
    if (lastTime) return;
    PileRecord.Renewed();
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
    ShuffleRest();
    RedrawDiscard();
    ShowDiscardCount();
    RedrawStock();
}

void Game::MarkJokers() {
    for (int joker = kFirstJoker; joker <= kCardCount; ++joker) {
        CardImage& img = ui.Cds[joker];
        const int suit = CardTable[joker].Suit;
        img.Mark = JokerMark(*this, joker);
        img.MarkRed = !img.Mark.empty() && (suit == SuitHearts || suit == SuitDiamonds);
    }
}

}  // namespace meldora
