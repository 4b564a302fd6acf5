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

// One field of a line as read on its own: its value, or why it could not
// be read ("field 2 is not ...").
struct FieldRead {
    Field field;
    std::string error;  // empty when read
};

// Splits a line into its fields and reads each on its own, so a field
// that cannot be read leaves the others readable. A text whose closing
// quote is missing runs to the end of the line.
std::vector<FieldRead> ReadFields(std::string_view line);

}  // namespace meldora
