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
    std::string Title() const { return host.messages.back().title; }
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

// A data file's bytes; `bytes` written first when given.
QByteArray Bytes(const QString& path, const QByteArray& bytes = {}) {
    QFile f(path);
    if (!bytes.isEmpty() && f.open(QIODevice::WriteOnly)) {
        f.write(bytes);
        f.close();
    }
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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
    void saveAndCarryOn() {
        QTemporaryDir dir;
        {
            const QByteArray names = Bytes(dir.filePath("Stats2.dat"), "\"Player\",\"WestBot\",\"NorthBot\"\r\n");
            Kept t(dir.path());
            EndRound(t, 3, 20);
            t.g.DealNumber = 48213;
            CmdSve_Click(t.g);
            QCOMPARE(t.Title(), std::string("Game Saved."));
            QVERIFY(!t.g.ui.CmdSve.Visible);
            CmdSave_Click(t.g);  // "Save  and E&xit"
            QCOMPARE(t.host.messages.back().prompt,
                     std::string("Player your game has been saved up to round number 3 and if you choose 'Load Game' "
                                 "next session, you will carry on from round 4"));
            QVERIFY(t.host.quitRequested);
            QCOMPARE(Bytes(dir.filePath("Stats2.dat")), names);  // read in part, and no name changed
        }
        // The next start loads the game, and loads it again later, also from the
        // board of a game just finished (whose winner and "Exit Game" go); a game
        // under way is not replaced.
        // The loaded game goes on with its deal's cards.
        QString dealt;
        auto hands = [&dealt](const Game& g) {
            dealt.clear();
            for (int c = 1; c <= kCardCount; ++c)
                if (g.CardTable[c].Location <= 3) dealt += QStringLiteral("%1:%2 ").arg(c).arg(g.CardTable[c].Location);
        };
        Table fresh(5, IdleRobots());
        fresh.g.DealNumber = 48213;
        fresh.g.IsDealer[2] = true;
        fresh.g.Round = 3;
        fresh.g.GameInProgress = true;
        fresh.g.onDealt = [&] { hands(fresh.g); };
        fresh.g.SetUpNewHand();
        const QString round4 = dealt;
        for (int start = 0; start < 2; ++start) {
            Kept t(dir.path(), 9);
            if (start == 1) EndRound(t, 7, 5);
            t.g.onDealt = [&] { hands(t.g); };
            LoadSavedGame(t.g);
            QCOMPARE(t.g.Round, 4);
            QCOMPARE(t.g.DealNumber, 48213);
            QCOMPARE(dealt, round4);
            QCOMPARE(t.g.Dealer(), 3);  // the deal moved on from North
            // Rounds 1 and 2, and West's Four in round 3.
            QCOMPARE(QList<int>(std::begin(t.g.Totals), std::end(t.g.Totals)), (QList<int>{40, 46, 44, 46}));
            QCOMPARE(t.CheckInvariants(), QString());
            QCOMPARE(t.g.ui.LblWhoWon.Caption, std::string());
            LoadSavedGame(t.g);
            QCOMPARE(t.Title(), std::string("Cannot load in middle of another game."));
            QCOMPARE(t.g.Round, 4);
            EndRound(t, 4, 5);
            QCOMPARE(t.g.ui.CmdSave.Caption, std::string("Save  and E&xit"));
        }
    }

    // After the last round "Sa&ve Only" writes nothing and leaving writes a
    // file that holds no game.
    void saveAfterTheLastRound() {
        QTemporaryDir dir;
        {
            Kept t(dir.path());
            EndRound(t, 7, 30);
            CmdSve_Click(t.g);
            QCOMPARE(t.Title(), std::string("Game Over."));
            QVERIFY(!QFile::exists(dir.filePath("Scores.dat")));
            CmdSave_Click(t.g);
            QCOMPARE(t.Title(), std::string("No ongoing round to save."));
            QVERIFY(QFile::exists(dir.filePath("Scores.dat")));
        }
        Kept t(dir.path());
        QCOMPARE(t.settings.GamesWon[0], 1);  // the game's win was written
        LoadSavedGame(t.g);
        QCOMPARE(t.Title(), std::string("No game saved"));
        QVERIFY(!t.g.GameInProgress);
    }

    // A statistics file read in part is kept as it is until a value changes
    // (an abandoned game, a reset); the reset is asked first (Return answers
    // "No Cancel"); the names, speed and switches survive a restart.
    void statisticsAndOptionsAreKept() {
        QTemporaryDir dir;
        {
            const QString stats = dir.filePath("Stats3.dat");
            Bytes(stats, "4,1,0,x,250\r\n");
            Kept t(dir.path());
            t.host.messageAnswers = {0, 1};  // the damage told, then "Use Menu"
            Form_Load(t.g);
            MnuGStats_Click(t.g);
            QCOMPARE(Bytes(stats), QByteArray("4,1,0,x,250\r\n"));
            t.g.GameInProgress = true;
            t.g.MnuNew_Click();  // "New Game": abandoned, a win less each
            QCOMPARE(t.host.messages.back().focus, 1);  // Return answers "No Cancel"
            QCOMPARE(Bytes(stats), QByteArray("3,0,0,0,250\r\n"));
            MnuGStats_Click(t.g);
            QVERIFY(t.g.ui.Framstats.Visible);
            QCOMPARE(t.g.ui.LblNumPlayed.Caption + t.g.ui.Lpercent[0].Caption + t.g.ui.Lpercent[1].Caption, std::string("3100%0%"));
            t.host.messageAnswers = {1, 0};
            CmdReset_Click(t.g);
            QCOMPARE(t.Title(), std::string("Really Reset?"));
            QCOMPARE(t.host.messages.back().focus, 1);
            QCOMPARE(t.settings.GamesWon[0], 3);
            CmdReset_Click(t.g);
            Settings reread;  // written at once
            t.store.LoadSettings(reread);
            QCOMPARE(reread.GamesWon, (std::array<int, 4>{0, 0, 0, 0}));

            // A quote becomes an apostrophe, control bytes go, a long name is cut between characters.
            t.host.questionAnswers = {true, true, true, false};
            t.host.inputAnswers = {"Ann \"the\x7F Ace\"\r\n", "x" + QString(3000, QChar(0xE9)).toStdString()};
            MnuName_Click(t.g, 0);
            MnuName_Click(t.g, 2);
            MnuName_Click(t.g, 3);  // Yes, then the input box cancelled: an empty name
            MnuName_Click(t.g, 1);  // No: nothing changes
            const int pace = t.g.PauseLength;
            MnuSpeed_Click(t.g, kSpeedFast);
            QCOMPARE(t.Title(), std::string("Fast Speed."));
            QCOMPARE(t.g.PauseLength, pace);  // it takes effect at the next reset of the pace
            MnuNoAnim_Click(t.g);
            MnuNoSound_Click(t.g);
            MnuNoSound_Click(t.g);
            QCOMPARE(t.Title(), std::string("Sound On."));
        }
        Settings next;
        FileStore(dir.path().toStdString()).LoadSettings(next);
        const std::string cut = "x" + QString(1999, QChar(0xE9)).toStdString();
        QCOMPARE(next.SeatNames, (std::array<std::string, 4>{"Ann 'the Ace'", "WestBot", cut, ""}));
        QCOMPARE(next.Speed, kSpeedFast);
        QVERIFY(next.NoAnimation);
        QVERIFY(!next.NoSound);
    }

    // A rename shows at once wherever the name stands: on the welcome table, in
    // a turn, and on the board and statistics after a round.
    void renameShowsAtOnce_data() {
        QTest::addColumn<int>("where");
        QTest::newRow("welcome") << 0;
        QTest::newRow("turn") << 1;
        QTest::newRow("board") << 2;
    }

    void renameShowsAtOnce() {
        QFETCH(int, where);
        Table t(1, IdleRobots());
        t.g.ShowOpeningTable();  // as the window opens
        if (where == 1) {
            t.g.MnuNew_Click();
            for (int s = 0; s < 4; ++s) t.g.IsTurn[s] = s == 0;
            t.g.MainLoop();
        }
        if (where == 2) {
            EndRound(t, 2, 10);
            MnuGStats_Click(t.g);
        }
        TableModel& m = t.g.ui;
        auto naming = [&](const char* name) {
            QStringList found;
            for (const std::string* text : {&m.LblP.Caption, &m.LblBots.Caption, &m.LblWhoWon.Caption, &m.LblInfo.Caption})
                found << QString::fromStdString(*text);
            for (int s = 0; s < 4; ++s)
                for (const Label* l : {&m.LblNames[s], &m.ScoreNames[s], &m.LblLatestPoints[s + 1], &m.Lblwon[s]})
                    found << QString::fromStdString(l->Caption);
            for (int p = 1; p <= 5; ++p) found << QString::fromStdString(m.StatusPanel[p]);
            return found.filter(name);
        };
        const qsizetype texts = naming("Player").size();
        QCOMPARE_GE(texts, 2);
        t.host.questionAnswers = {true};
        t.host.inputAnswers = {"Ann"};
        MnuName_Click(t.g, 0);
        QCOMPARE(naming("Player"), QStringList());
        QCOMPARE(naming("Ann").size(), texts);
    }

    // Leaving asks only with a game under way, Return answering "No Cancel". A
    // save that fails is told, never as "Game Saved."; "Sa&ve Only" stays
    // offered and "Save  and E&xit" stays in the game rather than losing it.
    void leavingAndFailedWrites() {
        Table t(1, IdleRobots());
        MnuExit_Click(t.g);
        QVERIFY(t.host.quitRequested);
        QCOMPARE(t.host.messages.size(), std::size_t(0));
        Table playing(1, IdleRobots());
        playing.g.GameInProgress = true;
        playing.host.messageAnswers = {1};
        MnuExit_Click(playing.g);
        QCOMPARE(playing.host.messages.back().title, std::string("Really Leave?"));
        QCOMPARE(playing.host.messages.back().focus, 1);
        QVERIFY(!playing.host.quitRequested);
        playing.host.questionAnswers = {false};
        QVERIFY(!Form_QueryUnload(playing.g));

        Table broken(1, IdleRobots());
        BrokenStore store;
        broken.g.store = &store;
        EndRound(broken, 2, 10);
        broken.host.messages.clear();
        CmdSve_Click(broken.g);
        CmdSave_Click(broken.g);
        QCOMPARE(broken.host.messages.size(), std::size_t(2));
        QCOMPARE(broken.host.messages[0].title + broken.host.messages[1].title, std::string("MeldoraMeldora"));
        QCOMPARE(broken.host.messages[0].prompt, std::string("Scores.dat could not be saved (disk full)."));
        QVERIFY(broken.g.ui.CmdSve.Visible);  // to try again
        QVERIFY(!broken.host.quitRequested);
    }
};

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
