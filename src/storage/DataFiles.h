#pragma once
// The data files in the program's folder: the seat names, the games won
// with the speed, the two switches, the speech switch and the saved game.
// Loading never fails: what cannot be read gets its default and a message
// for the player naming the file (the speech switch is quietly off).
// Saving replaces a file whole or leaves it as it was.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/DataStore.h"
#include "game/Settings.h"
#include "storage/AtomicFile.h"

namespace meldora {

constexpr const char* kNamesFile = "Stats2.dat";     // four quoted names
constexpr const char* kStatsFile = "Stats3.dat";     // games won per seat, speed
constexpr const char* kSwitchesFile = "Ani..dat";    // NoAnimation, NoSound
constexpr const char* kSavedGameFile = "Scores.dat";  // the saved game
constexpr const char* kSpeechFile = "Speech.dat";    // Speech
constexpr const char* kDealFile = "Deal.dat";        // the saved game's deal number

// Games won are stored as 16-bit numbers.
constexpr int kMaxGamesWon = 32767;

// No hand can score more than the whole pack: 8 Aces and 3 Jokers at 15,
// 32 tens and court cards at 10, and 8 of each of 2 to 9.
constexpr int kMaxRoundPoints = 11 * 15 + 32 * 10 + 8 * (2 + 3 + 4 + 5 + 6 + 7 + 8 + 9);

// Longer names are cut, so four of them always fit a readable file.
constexpr std::size_t kMaxNameLength = 4000;

struct SaveResult {
    bool Ok = true;
    std::string Message;  // for the player when not Ok
};

// A typed name made storable: double quotes become single quotes, line
// breaks and other control characters are dropped, and it is cut to
// kMaxNameLength bytes without splitting a UTF-8 character.
std::string CleanName(std::string_view typed);

// Reads Stats2.dat, Stats3.dat and Ani..dat in that order into `settings`.
// A missing file is created with the defaults. Of a file that cannot be
// read whole every field that reads is taken and the others get their
// defaults, and the file is left as it is (until a command writes a value
// the player changed). Returns the messages for the player, one per file
// not read whole, empty when all went well.
std::vector<std::string> LoadSettings(const std::filesystem::path& folder, Settings& settings);

// Each writes its file from `settings`; `sink` replaces the disk in tests.
SaveResult SaveNames(const std::filesystem::path& folder, const Settings& settings,
                     ByteSink* sink = nullptr);
SaveResult SaveStats3(const std::filesystem::path& folder, const Settings& settings,
                      ByteSink* sink = nullptr);
SaveResult SaveSwitches(const std::filesystem::path& folder, const Settings& settings,
                        ByteSink* sink = nullptr);

// Reads Speech.dat: true only when it holds a single #TRUE#. A missing or
// unreadable file means off and is neither reported nor written.
bool LoadSpeech(const std::filesystem::path& folder);
SaveResult SaveSpeech(const std::filesystem::path& folder, const Settings& settings,
                      ByteSink* sink = nullptr);

// Reads Scores.dat. `game` is set only when the result is Loaded. A missing
// file or one whose GameSaved is #FALSE# means no game saved; a file that
// cannot be read or holds a game that cannot be dealt on is refused. The
// file is never written here.
LoadGameResult LoadSavedGame(const std::filesystem::path& folder, SavedGame& game);

SaveResult SaveGame(const std::filesystem::path& folder, const SavedGame& game,
                    ByteSink* sink = nullptr);

}  // namespace meldora
