#pragma once
// What the window keeps beside the game's own settings, each in a data file
// of its own: the robots' level, the window's place and the card deck.
// A missing file means the default and is not written until the value
// changes; a file that cannot be read gives its default and a message.

#include <filesystem>
#include <string>
#include <vector>

#include "storage/AtomicFile.h"
#include "storage/DataFiles.h"

namespace meldora {

constexpr const char* kRobotsFile = "Robots.dat";  // "Standard" or "Expert"
constexpr const char* kWindowFile = "Window.dat";  // the window's place, size and state
constexpr const char* kDeckFile = "Deck.dat";      // the card deck's file

enum class RobotLevel { Standard, Expert };

// The level's word in Robots.dat and in the window ("Standard", "Expert").
const char* RobotLevelName(RobotLevel level);

struct Preferences {
    RobotLevel Robots = RobotLevel::Standard;
    // The window's place as the window wrote it; empty: it opens at its own size.
    std::string WindowPlace;
    // The deck's file; empty: the first deck installed.
    std::string DeckFile;
};

// Reads the three files into `prefs`, each field on its own. Returns the
// messages for the player, one per file that exists but could not be read.
std::vector<std::string> LoadPreferences(const std::filesystem::path& folder, Preferences& prefs);

SaveResult SaveRobotLevel(const std::filesystem::path& folder, RobotLevel level, ByteSink* sink = nullptr);
SaveResult SaveWindowPlace(const std::filesystem::path& folder, const std::string& place, ByteSink* sink = nullptr);
SaveResult SaveDeckFile(const std::filesystem::path& folder, const std::string& deck, ByteSink* sink = nullptr);

}  // namespace meldora
