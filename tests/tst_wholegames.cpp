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
    void manySeededGames();
    void newGameDuringRobotTurn();
    void newGameWhileMayIQuestionWaits();
    void cancelledNewGameLetsTurnFinish();
};

void TestWholeGames::manySeededGames() {
    SelfPlayCounts total;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SelfPlay play(seed);
        play.PlayGame();
        const SelfPlayCounts& c = play.counts();
        if (!c.faults.empty())
            QFAIL(qPrintable(QString("seed %1: %2").arg(seed).arg(QString::fromStdString(c.faults[0]))));
        QCOMPARE(c.rounds, 7);
        QVERIFY(play.game().GameOver);
        total.Add(c);
    }
    QVERIFY(total.robotClaims > 0);
    for (int r = 1; r <= 7; ++r)
        QVERIFY2(total.contractsByRound[r] > 0, qPrintable(QString("no robot contract in round %1").arg(r)));
    QVERIFY(total.layOffs > 0);
    QVERIFY(total.jokerSteals > 0);
    // The player's seat plays the whole game through its own controls.
    for (int r = 1; r <= 7; ++r)
        QVERIFY2(total.player.contractsByRound[r] > 0,
                 qPrintable(QString("the autopilot never laid the contract of round %1").arg(r)));
    QVERIFY(total.player.layOffs > 0);
    QVERIFY(total.player.jokerSwaps > 0);
    QVERIFY(total.player.mayIClaims > 0);
    QVERIFY(total.player.discardsTaken > 0);
    QVERIFY(total.goOuts > 0);
    QVERIFY(total.renewals > 0);
}

void TestWholeGames::newGameDuringRobotTurn() {
    Table t(12);
    t.g.MnuNew_Click();
    QVERIFY(t.g.GameInProgress);
    // Play the player's turns until North is in the middle of its turn,
    // then ask for a new game from inside that turn's pause.
    int pauses = 0;
    bool asked = false, redealt = false;
    std::vector<int> finishedBeforeTheDeal;  // turns completed between the question and the new deal
    t.g.onTurnDone = [&](int seat) {
        if (asked && !redealt) finishedBeforeTheDeal.push_back(seat);
    };
    t.host.onPause = [&] {
        if (asked && t.g.ui.LblBots.Caption.find(" is Dealing and ") != std::string::npos) redealt = true;
        if (asked || !t.g.IsTurn[2] || ++pauses < 3) return;
        asked = true;
        t.host.messageAnswers = {0};
        t.g.MnuNew_Click();
    };
    Autopilot pilot(t.g);
    for (int turn = 0; turn < 20 && !asked && t.g.IsTurn[0]; ++turn) QVERIFY(pilot.PlayTurn());
    QVERIFY(asked);
    QVERIFY(redealt);
    QCOMPARE(t.host.interrupts, 1);
    // North's interrupted turn never completed: the new deal came first.
    QCOMPARE(finishedBeforeTheDeal, std::vector<int>{});
    // A fresh round 1 was dealt and played up to the player's turn.
    QCOMPARE(t.g.Round, 1);
    QVERIFY(t.g.IsTurn[0]);
    QCOMPARE(t.CheckInvariants(), QString());
    QCOMPARE(t.host.systemMessages.size(), std::size_t(0));
}

void TestWholeGames::newGameWhileMayIQuestionWaits() {
    Table t(3);
    t.g.MnuNew_Click();
    int questions = 0;
    t.host.onMayI = [&] {
        if (++questions == 1) {
            t.host.messageAnswers = {0};
            t.g.MnuNew_Click();  // the question stays unanswered
        } else {
            t.g.CmdPass_Click();
        }
    };
    Autopilot pilot(t.g);
    for (int turn = 0; turn < 30 && questions == 0; ++turn) QVERIFY(pilot.PlayTurn());
    QVERIFY(questions >= 1);
    QVERIFY(!t.g.ui.CmdMayI.Visible);
    QCOMPARE(t.g.Round, 1);
    QCOMPARE(t.g.MayIAnswered, false);
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestWholeGames::cancelledNewGameLetsTurnFinish() {
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
    QVERIFY(pilot.PlayTurn());
    QVERIFY(asked);
    QCOMPARE(t.host.interrupts, 0);
    QVERIFY(t.g.IsTurn[0] || t.g.RoundOver);  // the robots finished their turns
    QCOMPARE(t.CheckInvariants(), QString());
}

QTEST_GUILESS_MAIN(TestWholeGames)
#include "tst_wholegames.moc"
