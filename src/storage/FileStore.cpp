#include "storage/FileStore.h"

#include "storage/DataFiles.h"
#include "storage/History.h"

namespace meldora {

namespace {
std::string MessageOf(const SaveResult& r) { return r.Ok ? std::string() : r.Message; }
}  // namespace

std::vector<std::string> FileStore::LoadSettings(Settings& settings) {
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);  // a first start; a failure shows when writing
    return meldora::LoadSettings(folder_, settings);
}

std::string FileStore::SaveNames(const Settings& s) { return MessageOf(meldora::SaveNames(folder_, s, sink_)); }
std::string FileStore::SaveStats(const Settings& s) { return MessageOf(meldora::SaveStats3(folder_, s, sink_)); }
std::string FileStore::SaveSwitches(const Settings& s) { return MessageOf(meldora::SaveSwitches(folder_, s, sink_)); }
std::string FileStore::SaveGame(const SavedGame& g) { return MessageOf(meldora::SaveGame(folder_, g, sink_)); }
LoadGameResult FileStore::LoadGame(SavedGame& g) { return meldora::LoadSavedGame(folder_, g); }
bool FileStore::LoadSpeech() { return meldora::LoadSpeech(folder_); }
std::string FileStore::SaveSpeech(const Settings& s) { return MessageOf(meldora::SaveSpeech(folder_, s)); }
std::string FileStore::CleanName(const std::string& typed) { return meldora::CleanName(typed); }

std::string FileStore::AddHistory(const GameRecord& game) {
    return MessageOf(AppendHistory(folder_ / kHistoryFile, game, sink_));
}

std::vector<GameRecord> FileStore::ReadHistory(std::string& message) {
    HistoryFile history = meldora::ReadHistory(folder_ / kHistoryFile);
    message = std::move(history.Message);
    return std::move(history.Games);
}

}  // namespace meldora
