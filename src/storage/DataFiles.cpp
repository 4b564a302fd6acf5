#include "storage/DataFiles.h"

#include <algorithm>

#include "storage/Record.h"

namespace meldora {

namespace fs = std::filesystem;

namespace {

// Field kinds per line: T text, I integer, B Boolean.
const std::vector<std::string_view> kNamesShape{"TTTT"};
const std::vector<std::string_view> kStatsShape{"IIIII"};
const std::vector<std::string_view> kSwitchesShape{"BB"};
const std::vector<std::string_view> kSpeechShape{"B"};
const std::vector<std::string_view> kSavedGameShape{"IIII", "IIII", "IIII", "IIII",
                                                    "IIII", "IIII", "IIII", "BIBBBB"};

const char* const kSeatWords[4] = {"the player", "West", "North", "East"};

std::string KindWord(char kind) {
    return kind == 'T' ? "a quoted name" : kind == 'I' ? "a number" : "#TRUE# or #FALSE#";
}

std::string Count(std::size_t n, const char* thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// Reads a data file into records of the given shapes, one per line.
ReadStatus ReadRecords(const fs::path& file, const std::vector<std::string_view>& shapes,
                       std::vector<Record>& records, std::string& why) {
    std::string contents;
    const ReadStatus status = ReadSmallFile(file, contents, why);
    if (status != ReadStatus::Ok) return status;
    std::vector<std::string> lines;
    if (!SplitLines(contents, lines, why)) return ReadStatus::Failed;
    if (lines.empty()) {
        why = "it is empty";
        return ReadStatus::Failed;
    }
    if (lines.size() != shapes.size()) {
        why = "it has " + Count(lines.size(), "line") + " instead of " + Count(shapes.size(), "line");
        return ReadStatus::Failed;
    }
    records.assign(lines.size(), {});
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const std::string line = "line " + std::to_string(l + 1);
        Record& r = records[l];
        if (!SplitRecord(lines[l], r, why)) {
            why = line + ": " + why;
            return ReadStatus::Failed;
        }
        const std::string_view shape = shapes[l];
        if (r.size() != shape.size()) {
            why = line + " has " + Count(r.size(), "field") + " instead of " +
                  Count(shape.size(), "field");
            return ReadStatus::Failed;
        }
        for (std::size_t f = 0; f < shape.size(); ++f) {
            const Field::Kind want = shape[f] == 'T'   ? Field::Text
                                     : shape[f] == 'I' ? Field::Integer
                                                       : Field::Boolean;
            if (r[f].kind != want) {
                why = line + ", field " + std::to_string(f + 1) + " is not " + KindWord(shape[f]);
                return ReadStatus::Failed;
            }
        }
    }
    return ReadStatus::Ok;
}

bool WriteRecords(const fs::path& folder, const char* name, const std::vector<Record>& records,
                  ByteSink* sink, std::string& why) {
    std::string contents;
    for (const Record& r : records) contents += JoinRecord(r);
    return WriteFileAtomically(folder / name, contents, why, sink);
}

SaveResult SaveRecords(const fs::path& folder, const char* name, const std::vector<Record>& records,
                       ByteSink* sink) {
    std::string why;
    if (WriteRecords(folder, name, records, sink, why)) return {};
    return {false, std::string(name) + " could not be saved (" + why +
                       "). The previous file is unchanged."};
}

// ---- the three settings files --------------------------------------------

bool TakeNames(const Record& r, Settings& s, std::vector<std::string>&, std::string&) {
    for (int i = 0; i < 4; ++i) s.SeatNames[i] = r[i].text;
    return true;
}

bool TakeStats(const Record& r, Settings& s, std::vector<std::string>& messages, std::string& why) {
    for (int i = 0; i < 4; ++i) {
        if (r[i].number < 0 || r[i].number > kMaxGamesWon) {
            why = "the games won by " + std::string(kSeatWords[i]) + " (" +
                  std::to_string(r[i].number) + ") are not between 0 and " +
                  std::to_string(kMaxGamesWon);
            return false;
        }
        s.GamesWon[i] = static_cast<int>(r[i].number);
    }
    const long long speed = r[4].number;
    if (speed == kSpeedVerySlow || speed == kSpeedSlow || speed == kSpeedMedium ||
        speed == kSpeedFast) {
        s.Speed = static_cast<int>(speed);
    } else {
        s.Speed = Settings{}.Speed;
        messages.push_back(std::string(kStatsFile) + " holds the speed " + std::to_string(speed) +
                           ", which is none of 3000, 1250, 250 and 150. The speed " +
                           std::to_string(s.Speed) + " is used.");
    }
    return true;
}

bool TakeSwitches(const Record& r, Settings& s, std::vector<std::string>&, std::string&) {
    s.NoAnimation = r[0].flag;
    s.NoSound = r[1].flag;
    return true;
}

Record NamesRecord(const Settings& s) {
    Record r;
    for (const std::string& name : s.SeatNames) r.push_back(Field::OfText(CleanName(name)));
    return r;
}

Record StatsRecord(const Settings& s) {
    Record r;
    // Kept within what the file may hold, so a reader never has to refuse it.
    for (int won : s.GamesWon) r.push_back(Field::OfInteger(std::clamp(won, 0, kMaxGamesWon)));
    r.push_back(Field::OfInteger(s.Speed));
    return r;
}

Record SwitchesRecord(const Settings& s) {
    return {Field::OfBoolean(s.NoAnimation), Field::OfBoolean(s.NoSound)};
}

void ResetNames(Settings& s) { s.SeatNames = Settings{}.SeatNames; }
void ResetStats(Settings& s) {
    s.GamesWon = Settings{}.GamesWon;
    s.Speed = Settings{}.Speed;
}
void ResetSwitches(Settings& s) {
    s.NoAnimation = Settings{}.NoAnimation;
    s.NoSound = Settings{}.NoSound;
}

struct SettingsFile {
    const char* name;
    const std::vector<std::string_view>& shape;
    // Copies the record into the settings; false with a reason when a value
    // is out of range (the file's values are then reset).
    bool (*take)(const Record&, Settings&, std::vector<std::string>& messages, std::string& why);
    void (*reset)(Settings&);
    Record (*record)(const Settings&);
};

}  // namespace

std::string CleanName(std::string_view typed) {
    std::string name;
    for (char c : typed) {
        if (c == '"') c = '\'';
        // The reader judges a file with control bytes (DEL too) binary.
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7F) || c == '\t') name += c;
    }
    if (name.size() > kMaxNameLength) {
        std::size_t cut = kMaxNameLength;
        // Back up over UTF-8 continuation bytes to the start of a character.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.resize(cut);
    }
    return name;
}

std::vector<std::string> LoadSettings(const fs::path& folder, Settings& settings) {
    const SettingsFile files[] = {
        {kNamesFile, kNamesShape, TakeNames, ResetNames, NamesRecord},
        {kStatsFile, kStatsShape, TakeStats, ResetStats, StatsRecord},
        {kSwitchesFile, kSwitchesShape, TakeSwitches, ResetSwitches, SwitchesRecord},
    };
    std::vector<std::string> messages;
    for (const SettingsFile& file : files) {
        std::vector<Record> records;
        std::string why;
        switch (ReadRecords(folder / file.name, file.shape, records, why)) {
        case ReadStatus::Ok:
            if (file.take(records[0], settings, messages, why)) continue;
            break;
        case ReadStatus::Missing: {
            file.reset(settings);
            if (!WriteRecords(folder, file.name, {file.record(settings)}, nullptr, why))
                messages.push_back(std::string(file.name) + " is missing and could not be created (" +
                                   why + "). Default values are used.");
            continue;
        }
        case ReadStatus::Failed: break;
        }
        file.reset(settings);
        messages.push_back(std::string(file.name) + " could not be read (" + why +
                           "). Default values are used.");
    }
    return messages;
}

SaveResult SaveNames(const fs::path& folder, const Settings& s, ByteSink* sink) {
    return SaveRecords(folder, kNamesFile, {NamesRecord(s)}, sink);
}

SaveResult SaveStats3(const fs::path& folder, const Settings& s, ByteSink* sink) {
    return SaveRecords(folder, kStatsFile, {StatsRecord(s)}, sink);
}

SaveResult SaveSwitches(const fs::path& folder, const Settings& s, ByteSink* sink) {
    return SaveRecords(folder, kSwitchesFile, {SwitchesRecord(s)}, sink);
}

bool LoadSpeech(const fs::path& folder) {
    std::vector<Record> records;
    std::string why;
    return ReadRecords(folder / kSpeechFile, kSpeechShape, records, why) == ReadStatus::Ok &&
           records[0][0].flag;
}

SaveResult SaveSpeech(const fs::path& folder, const Settings& s, ByteSink* sink) {
    return SaveRecords(folder, kSpeechFile, {{Field::OfBoolean(s.Speech)}}, sink);
}

// ---- the saved game -------------------------------------------------------

namespace {

// Why a saved game cannot be dealt on, or empty when it can.
std::string CheckSavedGame(const std::vector<Record>& r) {
    const long long reached = r[7][1].number;
    if (reached < 1 || reached > 6)
        return "it is at round " + std::to_string(reached) + ", and only rounds 1 to 6 can be continued";
    for (int round = 1; round <= 7; ++round) {
        for (int s = 0; s < 4; ++s) {
            const long long points = r[round - 1][s].number;
            if (points < 0 || points > kMaxRoundPoints)
                return "the points of " + std::string(kSeatWords[s]) + " in round " +
                       std::to_string(round) + " (" + std::to_string(points) +
                       ") are not between 0 and " + std::to_string(kMaxRoundPoints);
        }
    }
    // The rounds after the last one played are still to come: a point in
    // one of them would show on the board and count in the totals.
    for (int round = static_cast<int>(reached) + 1; round <= 7; ++round)
        for (int s = 0; s < 4; ++s)
            if (r[round - 1][s].number != 0)
                return "it holds points of " + std::string(kSeatWords[s]) + " in round " +
                       std::to_string(round) + ", which has not been played";
    const auto dealers =
        std::count_if(r[7].begin() + 2, r[7].end(), [](const Field& f) { return f.flag; });
    if (dealers == 0) return "it names no dealer";
    if (dealers > 1) return "it names more than one dealer";
    return {};
}

}  // namespace

LoadGameResult LoadSavedGame(const fs::path& folder, SavedGame& game) {
    std::vector<Record> r;
    std::string why;
    switch (ReadRecords(folder / kSavedGameFile, kSavedGameShape, r, why)) {
    case ReadStatus::Missing: return {LoadStatus::NoGameSaved, {}};
    case ReadStatus::Failed: break;
    case ReadStatus::Ok:
        if (!r[7][0].flag) return {LoadStatus::NoGameSaved, {}};
        why = CheckSavedGame(r);
        if (!why.empty()) break;
        for (int round = 1; round <= 7; ++round)
            for (int s = 0; s < 4; ++s)
                game.RoundPoints[s][round] = static_cast<int>(r[round - 1][s].number);
        game.GameSaved = true;
        game.Round = static_cast<int>(r[7][1].number);
        for (int s = 0; s < 4; ++s) game.IsDealer[s] = r[7][2 + s].flag;
        return {LoadStatus::Loaded, {}};
    }
    return {LoadStatus::Refused, std::string(kSavedGameFile) + " could not be loaded (" + why + ")."};
}

SaveResult SaveGame(const fs::path& folder, const SavedGame& game, ByteSink* sink) {
    std::vector<Record> records;
    for (int round = 1; round <= 7; ++round) {
        Record r;
        for (int s = 0; s < 4; ++s) r.push_back(Field::OfInteger(game.RoundPoints[s][round]));
        records.push_back(r);
    }
    Record last{Field::OfBoolean(game.GameSaved), Field::OfInteger(game.Round)};
    for (bool dealer : game.IsDealer) last.push_back(Field::OfBoolean(dealer));
    records.push_back(last);
    return SaveRecords(folder, kSavedGameFile, records, sink);
}

}  // namespace meldora
