// The data files: their bytes, reading hand-written and damaged files, the
// first start, saves that fail part way, the game history, and the
// statistics arithmetic.

#include <QtTest>

#include <memory>

#include "storage/DataFiles.h"
#include "storage/History.h"
#include "storage/Preferences.h"
#include "storage/Statistics.h"

using namespace meldora;

namespace {

template <class Strings>
QStringList List(const Strings& strings) {
    QStringList list;
    for (const std::string& s : strings) list << QString::fromStdString(s);
    return list;
}

// A game saved after round 3 with North dealing (points by seat, then
// round), and its file.
const SavedGame kRoundThree{{{0, 12, 0, 837}, {0, 0, 30, 15}, {0, 45, 5, 0}, {0, 7, 18, 2}}, true, 3, {false, false, true, false}};
const QByteArray kRoundThreeLines =
    "12,0,45,7\r\n0,30,5,18\r\n837,15,0,2\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n";
const QByteArray kRoundThreeFile = kRoundThreeLines + "#TRUE#,3,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n";

// A disk that takes `budget` bytes of the temporary file and then fails;
// with `failClose` the bytes fit but closing the file fails.
struct FailingSink : StdioSink {
    FailingSink(std::size_t budget, bool failClose) : budget(budget), failClose(failClose) {}
    bool Write(std::string_view bytes, std::string& error) override {
        error = "No space left on device";
        return StdioSink::Write(bytes.substr(0, budget), error) && bytes.size() <= budget;
    }
    bool Close(std::string& error) override {
        error = "Input/output error";
        return StdioSink::Close(error) && !failClose;
    }
    std::size_t budget;
    bool failClose;
};

// A game the player wins: each seat scores seat + round in every round.
GameRecord Finished(int deal) {
    GameRecord g{"2024-03-09 21:15", deal, false, {"Player", "WestBot", "NorthBot", "EastBot"}, {}, 0};
    for (int s = 0; s < 4; ++s)
        for (int r = 1; r <= 7; ++r) g.Points[s][r] = s + r;
    return g;
}

}  // namespace

class TestStorage : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::filesystem::path Folder() const { return dir_->path().toStdString(); }
    void Put(const QString& name, const QByteArray& bytes) {
        QFile f(dir_->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    QByteArray Get(const QString& name) const {
        QFile f(dir_->filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // The first start writes the defaults; a folder that cannot be written
    // gives defaults and one message per file.
    void firstStart() {
        Settings s;
        s.SeatNames[0] = "left over";
        QCOMPARE(List(LoadSettings(Folder(), s)), QStringList());
        QCOMPARE(s.SeatNames[0], std::string("Player"));
        QCOMPARE(Get(kNamesFile) + Get(kStatsFile) + Get(kSwitchesFile),
                 "\"Player\",\"WestBot\",\"NorthBot\",\"EastBot\"\r\n0,0,0,0,250\r\n#FALSE#,#FALSE#\r\n");
        SavedGame g;
        QCOMPARE(int(LoadSavedGame(Folder(), g).Status), int(LoadStatus::NoGameSaved));
        QCOMPARE(Get(kSavedGameFile), QByteArray("<missing>"));

        const std::vector<std::string> messages = LoadSettings(Folder() / "absent", s);
        QCOMPARE(messages.size(), std::size_t(3));
        QVERIFY(QString::fromStdString(messages[2]).startsWith("Ani..dat is missing and could not be created ("));
        QCOMPARE(List(s.SeatNames), List(Settings{}.SeatNames));
    }

    // Each row writes one file over the three saved from `kept`. Every field
    // that reads is taken, the others get their defaults (`taken`: the values
    // afterwards in the file's own form), the reasons are told in one message
    // (`some`: some of the file's values were read), and no file is touched.
    void readSettings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("some");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QByteArray>("taken");
        const QByteArray kNames = "\"Player\",\"WestBot\",\"NorthBot\",\"EastBot\"";  // the defaults
        QTest::newRow("LF only, spaces around names") << kNamesFile << QByteArray("\"A\", \"B\" ,\"C\",\"D\"\n") << true << ""
                                                      << QByteArray("\"A\",\"B\",\"C\",\"D\"");
        QTest::newRow("byte order mark, spaces, blank lines") << kStatsFile << QByteArray("\xEF\xBB\xBF 3, 1,0 ,0,150\r\n\r\n\n")
                                                              << true << "" << QByteArray("3,1,0,0,150");
        QTest::newRow("no line end") << kSwitchesFile << QByteArray("#TRUE#,#FALSE#") << true << "" << QByteArray("#TRUE#,#FALSE#");
        QTest::newRow("empty") << kNamesFile << QByteArray() << false << "it is empty" << kNames;
        QTest::newRow("no closing quote") << kNamesFile << QByteArray("\"A\",\"B\",\"C\",\"D\r\n") << true
                                          << "field 4 has no closing quote" << QByteArray("\"A\",\"B\",\"C\",\"EastBot\"");
        QTest::newRow("text after a closing quote") << kNamesFile << QByteArray("\"A\",\"B\" x,\"C\",\"D\"\r\n") << true
                                                    << "field 2 has text after its closing quote"
                                                    << QByteArray("\"A\",\"WestBot\",\"C\",\"D\"");
        QTest::newRow("binary") << kNamesFile << QByteArray("\"A\0\",\"B\",\"C\",\"D\"\r\n", 19) << false
                                << "it holds binary data" << kNames;
        QTest::newRow("DEL in a name") << kNamesFile << QByteArray("\"A\x7F\",\"B\",\"C\",\"D\"\r\n") << false
                                       << "it holds binary data" << kNames;
        QTest::newRow("a stray carriage return") << kNamesFile << QByteArray("\"A\r\",\"B\",\"C\",\"D\"\r\n") << false
                                                 << "line 1 holds a stray carriage return" << kNames;
        QTest::newRow("a bare word") << kStatsFile << QByteArray("5,3,2,x,250\r\n") << true
                                     << "field 4 is not a quoted text, a number, #TRUE# or #FALSE#" << QByteArray("5,3,2,0,250");
        QTest::newRow("out of range") << kStatsFile << QByteArray("3,-1,0,0,999\r\n") << true
                                      << "the games won by West (-1) are not between 0 and 32767; the speed 999 is none of "
                                         "3000, 1250, 250 and 150" << QByteArray("3,0,0,0,250");
        QTest::newRow("short, quoted, two lines") << kStatsFile << QByteArray("3,\"1\"\r\n0,0\r\n") << true
                                                  << "it has 2 lines instead of 1 line; field 2 is not a number; field 3 is "
                                                     "missing; field 4 is missing; field 5 is missing" << QByteArray("3,0,0,0,250");
        QTest::newRow("a field too many") << kSwitchesFile << QByteArray("#FALSE#,#TRUE#,#TRUE#\r\n") << true
                                          << "it has 3 fields instead of 2 fields" << QByteArray("#FALSE#,#TRUE#");
        QTest::newRow("numbers for flags") << kSwitchesFile << QByteArray("-1,0\r\n") << false
                                           << "field 1 is not #TRUE# or #FALSE#; field 2 is not #TRUE# or #FALSE#"
                                           << QByteArray("#FALSE#,#FALSE#");
    }
    void readSettings() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, some);
        QFETCH(QString, why);
        QFETCH(QByteArray, taken);
        const Settings kept{{"A", "B", "C", "D"}, {3, 1, 0, 0}, kSpeedFast, true, false};
        const QTemporaryDir after;
        auto save = [](const std::filesystem::path& folder, const Settings& s) {
            QVERIFY(SaveNames(folder, s).Ok);
            QVERIFY(SaveStats3(folder, s).Ok);
            QVERIFY(SaveSwitches(folder, s).Ok);
        };
        auto line = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
        };
        save(Folder(), kept);
        Put(file, bytes);
        const QByteArray before = Get(kNamesFile) + Get(kStatsFile) + Get(kSwitchesFile);
        Settings s{{"w", "x", "y", "z"}, {9, 9, 9, 9}, kSpeedSlow, false, true};  // neither defaults nor kept
        const QStringList messages = List(LoadSettings(Folder(), s));
        QCOMPARE(Get(kNamesFile) + Get(kStatsFile) + Get(kSwitchesFile), before);
        save(after.path().toStdString(), s);
        for (const QString f : {kNamesFile, kStatsFile, kSwitchesFile})
            QCOMPARE(line(after.filePath(f)), f == file ? taken : line(dir_->filePath(f)));
        QCOMPARE(messages, why.isEmpty() ? QStringList()
                           : some ? QStringList(file + " could not be read whole (" + why +
                                                "). What could be read is used, default values for the rest.")
                                  : QStringList(file + " could not be read (" + why + "). Default values are used."));
    }

    // A saved game that is refused (`reason` in its message), or says none
    // is saved, leaves the game and the file untouched.
    void savedGameLoad_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray& lines = kRoundThreeLines;
        const QByteArray last = kRoundThreeFile.mid(lines.size());
        QTest::newRow("none saved") << QByteArray("-9,0,0,0\r\n").repeated(7) + "#FALSE#,12,#TRUE#,#TRUE#,#FALSE#,#FALSE#\r\n"
                                    << "";
        QTest::newRow("a text for points") << QByteArray(lines).replace("45", "\"x\"") + last << "line 1, field 3 is not a number";
        QTest::newRow("round 7 reached") << lines + "#TRUE#,7,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n" << "round 7,";
        QTest::newRow("negative points") << QByteArray(lines).replace("0,30", "-1,30") + last
                                         << "the player in round 2 (-1) are not between 0 and 837";
        QTest::newRow("no dealer") << lines + "#TRUE#,3,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n" << "no dealer";
        QTest::newRow("two dealers") << lines + "#TRUE#,3,#TRUE#,#FALSE#,#TRUE#,#FALSE#\r\n" << "more than one dealer";
        QTest::newRow("points in a later round") << lines.left(lines.size() - 9) + "0,0,9,0\r\n" + last
                                                 << "points of North in round 7, which has not been played";
    }
    void savedGameLoad() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        Put(kSavedGameFile, bytes);
        SavedGame g;
        g.Round = 99;
        const LoadGameResult result = LoadSavedGame(Folder(), g);
        const QString message = QString::fromStdString(result.Message);
        QCOMPARE(int(result.Status), int(reason.isEmpty() ? LoadStatus::NoGameSaved : LoadStatus::Refused));
        QCOMPARE(message.isEmpty(), reason.isEmpty());
        if (!reason.isEmpty()) QVERIFY2(message.startsWith("Scores.dat could not be loaded ("), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(g.Round, 99);
        QCOMPARE(Get(kSavedGameFile), bytes);
    }

    // Each file's bytes; a save that fails after any number k of bytes of
    // the new file, or when closing it, leaves all four files as they were,
    // says so, and leaves no temporary file behind; the whole save writes `written`.
    void interruptedSave_data() {
        QTest::addColumn<QByteArray>("written");
        QTest::newRow(kNamesFile) << QByteArray("\"Smith, Jo\",\"W\",\"N\",\"E\"\r\n");
        QTest::newRow(kStatsFile) << QByteArray("4,1,0,12,1250\r\n");
        QTest::newRow(kSwitchesFile) << QByteArray("#FALSE#,#TRUE#\r\n");
        QTest::newRow(kSavedGameFile) << QByteArray(kRoundThreeLines).replace(34, 7, "0,61,0,0") +
                                             "#TRUE#,4,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n";
    }
    void interruptedSave() {
        QFETCH(QByteArray, written);
        const QString file = QTest::currentDataTag();
        const Settings old{{"A", "B", "C", "D"}, {3, 1, 0, 0}, kSpeedFast, true, false};
        const Settings next{{"Smith, Jo", "W", "N", "E"}, {4, 1, 0, 12}, kSpeedSlow, false, true};
        SavedGame nextGame = kRoundThree;
        nextGame.Round = 4;
        nextGame.RoundPoints[1][4] = 61;
        auto all = [&] { return Get(kNamesFile) + Get(kStatsFile) + Get(kSwitchesFile) + Get(kSavedGameFile); };
        QVERIFY(SaveNames(Folder(), old).Ok);
        QVERIFY(SaveStats3(Folder(), old).Ok);
        QVERIFY(SaveSwitches(Folder(), old).Ok);
        QVERIFY(SaveGame(Folder(), kRoundThree).Ok);
        const QByteArray before = all(), oldFile = Get(file);
        QCOMPARE(before, "\"A\",\"B\",\"C\",\"D\"\r\n3,1,0,0,150\r\n#TRUE#,#FALSE#\r\n" + kRoundThreeFile);
        auto save = [&](ByteSink* sink) {
            return file == kNamesFile      ? SaveNames(Folder(), next, sink)
                   : file == kStatsFile    ? SaveStats3(Folder(), next, sink)
                   : file == kSwitchesFile ? SaveSwitches(Folder(), next, sink)
                                           : SaveGame(Folder(), nextGame, sink);
        };
        // Every k short of the whole file fails in the write; at the whole file the close fails.
        bool done = false;
        for (std::size_t k = 0; !done; ++k) {
            FailingSink sink(k, false);
            if ((done = save(&sink).Ok)) {  // the whole file: put the old one back and fail its close
                QCOMPARE(std::size_t(Get(file).size()), k);
                Put(file, oldFile);
            }
            FailingSink failing(k, done);
            const SaveResult result = save(&failing);
            const QString message = QString::number(k) + ": " + QString::fromStdString(result.Message);
            QVERIFY2(!result.Ok, qPrintable(message));
            QVERIFY2(message.contains(": " + file + " could not be saved ("), qPrintable(message));
            QVERIFY2(message.endsWith("). The previous file is unchanged."), qPrintable(message));
            QCOMPARE(all(), before);
            QCOMPARE(Get(file + ".tmp"), QByteArray("<missing>"));
        }
        QVERIFY(save(nullptr).Ok);
        QCOMPARE(Get(file), written);
    }

    // A game goes into the history as the line below and comes back field
    // for field (written again, it gives the same line): names with commas,
    // quotes and non-ASCII letters, every round of every seat, the Expert
    // level. A double quote, which the record format cannot hold in a text,
    // is stored as a single quote.
    void historyRoundTrip() {
        GameRecord expert{"2025-12-31 23:59", 2147483647, true, {"Smith, Jo", "O'Neil \"Ace\"", ",,", "Zoë"}, {}, 2};
        for (int s = 0; s < 4; ++s)
            for (int r = 1; r <= 7; ++r) expert.Points[s][r] = s == 2 ? r : 100 * s + 10 * r + s + 1;
        expert.Points[3][7] = kMaxRoundPoints;
        const QByteArray line = "1,\"2025-12-31 23:59\",2147483647,\"Expert\",\"Smith, Jo\",\"O'Neil 'Ace'\",\",,\",\"Zo\xC3\xAB\","
                                "11,21,31,41,51,61,71,112,122,132,142,152,162,172,1,2,3,4,5,6,7,314,324,334,344,354,364,837,2\r\n";
        const std::filesystem::path file = Folder() / kHistoryFile;
        QVERIFY(AppendHistory(file, expert).Ok);
        QCOMPARE(Get(kHistoryFile), line);
        const HistoryFile read = ReadHistory(file);
        QCOMPARE(QString::fromStdString(read.Message), QString());
        QCOMPARE(read.Games.size(), std::size_t(1));
        QCOMPARE(QByteArray::fromStdString(HistoryLine(read.Games[0])), line);
    }

    // Damaged lines, the last one unended, around two good ones: only those
    // games are left out, one message tells of them and of the first, and
    // adding a game keeps the damaged lines as they were.
    void historyDamagedLine_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("why");
        const QByteArray good = QByteArray::fromStdString(HistoryLine(Finished(7))).trimmed();
        QTest::newRow("cut short") << good.left(good.size() - 9) << "it has 33 fields instead of 37";
        QTest::newRow("a text for points") << QByteArray(good).replace(",1,2,", ",\"1\",2,") << "field 9 is not a number";
        QTest::newRow("points out of range") << QByteArray(good).replace(",1,2,", ",9999,2,")
                                             << "field 9 (9999 points) is not between 0 and 837";
        QTest::newRow("winner not the lowest") << good.left(good.size() - 1) + "3" << "the winner 3 does not match";
        QTest::newRow("unknown robots") << QByteArray(good).replace("Standard", "Novice") << "\"Novice\" are neither";
        QTest::newRow("a newer format") << "2," + good.mid(2) + ",\"more\"" << "it is of format 2";
        QTest::newRow("a zero byte") << QByteArray(good).replace("WestBot", QByteArray("West\0ot", 7)) << "binary data";
    }
    void historyDamagedLine() {
        QFETCH(QByteArray, line);
        QFETCH(QString, why);
        const std::filesystem::path file = Folder() / kHistoryFile;
        const QByteArray bytes = line + "\r\n" + QByteArray::fromStdString(HistoryLine(Finished(1))) + line + "\n" +
                                 QByteArray::fromStdString(HistoryLine(Finished(2))) + line;
        Put(kHistoryFile, bytes);
        QVERIFY(AppendHistory(file, Finished(3)).Ok);
        QCOMPARE(Get(kHistoryFile), bytes + "\r\n" + QByteArray::fromStdString(HistoryLine(Finished(3))));
        const HistoryFile read = ReadHistory(file);
        QCOMPARE(read.Games.size(), std::size_t(3));
        QCOMPARE(read.Games[1].DealNumber, 2);
        const QString message = QString::fromStdString(read.Message);
        QVERIFY2(message.startsWith("History.dat: 3 games could not be read and are left out (the first, line 1: "),
                 qPrintable(message));
        QVERIFY2(message.contains(why), qPrintable(message));
    }

    // Shares are truncated, and four 16-bit counts add up without overflow.
    void statistics() {
        QVERIFY(!ComputeGamesStatistics({0, 0, 0, 0}).HasPercent);
        const auto some = ComputeGamesStatistics({2, 1, 0, 0}).Percent, full = ComputeGamesStatistics({32767, 32767, 32767, 32767}).Percent;
        QCOMPARE(QList<long long>(some.begin(), some.end()), (QList<long long>{66, 33, 0, 0}));
        QCOMPARE(ComputeGamesStatistics({32767, 32767, 32767, 32767}).Played, 131068LL);
        QCOMPARE(full[0], 25LL);
    }

    // The window's own files: which are reported as unreadable, and the
    // robots' level read. A missing file is the default and is not made.
    void preferencesRead_data() {
        QTest::addColumn<QByteArray>("robots");  // Robots.dat, or <missing>
        QTest::addColumn<QByteArray>("deck");    // Deck.dat, or <missing>
        QTest::addColumn<QStringList>("reported");
        const QByteArray none = "<missing>";
        QTest::newRow("first start") << none << none << QStringList();
        QTest::newRow("unknown level") << QByteArray("\"expert\"\r\n") << none << QStringList("Robots.dat");
        QTest::newRow("not a text") << QByteArray("#TRUE#\r\n") << QByteArray("\"x\",\"y\"\r\n")
                                    << QStringList{"Robots.dat", "Deck.dat"};
    }

    void preferencesRead() {
        QFETCH(QByteArray, robots);
        QFETCH(QByteArray, deck);
        QFETCH(QStringList, reported);
        if (robots != "<missing>") Put(kRobotsFile, robots);
        if (deck != "<missing>") Put(kDeckFile, deck);
        Preferences prefs;
        QStringList files;
        for (const std::string& m : LoadPreferences(Folder(), prefs))
            files << QString::fromStdString(m).section(' ', 0, 0);
        QCOMPARE(files, reported);
        QCOMPARE(int(prefs.Robots), int(RobotLevel::Standard));
        QCOMPARE(Get(kRobotsFile), robots);  // read, never rewritten
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
