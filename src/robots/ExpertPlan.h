#pragma once
// The Expert robots' contract planner: the best way to build the round's
// contract from a hand, counting each missing card by how many copies of it
// are still to be had, and what the cards left over would cost. A pure
// function of counts; it reads nothing of the game.
//
// A missing card of which k copies may still come weighs 2 / k (so a card
// with both copies about weighs 1, one with none a dead 40); a set's
// missing card counts the copies of its value in every suit.

#include <vector>

#include "robots/ExpertView.h"

namespace meldora {

// Run positions: 1 (a low Ace) .. 13 (King), 14 a high Ace.
constexpr int kHighAcePosition = 14;
inline int ValueAt(int position) { return position == kHighAcePosition ? 1 : position; }

// Penalty points of a natural card of the value.
int ValuePoints(int value);

struct PlanMeld {
    int kind = 0;
    int suit = -1;       // a run's suit index
    int low = 0;         // a run's lowest position: it holds low .. low + 3
    int value = 0;       // a set's value
    int jokerAt = 0;     // the run position a Joker fills; for a set, 1 when it has one
    int missing = 0;     // cards the meld still lacks
    double cost = 0;     // how hard those are to get
};

struct PlanInputs {
    int round = 0;
    CardCounts live;               // copies that may still come to the hand
    double pointWeight = 0.01;     // weight of a point left in the hand
};

struct Plan {
    std::vector<PlanMeld> melds;   // the best plan, in the contract's slot order
    // How far the hand is from its contract: the best plan's missing cards
    // weighed, and the points it leaves over, less a credit for other
    // plans nearly as good.
    double cost = 0;
    int missing = 0;               // the best plan's missing cards
    bool Complete() const { return !melds.empty() && missing == 0; }
};

// The plan of least cost for the hand.
Plan BestPlan(const CardCounts& hand, const PlanInputs& in);

// The hand's cards for each meld of a complete plan, in laying order (a run
// from its lowest card up, a set's Joker last), with what each stands for:
// value 1..13 (a high Ace as 1) and suit code (SuitNone in a set).
struct LaidCard {
    int card = 0;
    int value = 0;
    int suit = SuitNone;
};
std::vector<std::vector<LaidCard>> CardsForPlan(const std::vector<int>& hand, const Plan& plan);

}  // namespace meldora
