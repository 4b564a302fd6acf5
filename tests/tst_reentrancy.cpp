// Menu commands fired from inside the game's own waits: a robot's pause, a
// card on its way across the table, and the "May I?" question. Afterwards
// the table is whole, one seat is to play (or the program is leaving), and
// the game can be played on to its end.

#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>

#include "Fixture.h"
#include "game/Commands.h"
#include "headless/Autopilot.h"
#include "game/TableChecks.h"
#include "storage/FileStore.h"

using namespace meldora;
using namespace meldora::test;

namespace {

enum Moment { RobotPause, CardTravel, MayIWait };

using Command = std::function<void(Table&)>;

struct Kept : Table {
    explicit Kept(const QString& folder) : Table(5), store(std::filesystem::path(folder.toStdString())) {
        g.store = &store;
        settings.NoAnimation = false;  // the cards travel, so there are animation pauses
    }
    FileStore store;
};

// Plays on with the autopilot in the player's seat until the game ends,
// the program is leaving, or `turns` player turns have gone by.
QString PlayOn(Table& t, Autopilot& pilot, int turns) {
    Game& g = t.g;
    for (int i = 0; i < turns && !t.host.quitRequested; ++i) {
        if (g.GameOver) return {};
        if (g.RoundOver) {
            g.CmdFinished_Click();
            continue;
        }
        int toPlay = 0;
        for (bool turn : g.IsTurn) toPlay += turn;
        if (toPlay != 1 || !g.IsTurn[0]) return QString("round %1: %2 seats to play, player %3")
                                                  .arg(g.Round).arg(toPlay).arg(g.IsTurn[0]);
        if (!pilot.PlayTurn()) return "the autopilot found no move";
    }
    return {};
}

}  // namespace

class TestReentrancy : public QObject {
    Q_OBJECT
private slots:
    void commandInsideAWait_data() {
        QTest::addColumn<int>("moment");
        QTest::addColumn<QString>("command");
        const char* const moments[] = {"robot's pause", "card travelling", "May I? waiting"};
        for (const char* command : {"New Game", "New Game (No)", "Load Game", "Animation switch",
                                    "Current Scores", "Close (No)", "Close (Yes)"})
            for (int m = RobotPause; m <= MayIWait; ++m)
                QTest::newRow(qPrintable(QString("%1 in %2").arg(command, moments[m]))) << m << QString(command);
    }

    void commandInsideAWait() {
        QFETCH(int, moment);
        QFETCH(QString, command);
        QTemporaryDir dir;

        // A game saved at the end of its first round, for "Load Game".
        {
            Kept first(dir.path());
            first.settings.NoAnimation = true;
            Autopilot pilot(first.g);
            first.g.MnuNew_Click();
            while (!first.g.RoundOver && first.g.IsTurn[0] && pilot.PlayTurn()) {
            }
            QVERIFY(first.g.RoundOver);
            CmdSve_Click(first.g);
            QVERIFY(first.g.GameSaved);
        }

        Kept t(dir.path());
        Game& g = t.g;
        QStringList faults;
        int turnsDone = 0;
        g.onTurnDone = [&](int seat) {
            ++turnsDone;
            for (const std::string& f : {CheckTableInvariants(g), CheckTableLayout(g)})
                if (!f.empty()) faults << QString("seat %1: %2").arg(seat).arg(QString::fromStdString(f));
        };
        const std::map<QString, Command> commands = {
            {"New Game", [](Table& t) { t.host.messageAnswers.push_back(0); t.g.MnuNew_Click(); }},
            {"New Game (No)", [](Table& t) { t.host.messageAnswers.push_back(1); t.g.MnuNew_Click(); }},
            {"Load Game", [](Table& t) { t.host.messageAnswers.push_back(0); LoadSavedGame(t.g); }},
            {"Animation switch", [](Table& t) { MnuNoAnim_Click(t.g); }},
            {"Current Scores", [](Table& t) { MnuCurrent_Click(t.g); }},
            {"Close (No)", [](Table& t) {
                 t.host.questionAnswers.push_back(false);
                 t.host.messageAnswers.push_back(1);
                 MnuExit_Click(t.g);
             }},
            {"Close (Yes)", [](Table& t) {
                 t.host.questionAnswers.push_back(true);
                 t.host.messageAnswers.push_back(0);
                 MnuExit_Click(t.g);
             }},
        };
        const Command fire = commands.at(command);
        int fired = 0;
        auto now = [&] {
            if (fired++ == 0) fire(t);
        };
        t.host.onPause = [&] {
            // Inside a round under way: a turn has been played since the deal.
            const bool robot = (g.IsTurn[1] || g.IsTurn[2] || g.IsTurn[3]) && turnsDone > 0;
            if (moment == RobotPause && robot && g.PauseLength == g.settings.Speed) now();
            if (moment == CardTravel && turnsDone > 0 && (g.PauseLength == kCardTravelMs || g.PauseLength == kRobotDiscardMs))
                now();
        };
        t.host.onMayI = [&] {
            if (moment == MayIWait) now();
            if (!g.MayIAnswered) g.CmdPass_Click();
        };

        Autopilot pilot(g);
        g.MnuNew_Click();
        const QString stuck = PlayOn(t, pilot, 40);
        QVERIFY2(fired > 0, "the moment never came");
        QVERIFY2(stuck.isEmpty(), qPrintable(stuck));
        QVERIFY2(!g.ChainActive(), "a chain is still running");

        QCOMPARE(t.host.quitRequested, command == "Close (Yes)");
        // A new game ends the wait it was asked in at once.
        if (command == "New Game") QCOMPARE(t.host.interrupts, 1);
        if (command != "Close (Yes)") {
            // A game under way is never replaced by a load.
            if (command == "Load Game") {
                const auto& m = t.host.messages;
                const auto refused = std::find_if(m.begin(), m.end(), [](const auto& message) {
                    return message.title == "Cannot load in middle of another game.";
                });
                QVERIFY(refused != m.end());
            }
            // And the game plays on to its end.
            const QString rest = PlayOn(t, pilot, 2000);
            QVERIFY2(rest.isEmpty(), qPrintable(rest));
            QVERIFY(g.GameOver);
            QCOMPARE(faults, QStringList());
            QVERIFY(t.host.systemMessages.empty());
            QCOMPARE(CheckRoundScores(g), std::string());
        }
    }
};

QTEST_MAIN(TestReentrancy)
#include "tst_reentrancy.moc"
