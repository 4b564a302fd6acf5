#pragma once
// What the contract routines share beyond the public robot interface: the
// choice of a set's cards, the dry run that proves a whole contract can be
// laid card for card, and laying a set that leaves cards for a later set of
// the same value.

#include <vector>

namespace meldora {

class Game;

// One meld of a contract about to be laid, in laying order.
struct PlannedMeld {
    int kind = 0;      // kKindRun or kKindSet
    int runSlot = 0;   // runs: the seat's run slot 1..3
    int setValue = 0;  // sets: the value 1..13
};

// The cards a set of `value` takes from `hand` (card numbers, in list
// order): natural cards first in list order, then Jokers standing for the
// value, three at most. `naturalsToLeave` natural cards of the value are
// left behind for later sets of the same value, so that each of them can
// still be made with at most one Joker.
std::vector<int> PickSetCards(const Game& g, const std::vector<int>& hand, int value,
                              int naturalsToLeave);

// How many natural cards a set must leave for the sets after it in `melds`
// that have the same value.
int NaturalsToLeave(const PlannedMeld* melds, int count, int index);

// Plays the laying of `melds` through on a copy of the seat's hand: true
// when every run finds its four recorded cards, every set three cards, and
// no meld takes more than one Joker or a card another meld took.
bool ContractLaysCleanly(const Game& g, int seat, const PlannedMeld* melds, int count);

}  // namespace meldora
