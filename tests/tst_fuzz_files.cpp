// Damaged data files, a few thousand of them from a fixed seed, read the way
// a start reads them: the settings through Form_Load, then the menu's "Load
// Game". Nothing crashes or hangs; a damaged file either gives values the
// program can store again or is named in a message; a saved game either
// becomes a round that keeps every invariant or is refused in words; and
// reading changes no file on disk (the start writes the statistics
// back as it took them).

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "Fixture.h"
#include "game/Commands.h"
#include "headless/Invariants.h"
#include "storage/DataFiles.h"
#include "storage/FileStore.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

const char* const kFiles[4] = {kNamesFile, kStatsFile, kSwitchesFile, kSavedGameFile};

// Valid contents of file `f`, varied by the generator.
std::string ValidFile(int f, Random& rng) {
    switch (f) {
    case 0: {
        const char* names[] = {"Player", "Smith, Jo", "Zoë", "a\tb", "", " West ", "N'orth"};
        std::string s;
        for (int i = 0; i < 4; ++i) s += std::string(i ? "," : "") + "\"" + names[rng.Below(7)] + "\"";
        return s + "\r\n";
    }
    case 1: {
        const int speeds[] = {kSpeedVerySlow, kSpeedSlow, kSpeedMedium, kSpeedFast};
        std::string s;
        for (int i = 0; i < 4; ++i) s += std::to_string(rng.Below(40)) + ",";
        return s + std::to_string(speeds[rng.Below(4)]) + "\r\n";
    }
    case 2: return std::string(rng.Below(2) ? "#TRUE#" : "#FALSE#") + "," + (rng.Below(2) ? "#TRUE#" : "#FALSE#") + "\r\n";
    default: {
        const int reached = 1 + rng.Below(6);
        std::string s;
        for (int round = 1; round <= 7; ++round)
            for (int seat = 0; seat < 4; ++seat)
                s += std::to_string(round <= reached ? rng.Below(120) : 0) + (seat < 3 ? "," : "\r\n");
        s += "#TRUE#," + std::to_string(reached);
        const int dealer = rng.Below(4);
        for (int seat = 0; seat < 4; ++seat) s += seat == dealer ? ",#TRUE#" : ",#FALSE#";
        return s + "\r\n";
    }
    }
}

// Damages `s` one to three times: cut short, a bit flipped, a field
// doubled, a huge or out-of-range number, a stray quote, NUL or DEL byte,
// line ends changed, a flag or a line swapped, any byte.
std::string Damage(std::string s, Random& rng) {
    const char* numbers[] = {"99999999999999999999", "-9223372036854775808", "9223372036854775807",
                             "2147483648", "32768", "838", "-1", "+7", "1e3", "0x10", " 5 "};
    const int times = 1 + rng.Below(3);
    for (int i = 0; i < times; ++i) {
        const std::size_t at = rng.Below(static_cast<int>(s.size()) + 1);
        switch (rng.Below(11)) {
        case 0: s.resize(at); break;
        case 1:
            if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << rng.Below(8)));
            break;
        case 2: {  // the field around `at` written twice
            std::size_t begin = s.find_last_of(",\n", at == 0 ? 0 : at - 1);
            begin = begin == std::string::npos || at == 0 ? 0 : begin + 1;
            std::size_t end = s.find_first_of(",\r\n", begin);
            if (end == std::string::npos) end = s.size();
            s.insert(begin, s.substr(begin, end - begin) + ",");
            break;
        }
        case 3: {  // a number replaced, or put anywhere
            const std::size_t digits = s.find_first_of("0123456789", at);
            const std::size_t from = digits == std::string::npos ? at : digits;
            const std::size_t to = s.find_first_not_of("0123456789", from);
            s.replace(from, (to == std::string::npos ? s.size() : to) - from, numbers[rng.Below(11)]);
            break;
        }
        case 4: s.insert(at, 1, '"'); break;
        case 5: s.insert(at, 1, '\0'); break;
        case 6: s.insert(at, 1, '\x7F'); break;
        case 7: {  // line ends: LF only, a lone CR, CR LF added or dropped
            const int how = rng.Below(4);
            if (how == 0) {
                for (std::size_t p; (p = s.find("\r\n")) != std::string::npos;) s.erase(p, 1);
            } else {
                s.insert(at, how == 1 ? "\r" : how == 2 ? "\r\n" : "\n");
            }
            break;
        }
        case 8: {  // a flag turned over
            const std::size_t p = s.find('#', at);
            if (p != std::string::npos && p + 2 < s.size())
                s.replace(p, s[p + 1] == 'T' ? 6 : 7, s[p + 1] == 'T' ? "#FALSE#" : "#TRUE#");
            break;
        }
        case 9: {  // a line doubled or dropped
            const std::size_t begin = s.rfind('\n', at == 0 ? 0 : at - 1);
            const std::size_t start = begin == std::string::npos || at == 0 ? 0 : begin + 1;
            const std::size_t end = s.find('\n', start);
            const std::string line = s.substr(start, end == std::string::npos ? std::string::npos : end - start + 1);
            if (rng.Below(2)) s.insert(start, line);
            else s.erase(start, line.size());
            break;
        }
        default: s.insert(at, 1, static_cast<char>(rng.Below(256))); break;
        }
    }
    return s;
}

// Bytes of no shape at all, from the record format's own characters mostly.
std::string Noise(Random& rng) {
    const std::string alphabet = "0123456789,\"#TRUEFALS\r\n -+\t\x7F";
    std::string s(rng.Below(160), ' ');
    for (char& c : s) c = rng.Below(8) ? alphabet[rng.Below(static_cast<int>(alphabet.size()))] : char(rng.Below(256));
    return s;
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString& path, const std::string& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

bool StartsWith(const std::string& s, const std::string& start) { return s.rfind(start, 0) == 0; }
bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

class TestFuzzFiles : public QObject {
    Q_OBJECT
private slots:
    void damagedFiles();
};

void TestFuzzFiles::damagedFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Random rng(20261207);
    const int kCases = 3000;
    int loaded = 0, refused = 0, settingsRead = 0, settingsRefused = 0;
    for (int n = 0; n < kCases; ++n) {
        const QString context = "case " + QString::number(n);
        // Four valid files, then one (now and then two) damaged or replaced by noise.
        std::string bytes[4];
        bool damaged[4] = {};
        for (int f = 0; f < 4; ++f) bytes[f] = ValidFile(f, rng);
        for (int k = rng.Below(5) == 0 ? 2 : 1; k > 0; --k) {
            const int f = rng.Below(8) < 4 ? 3 : rng.Below(3);  // the saved game half the time
            bytes[f] = rng.Below(10) ? Damage(bytes[f], rng) : Noise(rng);
            damaged[f] = true;
        }
        QByteArray before[4];
        for (int f = 0; f < 4; ++f) {
            Write(dir.filePath(kFiles[f]), bytes[f]);
            before[f] = Read(dir.filePath(kFiles[f]));
        }

        Table t(1 + n, IdleRobots());
        FileStore store(dir.path().toStdString());
        t.g.store = &store;
        t.settings.NoAnimation = true;
        t.host.messageAnswers = {1, 1};  // "Use Menu", after any report of what could not be read
        Form_Load(t.g);

        // What could not be read is told in one message, a line per file,
        // and only for a file that was damaged.
        std::vector<std::string> problems;
        for (const auto& m : t.host.messages) {
            if (m.title != "Meldora") continue;
            std::size_t start = 0;
            for (std::size_t end; (end = m.prompt.find('\n', start)) != std::string::npos; start = end + 1)
                problems.push_back(m.prompt.substr(start, end - start));
            problems.push_back(m.prompt.substr(start));
        }
        const Settings& s = t.g.settings;
        for (int f = 0; f < 3; ++f) {
            int told = 0;
            for (const std::string& p : problems) {
                if (!StartsWith(p, kFiles[f])) continue;
                ++told;
                const bool unreadable = StartsWith(p, std::string(kFiles[f]) + " could not be read (") &&
                                        EndsWith(p, "). Default values are used.");
                const bool speed = f == 1 && StartsWith(p, "Stats3.dat holds the speed ");
                QVERIFY2(unreadable || speed, qPrintable(context + ": " + QString::fromStdString(p)));
                if (unreadable) ++settingsRefused;
            }
            QVERIFY2(damaged[f] || told == 0, qPrintable(context));
            QVERIFY2(told <= 1, qPrintable(context));
        }
        QCOMPARE(int(problems.size()) - int(std::count_if(problems.begin(), problems.end(), [](const std::string& p) {
                     return StartsWith(p, kNamesFile) || StartsWith(p, kStatsFile) || StartsWith(p, kSwitchesFile);
                 })), 0);
        if (problems.empty()) ++settingsRead;
        // Whatever was taken can be written back as it is: a name without
        // control bytes that the names file holds unchanged, games won
        // within 16 bits, a known speed.
        for (const std::string& name : s.SeatNames) {
            const bool control = std::any_of(name.begin(), name.end(), [](char c) {
                return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F';
            });
            QVERIFY2(!control && store.CleanName(name) == name,
                     qPrintable(context + ": name " + QByteArray::fromStdString(name).toPercentEncoding()));
        }
        for (int won : s.GamesWon) QVERIFY2(won >= 0 && won <= kMaxGamesWon, qPrintable(context));
        QVERIFY2(s.Speed == kSpeedVerySlow || s.Speed == kSpeedSlow || s.Speed == kSpeedMedium || s.Speed == kSpeedFast,
                 qPrintable(context));

        t.host.messages.clear();
        LoadSavedGame(t.g);
        QVERIFY2(!t.host.messages.empty() || t.g.GameInProgress, qPrintable(context));
        if (t.g.GameInProgress) {
            ++loaded;
            const QString fault = t.CheckInvariants() + QString::fromStdString(CheckFreshRound(t.g));
            QVERIFY2(fault.isEmpty(), qPrintable(context + ": " + fault + "\n" + QByteArray::fromStdString(bytes[3])));
            QVERIFY2(t.g.Round >= 2 && t.g.Round <= 7, qPrintable(context));
        } else {
            const auto& m = t.host.messages.back();
            QCOMPARE(t.g.Round, 0);
            if (m.title == "Load Game") {
                ++refused;
                QVERIFY2(StartsWith(m.prompt, "Scores.dat could not be loaded (") && EndsWith(m.prompt, ")."),
                         qPrintable(context + ": " + QString::fromStdString(m.prompt)));
            } else {
                QVERIFY2(m.title == "No game saved", qPrintable(context + ": " + QString::fromStdString(m.title)));
                // Only a file that says no game was saved means none.
                QVERIFY2(damaged[3] && bytes[3].find("#FALSE#") != std::string::npos, qPrintable(context));
            }
            QVERIFY2(damaged[3], qPrintable(context + ": a valid saved game was not loaded"));
        }
        // Reading changes no file; the start writes the statistics back as
        // they were taken.
        std::string stats;
        for (int won : s.GamesWon) stats += std::to_string(won) + ",";
        before[1] = QByteArray::fromStdString(stats + std::to_string(s.Speed) + "\r\n");
        for (int f = 0; f < 4; ++f) QVERIFY2(Read(dir.filePath(kFiles[f])) == before[f], qPrintable(context + ": " + kFiles[f]));
    }
    // The generator reached every outcome often.
    QVERIFY2(loaded > kCases / 10 && refused > kCases / 10, qPrintable(QString("%1 loaded, %2 refused").arg(loaded).arg(refused)));
    QVERIFY2(settingsRead > kCases / 10 && settingsRefused > kCases / 10,
             qPrintable(QString("%1 read, %2 refused").arg(settingsRead).arg(settingsRefused)));
}

QTEST_GUILESS_MAIN(TestFuzzFiles)
#include "tst_fuzz_files.moc"
