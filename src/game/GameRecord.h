#pragma once
// One finished game as the history keeps it: when it ended, the deal it was
// played on, the robots' level, the four seats' names and points per
// round, and the winner.

#include <array>
#include <string>

namespace meldora {

// The seat with the unique lowest of four totals, or -1 when the lowest is shared.
inline int UniqueLowest(const int (&totals)[4]) {
    for (int s = 0; s < 4; ++s) {
        bool lowest = true;
        for (int o = 0; o < 4; ++o)
            if (o != s && totals[s] >= totals[o]) lowest = false;
        if (lowest) return s;
    }
    return -1;
}

struct GameRecord {
    std::string Date;  // local time the game ended, "YYYY-MM-DD HH:MM"
    int DealNumber = 0;
    bool ExpertRobots = false;
    std::array<std::string, 4> Names;  // player, West, North, East
    int Points[4][8] = {};             // (seat, round 1..7); element 0 unused
    int Winner = -1;                   // the seat with the lowest total; -1 a tie

    int Total(int seat) const {
        int total = 0;
        for (int r = 1; r <= 7; ++r) total += Points[seat][r];
        return total;
    }
    int LowestSeat() const {
        const int totals[4] = {Total(0), Total(1), Total(2), Total(3)};
        return UniqueLowest(totals);
    }
};

// The word for the robots' level, in the history file and in the window.
inline const char* RobotLevelWord(bool expert) { return expert ? "Expert" : "Standard"; }

}  // namespace meldora
