// The commands that keep things between runs, on a data folder of their
// own: saving and carrying on after a restart, the statistics and their
// reset, the Options commands, leaving, a data store that cannot write.

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
    explicit Kept(const QString& folder, unsigned seed = 1)
        : Table(seed, IdleRobots()), store(std::filesystem::path(folder.toStdString())) {
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
    std::string SaveNames(const Settings&) override { return "no"; }
    std::string SaveStats(const Settings&) override { return "no"; }
    std::string SaveSwitches(const Settings&) override { return "no"; }
    std::string SaveGame(const SavedGame&) override { return "Scores.dat could not be saved (disk full)."; }
    LoadGameResult LoadGame(SavedGame&) override { return {}; }
    std::string CleanName(const std::string& typed) override { return typed; }
};

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void saveAndCarryOn();
    void saveAfterTheLastRound();
    void statistics();
    void optionsAreKept();
    void leaving();
    void failedWritesAreTold();
};

void TestCommands::saveAndCarryOn() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        EndRound(t, 3, 20);
        CmdSve_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Game Saved."));
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
        for (int s = 0; s < 4; ++s) QCOMPARE(t.g.Totals[s], totals[s]);
        QCOMPARE(t.g.ui.LblTotal[1].Caption, std::string("46"));
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
    QVERIFY(QFile::exists(dir.filePath("Scores.dat")));  // leaving wrote a file that holds no game
    Kept t(dir.path());
    LoadSavedGame(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("No game saved"));
    QCOMPARE(t.host.messages.back().button0, std::string("O.K."));
    QVERIFY(!t.g.GameInProgress);
}

void TestCommands::statistics() {
    QTemporaryDir dir;
    Kept t(dir.path());
    t.settings.GamesWon = {3, 1, 0, 0};
    MnuGStats_Click(t.g);
    QVERIFY(t.g.ui.Framstats.Visible);
    QCOMPARE(t.g.ui.LblNumPlayed.Caption, std::string("4"));
    QCOMPARE(t.g.ui.Lpercent[0].Caption + t.g.ui.Lpercent[1].Caption, std::string("75%25%"));
    // Reset asks first; Return answers "No Cancel"; the reset is written at once.
    t.host.messageAnswers = {1};
    CmdReset_Click(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("Really Reset?"));
    QCOMPARE(t.host.messages.back().focus, 1);
    QCOMPARE(t.settings.GamesWon[0], 3);
    t.host.messageAnswers = {0};
    CmdReset_Click(t.g);
    QCOMPARE(t.g.ui.Lpercent[0].Caption, std::string("0%"));
    Settings reread;
    t.store.LoadSettings(reread);
    QCOMPARE(reread.GamesWon, (std::array<int, 4>{0, 0, 0, 0}));
}

// Names, speed and switches survive a restart.
void TestCommands::optionsAreKept() {
    QTemporaryDir dir;
    {
        Kept t(dir.path());
        t.host.questionAnswers = {true, true, false};
        t.host.inputAnswers = {"Ann \"the Ace\""};
        MnuName_Click(t.g, 0);
        QCOMPARE(t.g.ui.LblNames[0].Caption, std::string("Ann 'the Ace'"));  // the file has no room for a quote
        MnuName_Click(t.g, 3);  // Yes, then the input box cancelled: an empty name
        MnuName_Click(t.g, 1);  // No: nothing changes
        const int pace = t.g.PauseLength;
        MnuSpeed_Click(t.g, kSpeedFast);
        QCOMPARE(t.host.messages.back().title, std::string("Fast Speed."));
        QCOMPARE(t.g.PauseLength, pace);  // it takes effect at the next reset of the pace
        MnuNoAnim_Click(t.g);
        MnuNoSound_Click(t.g);
        MnuNoSound_Click(t.g);
        QCOMPARE(t.host.messages.back().title, std::string("Sound On."));
    }
    Settings next;
    FileStore(dir.path().toStdString()).LoadSettings(next);
    QCOMPARE(next.SeatNames, (std::array<std::string, 4>{"Ann 'the Ace'", "WestBot", "NorthBot", ""}));
    QVERIFY(next.Speed == kSpeedFast && next.NoAnimation && !next.NoSound);
}

// Leaving asks only with a game under way; Return answers "No Cancel".
void TestCommands::leaving() {
    Table t(1, IdleRobots());
    MnuExit_Click(t.g);
    QVERIFY(t.host.messages.empty() && t.host.quitRequested);
    Table playing(1, IdleRobots());
    playing.g.GameInProgress = true;
    playing.host.messageAnswers = {1};
    MnuExit_Click(playing.g);
    QCOMPARE(playing.host.messages.back().title, std::string("Really Leave?"));
    QCOMPARE(playing.host.messages.back().focus, 1);
    QVERIFY(!playing.host.quitRequested);
    playing.host.questionAnswers = {false};
    QVERIFY(!Form_QueryUnload(playing.g));
}

// A save that fails is told, never as "Game Saved.", and "Save  and E&xit"
// then stays in the game rather than losing it.
void TestCommands::failedWritesAreTold() {
    Table t(1, IdleRobots());
    BrokenStore broken;
    t.g.store = &broken;
    EndRound(t, 2, 10);
    t.host.messages.clear();
    CmdSve_Click(t.g);
    CmdSave_Click(t.g);
    QCOMPARE(t.host.messages.size(), std::size_t(2));
    QCOMPARE(t.host.messages[0].title + t.host.messages[1].title, std::string("MeldoraMeldora"));
    QCOMPARE(t.host.messages[0].prompt, std::string("Scores.dat could not be saved (disk full)."));
    QVERIFY(!t.host.quitRequested);
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
