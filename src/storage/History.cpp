#include "storage/History.h"

#include "storage/Record.h"

namespace meldora {

namespace fs = std::filesystem;

namespace {

// Field positions of a line.
constexpr std::size_t kFormatField = 0, kDateField = 1, kDealField = 2, kRobotsField = 3,
                      kNamesField = 4, kPointsField = 8, kWinnerField = 36, kFieldCount = 37;

bool IsTextField(std::size_t i) { return i == kDateField || i == kRobotsField || (i >= kNamesField && i < kPointsField); }

std::string FieldName(std::size_t i) { return "field " + std::to_string(i + 1); }

// The lines of the file without their line ends, blank ones kept so that
// line numbers match what an editor shows. Unlike the settings files, a
// control byte spoils only its own line.
std::vector<std::string_view> HistoryLines(std::string_view contents) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (contents.substr(0, bom.size()) == bom) contents.remove_prefix(bom.size());
    std::vector<std::string_view> lines;
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        std::string_view line = contents.substr(0, end);
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

bool Blank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace

std::string HistoryLine(const GameRecord& game) {
    Record r{Field::OfInteger(kHistoryFormat), Field::OfText(CleanName(game.Date)),
             Field::OfInteger(game.DealNumber), Field::OfText(RobotLevelWord(game.ExpertRobots))};
    for (const std::string& name : game.Names) r.push_back(Field::OfText(CleanName(name)));
    for (int s = 0; s < 4; ++s)
        for (int round = 1; round <= 7; ++round) r.push_back(Field::OfInteger(game.Points[s][round]));
    r.push_back(Field::OfInteger(game.Winner));
    return JoinRecord(r);
}

bool ReadHistoryLine(std::string_view line, GameRecord& game, std::string& why) {
    for (unsigned char c : line)
        if ((c < 0x20 || c == 0x7F) && c != '\t') {
            why = "it holds binary data";
            return false;
        }
    const std::vector<FieldRead> fields = ReadFields(line);
    // The format first: a line of another format says so rather than
    // whatever its other fields make of this one.
    const Field& format = fields[kFormatField].field;
    if (fields[kFormatField].error.empty() && format.kind == Field::Integer && format.number != kHistoryFormat) {
        why = "it is of format " + std::to_string(format.number) + ", this program reads format " +
              std::to_string(kHistoryFormat);
        return false;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].error.empty()) {
            why = fields[i].error;
            return false;
        }
        if (i < kFieldCount &&
            ((fields[i].field.kind == Field::Text) != IsTextField(i) || fields[i].field.kind == Field::Boolean)) {
            why = FieldName(i) + " is not " + (IsTextField(i) ? "a quoted text" : "a number");
            return false;
        }
    }
    if (fields.size() != kFieldCount) {
        why = "it has " + std::to_string(fields.size()) + " fields instead of " + std::to_string(kFieldCount);
        return false;
    }
    GameRecord g;
    g.Date = fields[kDateField].field.text;
    const long long deal = fields[kDealField].field.number;
    if (deal < 0 || deal > 2147483647LL) {
        why = "the deal number " + std::to_string(deal) + " is out of range";
        return false;
    }
    g.DealNumber = static_cast<int>(deal);
    const std::string& robots = fields[kRobotsField].field.text;
    if (robots != RobotLevelWord(false) && robots != RobotLevelWord(true)) {
        why = "the robots \"" + robots + "\" are neither Standard nor Expert";
        return false;
    }
    g.ExpertRobots = robots == RobotLevelWord(true);
    for (int s = 0; s < 4; ++s) g.Names[s] = fields[kNamesField + s].field.text;
    for (int s = 0; s < 4; ++s)
        for (int round = 1; round <= 7; ++round) {
            const std::size_t i = kPointsField + 7 * s + (round - 1);
            const long long points = fields[i].field.number;
            if (points < 0 || points > kMaxRoundPoints) {
                why = FieldName(i) + " (" + std::to_string(points) + " points) is not between 0 and " +
                      std::to_string(kMaxRoundPoints);
                return false;
            }
            g.Points[s][round] = static_cast<int>(points);
        }
    const long long winner = fields[kWinnerField].field.number;
    if (winner != g.LowestSeat()) {
        why = "the winner " + std::to_string(winner) + " does not match the points";
        return false;
    }
    g.Winner = static_cast<int>(winner);
    game = std::move(g);
    return true;
}

HistoryFile ReadHistory(const fs::path& file) {
    HistoryFile history;
    std::string contents, why;
    switch (ReadSmallFile(file, contents, why, kMaxHistorySize)) {
    case ReadStatus::Missing: return history;
    case ReadStatus::Failed:
        history.Message = std::string(kHistoryFile) + " could not be read (" + why + ").";
        return history;
    case ReadStatus::Ok: break;
    }
    const std::vector<std::string_view> lines = HistoryLines(contents);
    int damaged = 0;
    std::string first;  // the first damaged line and why
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (Blank(lines[l])) continue;
        GameRecord game;
        if (ReadHistoryLine(lines[l], game, why)) {
            history.Games.push_back(std::move(game));
        } else if (damaged++ == 0) {
            first = "line " + std::to_string(l + 1) + ": " + why;
        }
    }
    if (damaged == 1)
        history.Message = std::string(kHistoryFile) + ": one game could not be read and is left out (" + first + ").";
    else if (damaged > 1)
        history.Message = std::string(kHistoryFile) + ": " + std::to_string(damaged) +
                          " games could not be read and are left out (the first, " + first + ").";
    return history;
}

SaveResult AppendHistory(const fs::path& file, const GameRecord& game, ByteSink* sink) {
    std::string contents, why;
    if (ReadSmallFile(file, contents, why, kMaxHistorySize) == ReadStatus::Failed)
        return {false, "The game could not be added to " + std::string(kHistoryFile) + " (" + why +
                           "). The history is unchanged."};
    // Lines that cannot be read stay as they are: a later version, or the
    // player with an editor, may still make something of them.
    if (!contents.empty() && contents.back() != '\n') contents += "\r\n";
    contents += HistoryLine(game);
    if (WriteFileAtomically(file, contents, why, sink)) return {};
    return {false, "The game could not be added to " + std::string(kHistoryFile) + " (" + why +
                       "). The history is unchanged."};
}

}  // namespace meldora
