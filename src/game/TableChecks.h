#pragma once
// The card table's checks. The game runs CheckTable after every turn when
// Game::CheckTurns is on (debug builds, tests and tools), so a fault shows
// at the turn that made it.

#include <string>

namespace meldora {

class Game;

// Empty when every invariant holds; otherwise a description of the first
// one broken.
std::string CheckTableInvariants(const Game& g);

// The checks that hold after every turn: the invariants, the melds and the
// layout; empty when all hold.
std::string CheckTable(const Game& g);

// Empty when every meld on the table is one the rules allow: a run of one
// suit in sequence (a high Ace above the King) whose Low and High are its
// ends, a set of one value, complete exactly when it has its size; and the
// player's natural cards show their own value and suit.
std::string CheckMelds(const Game& g);

// Empty when every card image lies where its card is, between turns: the
// stock face down and out of play in its stack, the discard pile face up in
// pile order, meld cards down their column, the robots' hands face down in
// their places (face up and spread once the round is over), the player's
// hand face up along the bottom; only the player's cards and the Jokers in
// runs take the mouse.
std::string CheckTableLayout(const Game& g);

// Empty when a round just dealt starts clean: nothing of the last round
// (melds, contracts, renewals, turn flags, Jokers laid, the board) is left,
// every hand holds the deal, and the points so far add up to the totals
// shown in the "Penalty Points" panel.
std::string CheckFreshRound(const Game& g);

// Empty when a round just scored shows on the board what it holds: each
// played round's points in its cell, the totals their sum, nothing in the
// rounds still to come.
std::string CheckRoundScores(const Game& g);

}  // namespace meldora
