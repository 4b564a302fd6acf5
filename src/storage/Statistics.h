#pragma once
// The arithmetic of the games-played statistics: games played is the sum of
// the games won by the four seats, and each seat's share is its games won
// times 100 divided by games played, truncated. Wide types keep the shares
// right however many games have been won.

#include <array>

namespace meldora {

struct GamesStatistics {
    long long Played = 0;
    bool HasPercent = false;  // only when at least one game was played
    std::array<long long, 4> Percent{};
};

inline GamesStatistics ComputeGamesStatistics(const std::array<int, 4>& won) {
    GamesStatistics stats;
    for (int w : won) stats.Played += w;
    stats.HasPercent = stats.Played >= 1;
    if (stats.HasPercent)
        for (int s = 0; s < 4; ++s) stats.Percent[s] = static_cast<long long>(won[s]) * 100 / stats.Played;
    return stats;
}

}  // namespace meldora
