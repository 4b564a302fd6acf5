// Plays seeded whole games without a window and reports what the robots and
// the autopilot in the player's seat did, and how long a game and a robot
// turn take.
//
//   meldora_selfplay [--games N] [--seed S] [--check] [--keys] [--hints] [--robots standard|expert]
//                    [--history FILE]
//
// --robots chooses who plays West, North and East: the designed robots
// (standard, the default) or the Expert robots. Beside what the robots and
// the autopilot did, it prints each seat's mean points per game and share
// of the games won (a lowest total shared by k seats gives each 1/k of the
// game), and the contract rates per round of the autopilot and the robots.
// With --keys the autopilot moves the player's cards with the keyboard
// alone (focus, pick up, carry, let go), never with the pointer.
// With --hints every step of the player's turn is the one the Hint command
// names (the draw, the contract, a Joker to take, a lay-off, the discard).
// With --check the card table, its layout and the score board are checked
// after every turn; every broken rule is a violation, and the run fails
// unless there are none.
// With --history every finished game is added to FILE, a game history as
// the program keeps it (History.dat in the data folder).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "headless/SelfPlay.h"
#include "robots/Expert.h"
#include "robots/Robots.h"
#include "storage/History.h"

namespace {

// A data store that keeps only the history, in a file of its own.
class HistoryOnly : public meldora::DataStore {
public:
    explicit HistoryOnly(const char* file) : file_(file) {}
    std::vector<std::string> LoadSettings(meldora::Settings&) override { return {}; }
    std::string SaveNames(const meldora::Settings&) override { return {}; }
    std::string SaveStats(const meldora::Settings&) override { return {}; }
    std::string SaveSwitches(const meldora::Settings&) override { return {}; }
    std::string SaveGame(const meldora::SavedGame&) override { return {}; }
    meldora::LoadGameResult LoadGame(meldora::SavedGame&) override { return {}; }
    std::string CleanName(const std::string& typed) override { return typed; }
    std::string AddHistory(const meldora::GameRecord& game) override {
        const meldora::SaveResult r = meldora::AppendHistory(file_, game);
        if (!r.Ok) std::fprintf(stderr, "%s\n", r.Message.c_str());
        failed_ = failed_ || !r.Ok;
        return {};  // told here; the headless host would only count it as an error
    }
    bool failed() const { return failed_; }

private:
    std::filesystem::path file_;
    bool failed_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    int games = 200;
    unsigned long long firstSeed = 1;
    bool check = false;
    bool keys = false;
    bool hints = false;
    bool expert = false;
    const char* historyFile = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--games") && i + 1 < argc) {
            games = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            firstSeed = std::strtoull(argv[++i], nullptr, 10);
        } else if (!std::strcmp(argv[i], "--check")) {
            check = true;
        } else if (!std::strcmp(argv[i], "--keys")) {
            keys = true;
        } else if (!std::strcmp(argv[i], "--hints")) {
            hints = true;
        } else if (!std::strcmp(argv[i], "--robots") && i + 1 < argc &&
                   (!std::strcmp(argv[i + 1], "standard") || !std::strcmp(argv[i + 1], "expert"))) {
            expert = !std::strcmp(argv[++i], "expert");
        } else if (!std::strcmp(argv[i], "--history") && i + 1 < argc) {
            historyFile = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--games N] [--seed S] [--check] [--keys] [--hints] [--robots standard|expert] "
                         "[--history FILE]\n",
                         argv[0]);
            return 2;
        }
    }
    meldora::SelfPlayCounts total;
    std::vector<double> gameMs;
    std::vector<double> turnUs;
    int violations = 0;
    HistoryOnly history(historyFile ? historyFile : "");
    for (int i = 0; i < games; ++i) {
        meldora::SelfPlay play(firstSeed + i, check, expert ? meldora::ExpertRobots() : meldora::TheRobots());
        if (keys) play.UseKeys();
        if (hints) play.UseHints();
        if (historyFile) play.game().store = &history;
        const auto start = std::chrono::steady_clock::now();
        play.PlayGame();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const meldora::SelfPlayCounts& c = play.counts();
        gameMs.push_back(ms);
        if (c.robotTurns > 0) turnUs.push_back(ms * 1000.0 / c.robotTurns);
        total.Add(c);
        for (const auto& f : c.faults) {
            if (violations++ < 20) std::printf("seed %llu: %s\n", firstSeed + i, f.c_str());
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
    std::printf("\nplayer contracts by round:");
    for (int r = 1; r <= 7; ++r) std::printf(" %d", total.player.contractsByRound[r]);
    std::printf("\nplayer May I claims %d, discards taken %d, lay-offs %d, Joker swaps %d, refused moves %d",
                total.player.mayIClaims, total.player.discardsTaken, total.player.layOffs,
                total.player.jokerSwaps, total.player.refusedMoves);
    std::printf("\nplayer's pointer acts %d, cards pressed by number %d, keys pressed %d",
                total.player.pointerActs, total.player.directPresses, total.player.keysPressed);
    std::printf("\nrounds won by going out %d, ended by the third renewal %d, renewals %d\n",
                total.goOuts, total.exhaustedRounds, total.renewals);
    std::printf("median per game %.3f ms, median per robot turn %.2f us\n", median(gameMs),
                median(turnUs));
    const double played = games > 0 ? games : 1;
    static const char* kSeats[4] = {"South", "West", "North", "East"};
    std::printf("robots: %s\n", expert ? "expert" : "standard");
    std::printf("points per game and wins:");
    for (int s = 0; s < 4; ++s)
        std::printf(" %s %.1f (%.1f%%)%s", kSeats[s], total.points[s] / played, 100.0 * total.wins[s] / played,
                    s < 3 ? "," : "");
    std::printf("\nrobots' mean points per game %.1f\n",
                (total.points[1] + total.points[2] + total.points[3]) / (3 * played));
    std::printf("contract rate by round, %s:", hints ? "hints    " : "autopilot");
    for (int r = 1; r <= 7; ++r) std::printf(" %.2f", total.player.contractsByRound[r] / played);
    std::printf("\ncontract rate by round, robots:   ");
    for (int r = 1; r <= 7; ++r)
        std::printf(" %.2f", (total.contractsBySeat[1][r] + total.contractsBySeat[2][r] + total.contractsBySeat[3][r]) /
                                 (3 * played));
    std::printf("\n");
    std::printf("violations=%d\n", violations);
    return violations == 0 && !history.failed() ? 0 : 1;
}
