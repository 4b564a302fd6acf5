#include "game/Describe.h"

#include <algorithm>
#include <vector>

#include "game/Game.h"

namespace meldora {

namespace {

const char* const kValueWords[16] = {"",      "Ace",  "Two",   "Three", "Four",  "Five",
                                     "Six",   "Seven", "Eight", "Nine",  "Ten",   "Jack",
                                     "Queen", "King", "Joker", "Ace"};
const char* const kArticled[16] = {"",        "an Ace",  "a Two",    "a Three", "a Four",
                                   "a Five",  "a Six",   "a Seven",  "an Eight", "a Nine",
                                   "a Ten",   "a Jack",  "a Queen",  "a King",  "a Joker",
                                   "an Ace"};

const char* const kValueMarks[16] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "", "A"};

const char* SuitMark(int suit) {
    switch (suit) {
        case SuitDiamonds: return "\u2666";
        case SuitClubs: return "\u2663";
        case SuitHearts: return "\u2665";
        case SuitSpades: return "\u2660";
        default: return "";
    }
}

// A Joker tells what it stands for where the player sees it stand for a
// card: in a meld, or given its value in the player's own hand.
bool StandsForACard(const Game& g, int card) {
    if (!IsJoker(card)) return false;
    const CardRecord& c = g.CardTable[card];
    if (c.Location != LocMeld && c.Location != LocPlayer) return false;
    return c.Value >= 1 && c.Value != kValueJoker && c.Value <= kValueHighAce;
}

const char* SuitWord(int suit) {
    switch (suit) {
        case SuitDiamonds: return "Diamonds";
        case SuitClubs: return "Clubs";
        case SuitHearts: return "Hearts";
        case SuitSpades: return "Spades";
        default: return "";
    }
}

bool FaceShown(const Game& g, int card) {
    const int pic = g.ui.Cds[card].Picture;
    return pic >= 1 && pic <= kCardCount;
}

// 1-based place of `card` among the seat's cards, counted from the left
// (or the top for West and East, whose hands run down the table).
void PlaceInHand(const Game& g, int seat, int card, int& index, int& count) {
    std::vector<int> cards;
    for (int n = 1; n <= kCardCount; ++n)
        if (g.CardTable[n].Location == seat) cards.push_back(n);
    const bool sideways = seat == LocWest || seat == LocEast;
    std::stable_sort(cards.begin(), cards.end(), [&](int a, int b) {
        const CardImage& x = g.ui.Cds[a];
        const CardImage& y = g.ui.Cds[b];
        return sideways ? x.Top < y.Top : x.Left < y.Left;
    });
    count = static_cast<int>(cards.size());
    index = static_cast<int>(std::find(cards.begin(), cards.end(), card) - cards.begin()) + 1;
}

}  // namespace

std::string CardName(int card) {
    if (card < 1 || card > kCardCount) return "";
    if (IsJoker(card)) return "Joker";
    return std::string(kValueWords[NaturalValue(card)]) + " of " + SuitWord(NaturalSuit(card));
}

std::string CardNameInPlay(const Game& g, int card) {
    if (!StandsForACard(g, card)) return CardName(card);
    const CardRecord& c = g.CardTable[card];
    const std::string suit = SuitWord(c.Suit);
    if (suit.empty()) return std::string("Joker standing for ") + kArticled[c.Value];
    return std::string("Joker standing for the ") + kValueWords[c.Value] + " of " + suit;
}

std::string JokerMark(const Game& g, int card) {
    if (!StandsForACard(g, card) || !FaceShown(g, card)) return "";
    const CardRecord& c = g.CardTable[card];
    return std::string(kValueMarks[c.Value]) + SuitMark(c.Suit);
}

int MeldSlotOwner(int round, int slot) {
    if (round < 1 || round > 7 || slot < 1 || slot > kMeldSlots) return -1;
    const int melds = ContractForRound(round).meldCount;
    for (int seat = 0; seat < 4; ++seat) {
        const int first = FirstMeldSlot(seat, round);
        if (slot >= first && slot < first + melds) return seat;
    }
    return -1;
}

std::string SeatPossessive(const Game& g, int seat) {
    if (seat == 0) return "your";
    return g.SeatName(seat) + "'s";
}

std::string CardPlaceName(const Game& g, int card) {
    if (card < 1 || card > kCardCount) return "";
    const CardRecord& c = g.CardTable[card];
    switch (c.Location) {
        case LocPlayer:
        case LocWest:
        case LocNorth:
        case LocEast:
            return SeatPossessive(g, c.Location) + " hand";
        case LocStock:
            return "the stock";
        case LocDiscard:
            return "the discard pile";
        case LocMeld:
            for (int m = 1; m <= kMeldSlots; ++m) {
                if (!c.InMeld[m]) continue;
                const int owner = MeldSlotOwner(g.Round, m);
                const std::string kind = g.MeldTable[m].Kind == kKindRun ? "run" : "set";
                if (owner < 0) return "the meld table";
                return SeatPossessive(g, owner) + " " + kind;
            }
            return "the meld table";
        default:
            return "";
    }
}

std::string CardAccessibleName(const Game& g, int card) {
    if (card < 1 || card > kCardCount) return "";
    const int loc = g.CardTable[card].Location;
    std::string text = FaceShown(g, card) ? CardNameInPlay(g, card) : "Face-down card";
    const std::string place = CardPlaceName(g, card);
    if (!place.empty()) text += ", " + place;
    if (loc >= LocPlayer && loc <= LocEast) {
        int index = 0, count = 0;
        PlaceInHand(g, loc, card, index, count);
        text += ", card " + std::to_string(index) + " of " + std::to_string(count);
    }
    return text;
}

std::string MeldColumnTitle(const Game& g, int slot) {
    const int owner = MeldSlotOwner(g.Round, slot);
    if (owner < 0) return "";
    const Contract& contract = ContractForRound(g.Round);
    const int kind = contract.kinds[slot - FirstMeldSlot(owner, g.Round)];
    int alike = 0, nth = 0;
    for (int i = 0; i < contract.meldCount; ++i) {
        if (contract.kinds[i] != kind) continue;
        ++alike;
        if (FirstMeldSlot(owner, g.Round) + i == slot) nth = alike;
    }
    static const char* const kOrdinals[4] = {"", "first ", "second ", "third "};
    std::string title = SeatPossessive(g, owner) + " " + (alike > 1 ? kOrdinals[nth] : "") +
                        (kind == kKindRun ? "run" : "set");
    const MeldRecord& m = g.MeldTable[slot];
    if (m.Started && kind == kKindRun && m.RunSuit != SuitNone) title += std::string(" of ") + SuitWord(m.RunSuit);
    if (m.Started && kind == kKindSet && m.SetValue >= 1 && m.SetValue <= 13) {
        const std::string value = kValueWords[m.SetValue];
        title += " of " + value + (m.SetValue == 6 ? "es" : "s");
    }
    return title;
}

std::string MeldColumnName(const Game& g, int slot) {
    const std::string title = MeldColumnTitle(g, slot);
    if (title.empty()) return "";
    std::vector<int> cards;
    for (int n = 1; n <= kCardCount; ++n)
        if (g.CardTable[n].Location == LocMeld && g.CardTable[n].InMeld[slot]) cards.push_back(n);
    std::stable_sort(cards.begin(), cards.end(), [&](int a, int b) { return g.ui.Cds[a].Top < g.ui.Cds[b].Top; });
    std::string text = title + ":";
    for (size_t i = 0; i < cards.size(); ++i) text += (i ? ", " : " ") + CardNameInPlay(g, cards[i]);
    return cards.empty() ? text + " empty" : text;
}

std::string CarriedOverName(const Game& g) {
    const layout::Drop over = g.ui.Highlight;
    if (over.area == layout::DropArea::Discard) return "over the discard pile";
    if (over.area == layout::DropArea::Board) {
        const std::string title = MeldColumnTitle(g, over.column);
        return title.empty() ? "over an empty column" : "over " + title + " column";
    }
    return "over no place to put it";
}

std::string DiscardPileName(const Game& g) {
    if (g.DiscardCount <= 0) return "Discard pile: empty";
    const int top = g.TopDiscard();
    const std::string cards = g.DiscardCount == 1 ? " card" : " cards";
    return "Discard pile: " + CardName(top) + ", " + std::to_string(g.DiscardCount) + cards;
}

std::string StockName(const Game& g) {
    return "Stock: " + std::to_string(g.StockCount) + (g.StockCount == 1 ? " card" : " cards");
}

std::string CardReaderName(const Game& g, int card) {
    const int loc = g.CardTable[card].Location;
    if (loc == LocDiscard) return card == g.TopDiscard() ? DiscardPileName(g) : std::string();
    if (loc == LocStock && FaceShown(g, card)) return CardName(card);  // the opening show
    if (loc == LocStock) {
        for (int c = 1; c <= kCardCount; ++c)
            if (c != card && g.CardTable[c].Location == LocStock && g.ui.Cds[c].Visible &&
                g.ui.Cds[c].ZOrder > g.ui.Cds[card].ZOrder)
                return {};
        return StockName(g);
    }
    return CardAccessibleName(g, card);
}

}  // namespace meldora
