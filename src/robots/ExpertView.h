#pragma once
// What one seat sees of the table, and all an Expert robot decides from:
// its own hand, the melds, the discard pile, how many cards each seat holds,
// who has laid a contract, and the pile's story this round (who threw and
// who took which card). Nothing of the stock or of another hand.

#include <vector>

#include "game/Cards.h"
#include "game/TableRecord.h"

namespace meldora {

class Game;

// Natural cards by suit index (0..3: Diamonds, Clubs, Hearts, Spades) and
// value 1..13, and the Jokers.
struct CardCounts {
    int n[4][14] = {};
    int jokers = 0;

    void Add(int card, int by = 1);
    int OfValue(int value) const { return n[0][value] + n[1][value] + n[2][value] + n[3][value]; }
};


// A Joker lying in a run, and the card it stands for there (a high Ace as 1).
struct RunJoker {
    int joker = 0;
    int slot = 0;
    int value = 0;
    int suit = SuitNone;
};

struct SeatView {
    int seat = 0;
    int round = 0;
    std::vector<int> hand;        // the seat's own cards, by card number
    int handCount[4] = {};
    bool hasContract[4] = {};
    bool contractThisTurn = false;  // laid this turn: nothing laid off until the next
    int top = 0;                  // the top discard, 0 when the pile is empty
    std::vector<int> pile;        // the discard pile, bottom card first
    MeldRecord melds[kMeldSlots + 1];
    std::vector<PileEvent> events;  // the pile's story this round
    std::vector<RunJoker> runJokers;

    // Worked out from the above.
    CardCounts own;               // the hand
    CardCounts unseen;            // copies the seat has not seen anywhere
    CardCounts held[4];           // cards each other seat took from the pile and still holds

    int Dealt() const { return CardsDealt(round); }
    int Next() const { return (seat + 1) % 4; }
};

// The view of `seat` on the table as it is now.
SeatView ViewFor(const Game& g, int seat);

}  // namespace meldora
