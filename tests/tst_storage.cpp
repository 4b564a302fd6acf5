// The data files: their bytes, reading hand-written and damaged files, the
// first start, saves that fail part way, and the statistics arithmetic.

#include <QtTest>

#include <cstring>
#include <memory>

#include "storage/DataFiles.h"
#include "storage/Statistics.h"

using namespace meldora;

namespace {

template <class Strings>
QStringList List(const Strings& strings) {
    QStringList list;
    for (const std::string& s : strings) list << QString::fromStdString(s);
    return list;
}

const QByteArray kDefaultNames = "\"Player\",\"WestBot\",\"NorthBot\",\"EastBot\"\r\n";

// A game saved after round 3 with North dealing, and its file.
SavedGame RoundThreeGame() {
    SavedGame g;
    const int points[3][4] = {{12, 0, 45, 7}, {0, 30, 5, 18}, {837, 15, 0, 2}};
    for (int r = 1; r <= 3; ++r)
        for (int s = 0; s < 4; ++s) g.RoundPoints[s][r] = points[r - 1][s];
    g.GameSaved = true;
    g.Round = 3;
    g.IsDealer[2] = true;
    return g;
}
const QByteArray kRoundThreeFile =
    "12,0,45,7\r\n0,30,5,18\r\n837,15,0,2\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n"
    "#TRUE#,3,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n";

// A disk that takes `budget` bytes: a longer write puts what fits and fails.
class FailingSink : public StdioSink {
public:
    FailingSink(std::size_t budget, bool failClose) : budget_(budget), failClose_(failClose) {}
    bool Write(std::string_view bytes, std::string& error) override {
        if (StdioSink::Write(bytes.substr(0, budget_), error) && bytes.size() <= budget_) return true;
        error = "No space left on device";
        return false;
    }
    bool Close(std::string& error) override {
        const bool closed = StdioSink::Close(error);
        if (failClose_) error = "Input/output error";
        return closed && !failClose_;
    }

private:
    std::size_t budget_;
    bool failClose_;
};

}  // namespace

class TestStorage : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::filesystem::path Folder() const { return dir_->path().toStdString(); }
    QString Path(const QString& name) const { return dir_->filePath(name); }
    void Put(const QString& name, const QByteArray& bytes) {
        QFile f(Path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    QByteArray Get(const QString& name) const {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }
    void settingsBytes();
    void savedGameBytes();
    void names_data();
    void names();
    void handWritten_data();
    void handWritten();
    void firstStart();
    void unknownSpeed();
    void damagedSettings_data();
    void damagedSettings();
    void savedGameLoad_data();
    void savedGameLoad();
    void interruptedSave();
    void statistics_data();
    void statistics();
};

void TestStorage::settingsBytes() {
    Settings s;
    s.GamesWon = {400, 1, 0, 2};
    s.Speed = kSpeedSlow;
    s.NoAnimation = true;
    QVERIFY(SaveStats3(Folder(), s).Ok && SaveSwitches(Folder(), s).Ok);
    QCOMPARE(Get(kStatsFile), QByteArray("400,1,0,2,1250\r\n"));
    QCOMPARE(Get(kSwitchesFile), QByteArray("#TRUE#,#FALSE#\r\n"));
}

void TestStorage::savedGameBytes() {
    const SavedGame g = RoundThreeGame();
    QVERIFY(SaveGame(Folder(), g).Ok);
    QCOMPARE(Get(kSavedGameFile), kRoundThreeFile);
    SavedGame back;
    QCOMPARE(int(LoadSavedGame(Folder(), back).Status), int(LoadStatus::Loaded));
    QCOMPARE(std::memcmp(back.RoundPoints, g.RoundPoints, sizeof g.RoundPoints), 0);
    QCOMPARE(back.Round, 3);
    QCOMPARE(std::memcmp(back.IsDealer, g.IsDealer, sizeof g.IsDealer), 0);
}

void TestStorage::names_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("double quotes") << "Bob \"the Blade\"" << "Bob 'the Blade'";
    QTest::newRow("comma") << "Smith, Jo" << "Smith, Jo";
    QTest::newRow("line break") << "Al\r\nice\n" << "Alice";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("accents") << "Zoë Müller" << "Zoë Müller";
    QTest::newRow("hundreds") << QString(700, 'n') << QString(700, 'n');
    QTest::newRow("too long, cut between characters")
        << "x" + QString(3000, QChar(0xE9)) << "x" + QString(1999, QChar(0xE9));
}

void TestStorage::names() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Settings s;
    s.SeatNames[0] = typed.toStdString();
    QVERIFY(SaveNames(Folder(), s).Ok);
    QCOMPARE(QString::fromUtf8(Get(kNamesFile)),
             "\"" + stored + "\",\"WestBot\",\"NorthBot\",\"EastBot\"\r\n");
    Settings back;
    QCOMPARE(List(LoadSettings(Folder(), back)), QStringList());
    QCOMPARE(QString::fromStdString(back.SeatNames[0]), stored);
}

void TestStorage::handWritten_data() {
    QTest::addColumn<QByteArray>("names");
    QTest::addColumn<QByteArray>("stats");
    QTest::addColumn<QByteArray>("switches");
    QTest::newRow("LF only") << QByteArray("\"A\",\"B\",\"C\",\"D\"\n") << QByteArray("1,2,3,4,150\n")
                             << QByteArray("#FALSE#,#TRUE#\n");
    QTest::newRow("byte order mark")
        << QByteArray("\xEF\xBB\xBF\"A\",\"B\",\"C\",\"D\"\r\n")
        << QByteArray("\xEF\xBB\xBF" "1,2,3,4,150\r\n") << QByteArray("\xEF\xBB\xBF#FALSE#,#TRUE#\r\n");
    QTest::newRow("no line end, spaces, blank lines")
        << QByteArray("\"A\", \"B\" ,\"C\",\"D\"") << QByteArray(" 1, 2,3 ,4,150\r\n\r\n\n")
        << QByteArray("#FALSE#,#TRUE#\r\n\r\n");
}

void TestStorage::handWritten() {
    QFETCH(QByteArray, names);
    QFETCH(QByteArray, stats);
    QFETCH(QByteArray, switches);
    Put(kNamesFile, names);
    Put(kStatsFile, stats);
    Put(kSwitchesFile, switches);
    Settings s;
    QCOMPARE(List(LoadSettings(Folder(), s)), QStringList());
    QCOMPARE(List(s.SeatNames), QStringList({"A", "B", "C", "D"}));
    QCOMPARE(s.GamesWon, (std::array<int, 4>{1, 2, 3, 4}));
    QCOMPARE(s.Speed, kSpeedFast);
    QCOMPARE(s.NoAnimation, false);
    QCOMPARE(s.NoSound, true);
}

void TestStorage::firstStart() {
    Settings s;
    s.SeatNames[0] = "left over";
    QCOMPARE(List(LoadSettings(Folder(), s)), QStringList());
    QCOMPARE(s.SeatNames[0], std::string("Player"));
    QCOMPARE(Get(kNamesFile), kDefaultNames);
    QCOMPARE(Get(kStatsFile), QByteArray("0,0,0,0,250\r\n"));
    QCOMPARE(Get(kSwitchesFile), QByteArray("#FALSE#,#FALSE#\r\n"));
    SavedGame g;
    QCOMPARE(int(LoadSavedGame(Folder(), g).Status), int(LoadStatus::NoGameSaved));
    QVERIFY(!QFile::exists(Path(kSavedGameFile)));

    // A folder that cannot be written: defaults and one message per file.
    const std::vector<std::string> messages = LoadSettings(Folder() / "absent", s);
    QCOMPARE(messages.size(), std::size_t(3));
    QVERIFY(QString::fromStdString(messages[2]).startsWith("Ani..dat is missing and could not be created ("));
    QCOMPARE(List(s.SeatNames), List(Settings{}.SeatNames));
}

void TestStorage::unknownSpeed() {
    Put(kStatsFile, "5,1,0,0,999\r\n");
    Settings s;
    s.Speed = kSpeedFast;
    QCOMPARE(List(LoadSettings(Folder(), s)),
             QStringList("Stats3.dat holds the speed 999, which is none of 3000, 1250, 250 and 150. "
                         "The speed 250 is used."));
    QCOMPARE(s.Speed, kSpeedMedium);
    QCOMPARE(s.GamesWon[0], 5);
}

void TestStorage::damagedSettings_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("names empty") << kNamesFile << QByteArray() << "(it is empty)";
    QTest::newRow("names short") << kNamesFile << QByteArray("\"A\",\"B\",\"C\"\r\n") << "3 fields instead of 4";
    QTest::newRow("names open quote") << kNamesFile << QByteArray("\"A\",\"B\",\"C\",\"D\r\n") << "closing quote";
    QTest::newRow("names quote inside") << kNamesFile << QByteArray("\"A\"x\",\"B\",\"C\",\"D\"\r\n") << "after its closing";
    QTest::newRow("names binary") << kNamesFile << QByteArray("\"A") + '\0' + QByteArray("\",\"B\",\"C\",\"D\"\r\n") << "binary";
    QTest::newRow("names two lines") << kNamesFile << (kDefaultNames + kDefaultNames) << "2 lines instead of 1";
    QTest::newRow("names overlong") << kNamesFile << "\"" + QByteArray(70000, 'x') + kDefaultNames << "64 KiB";
    QTest::newRow("names stray CR") << kNamesFile << QByteArray("\"A\"\r,\"B\",\"C\",\"D\"\r\n") << "carriage return";
    QTest::newRow("won negative") << kStatsFile << QByteArray("3,-1,0,0,250\r\n") << "West (-1) are not between";
    QTest::newRow("won above 16 bits") << kStatsFile << QByteArray("32768,0,0,0,250\r\n") << "between 0 and 32767";
    QTest::newRow("stats text") << kStatsFile << QByteArray("3,\"1\",0,0,250\r\n") << "field 2 is not a number";
    QTest::newRow("switches one") << kSwitchesFile << QByteArray("#TRUE#\r\n") << "1 field instead of 2";
    QTest::newRow("switches numbers") << kSwitchesFile << QByteArray("-1,0\r\n") << "not #TRUE# or #FALSE#";
}

void TestStorage::damagedSettings() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    Settings kept;
    kept.SeatNames = {"A", "B", "C", "D"};
    kept.GamesWon = {3, 1, 0, 0};
    kept.Speed = kSpeedFast;
    kept.NoAnimation = kept.NoSound = true;
    QVERIFY(SaveNames(Folder(), kept).Ok && SaveStats3(Folder(), kept).Ok && SaveSwitches(Folder(), kept).Ok);
    Put(file, bytes);
    const QByteArray before[] = {Get(kNamesFile), Get(kStatsFile), Get(kSwitchesFile)};

    Settings s = kept;
    const std::vector<std::string> messages = LoadSettings(Folder(), s);
    QCOMPARE(messages.size(), std::size_t(1));
    const QString message = QString::fromStdString(messages[0]);
    QVERIFY2(message.startsWith(file + " could not be read (") && message.contains(reason) &&
                 message.endsWith("Default values are used."), qPrintable(message));
    const Settings d;
    QCOMPARE(List(s.SeatNames), List(file == kNamesFile ? d.SeatNames : kept.SeatNames));
    QCOMPARE(s.GamesWon, file == kStatsFile ? d.GamesWon : kept.GamesWon);
    QCOMPARE(s.Speed, file == kStatsFile ? d.Speed : kept.Speed);
    QCOMPARE(s.NoSound, file == kSwitchesFile ? d.NoSound : kept.NoSound);
    const QByteArray after[] = {Get(kNamesFile), Get(kStatsFile), Get(kSwitchesFile)};
    for (int i = 0; i < 3; ++i) QCOMPARE(after[i], before[i]);
}

void TestStorage::savedGameLoad_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");
    const QByteArray last = "#TRUE#,3,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n";
    const QByteArray lines = kRoundThreeFile.left(kRoundThreeFile.size() - last.size());
    const int loaded = int(LoadStatus::Loaded), none = int(LoadStatus::NoGameSaved),
              refused = int(LoadStatus::Refused);
    QTest::newRow("LF only") << QByteArray(kRoundThreeFile).replace("\r\n", "\n") << loaded << "";
    QTest::newRow("after the last round")
        << QByteArray("0,0,0,0\r\n").repeated(7) + "#FALSE#,0,#FALSE#,#FALSE#,#FALSE#,#TRUE#\r\n" << none << "";
    QTest::newRow("not saved, odd values")
        << QByteArray("-9,0,0,0\r\n").repeated(7) + "#FALSE#,12,#TRUE#,#TRUE#,#FALSE#,#FALSE#\r\n" << none << "";
    QTest::newRow("empty") << QByteArray("") << refused << "it is empty";
    QTest::newRow("seven lines") << lines << refused << "7 lines instead of 8";
    QTest::newRow("text points") << QByteArray(lines).replace("45", "\"x\"") + last << refused << "line 1, field 3 is not a number";
    QTest::newRow("round 0") << lines + "#TRUE#,0,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n" << refused << "round 0,";
    QTest::newRow("round 7") << lines + "#TRUE#,7,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n" << refused << "round 7,";
    QTest::newRow("negative points") << QByteArray(lines).replace("0,30", "-1,30") + last << refused
                                     << "the player in round 2 (-1) are not between 0 and 837";
    QTest::newRow("points beyond the pack") << QByteArray(lines).replace("837", "838") + last << refused << "(838)";
    QTest::newRow("no dealer") << lines + "#TRUE#,3,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n" << refused << "no dealer";
    QTest::newRow("two dealers") << lines + "#TRUE#,3,#TRUE#,#FALSE#,#TRUE#,#FALSE#\r\n" << refused << "more than one dealer";
}

void TestStorage::savedGameLoad() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    QFETCH(QString, reason);
    Put(kSavedGameFile, bytes);
    SavedGame g;
    g.Round = 99;
    const LoadGameResult result = LoadSavedGame(Folder(), g);
    QCOMPARE(int(result.Status), status);
    QCOMPARE(g.Round, status == int(LoadStatus::Loaded) ? 3 : 99);
    if (status == int(LoadStatus::Loaded)) QCOMPARE(g.RoundPoints[0][3], 837);
    const QString message = QString::fromStdString(result.Message);
    if (status == int(LoadStatus::Refused))
        QVERIFY2(message.startsWith("Scores.dat could not be loaded (") && message.contains(reason), qPrintable(message));
    else
        QCOMPARE(message, QString());
    QCOMPARE(Get(kSavedGameFile), bytes);
}

void TestStorage::interruptedSave() {
    QVERIFY(SaveGame(Folder(), RoundThreeGame()).Ok);
    SavedGame next = RoundThreeGame();
    next.Round = 4;
    next.RoundPoints[1][4] = 61;
    const std::size_t size = kRoundThreeFile.size() + 1;
    for (std::size_t k = 0; k <= size; ++k) {
        FailingSink sink(k, k == size);
        const SaveResult result = SaveGame(Folder(), next, &sink);
        QVERIFY2(!result.Ok, qPrintable(QString::number(k)));
        QVERIFY(QString::fromStdString(result.Message).startsWith("Scores.dat could not be saved ("));
        QCOMPARE(Get(kSavedGameFile), kRoundThreeFile);
        QVERIFY(!QFile::exists(Path("Scores.dat.tmp")));
    }
    SavedGame back;
    QCOMPARE(int(LoadSavedGame(Folder(), back).Status), int(LoadStatus::Loaded));
    QCOMPARE(back.Round, 3);
    FailingSink enough(size, false);
    QVERIFY(SaveGame(Folder(), next, &enough).Ok);
    QCOMPARE(int(LoadSavedGame(Folder(), back).Status), int(LoadStatus::Loaded));
    QCOMPARE(back.RoundPoints[1][4], 61);
}

void TestStorage::statistics_data() {
    QTest::addColumn<QList<int>>("won");
    QTest::addColumn<long long>("played");
    QTest::addColumn<QList<long long>>("percent");
    QTest::newRow("three and one") << QList<int>{3, 1, 0, 0} << 4LL << QList<long long>{75, 25, 0, 0};
    QTest::newRow("truncated") << QList<int>{2, 1, 0, 0} << 3LL << QList<long long>{66, 33, 0, 0};
    QTest::newRow("400 wins") << QList<int>{400, 0, 0, 0} << 400LL << QList<long long>{100, 0, 0, 0};
    QTest::newRow("all at 16 bits") << QList<int>{32767, 32767, 32767, 32767} << 131068LL
                                    << QList<long long>{25, 25, 25, 25};
    QTest::newRow("none played") << QList<int>{0, 0, 0, 0} << 0LL << QList<long long>{};
}

void TestStorage::statistics() {
    QFETCH(QList<int>, won);
    QFETCH(long long, played);
    QFETCH(QList<long long>, percent);
    const GamesStatistics stats = ComputeGamesStatistics({won[0], won[1], won[2], won[3]});
    QCOMPARE(stats.Played, played);
    QCOMPARE(stats.HasPercent, !percent.isEmpty());
    if (stats.HasPercent)
        QCOMPARE(QList<long long>(stats.Percent.begin(), stats.Percent.end()), percent);
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
