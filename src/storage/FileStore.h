#pragma once
// The game's data store on disk: the data files in one folder.

#include <filesystem>

#include "game/DataStore.h"

namespace meldora {

class FileStore : public DataStore {
public:
    explicit FileStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

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

private:
    std::filesystem::path folder_;
};

}  // namespace meldora
