// Damaged data files from a fixed seed, read the way a start reads them:
// the settings through Form_Load, then the menu's "Load Game".

#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "Fixture.h"
#include "game/Commands.h"
#include "game/TableChecks.h"
#include "storage/DataFiles.h"
#include "storage/FileStore.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

const char* const kFiles[4] = {kNamesFile, kStatsFile, kSwitchesFile, kSavedGameFile};
const int kSpeeds[] = {kSpeedVerySlow, kSpeedSlow, kSpeedMedium, kSpeedFast};

// Valid contents of file `f`, varied by the generator.
std::string ValidFile(int f, Random& rng) {
    const char* names[] = {"Player", "Smith, Jo", "Zoë", "a\tb", "", " West ", "N'orth"};
    auto flag = [&](bool on) { return std::string(on ? "#TRUE#" : "#FALSE#"); };
    std::string s;
    const int reached = 1 + rng.Below(6), dealer = rng.Below(4);
    for (int i = 0; i < (f == 3 ? 28 : f == 2 ? 2 : 4); ++i) {
        const std::string sep = i % 4 == 3 || (f == 2 && i == 1) ? "\r\n" : ",";
        s += f == 0 ? std::string("\"") + names[rng.Below(7)] + "\"" + sep
             : f == 1 ? std::to_string(rng.Below(40)) + ","
             : f == 2 ? flag(rng.Below(2)) + sep
                      : std::to_string(i / 4 < reached ? rng.Below(120) : 0) + sep;
    }
    if (f == 1) s += std::to_string(kSpeeds[rng.Below(4)]) + "\r\n";
    if (f == 3) {
        s += "#TRUE#," + std::to_string(reached);
        for (int seat = 0; seat < 4; ++seat) s += "," + flag(seat == dealer);
        s += "\r\n";
    }
    return s;
}

// Damages `s` one to three times: cut short, a bit flipped, a huge or
// out-of-range number, a stray quote, NUL, DEL, line-end byte or comma, a
// flag turned over, a line doubled or dropped, any byte.
std::string Damage(std::string s, Random& rng) {
    const char* numbers[] = {"99999999999999999999", "-9223372036854775808", "2147483648", "32768", "838", "-1",
                             "+7", "1e3", "0x10", " 5 "};
    for (int times = 1 + rng.Below(3); times > 0; --times) {
        const std::size_t at = rng.Below(static_cast<int>(s.size()) + 1);
        const std::size_t digit = std::min(s.find_first_of("0123456789", at), s.size()), flag = s.find('#', at),
                          line = std::min(s.find('\n', at), s.size()), next = std::min(s.find('\n', line + 1), s.size());
        switch (rng.Below(7)) {
        case 0: s.resize(at); break;
        case 1:
            if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << rng.Below(8)));
            break;
        case 2: s.replace(digit, std::min(s.find_first_not_of("0123456789", digit), s.size()) - digit, numbers[rng.Below(10)]); break;
        case 3: s.insert(at, 1, "\"\0\x7F\r\n,"[rng.Below(6)]); break;
        case 4:  // a flag turned over
            if (flag != std::string::npos && flag + 2 < s.size())
                s.replace(flag, s[flag + 1] == 'T' ? 6 : 7, s[flag + 1] == 'T' ? "#FALSE#" : "#TRUE#");
            break;
        case 5:  // the line after `at` doubled or dropped
            rng.Below(2) ? void(s.insert(line, s.substr(line, next - line))) : void(s.erase(line, next - line));
            break;
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

}  // namespace

class TestFuzzFiles : public QObject {
    Q_OBJECT
private slots:
    void damagedFiles() {
        QTemporaryDir dir;
        Random rng(20261207);
        const int kCases = 3000;
        int loaded = 0, refused = 0, settingsRead = 0, settingsRefused = 0;
        QStringList faults;  // the first few
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
                QFile file(dir.filePath(kFiles[f]));
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                QCOMPARE(file.write(bytes[f].data(), qint64(bytes[f].size())), qint64(bytes[f].size()));
                before[f] = QByteArray::fromStdString(bytes[f]);
            }
            Table t(1 + n, IdleRobots());
            FileStore store(dir.path().toStdString());
            t.g.store = &store;
            t.host.messageAnswers = {1, 1};  // "Use Menu", after any report of what could not be read
            Form_Load(t.g);

            // What could not be read is told in one message, a line per file,
            // once, and only for a file that was damaged.
            auto expect = [&](bool holds, const QString& what) {
                if (!holds && faults.size() < 5) faults << context + ": " + what;
            };
            QStringList problems;
            for (const auto& m : t.host.messages)
                if (m.title == "Meldora") problems << QString::fromStdString(m.prompt).split('\n');
            int told[3] = {};
            for (const QString& p : problems) {
                const int f = p.startsWith(kNamesFile) ? 0 : p.startsWith(kStatsFile) ? 1 : p.startsWith(kSwitchesFile) ? 2 : -1;
                const QString file = f >= 0 ? kFiles[f] : "?";
                const bool unreadable = p.startsWith(file + " could not be read (") && p.endsWith("). Default values are used.");
                const bool partly = p.startsWith(file + " could not be read whole (") &&
                                    p.endsWith("). What could be read is used, default values for the rest.");
                expect(unreadable || partly, "told in other words: " + p);
                expect(f >= 0 && damaged[f], "told of a sound file: " + p);
                expect(f < 0 || ++told[f] == 1, "told twice: " + p);
                settingsRefused += 1;
            }
            settingsRead += problems.isEmpty();
            // Whatever was taken can be written back as it is: a name the names
            // file holds unchanged (no control bytes), games won within 16 bits,
            // a known speed.
            const Settings& s = t.g.settings;
            for (const std::string& name : s.SeatNames)
                expect(store.CleanName(name) == name, "name " + QByteArray::fromStdString(name).toPercentEncoding());
            for (int won : s.GamesWon) expect(won >= 0 && won <= kMaxGamesWon, QString("games won %1").arg(won));
            expect(std::count(std::begin(kSpeeds), std::end(kSpeeds), s.Speed) == 1, QString("speed %1").arg(s.Speed));

            // The saved game becomes a sound round, or is refused in words; a
            // valid one always loads, and only a file that says so means none saved.
            t.host.messages.clear();
            LoadSavedGame(t.g);
            if (t.g.GameInProgress) {
                ++loaded;
                const QString fault = t.CheckInvariants() + QString::fromStdString(CheckFreshRound(t.g));
                expect(fault.isEmpty(), fault + "\n" + QByteArray::fromStdString(bytes[3]));
                expect(t.g.Round >= 2 && t.g.Round <= 7, QString("loaded round %1").arg(t.g.Round));
            } else {
                expect(damaged[3], "a sound saved game not loaded");
                expect(t.g.Round == 0, "a refused game changed the round");
                const auto m = t.host.messages.empty() ? HeadlessHost::Message{} : t.host.messages.back();
                const QString prompt = QString::fromStdString(m.prompt);
                refused += m.title == "Load Game";
                expect(m.title == "Load Game" ? prompt.startsWith("Scores.dat could not be loaded (") && prompt.endsWith(").")
                                              : m.title == "No game saved" && bytes[3].find("#FALSE#") != std::string::npos,
                       QString::fromStdString(m.title) + ": " + prompt);
            }
            // Reading changes no file, and nothing is written back before a value changes.
            for (int f = 0; f < 4; ++f) expect(Read(dir.filePath(kFiles[f])) == before[f], QString(kFiles[f]) + " changed");
        }
        QCOMPARE(faults, QStringList());
        // The generator reached every outcome often.
        for (int outcome : {loaded, refused, settingsRead, settingsRefused}) QCOMPARE_GT(outcome, kCases / 10);
    }
};

QTEST_GUILESS_MAIN(TestFuzzFiles)
#include "tst_fuzz_files.moc"
