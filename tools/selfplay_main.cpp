// Plays seeded whole games without a window and reports what the robots did
// and how long a game and a robot turn take.
//
//   meldora_selfplay [games] [first-seed]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "headless/SelfPlay.h"

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 200;
    const unsigned long long firstSeed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    meldora::SelfPlayCounts total;
    std::vector<double> gameMs;
    std::vector<double> turnUs;
    int faults = 0;
    for (int i = 0; i < games; ++i) {
        meldora::SelfPlay play(firstSeed + i);
        const auto start = std::chrono::steady_clock::now();
        play.PlayGame();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const meldora::SelfPlayCounts& c = play.counts();
        gameMs.push_back(ms);
        if (c.robotTurns > 0) turnUs.push_back(ms * 1000.0 / c.robotTurns);
        total.Add(c);
        for (const auto& f : c.faults) {
            if (faults++ < 20) std::printf("seed %llu: %s\n", firstSeed + i, f.c_str());
        }
    }
    auto median = [](std::vector<double> v) {
        if (v.empty()) return 0.0;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("games %d, rounds %d, robot turns %d\n", games, total.rounds, total.robotTurns);
    std::printf("robot May I claims %d, lay-offs %d, Joker steals %d\n", total.robotClaims,
                total.layOffs, total.jokerSteals);
    std::printf("robot contracts by round:");
    for (int r = 1; r <= 7; ++r) std::printf(" %d", total.contractsByRound[r]);
    std::printf("\nrounds won by going out %d, ended by the third renewal %d, renewals %d\n",
                total.goOuts, total.exhaustedRounds, total.renewals);
    std::printf("median per game %.3f ms, median per robot turn %.2f us\n", median(gameMs),
                median(turnUs));
    std::printf("faults %d\n", faults);
    return faults == 0 ? 0 : 1;
}
