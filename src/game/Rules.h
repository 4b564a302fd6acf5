#pragma once
// Questions about the table that change nothing: how big a contract meld
// is, whether a card may be laid off onto a meld, what a Joker takes when it
// is laid off or stands in a run. The robots and the autopilot ask them.

#include "game/Cards.h"

namespace meldora {

class Game;

// Cards in a contract meld of the kind: four in a run, three in a set.
int MeldSize(int kind);

// A card standing for `value` (1..13) and `suit` may be laid off onto the
// meld: it is complete, and it is a set of that value, or a run of that
// suit that the card extends at either end (an Ace also above a King).
bool MayLayOff(const MeldRecord& meld, int value, int suit);

// The value and suit a Joker stands for when laid off onto the meld: the
// set's value; for a run the card above it (a high Ace above a King), or
// the card below it when nothing goes above. False when the meld takes no
// Joker.
bool JokerLayOffValue(const MeldRecord& meld, int& value, int& suit);

// The run slot a Joker lies in, 0 when it lies in no run; `value` and
// `suit` are then what it stands for there (value 1 for a high Ace).
int RunJokerStandsFor(const Game& g, int joker, int& value, int& suit);

}  // namespace meldora
