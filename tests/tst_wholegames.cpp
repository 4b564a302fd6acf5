// Whole seeded games: the robots against the autopilot in the player's seat,
// with the card table's invariants checked after every turn; and commands
// that arrive while a robot's turn is waiting.

#include <QtTest>

#include "Fixture.h"
#include "headless/Autopilot.h"
#include "headless/SelfPlay.h"

using namespace meldora;
using meldora::test::Table;

class TestWholeGames : public QObject {
    Q_OBJECT
private slots:
    // Every seed plays seven clean rounds, and between them the games reach
    // every contract and move, by the robots and through the player's controls.
    void manySeededGames() {
        SelfPlayCounts total;
        for (unsigned seed = 1; seed <= 200; ++seed) {
            SelfPlay play(seed);
            play.PlayGame();
            const SelfPlayCounts& c = play.counts();
            if (!c.faults.empty())
                QFAIL(qPrintable(QString("seed %1: %2").arg(seed).arg(QString::fromStdString(c.faults[0]))));
            QVERIFY(c.rounds == 7 && play.game().GameOver);
            total.Add(c);
        }
        for (int r = 1; r <= 7; ++r)
            QVERIFY2(total.contractsByRound[r] > 0 && total.player.contractsByRound[r] > 0,
                     qPrintable(QString("round %1's contract never laid by both sides").arg(r)));
        const AutopilotCounts& p = total.player;
        QVERIFY(total.robotClaims > 0 && total.layOffs > 0 && total.jokerSteals > 0);
        QVERIFY(p.layOffs > 0 && p.jokerSwaps > 0 && p.mayIClaims > 0 && p.discardsTaken > 0);
        QVERIFY(total.goOuts > 0 && total.renewals > 0);
    }

    // A new game asked for inside North's turn: that turn never completes,
    // a fresh round 1 is dealt and played up to the player's turn.
    void newGameDuringRobotTurn() {
        Table t(12);
        t.g.MnuNew_Click();
        int pauses = 0;
        bool asked = false, dealt = false, turnDone = false;  // a turn done between the question and the deal
        t.g.onTurnDone = [&](int) { turnDone |= asked && !dealt; };
        t.host.onPause = [&] {
            dealt |= asked && t.g.ui.LblBots.Caption.find(" is Dealing and ") != std::string::npos;
            if (asked || !t.g.IsTurn[2] || ++pauses < 3) return;
            asked = true;
            t.host.messageAnswers = {0};
            t.g.MnuNew_Click();
        };
        Autopilot pilot(t.g);
        for (int turn = 0; turn < 20 && !asked && t.g.IsTurn[0]; ++turn) QVERIFY(pilot.PlayTurn());
        QVERIFY(asked && dealt && !turnDone);
        QCOMPARE(t.host.interrupts, 1);
        QVERIFY(t.g.Round == 1 && t.g.IsTurn[0]);
        QCOMPARE(t.CheckInvariants(), QString());
        QVERIFY(t.host.systemMessages.empty());
    }

    void cancelledNewGameLetsTurnFinish() {
        Table t(5);
        t.g.MnuNew_Click();
        bool asked = false;
        t.host.onPause = [&] {
            if (asked || !t.g.IsTurn[1]) return;
            asked = true;
            t.host.messageAnswers = {1};
            t.g.MnuNew_Click();
        };
        Autopilot pilot(t.g);
        QVERIFY(pilot.PlayTurn() && asked);
        QCOMPARE(t.host.interrupts, 0);
        QVERIFY(t.g.IsTurn[0] || t.g.RoundOver);  // the robots finished their turns
        QCOMPARE(t.CheckInvariants(), QString());
    }
};

QTEST_GUILESS_MAIN(TestWholeGames)
#include "tst_wholegames.moc"
