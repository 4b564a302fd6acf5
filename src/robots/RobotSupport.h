#pragma once
// Small helpers shared by the robots' take, lay-off and discard routines.

#include <exception>
#include <utility>

#include "game/Game.h"

namespace meldora::robots {

// Runs body and turns an unexpected error into the program's error report
// under the routine's name; the routine then answers `fallback`. A chain
// that is being aborted (ChainAborted) is not an error and passes through.
template <typename R, typename F>
R Guarded(Game& g, const char* name, R fallback, F&& body) {
    try {
        return std::forward<F>(body)();
    } catch (const std::exception& e) {
        g.ReportError(name, e.what());
        return fallback;
    }
}

template <typename F>
void Guarded(Game& g, const char* name, F&& body) {
    try {
        std::forward<F>(body)();
    } catch (const std::exception& e) {
        g.ReportError(name, e.what());
    }
}

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
