// Scoring: penalty points, the end of a round (empty hand or third stock
// renewal), the score board, and the winner of the game after round 7 with
// the game added to the history.

#include <QtTest>

#include "Fixture.h"
#include "game/TableChecks.h"
#include "robots/Expert.h"
#include "storage/FileStore.h"

using namespace meldora;
using meldora::test::Table;

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    // Every hand holds cards: the third renewal ends the round with no
    // outright winner and every hand scored.
    void thirdRenewalEndsRound() {
        Table t;
        t.StartRound(5);
        for (int s = 0; s < 4; ++s) t.Give(s, {Table::Card(2, 4 + s)});  // a Two each
        t.g.StockRenewals = 3;
        t.g.SetStatus(5, "EastBot playing now.");
        t.g.AnyWinner(0);
        QVERIFY(t.g.RoundOver);
        QCOMPARE(t.g.ui.StatusPanel[5], std::string("Playing Now:-"));  // nobody plays any more
        QCOMPARE(t.g.ui.LblWhoWon.Caption, std::string("No outright winner on this round. See above for details."));
        for (int s = 0; s < 4; ++s) QCOMPARE(t.g.RoundPoints[s][5], 2);  // a Two each
    }

    void seatGoingOutEndsRound() {
        Table t;
        t.StartRound(3);
        t.g.RoundPoints[0][1] = 30;  // earlier rounds count in the totals
        t.Give(0, {1, 26});          // 25
        t.Give(1, {105});            // 15
        t.Give(3, {50, 52, 60, Table::Card(10, SuitHearts)});  // Queen, King of Clubs, Four, Ten of Hearts: 34
        t.g.AnyWinner(2);            // North has gone out
        QVERIFY(!t.g.GameOver);
        QCOMPARE(t.g.RoundPoints[3][3], 34);
        QCOMPARE(t.g.Totals[0], 55);
        t.g.AnyWinner(2);  // scoring twice is not possible
        QCOMPARE(t.g.Totals[0], 55);
    }

    void gameWinnerAndTies_data() {
        QTest::addColumn<QList<int>>("earlier");  // totals of rounds 1..6
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("wins");
        QTest::addColumn<bool>("expert");
        QTest::newRow("shared lowest") << QList<int>{120, 95, 95, 140}
            << "Points tied on this game. See above. No statistics kept" << QList<int>{0, 0, 0, 0} << false;
        QTest::newRow("tie above the winner") << QList<int>{80, 95, 95, 140}
            << "You are the winner of the game. Congratulations" << QList<int>{1, 0, 0, 0} << true;
        QTest::newRow("robot wins") << QList<int>{80, 95, 60, 140} << "NorthBot is the winner of the game."
            << QList<int>{0, 0, 1, 0} << false;
    }
    // The finished game goes into the history, a tied one too.
    void gameWinnerAndTies() {
        QFETCH(QList<int>, earlier);
        QFETCH(QString, message);
        QFETCH(QList<int>, wins);
        QFETCH(bool, expert);
        QTemporaryDir dir;
        FileStore store(dir.path().toStdString());
        Table t(1, expert ? ExpertRobots() : TheRobots());
        t.g.store = &store;
        t.g.DealNumber = 4711;
        t.StartRound(7);
        t.g.GameInProgress = true;
        for (int s = 0; s < 4; ++s) t.g.RoundPoints[s][1] = earlier[s];
        t.Give(3, {Table::Card(5, SuitClubs)});
        t.g.AnyWinner(0);  // the player went out in round 7 with nothing in hand
        QVERIFY(!t.g.GameInProgress);
        QCOMPARE(QString::fromStdString(t.g.ui.LblWhoWon.Caption), message);
        QCOMPARE(QList<int>(t.settings.GamesWon.begin(), t.settings.GamesWon.end()), wins);

        std::string problem;
        const std::vector<GameRecord> history = store.ReadHistory(problem);
        QCOMPARE(QString::fromStdString(problem), QString());
        QCOMPARE(history.size(), std::size_t(1));
        const GameRecord& g = history[0];
        QCOMPARE(g.Winner, int(wins.indexOf(1)));
        QCOMPARE(g.DealNumber, 4711);
        QCOMPARE(g.ExpertRobots, expert);
        QCOMPARE(QList<int>({g.Total(0), g.Total(1), g.Total(2), g.Total(3)}),
                 QList<int>({earlier[0], earlier[1], earlier[2], earlier[3] + 5}));
    }

    // The end of a round or of the game, with the player clicking in its
    // pauses: the board's button acts only once the result is on the board, a
    // finished game is credited once, and what follows replaces the old chain.
    void endingUnderClicks_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("menu");  // New Game instead of the board's button
        QTest::newRow("board button while round 7 ends") << 7 << false;
        QTest::newRow("New Game while round 7 ends") << 7 << true;
        QTest::newRow("board button while round 2's chain unwinds") << 2 << false;
    }
    void endingUnderClicks() {
        QFETCH(int, round);
        QFETCH(bool, menu);
        Table t(9);
        t.StartRound(round);
        for (int s = 0; s < 4; ++s) t.g.RoundPoints[s][1] = s == 0 ? 10 : 50;  // the player leads and goes out
        t.Give(1, {7});
        t.g.CmdFinished_Click();  // not while the round is being played
        QCOMPARE(t.g.Round, round);
        bool clicked = false, chainWentOn = false;
        t.host.onPause = [&] {
            if (clicked || !t.g.ui.FramScore.Visible) return;
            clicked = true;
            menu ? t.g.MnuNew_Click() : t.g.CmdFinished_Click();
        };
        // The round ends inside a turn whose chain pauses once more afterwards.
        t.g.RunHandler("turn", [&] {
            t.g.AnyWinner(0);
            t.g.Pause();
            chainWentOn = true;
        });
        t.host.onPause = nullptr;
        QVERIFY(clicked);
        const bool replaced = menu || round < 7;
        QCOMPARE(chainWentOn, !replaced);
        if (!replaced) {
            // The press came before the result: nothing happened yet.
            QCOMPARE(t.g.Round, 7);
            t.g.CmdFinished_Click();
        }
        QCOMPARE(t.g.Round, round == 7 ? 1 : round + 1);
        QVERIFY(!t.g.ui.FramScore.Visible);
        QCOMPARE(t.settings.GamesWon[0], round == 7 ? 1 : 0);
        QCOMPARE(t.g.RoundPoints[1][1], round == 7 ? 0 : 50);  // a new game clears the board
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // Each robot's revealed hand, short and long, along its own edge.
    void revealedHandsStayInTheirSide() {
        for (int seat = 1; seat <= 3; ++seat)
            for (int cards : {3, 22}) {
                Table t;
                t.StartRound(5);
                for (int c = 1; c <= cards; ++c) t.Give(seat, {c});
                t.g.RedrawStock();
                t.g.AnyWinner(0);
                int last = -1;  // cards at most 400 twips apart
                for (int c = 1; c <= cards; ++c) {
                    const CardImage& img = t.g.ui.Cds[c];
                    QCOMPARE(img.Picture, c);
                    const layout::Rect r = TableModel::CardArea(img);
                    const int at = seat == 2 ? img.Left : img.Top;
                    QCOMPARE_GT(at, last);
                    if (last >= 0) QCOMPARE_LE(at - last, 400);
                    last = at;
                    if (seat == 2) QCOMPARE_LE(r.right(), layout::kFramLatestPoints.left);
                    else QCOMPARE_LE(r.bottom(), layout::kLblDiscard.top);
                }
                QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
            }
    }
};

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
