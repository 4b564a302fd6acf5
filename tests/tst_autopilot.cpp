// The autopilot in the player's seat: the turn it plays through the
// player's controls (the contract, lay-offs and Joker swaps, the discard),
// its "May I?" answers, and the Hint command it plays by.

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

namespace {

QString TableFaults(const Table& t) {
    std::string fault = CheckTableInvariants(t.g);
    if (fault.empty()) fault = CheckMelds(t.g);
    if (fault.empty()) fault = CheckTableLayout(t.g);
    return QString::fromStdString(fault);
}

}  // namespace

class TestAutopilot : public QObject {
    Q_OBJECT
private slots:
    void laysContract_data();
    void laysContract();
    void laysOff_data();
    void laysOff();
    void mayI_data();
    void mayI();
    void hints_data();
    void hints();
    void hintsPlayWholeGames();
    void keysPlayWholeGamesAsThePointerDoes();
};

// A hand holding the contract: the autopilot lays it card by card and
// discards; the contract stands from the discard on, unless that discard
// was the last card and ended the round.
void TestAutopilot::laysContract_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QStringList>("columns");  // slots 7, 8 (and 9) afterwards
    QTest::addColumn<QString>("discarded");
    QTest::newRow("sets, a Joker in one") << 1 << "7C 7D 9C 9D 9S JK KS 2H" << QStringList{"9D 9C 9S", "JK=7D 7D 7C"} << "KS";
    QTest::newRow("a Joker below the Jack, Ace low") << 3 << "JH QH KH JK AC 2C 3C 4C 5S 9D"
                                                     << QStringList{"AC 2C 3C 4C", "JK=TH JH QH KH"} << "9D";
    QTest::newRow("a run and two sets") << 5 << "4S 5S 6S 7S 3D 3C 3H QD QC JK 8H KC"
                                        << QStringList{"4S 5S 6S 7S", "3D 3C 3H", "JK=QD QD QC"} << "KC";
    QTest::newRow("three runs") << 7 << "AD 2D 3D 4D TC JC QC KC 6H 7H 8H JK 5S"
                                << QStringList{"AD 2D 3D 4D", "TC JC QC KC", "JK=5H 6H 7H 8H"} << "5S";
    // A free Joker takes a value before it can be carried to the pile.
    QTest::newRow("three runs, a Joker left to throw") << 7 << "AD 2D 3D 4D TC JC QC KC 6H 7H 8H 9H JK"
                                                       << QStringList{"AD 2D 3D 4D", "TC JC QC KC", "6H 7H 8H 9H"} << "JK";
}

void TestAutopilot::laysContract() {
    QFETCH(int, round);
    QFETCH(QString, hand);
    QFETCH(QStringList, columns);
    QFETCH(QString, discarded);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable("P: " + hand + " | D: 2S"));
    t.PlayersTurn();
    Autopilot pilot(t.g);
    QVERIFY(pilot.PlayTurn());
    for (int i = 0; i < columns.size(); ++i) QCOMPARE(t.Column(7 + i), columns[i]);
    QCOMPARE(QString::fromStdString(CardText(t.g, t.g.TopDiscard())), discarded);
    const bool wentOut = t.g.CardsInHand[0] == 0;
    QCOMPARE(t.g.RoundOver, wentOut);
    QCOMPARE(t.g.HasContract[0], !wentOut);
    QCOMPARE(t.g.IsTurn[1], !wentOut);
    QCOMPARE(pilot.counts().contractsByRound[round], 1);
    QCOMPARE(pilot.counts().refusedMoves, 0);
    QCOMPARE(TableFaults(t), QString());
}

// From the turn after the contract: Jokers taken from runs for the card they
// stand for, lay-offs onto any complete meld (the Jokers too), and the last
// card thrown ends the round.
void TestAutopilot::laysOff_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");  // "slot:cards" afterwards
    QTest::addColumn<int>("swaps");
    QTest::addColumn<int>("layOffs");
    QTest::addColumn<bool>("goesOut");
    QTest::newRow("swap, lay off and go out")
        << "P: 7H TC KS | M1: 5H 6H JK=7H 8H | M3: 6C 7C 8C 9C | M7: 2S 3S 4S 5S | M8: 9D TD JD QD"
        << QStringList{"1:5H 6H 7H 8H JK=9H", "3:6C 7C 8C 9C TC"} << 1 << 2 << true;
    QTest::newRow("a Joker above a King") << "P: JK 2H KS | M1: TD JD QD KD | M7: 5C 6C 7C 8C | M8: 2S 3S 4S 5S"
                                          << QStringList{"1:TD JD QD KD JK=AD"} << 0 << 1 << false;
    QTest::newRow("onto both ends of the player's own run") << "P: 4C 9C KH | M7: 5C 6C 7C 8C | M8: 2S 3S 4S 5S"
                                                            << QStringList{"7:4C 5C 6C 7C 8C 9C"} << 0 << 2 << true;
}

void TestAutopilot::laysOff() {
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QFETCH(int, swaps);
    QFETCH(int, layOffs);
    QFETCH(bool, goesOut);
    Table t(1, IdleRobots());
    t.Set(3, qPrintable(table + " | W: 2D 3D | N: 4D | E: 5D | D: 4H"));
    t.PlayersTurn();
    t.g.HasContract[0] = true;
    Autopilot pilot(t.g);
    QVERIFY(pilot.PlayTurn());
    for (const QString& column : columns) {
        const QStringList parts = column.split(':');
        QCOMPARE(t.Column(parts[0].toInt()), parts[1]);
    }
    QCOMPARE(pilot.counts().jokerSwaps, swaps);
    QCOMPARE(pilot.counts().layOffs, layOffs);
    QCOMPARE(t.g.RoundOver, goesOut);
    QCOMPARE(t.g.CardsInHand[0], goesOut ? 0 : 1);
    QCOMPARE(CheckTableInvariants(t.g), std::string());
    QCOMPARE(CheckMelds(t.g), std::string());
}

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
    QVERIFY(!t.g.ui.CmdMayI.Visible && !t.g.ui.CmdPass.Visible);
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
    QVERIFY(contracts > 50 && layOffs > 50 && swaps > 0);
    QVERIFY(keysPressed > 10000);
}

QTEST_GUILESS_MAIN(TestAutopilot)
#include "tst_autopilot.moc"
