#include "storage/Preferences.h"

#include "storage/Record.h"

namespace meldora {

namespace fs = std::filesystem;

namespace {

// Reads a file of one line holding one quoted text. Failed comes with the
// message for the player.
ReadStatus ReadOneText(const fs::path& folder, const char* name, std::string& text, std::string& message) {
    std::string contents, why;
    ReadStatus status = ReadSmallFile(folder / name, contents, why);
    if (status == ReadStatus::Ok) {
        std::vector<std::string> lines;
        if (SplitLines(contents, lines, why)) {
            const std::vector<FieldRead> fields = lines.empty() ? std::vector<FieldRead>{} : ReadFields(lines[0]);
            if (fields.empty())
                why = "it is empty";
            else if (!fields[0].error.empty())
                why = fields[0].error;
            else if (fields[0].field.kind != Field::Text)
                why = "field 1 is not a quoted text";
            else if (fields.size() > 1 || lines.size() > 1)
                why = "it holds more than one quoted text";
            else
                text = fields[0].field.text;
        }
        if (!why.empty()) status = ReadStatus::Failed;
    }
    if (status == ReadStatus::Failed) message = std::string(name) + " could not be read (" + why + ").";
    return status;
}

SaveResult SaveOneText(const fs::path& folder, const char* name, const std::string& text, ByteSink* sink) {
    std::string why;
    // A quote would end the text early: the file keeps what it can hold.
    std::string clean = CleanName(text);
    if (WriteFileAtomically(folder / name, JoinRecord({Field::OfText(clean)}), why, sink)) return {};
    return {false, std::string(name) + " could not be saved (" + why + "). The previous file is unchanged."};
}

}  // namespace

const char* RobotLevelName(RobotLevel level) {
    return level == RobotLevel::Expert ? "Expert" : "Standard";
}

std::vector<std::string> LoadPreferences(const fs::path& folder, Preferences& prefs) {
    std::vector<std::string> messages;
    std::string text, message;
    if (ReadOneText(folder, kRobotsFile, text, message) == ReadStatus::Ok) {
        if (text == RobotLevelName(RobotLevel::Expert))
            prefs.Robots = RobotLevel::Expert;
        else if (text == RobotLevelName(RobotLevel::Standard))
            prefs.Robots = RobotLevel::Standard;
        else
            message = std::string(kRobotsFile) + " could not be read (\"" + text +
                      "\" is neither \"Standard\" nor \"Expert\").";
    }
    if (!message.empty()) messages.push_back(message + " The Standard robots play.");
    message.clear();
    if (ReadOneText(folder, kWindowFile, text, message) == ReadStatus::Ok) prefs.WindowPlace = text;
    if (!message.empty()) messages.push_back(message + " The window opens at its own size.");
    message.clear();
    if (ReadOneText(folder, kDeckFile, text, message) == ReadStatus::Ok) prefs.DeckFile = text;
    if (!message.empty()) messages.push_back(message + " The usual card deck is used.");
    return messages;
}

SaveResult SaveRobotLevel(const fs::path& folder, RobotLevel level, ByteSink* sink) {
    return SaveOneText(folder, kRobotsFile, RobotLevelName(level), sink);
}

SaveResult SaveWindowPlace(const fs::path& folder, const std::string& place, ByteSink* sink) {
    return SaveOneText(folder, kWindowFile, place, sink);
}

SaveResult SaveDeckFile(const fs::path& folder, const std::string& deck, ByteSink* sink) {
    return SaveOneText(folder, kDeckFile, deck, sink);
}

}  // namespace meldora
