#pragma once
// Whole seeded games without a window: the robots play as they do in the
// program, and the player's seat follows a simple script (draw from the
// stock, pass every "May I?", discard the costliest card).

#include <cstdint>
#include <string>
#include <vector>

#include "game/Game.h"
#include "headless/HeadlessHost.h"

namespace meldora {

struct SelfPlayCounts {
    int games = 0;
    int rounds = 0;
    int robotTurns = 0;
    int robotClaims = 0;           // "May I?" said by a robot
    int contractsByRound[8] = {};  // robot contracts laid, by round
    int layOffs = 0;               // cards laid off by robots
    int jokerSteals = 0;           // Jokers taken back from runs by robots
    int goOuts = 0;                // rounds ended by an empty hand
    int renewals = 0;              // stock renewals
    int exhaustedRounds = 0;       // rounds ended by the third renewal
    std::vector<std::string> faults;  // broken invariants, with where

    void Add(const SelfPlayCounts& other);
};

class SelfPlay {
public:
    // With `check`, the table, its layout and the board are checked after
    // every turn and at every deal; broken rules land in counts().faults.
    // Errors the game reports always count.
    explicit SelfPlay(std::uint64_t seed, bool check = true);

    // Plays one whole game of seven rounds and adds to the counts.
    void PlayGame();

    const SelfPlayCounts& counts() const { return counts_; }
    Game& game() { return g_; }

private:
    void PlayerTurn();
    void Observe(int seat);
    void EndOfRound();
    void Fault(int seat, const std::string& what);

    HeadlessHost host_;
    Settings settings_;
    Random rng_;
    Game g_;
    SelfPlayCounts counts_;
    int jokerLoc_[4] = {};
    int laidOff_ = 0;  // cards laid off so far this round
    std::string lastFault_;
    bool check_;
};

// The scripted player's turn, through the game's own routines: offer the
// discard and draw from the stock, then discard the costliest card.
void ScriptedPlayerTurn(Game& g);

}  // namespace meldora
