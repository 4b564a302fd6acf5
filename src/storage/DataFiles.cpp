#include "storage/DataFiles.h"

#include <algorithm>

#include "storage/Record.h"

namespace meldora {

namespace fs = std::filesystem;

namespace {

// Field kinds per line: T text, I integer, B Boolean.
const std::vector<std::string_view> kSpeechShape{"B"};
const std::vector<std::string_view> kDealShape{"I"};
const std::vector<std::string_view> kSavedGameShape{"IIII", "IIII", "IIII", "IIII",
                                                    "IIII", "IIII", "IIII", "BIBBBB"};

const char* const kSeatWords[4] = {"the player", "West", "North", "East"};

Field::Kind KindOf(char kind) {
    return kind == 'T' ? Field::Text : kind == 'I' ? Field::Integer : Field::Boolean;
}

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
            if (r[f].kind != KindOf(shape[f])) {
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

// Each takes field i of its file into the settings; false with a reason
// when the value is out of range.
bool TakeName(std::size_t i, const Field& f, Settings& s, std::string&) {
    s.SeatNames[i] = f.text;
    return true;
}

bool TakeStat(std::size_t i, const Field& f, Settings& s, std::string& why) {
    if (i < 4) {
        if (f.number < 0 || f.number > kMaxGamesWon) {
            why = "the games won by " + std::string(kSeatWords[i]) + " (" + std::to_string(f.number) +
                  ") are not between 0 and " + std::to_string(kMaxGamesWon);
            return false;
        }
        s.GamesWon[i] = static_cast<int>(f.number);
        return true;
    }
    if (f.number != kSpeedVerySlow && f.number != kSpeedSlow && f.number != kSpeedMedium &&
        f.number != kSpeedFast) {
        why = "the speed " + std::to_string(f.number) + " is none of 3000, 1250, 250 and 150";
        return false;
    }
    s.Speed = static_cast<int>(f.number);
    return true;
}

bool TakeSwitch(std::size_t i, const Field& f, Settings& s, std::string&) {
    (i == 0 ? s.NoAnimation : s.NoSound) = f.flag;
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

struct SettingsFile {
    const char* name;
    std::string_view shape;  // one line
    bool (*take)(std::size_t, const Field&, Settings&, std::string& why);
    Record (*record)(const Settings&);
};

// Reads one settings file into `settings` field by field: each field that
// reads is taken, the others get their defaults. A file that exists is
// never written here. Returns the message for the player, empty when the
// file was read whole.
std::string LoadSettingsFile(const fs::path& folder, const SettingsFile& file, Settings& settings) {
    const Record defaults = file.record(Settings{});
    const auto useDefault = [&](std::size_t i) {
        std::string unused;
        file.take(i, defaults[i], settings, unused);
    };
    const std::string name = file.name;
    std::string contents, why;
    std::vector<std::string> lines;
    switch (ReadSmallFile(folder / file.name, contents, why)) {
    case ReadStatus::Missing:
        for (std::size_t i = 0; i < defaults.size(); ++i) useDefault(i);
        if (WriteRecords(folder, file.name, {defaults}, nullptr, why)) return {};
        return name + " is missing and could not be created (" + why + "). Default values are used.";
    case ReadStatus::Failed: break;
    case ReadStatus::Ok:
        if (!SplitLines(contents, lines, why)) break;
        if (lines.empty() || lines[0].find_first_not_of(" \t") == std::string::npos) {
            why = lines.empty() ? "it is empty" : "line 1 is empty";
            break;
        }
        std::vector<std::string> faults;
        if (lines.size() > 1) faults.push_back("it has " + Count(lines.size(), "line") + " instead of 1 line");
        const std::vector<FieldRead> fields = ReadFields(lines[0]);
        std::size_t taken = 0;
        for (std::size_t i = 0; i < file.shape.size(); ++i) {
            std::string fault;
            const std::string field = "field " + std::to_string(i + 1);
            if (i >= fields.size())
                fault = field + " is missing";
            else if (!fields[i].error.empty())
                fault = fields[i].error;
            else if (fields[i].field.kind != KindOf(file.shape[i]))
                fault = field + " is not " + KindWord(file.shape[i]);
            if (fault.empty() && file.take(i, fields[i].field, settings, fault)) {
                ++taken;
                continue;
            }
            useDefault(i);
            faults.push_back(fault);
        }
        if (fields.size() > file.shape.size())
            faults.push_back("it has " + Count(fields.size(), "field") + " instead of " +
                             Count(file.shape.size(), "field"));
        if (faults.empty()) return {};
        why = faults[0];
        for (std::size_t k = 1; k < faults.size(); ++k) why += "; " + faults[k];
        if (taken > 0)
            return name + " could not be read whole (" + why +
                   "). What could be read is used, default values for the rest.";
        return name + " could not be read (" + why + "). Default values are used.";
    }
    for (std::size_t i = 0; i < defaults.size(); ++i) useDefault(i);
    return name + " could not be read (" + why + "). Default values are used.";
}

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
        {kNamesFile, "TTTT", TakeName, NamesRecord},
        {kStatsFile, "IIIII", TakeStat, StatsRecord},
        {kSwitchesFile, "BB", TakeSwitch, SwitchesRecord},
    };
    std::vector<std::string> messages;
    for (const SettingsFile& file : files)
        if (std::string m = LoadSettingsFile(folder, file, settings); !m.empty()) messages.push_back(m);
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
        // The deal number lies in a file of its own; without a readable one
        // the game goes on with a new deal.
        std::vector<Record> deal;
        if (ReadRecords(folder / kDealFile, kDealShape, deal, why) == ReadStatus::Ok && deal[0][0].number >= 1 &&
            deal[0][0].number <= kMaxDealNumber)
            game.DealNumber = static_cast<int>(deal[0][0].number);
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
    const SaveResult saved = SaveRecords(folder, kSavedGameFile, records, sink);
    if (!saved.Ok) return saved;
    return SaveRecords(folder, kDealFile, {{Field::OfInteger(game.DealNumber)}}, sink);
}

}  // namespace meldora
