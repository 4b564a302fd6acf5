#pragma once
// The history of finished games, "History.dat": one record per game in the
// data files' record format, oldest first. Each line carries its format's
// number first, so a line of another format is told apart from a damaged
// one. The fields, in order:
//   format (1), date ("YYYY-MM-DD HH:MM"), deal number, robots ("Standard"
//   or "Expert"), the four seats' names (player, West, North, East), the
//   points of rounds 1..7 of the player, then of West, North and East, and
//   the winner (seat 0..3, or -1 for a tie).
// A line that cannot be read is left out and told of, never the rest; adding
// a game rewrites the file whole with the new line at the end, keeping
// lines it cannot read as they were.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameRecord.h"
#include "storage/AtomicFile.h"
#include "storage/DataFiles.h"

namespace meldora {

constexpr const char* kHistoryFile = "History.dat";
constexpr int kHistoryFormat = 1;
// Some eighty thousand games; a larger file is neither read nor added to.
constexpr std::size_t kMaxHistorySize = 16 * 1024 * 1024;

// A game's line with its CR LF. Names are stored as CleanName makes them.
std::string HistoryLine(const GameRecord& game);

// Reads one line without its line end; false with a reason when it does
// not hold a game of this format.
bool ReadHistoryLine(std::string_view line, GameRecord& game, std::string& why);

struct HistoryFile {
    std::vector<GameRecord> Games;  // oldest first
    std::string Message;            // for the player; empty when all was read
};

// A missing file is an empty history.
HistoryFile ReadHistory(const std::filesystem::path& file);

SaveResult AppendHistory(const std::filesystem::path& file, const GameRecord& game,
                         ByteSink* sink = nullptr);

}  // namespace meldora
