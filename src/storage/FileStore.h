#pragma once
// The game's data store on disk: the data files in one folder.

#include <filesystem>

#include "game/DataStore.h"
#include "storage/AtomicFile.h"

namespace meldora {

class FileStore : public DataStore {
public:
    // Writes go through `sink` (the disk when null; a failing one in tests).
    explicit FileStore(std::filesystem::path folder, ByteSink* sink = nullptr)
        : folder_(std::move(folder)), sink_(sink) {}

    const std::filesystem::path& folder() const { return folder_; }

    std::vector<std::string> LoadSettings(Settings& settings) override;
    std::string SaveNames(const Settings& settings) override;
    std::string SaveStats(const Settings& settings) override;
    std::string SaveSwitches(const Settings& settings) override;
    std::string SaveGame(const SavedGame& game) override;
    LoadGameResult LoadGame(SavedGame& game) override;
    bool LoadSpeech() override;
    std::string SaveSpeech(const Settings& settings) override;
    std::string CleanName(const std::string& typed) override;
    std::string AddHistory(const GameRecord& game) override;
    std::vector<GameRecord> ReadHistory(std::string& message) override;

private:
    std::filesystem::path folder_;
    ByteSink* sink_;
};

}  // namespace meldora
