// The autopilot in the player's seat: its "May I?" answers, the Hint
// command it plays by, and whole games played through the player's
// controls (the contract, lay-offs and Joker swaps, the discard).

#include <QtTest>

#include "Fixture.h"
#include "headless/Autopilot.h"
#include "game/TableChecks.h"
#include "headless/Notation.h"
#include "headless/SelfPlay.h"
#include "player/Player.h"
#include "robots/Hint.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

class TestAutopilot : public QObject {
    Q_OBJECT
private slots:
    void mayI_data();
    void mayI();
    void hints_data();
    void hints();
    void hintsPlayWholeGames();
    void keysPlayWholeGamesAsThePointerDoes();
};

// The player asked "May I?" while a robot draws from the stock: the Hint
// command's answer, shown and said, and the autopilot's, which is the same.
void TestAutopilot::mayI_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("hand");
    QTest::addColumn<bool>("contract");
    QTest::addColumn<bool>("claims");
    QTest::addColumn<QString>("hint");
    QTest::newRow("completes a set") << 1 << "7C 7D 9C 9D KS 2H 4S 5D 6C TS" << false << true
                                     << "Say May I: it makes your first set.";
    QTest::newRow("the hand has grown") << 1 << "7C 7D 9C 9D KS 2H 4S 5D 6C TS JD QD AH" << false << false
                                        << "Pass: the Seven of Hearts is not worth two more cards now.";
    QTest::newRow("the contract is laid") << 1 << "7C 7D 2H" << true << false << "Pass: your contract is made.";
    QTest::newRow("three sets: a fourth pair") << 4 << "7C 2H 2S 3D 3C 4S 4H 9C 9D KS TS QD" << false << true
                                               << "Say May I: it makes a pair of Sevens.";
    QTest::newRow("a run and a set: only a pair") << 2 << "7C 9C KS 2H 4S 5D 6C TS JD QS" << false << false
                                                  << "Pass: the Seven of Hearts is not worth two more cards now.";
    QTest::newRow("does not help") << 4 << "9C 9D KS KH 2H 2S 5D 6C TS TD QD AH" << false << false
                                   << "Pass: the Seven of Hearts does not help you.";
}

void TestAutopilot::mayI() {
    QFETCH(int, round);
    QFETCH(QString, hand);
    QFETCH(bool, contract);
    QFETCH(bool, claims);
    QFETCH(QString, hint);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable("P: " + hand + " | D: 7H"));
    t.g.IsTurn[0] = false;
    t.g.IsTurn[3] = true;
    t.g.HasContract[0] = contract;
    Autopilot pilot(t.g);
    QString shown, said;
    t.host.onMayI = [&] {
        MnuHint_Click(t.g);
        shown = QString::fromStdString(t.g.ui.LblP.Caption);
        said = QString::fromStdString(t.host.announced.back());
        pilot.AnswerMayI();
    };
    const int before = t.g.CardsInHand[0];
    t.g.MayIRoutineP();
    QCOMPARE(shown, hint);
    QCOMPARE(said, hint);
    QCOMPARE(t.host.mayIQuestions, 1);
    QCOMPARE(t.g.MayIClaimed, claims);
    QCOMPARE(pilot.counts().mayIClaims, claims ? 1 : 0);
    QCOMPARE(t.g.CardsInHand[0], before + (claims ? 2 : 0));
    QVERIFY(!t.g.ui.CmdMayI.Visible);
    QVERIFY(!t.g.ui.CmdPass.Visible);
    QCOMPARE(CheckTableInvariants(t.g), std::string());
}

// The hint for pinned tables: its words and the cards it marks; asking
// changes nothing on the table.
void TestAutopilot::hints_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<bool>("drawn");
    QTest::addColumn<bool>("contract");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("marked");
    QTest::newRow("take the discard") << 1 << false << false << "P: 9H 9C 7D 7S KC 2S 4H | D: 9D"
                                      << "Take the Nine of Diamonds: it makes your first set." << "9D";
    QTest::newRow("take the stock") << 1 << false << false << "P: 9H 9C 7D 7S KC 2S 4H | D: 5C"
                                    << "Take a card from the stock: the Five of Clubs does not help you." << "";
    QTest::newRow("lay the contract") << 2 << true << false << "P: 5H 6H 7H 8H 9C 9D 9S KS"
                                      << "Lay your contract: a run of Hearts from the Five to the Eight and a set of Nines."
                                      << "9D 9C 5H 6H 7H 8H 9S";
    QTest::newRow("one Joker to a run: no contract yet") << 3 << true << false << "P: 5H 8H JK JK 2C 3C 4C 9S"
                                                         << "Discard the Nine of Spades." << "9S";
    QTest::newRow("lay off") << 6 << true << true << "P: 7H KS 2D | M1: 8H 9H TH JH | M6: 2C 2H 2S"
                             << "Lay off: the Seven of Hearts goes on WestBot's run; the Two of Diamonds goes on NorthBot's set."
                             << "2D 7H";
    QTest::newRow("a Joker above a King") << 3 << true << true << "P: JK 2H KS | M1: TD JD QD KD"
                                          << "Lay off: the Joker goes on WestBot's run as the Ace of Diamonds." << "";
    QTest::newRow("take a Joker") << 3 << true << true << "P: 7H KS | M1: 5H 6H JK=7H 8H"
                                  << "Take the Joker from WestBot's run: your Seven of Hearts takes its place." << "";
    QTest::newRow("discard") << 1 << true << true << "P: 4C KS 9D | M1: 8H 8C 8S" << "Discard the King of Spades." << "KS";
    QTest::newRow("three sets: a pair outside the plan is kept")
        << 4 << true << false << "P: 2H 2S 3D 3C 4S 4H KS KH 5D 9C 8D 6C 7S" << "Discard the Nine of Clubs." << "9C";
}

void TestAutopilot::hints() {
    QFETCH(int, round);
    QFETCH(bool, drawn);
    QFETCH(bool, contract);
    QFETCH(QString, table);
    QFETCH(QString, hint);
    QFETCH(QString, marked);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable(table));
    t.g.IsTurn[0] = true;
    drawn ? t.PlayersTurn() : t.g.PlayP();
    t.g.HasContract[0] = contract;
    const std::string before = DescribeTable(t.g);
    MnuHint_Click(t.g);
    QCOMPARE(QString::fromStdString(t.g.ui.LblP.Caption), hint);
    QStringList cards;
    for (int c = 1; c <= kCardCount; ++c)
        if (t.g.ui.Cds[c].Hinted && !IsJoker(c)) cards << QString::fromStdString(CardText(t.g, c));
    QCOMPARE(cards.join(' '), marked);
    QCOMPARE(DescribeTable(t.g), before);
}

// Whole games with the player's seat played by the hints alone: every move
// they name is one the rules take.
void TestAutopilot::hintsPlayWholeGames() {
    int contracts = 0;
    for (std::uint64_t seed = 7000; seed < 7005; ++seed) {
        SelfPlay play(seed);
        play.UseHints();
        play.PlayGame();
        QCOMPARE(play.counts().faults, std::vector<std::string>());
        QCOMPARE(play.counts().player.refusedMoves, 0);
        for (int r = 1; r <= 7; ++r) contracts += play.counts().player.contractsByRound[r];
    }
    QVERIFY(contracts > 20);
}

// Seeded whole games with the cards moved by the keys alone end exactly as
// the same games played with the pointer: the same lay-offs, swaps, refusals
// and scores, and not one pointer act on the way.
void TestAutopilot::keysPlayWholeGamesAsThePointerDoes() {
    int contracts = 0, layOffs = 0, swaps = 0, keysPressed = 0;
    for (std::uint64_t seed = 5000; seed < 5010; ++seed) {
        SelfPlay byPointer(seed), byKeys(seed);
        byKeys.UseKeys();
        byPointer.PlayGame();
        byKeys.PlayGame();
        const AutopilotCounts& p = byPointer.counts().player;
        const AutopilotCounts& k = byKeys.counts().player;
        QCOMPARE(byKeys.counts().faults, std::vector<std::string>());
        QCOMPARE(k.pointerActs + k.directPresses, 0);
        for (int seat = 0; seat < 4; ++seat) QCOMPARE(byKeys.game().Totals[seat], byPointer.game().Totals[seat]);
        for (int r = 1; r <= 7; ++r) QCOMPARE(k.contractsByRound[r], p.contractsByRound[r]);
        QCOMPARE(k.layOffs, p.layOffs);
        QCOMPARE(k.jokerSwaps, p.jokerSwaps);
        QCOMPARE(k.refusedMoves, p.refusedMoves);
        for (int r = 1; r <= 7; ++r) contracts += k.contractsByRound[r];
        layOffs += k.layOffs;
        swaps += k.jokerSwaps;
        keysPressed += k.keysPressed;
    }
    // The games had every kind of move in them.
    QCOMPARE_GT(contracts, 50);
    QCOMPARE_GT(layOffs, 50);
    QCOMPARE_GT(swaps, 0);
    QVERIFY(keysPressed > 10000);
}

QTEST_GUILESS_MAIN(TestAutopilot)
#include "tst_autopilot.moc"
