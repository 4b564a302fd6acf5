#pragma once
// How far a hand is from the round's contract, and which cards would lay it:
// the view of a hand that the hints and the autopilot play by. Pure
// functions of card numbers; they read nothing of the game.

#include <vector>

#include "game/Cards.h"

namespace meldora {

// A card of a planned meld and what it stands for there: value 1..13 (an
// Ace is 1 also above a King) and suit code (SuitNone for a Joker in a set).
struct PlannedCard {
    int card = 0;
    int value = 0;
    int suit = SuitNone;
};

// One contract meld: its kind, how many cards it still lacks, and the cards
// it has in laying order (a run from its lowest card up, a set's Joker last).
struct PlannedMeld {
    int kind = 0;
    int missing = 0;
    std::vector<PlannedCard> cards;
};

struct HandPlan {
    // Higher is nearer the contract; the same hand always gets the same score.
    int score = 0;
    // One meld per contract slot, in slot order (runs before sets).
    std::vector<PlannedMeld> melds;

    bool Complete() const;
    // The card belongs to a meld that has at least `minCards` cards already.
    bool Holds(int card, int minCards = 1) const;
};

// The best contract of `round` (1..7) the hand can build: a set is three
// cards of one value, a run four of one suit in sequence (Ace low below a
// Two or high above a King), each meld with at most one Joker.
HandPlan PlanContract(const std::vector<int>& hand, int round);

// Score of a meld lacking `missing` cards: completing a meld is worth most.
int MeldScore(int missing);

}  // namespace meldora
