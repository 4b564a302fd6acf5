#pragma once
// Small helpers shared by the robots' take, lay-off and discard routines.

#include "game/Game.h"
#include "game/Guard.h"

namespace meldora::robots {

inline bool RoundHalted(const Game& g) { return g.RoundOver || g.GameOver; }

// Card at position p of the work list, range-checked: a stale position is
// reported as an error rather than read past the end.
inline int HandAt(const Game& g, int p) { return g.HandCards.at(static_cast<std::size_t>(p)); }

// A card leaving a robot's hand goes back to what it naturally is: a finder
// may have made an Ace count 14 (above a King) or given a Joker a value and
// suit, and neither must reach the next holder or the table by accident.
inline void RestoreNaturalValue(Game& g, int card) {
    CardRecord& c = g.CardTable[card];
    c.Value = NaturalValue(card);
    c.Suit = NaturalSuit(card);
}

}  // namespace meldora::robots
