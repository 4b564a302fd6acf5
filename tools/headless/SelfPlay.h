#pragma once
// Whole seeded games without a window: the robots play as they do in the
// program, and the player's seat is played by the autopilot through the
// player's own controls.

#include <cstdint>
#include <string>
#include <vector>

#include "game/Game.h"
#include "headless/Autopilot.h"
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
    AutopilotCounts player;        // what the autopilot did in the player's seat
    long long points[4] = {};      // each seat's game totals, added up
    double wins[4] = {};           // games won; a shared lowest total shares the game
    int contractsBySeat[4][8] = {};  // contracts on the table when each round ended
    std::vector<std::string> faults;  // broken invariants, with where

    void Add(const SelfPlayCounts& other);
};

class SelfPlay {
public:
    // With `check`, the table, its layout and the board are checked after
    // every turn and at every deal; broken rules land in counts().faults.
    // Errors the game reports always count.
    // `robots` play West, North and East (the designed robots unless told).
    explicit SelfPlay(std::uint64_t seed, bool check = true);
    SelfPlay(std::uint64_t seed, bool check, RobotSeats& robots);

    // The player's cards are moved with the keys alone from now on.
    void UseKeys() { pilot_.useKeys(); }
    // The player's seat does exactly what the Hint command says.
    void UseHints() { pilot_.useHints(); }

    // Plays one whole game of seven rounds and adds to the counts, on the
    // given deal number or on a new one for 0.
    void PlayGame(int deal = 0);

    const SelfPlayCounts& counts() const { return counts_; }
    Game& game() { return g_; }

private:
    void Observe(int seat);
    void EndOfRound();
    void NewRound();  // forget what was seen on the last round's table
    void Fault(int seat, const std::string& what);

    HeadlessHost host_;
    Settings settings_;
    Random rng_;
    Game g_;
    Autopilot pilot_{g_};
    SelfPlayCounts counts_;
    int jokerLoc_[4] = {};
    int onTable_ = 0;            // cards on the table at the last look
    bool hadContract_[4] = {};   // contracts laid at the last look
    std::string lastFault_;
    bool check_;
};

}  // namespace meldora
