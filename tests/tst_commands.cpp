// The commands that keep things between runs, on a data folder of their
// own: saving at a round's end and carrying on after a restart, the
// statistics and their reset, the Options commands, leaving, and a data
// store that cannot write.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "Fixture.h"
#include "game/Commands.h"
#include "storage/FileStore.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

// A table whose data lives in `folder`.
struct Kept : Table {
    explicit Kept(const QString& folder, unsigned seed = 1, ByteSink* sink = nullptr)
        : Table(seed, IdleRobots()), store(std::filesystem::path(folder.toStdString()), sink) {
        g.store = &store;
        store.LoadSettings(settings);
    }
    FileStore store;
};

// Round `round` has just ended with these points in every round so far.
void EndRound(Table& t, int round, int points) {
    t.StartRound(round);
    for (int r = 1; r < round; ++r)
        for (int s = 0; s < 4; ++s) t.g.RoundPoints[s][r] = points + s;
    t.g.IsDealer[2] = true;
    t.Give(1, {7});
    t.g.AnyWinner(0);
}

// A store whose every write fails.
struct BrokenStore : DataStore {
    std::vector<std::string> LoadSettings(Settings&) override { return {}; }
    std::string SaveNames(const Settings&) override { return "Stats2.dat could not be saved."; }
    std::string SaveStats(const Settings&) override { return "Stats3.dat could not be saved."; }
    std::string SaveSwitches(const Settings&) override { return "Ani..dat could not be saved."; }
    std::string SaveGame(const SavedGame&) override { return "Scores.dat could not be saved (disk full)."; }
    LoadGameResult LoadGame(SavedGame&) override { return {}; }
    std::string CleanName(const std::string& typed) override { return typed; }
};

// A disk that takes `budget` bytes of a file and then is full.
struct FullDisk : StdioSink {
    bool Write(std::string_view bytes, std::string& error) override {
        error = "No space left on device";
        return StdioSink::Write(bytes.substr(0, budget), error) && bytes.size() <= budget;
    }
    std::size_t budget = 0;
};

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

std::vector<std::string> Titles(const Table& t) {
    std::vector<std::string> titles;
    for (const auto& m : t.host.messages) titles.push_back(m.title);
    return titles;
}

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void saveAndCarryOn();
    void saveAfterTheLastRound();
    void loadRefused_data();
    void loadRefused();
    void statistics();
    void optionsAreKept();
    void leaving();
    void failedWritesAreTold();
    void interruptedSave();
};

void TestCommands::saveAndCarryOn() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        EndRound(t, 3, 20);
        QVERIFY(t.g.ui.CmdSve.Visible && t.g.ui.CmdSave.Visible);
        CmdSve_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Game Saved."));
        QCOMPARE(t.host.messages.back().prompt, std::string("Player your game has been saved up to round number 3"));
        QVERIFY(!t.g.ui.CmdSve.Visible);
        CmdSave_Click(t.g);  // "Save  and E&xit"
        QCOMPARE(t.host.messages.back().prompt,
                 std::string("Player your game has been saved up to round number 3 and if you choose 'Load Game' "
                             "next session, you will carry on from round 4"));
        QVERIFY(t.host.quitRequested);
    }
    // The next start: the same game can be loaded, and loaded again later,
    // also from the board of a game just finished.
    for (int start = 0; start < 2; ++start) {
        Kept t(dir.path(), 9);
        if (start == 1) EndRound(t, 7, 5);
        LoadSavedGame(t.g);
        QCOMPARE(t.g.Round, 4);
        QVERIFY(t.g.GameInProgress);
        QCOMPARE(t.g.Dealer(), 3);  // the deal moved on from North
        const int totals[4] = {40, 46, 44, 46};  // rounds 1 and 2, and West's Four in round 3
        for (int s = 0; s < 4; ++s) {
            QCOMPARE(t.g.Totals[s], totals[s]);
            QCOMPARE(t.g.ui.LblRnd[2][s].Caption, std::to_string(20 + s));
            QCOMPARE(t.g.ui.LblTotal[s].Caption, std::to_string(totals[s]));
        }
        QCOMPARE(t.g.ui.LblRnd[3][1].Caption, std::string("4"));
        QCOMPARE(t.g.ui.LblLatestPoints[2].Caption, std::string("WestBot 46"));
        QCOMPARE(t.g.ui.LblToRnd.Caption, std::string("To round number 3"));
        QCOMPARE(t.CheckInvariants(), QString());
        // A game under way cannot be replaced by loading.
        LoadSavedGame(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Cannot load in middle of another game."));
        QCOMPARE(t.g.Round, 4);
    }
}

void TestCommands::saveAfterTheLastRound() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        EndRound(t, 7, 30);
        CmdSve_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Game Over."));
        QVERIFY(!QFile::exists(dir.filePath("Scores.dat")));  // "Sa&ve Only" writes nothing now
        QCOMPARE(t.g.ui.CmdSave.Caption, std::string("&Exit Game"));
        CmdSave_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("No ongoing round to save."));
        QVERIFY(t.host.quitRequested);
    }
    QFile file(dir.filePath("Scores.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n"
                                        "0,0,0,0\r\n#FALSE#,0,#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n"));
    Kept t(dir.path());
    LoadSavedGame(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("No game saved"));
    QCOMPARE(t.host.messages.back().button0, std::string("O.K."));
    QVERIFY(!t.g.GameInProgress);
}

void TestCommands::loadRefused_data() {
    QTest::addColumn<QByteArray>("scores");
    const QByteArray rounds = "1,2,3,4\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n";
    QTest::newRow("round 7") << rounds + "#TRUE#,7,#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n";
    QTest::newRow("no dealer") << rounds + "#TRUE#,1,#FALSE#,#FALSE#,#FALSE#,#FALSE#\r\n";
    QTest::newRow("short") << QByteArray("1,2,3,4\r\n");
}

void TestCommands::loadRefused() {
    QFETCH(QByteArray, scores);
    QTemporaryDir dir;
    QFile file(dir.filePath("Scores.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(scores);
    file.close();
    Kept t(dir.path());
    LoadSavedGame(t.g);
    QVERIFY(!t.g.GameInProgress);
    QCOMPARE(t.g.Round, 0);
    QVERIFY(t.host.messages.back().prompt.rfind("Scores.dat could not be loaded", 0) == 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), scores);  // left as it was
}

void TestCommands::statistics() {
    QTemporaryDir dir;
    Kept t(dir.path());
    // With nothing played the shares keep their old text.
    t.g.ui.Lpercent[1].Caption = "old";
    PrintStats(t.g);
    QCOMPARE(t.g.ui.Lpercent[1].Caption, std::string("old"));
    t.settings.GamesWon = {3, 1, 0, 0};
    MnuGStats_Click(t.g);
    QVERIFY(t.g.ui.Framstats.Visible);
    QCOMPARE(t.g.ui.LblNumPlayed.Caption, std::string("4"));
    QCOMPARE(t.g.ui.Lblwon[1].Caption, std::string("Games won WestBot"));
    const std::string shares[4] = {"75%", "25%", "0%", "0%"};
    for (int s = 0; s < 4; ++s) QCOMPARE(t.g.ui.Lpercent[s].Caption, shares[s]);
    // Reset asks first; Return would answer "No Cancel".
    t.host.messageAnswers = {1};
    CmdReset_Click(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("Really Reset?"));
    QCOMPARE(t.host.messages.back().focus, 1);
    QCOMPARE(t.settings.GamesWon[0], 3);
    t.host.messageAnswers = {0};
    CmdReset_Click(t.g);
    QCOMPARE(t.settings.GamesWon, (std::array<int, 4>{0, 0, 0, 0}));
    QCOMPARE(t.g.ui.Lpercent[0].Caption, std::string("0%"));
    QVERIFY(!t.g.ui.Framstats.Visible);
    Settings reread;
    t.store.LoadSettings(reread);
    QCOMPARE(reread.GamesWon, (std::array<int, 4>{0, 0, 0, 0}));

    // The board for viewing between rounds.
    MnuCurrent_Click(t.g);
    QVERIFY(t.g.ui.FramScore.Visible && t.g.ui.CmdShut.Visible);
    QVERIFY(!t.g.ui.CmdFinished.Visible && !t.g.ui.CmdSve.Visible && !t.g.ui.CmdSave.Visible);
    QCOMPARE(t.g.ui.ScoreNames[3].Caption, std::string("EastBot"));
}

// Names, speed and switches survive a restart.
void TestCommands::optionsAreKept() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        t.host.questionAnswers = {true, true, false};
        t.host.inputAnswers = {"Ann \"the Ace\""};
        MnuName_Click(t.g, 0);
        QCOMPARE(t.host.questions[0], std::string("Please enter your name:  Welcome Player If you wish to change "
                                                  "the name click on 'Yes' "));
        QCOMPARE(t.settings.SeatNames[0], std::string("Ann 'the Ace'"));  // the file has no room for a quote
        QCOMPARE(t.g.ui.LblNames[0].Caption, std::string("Ann 'the Ace'"));
        MnuName_Click(t.g, 3);  // Yes, then the input box cancelled: an empty name
        QCOMPARE(t.settings.SeatNames[3], std::string());
        MnuName_Click(t.g, 1);  // No: nothing changes
        QCOMPARE(t.settings.SeatNames[1], std::string("WestBot"));

        const int pace = t.g.PauseLength;
        MnuSpeed_Click(t.g, kSpeedFast);
        QCOMPARE(t.host.messages.back().title, std::string("Fast Speed."));
        QCOMPARE(t.host.messages.back().prompt,
                 std::string("Ann 'the Ace' this is a fast speed but, as with all  the speeds, the actual speed "
                             "will depend on the speed of your PC."));
        QCOMPARE(t.g.PauseLength, pace);  // it takes effect at the next reset of the pace
        MnuNoAnim_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Animation Off."));
        MnuNoSound_Click(t.g);
        MnuNoSound_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Sound On."));
    }
    Settings next;
    FileStore(dir.path().toStdString()).LoadSettings(next);
    QCOMPARE(next.SeatNames, (std::array<std::string, 4>{"Ann 'the Ace'", "WestBot", "NorthBot", ""}));
    QCOMPARE(next.Speed, kSpeedFast);
    QVERIFY(next.NoAnimation);
    QVERIFY(!next.NoSound);
}

void TestCommands::leaving() {
    Table t(1, IdleRobots());
    MnuExit_Click(t.g);  // no game under way: no question
    QVERIFY(t.host.messages.empty());
    QVERIFY(t.host.quitRequested);

    Table playing(1, IdleRobots());
    playing.g.GameInProgress = true;
    playing.host.messageAnswers = {1};
    MnuExit_Click(playing.g);
    QCOMPARE(playing.host.messages.back().title, std::string("Really Leave?"));
    QCOMPARE(playing.host.messages.back().focus, 1);
    QVERIFY(!playing.host.quitRequested);
    playing.host.messageAnswers = {0};
    MnuExit_Click(playing.g);
    QVERIFY(playing.host.quitRequested);

    playing.host.questionAnswers = {false};
    QVERIFY(!Form_QueryUnload(playing.g));
    QCOMPARE(playing.host.questions.back(),
             std::string("Really leave game?: Do you really wish to leave the game?. Any rounds played will not be saved!  "));
}

// A write that fails is told in one message and never reported as done.
void TestCommands::failedWritesAreTold() {
    Table t(1, IdleRobots());
    BrokenStore broken;
    t.g.store = &broken;
    EndRound(t, 2, 10);
    t.host.messages.clear();
    CmdSve_Click(t.g);
    CmdSave_Click(t.g);
    QCOMPARE(Titles(t), (std::vector<std::string>{"Meldora", "Meldora"}));
    QCOMPARE(t.host.messages[0].prompt, std::string("Scores.dat could not be saved (disk full)."));
    QVERIFY(!t.host.quitRequested);  // the game is not lost by leaving
}

// "Sa&ve Only" on a disk that fills after any number of bytes: the failure
// is told, never "Game Saved.", and the game saved before still loads.
void TestCommands::interruptedSave() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        EndRound(t, 2, 10);
        CmdSve_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Game Saved."));
    }
    const QString scores = dir.filePath("Scores.dat");
    const QByteArray before = Contents(scores);
    FullDisk disk;
    Kept t(dir.path(), 1, &disk);
    EndRound(t, 3, 20);
    for (;; ++disk.budget) {
        t.host.messages.clear();
        t.g.ui.CmdSve.Visible = true;
        CmdSve_Click(t.g);
        QCOMPARE(t.host.messages.size(), std::size_t(1));
        if (t.host.messages[0].title == "Game Saved.") break;
        QCOMPARE(t.host.messages[0].title, std::string("Meldora"));
        QVERIFY(t.host.messages[0].prompt.rfind("Scores.dat could not be saved (No space left on device)", 0) == 0);
        QCOMPARE(Contents(scores), before);
        QVERIFY(!QFile::exists(scores + ".tmp"));
    }
    // It was told only once the whole file was written.
    QCOMPARE(std::size_t(Contents(scores).size()), disk.budget);
    QVERIFY(Contents(scores) != before);
    QFile file(scores);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(before);
    file.close();
    Kept next(dir.path());
    LoadSavedGame(next.g);
    QCOMPARE(next.g.Round, 3);
    QCOMPARE(next.g.Totals[1], 15);  // 11 in round 1 and the Four left in hand in round 2
    QCOMPARE(next.CheckInvariants(), QString());
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
