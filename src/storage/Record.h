#pragma once
// The record format of the data files. A record is one line of
// comma-separated fields ended by CR LF: text in double quotes, integers in
// plain decimal, Booleans as #TRUE# or #FALSE#, no spaces between fields.
// A double quote inside text is not escaped, so a text field ends at the
// next quote; a comma inside the quotes belongs to the text. Reading also
// takes LF-only line ends and a UTF-8 byte order mark.

#include <string>
#include <string_view>
#include <vector>

namespace meldora {

struct Field {
    enum Kind { Text, Integer, Boolean };
    Kind kind = Text;
    std::string text;
    long long number = 0;
    bool flag = false;

    static Field OfText(std::string value);
    static Field OfInteger(long long value);
    static Field OfBoolean(bool value);
};

using Record = std::vector<Field>;

// One line with its CR LF. A text field must hold no double quote, CR or LF.
std::string JoinRecord(const Record& fields);

// Splits file contents into lines without their line ends, dropping a byte
// order mark and blank lines at the end. False with a reason when the
// contents are binary (control bytes, DEL among them, other
// than tab and line ends).
bool SplitLines(std::string_view contents, std::vector<std::string>& lines, std::string& error);

// Parses one line without its line end. False with a reason on anything
// that is not a well-formed record.
bool SplitRecord(std::string_view line, Record& fields, std::string& error);

}  // namespace meldora
