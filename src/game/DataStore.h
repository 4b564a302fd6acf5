#pragma once
// What the game keeps between runs, as the game's routines see it: the
// settings and statistics files and the saved game. The data files
// implement it; a game without one keeps nothing (tests, tools).

#include <array>
#include <string>
#include <vector>

#include "game/GameRecord.h"
#include "game/Settings.h"

namespace meldora {

// Deals are numbered from 1 to this; the number fixes every card of a game.
constexpr int kMaxDealNumber = 999999;

// What a new round needs from an interrupted game.
struct SavedGame {
    int RoundPoints[4][8] = {};  // (seat, round 1..7); element 0 unused
    bool GameSaved = false;
    int Round = 0;  // the last round played
    bool IsDealer[4] = {};
    int DealNumber = 0;  // 0: none kept
};

enum class LoadStatus { Loaded, NoGameSaved, Refused };

struct LoadGameResult {
    LoadStatus Status = LoadStatus::NoGameSaved;
    std::string Message;  // for the player when Refused
};

class DataStore {
public:
    virtual ~DataStore() = default;

    // Reads the three settings files; what cannot be read keeps its
    // default. Returns the messages for the player, empty when all is well.
    virtual std::vector<std::string> LoadSettings(Settings& settings) = 0;

    // Each writes its file whole and returns an empty text, or leaves the
    // old file as it was and returns a message for the player.
    virtual std::string SaveNames(const Settings& settings) = 0;
    virtual std::string SaveStats(const Settings& settings) = 0;
    virtual std::string SaveSwitches(const Settings& settings) = 0;
    virtual std::string SaveGame(const SavedGame& game) = 0;

    // `game` is filled only when the result is Loaded.
    virtual LoadGameResult LoadGame(SavedGame& game) = 0;

    // The speech switch, kept in a file of its own. A store without it, a
    // missing file and one that cannot be read all mean off, silently.
    virtual bool LoadSpeech() { return false; }
    // Empty text, or a message for the player when the file was not written.
    virtual std::string SaveSpeech(const Settings&) { return {}; }

    // The history of finished games. AddHistory appends one game and
    // returns an empty text, or a message for the player when the history
    // was left as it was. ReadHistory returns every game that could be read,
    // oldest first; `message` tells of lines that could not be read (one
    // message for them all) or of a history that could not be read at all.
    // A store without a history keeps none.
    virtual std::string AddHistory(const GameRecord&) { return {}; }
    virtual std::vector<GameRecord> ReadHistory(std::string& message) {
        message.clear();
        return {};
    }

    // A typed name as the names file can hold it.
    virtual std::string CleanName(const std::string& typed) = 0;
};

// The games-played statistics: games played is the sum of the games won
// by the four seats, and each seat's share is its games won times 100
// divided by games played, truncated. Wide types keep the shares right
// however many games have been won.
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
