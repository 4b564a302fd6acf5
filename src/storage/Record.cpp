#include "storage/Record.h"

#include <charconv>

namespace meldora {

Field Field::OfText(std::string value) {
    Field f;
    f.text = std::move(value);
    return f;
}

Field Field::OfInteger(long long value) {
    Field f;
    f.kind = Integer;
    f.number = value;
    return f;
}

Field Field::OfBoolean(bool value) {
    Field f;
    f.kind = Boolean;
    f.flag = value;
    return f;
}

std::string JoinRecord(const Record& fields) {
    std::string line;
    for (const Field& f : fields) {
        if (!line.empty()) line += ',';
        switch (f.kind) {
        case Field::Text: line += '"' + f.text + '"'; break;
        case Field::Integer: line += std::to_string(f.number); break;
        case Field::Boolean: line += f.flag ? "#TRUE#" : "#FALSE#"; break;
        }
    }
    return line + "\r\n";
}

bool SplitLines(std::string_view contents, std::vector<std::string>& lines, std::string& error) {
    lines.clear();
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (contents.substr(0, bom.size()) == bom) contents.remove_prefix(bom.size());
    for (unsigned char c : contents) {
        if ((c < 0x20 || c == 0x7F) && c != '\t' && c != '\r' && c != '\n') {
            error = "it holds binary data";
            return false;
        }
    }
    while (!contents.empty()) {
        const std::size_t end = contents.find('\n');
        std::string_view line = contents.substr(0, end);
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find('\r') != std::string_view::npos) {
            error = "line " + std::to_string(lines.size() + 1) + " holds a stray carriage return";
            return false;
        }
        lines.emplace_back(line);
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return true;
}

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool ParseBare(std::string_view s, Field& f) {
    if (s == "#TRUE#" || s == "#FALSE#") {
        f = Field::OfBoolean(s == "#TRUE#");
        return true;
    }
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    long long n = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return false;
    f = Field::OfInteger(n);
    return true;
}

}  // namespace

std::vector<FieldRead> ReadFields(std::string_view line) {
    std::vector<FieldRead> fields;
    std::size_t pos = 0;
    while (true) {
        const std::string where = "field " + std::to_string(fields.size() + 1);
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        FieldRead f;
        std::size_t next;  // index of the comma after the field, or npos
        if (pos < line.size() && line[pos] == '"') {
            const std::size_t close = line.find('"', pos + 1);
            if (close == std::string_view::npos) {
                f.error = where + " has no closing quote";
                next = std::string_view::npos;
            } else {
                f.field = Field::OfText(std::string(line.substr(pos + 1, close - pos - 1)));
                next = line.find(',', close + 1);
                if (!Trim(line.substr(close + 1, next - close - 1)).empty())
                    f.error = where + " has text after its closing quote";
            }
        } else {
            next = line.find(',', pos);
            if (!ParseBare(Trim(line.substr(pos, next - pos)), f.field))
                f.error = where + " is not a quoted text, a number, #TRUE# or #FALSE#";
        }
        fields.push_back(std::move(f));
        if (next == std::string_view::npos) return fields;
        pos = next + 1;
    }
}

bool SplitRecord(std::string_view line, Record& fields, std::string& error) {
    fields.clear();
    if (Trim(line).empty()) {
        error = "the line is empty";
        return false;
    }
    for (FieldRead& f : ReadFields(line)) {
        if (!f.error.empty()) {
            error = f.error;
            return false;
        }
        fields.push_back(std::move(f.field));
    }
    return true;
}

}  // namespace meldora
