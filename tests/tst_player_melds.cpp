// The player's melds, driven the way the window drives them (drags onto
// columns and the discard area, the buttons, the Joker panel).

#include <QtTest>

#include "Fixture.h"
#include "headless/Invariants.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

// Plays "5H>7 6H>7 8H>D" (cards of the hand onto columns or the discard);
// returns the info texts shown, in order.
QStringList Play(Table& t, const QString& drops) {
    QStringList infos;
    t.host.onPause = [&] {
        const QString info = QString::fromStdString(t.g.ui.LblInfo.Caption);
        if (t.g.ui.LblInfo.Visible && (infos.isEmpty() || infos.last() != info)) infos << info;
    };
    for (const QString& drop : drops.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = drop.split('>');
        const int card = t.Find(0, qPrintable(parts[0]));
        if (card == 0) {
            infos << "no " + parts[0] + " in hand";
            break;
        }
        if (parts[1] == "D") t.DragToDiscard(card);
        else t.DragToColumn(card, parts[1].toInt());
    }
    t.host.onPause = nullptr;
    return infos;
}

// A Joker in the hand given a value and suit through the panel.
void ValueJoker(Table& t, int value, int suitLabel) {
    PicP_MouseDown(t.g, t.Find(0, "JK"), MouseButton::Left);
    LblValueClick(t.g, value - 1);
    LblValueClick(t.g, suitLabel);
    JokerClick(t.g);
}

// The invariants and the layout (the hand closed up behind laid cards).
QString Faults(const Table& t) { return t.CheckInvariants() + QString::fromStdString(CheckTableLayout(t.g)); }

}  // namespace

class TestPlayerMelds : public QObject {
    Q_OBJECT
private slots:
    void contract_data();
    void contract();
    void takeBackAndRefusedDiscard();
    void discardedJokerIsFree();
    void layOff_data();
    void layOff();
    void goingOut();
    void jokerPanel();
    void jokerSwap_data();
    void jokerSwap();
    void drawButtons();
};

// Cards dropped one by one on the player's columns: the melds, the info
// texts shown, whether the contract is made.
void TestPlayerMelds::contract_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("drops");
    QTest::addColumn<QString>("slot7");
    QTest::addColumn<QString>("slot8");
    QTest::addColumn<QStringList>("infos");
    QTest::addColumn<bool>("made");
    const QString noMeld = "Card cannot be Melded. Try again", runValue = "Player card right value or not same suit. ";
    QTest::newRow("two sets") << 1 << "7C 7D 7H 9C 9D 9S KS" << "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8"
                              << "7D 7C 7H" << "9D 9C 9S" << QStringList{} << true;
    QTest::newRow("set: wrong value in 7") << 1 << "7C 8C" << "7C>7 8C>7" << "7C" << ""
                                           << QStringList{"Player card not of right value for this meld. "} << false;
    QTest::newRow("set: wrong value in 8 says nothing") << 1 << "7C 8C" << "7C>8 8C>8" << "" << "7C" << QStringList{} << false;
    QTest::newRow("run: a gap") << 2 << "5H 6H 8H" << "5H>7 6H>7 8H>7" << "5H 6H" << "" << QStringList{noMeld, runValue} << false;
    QTest::newRow("run: the high Ace after a King") << 3 << "JH QH KH AH 2S 3S 4S 5S" << "JH>7 QH>7 KH>7 AH>7 3S>8 2S>8 4S>8 5S>8"
                                                    << "JH QH KH AH" << "2S 3S 4S 5S" << QStringList{} << true;
    QTest::newRow("run: an Ace laid first goes on with a Two only") << 3 << "AH KH 2H" << "AH>7 KH>7 2H>7" << "AH 2H" << ""
                                                                    << QStringList{noMeld, runValue} << false;
}

void TestPlayerMelds::contract() {
    QFETCH(int, round);
    QFETCH(QString, hand);
    QFETCH(QString, drops);
    QFETCH(QStringList, infos);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable("P: " + hand));
    t.PlayersTurn();
    QCOMPARE(Play(t, drops), infos);
    QTEST(t.Column(7), "slot7");
    QTEST(t.Column(8), "slot8");
    QTEST(t.g.ContractThisTurn, "made");
    QVERIFY(t.g.ui.CmdTakeBack.Visible);
    QCOMPARE(Faults(t), QString());
    if (t.Column(7).endsWith("AH")) QCOMPARE(t.g.CardTable[t.Find(-7, "AH")].Value, kValueHighAce);
}

void TestPlayerMelds::takeBackAndRefusedDiscard() {
    // Round 3: a run with a high Ace and a Joker in slot 7, slot 8 unstarted.
    Table t(1, IdleRobots());
    t.Set(3, "P: JH QH JK AH 4C 5C 6C 7C 2D");
    t.PlayersTurn();
    ValueJoker(t, 13, 15);  // King of Hearts
    QCOMPARE(Play(t, "JH>7 QH>7 JK=KH>7 AH>7"), QStringList{});
    QCOMPARE(t.Column(7), QStringLiteral("JH QH JK=KH AH"));
    // A discard while the contract is half laid is refused and scrubs it.
    QCOMPARE(Play(t, "2D>D"), QStringList{"Incomplete Melds.Try again or Discard a card."});
    QCOMPARE(t.g.CardsInHand[0], 9);
    QCOMPARE(t.g.CardTable[t.Find(0, "AH")].Value, 1);
    QCOMPARE(t.g.CardTable[t.Find(0, "JK")].Value, kValueJoker);
    QVERIFY(!t.g.MeldTable[7].Started);
    QVERIFY(!t.g.ui.CmdTakeBack.Visible);
    // The scrub cleared the slot's Joker mark: the Joker may go there again; Take Back undoes it.
    ValueJoker(t, 8, 16);  // Eight of Spades: a run of its own
    QCOMPARE(Play(t, "JK=8S>7"), QStringList{});
    QCOMPARE(t.Column(7), QStringLiteral("JK=8S"));
    CmdTakeBack_Click(t.g);
    QCOMPARE(t.g.CardsInHand[0], 9);
    QVERIFY(!t.g.MeldTable[7].Started && !t.g.JokerInMeld[7]);
    QCOMPARE(Faults(t), QString());
}

// A Joker given a value and then thrown is a free Joker on the pile; the turn passes.
void TestPlayerMelds::discardedJokerIsFree() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7C 7D 7H 9C 9D 9S JK KS");
    t.PlayersTurn();
    Play(t, "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8");
    ValueJoker(t, 5, 17);
    Play(t, "JK=5D>D");
    const int joker = t.g.TopDiscard();
    QVERIFY(IsJoker(joker));
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    QCOMPARE(t.g.CardTable[joker].Suit, int(SuitNone));
    QVERIFY(t.g.IsTurn[1] && !t.g.IsTurn[0]);
    QCOMPARE(t.CheckInvariants(), QString());
}

// From the turn after the contract: one card onto a meld on the table.
void TestPlayerMelds::layOff_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("meld");  // the column afterwards; empty when refused
    QTest::newRow("a robot's set") << 1 << "M3: 9D 9C 9S" << "9H" << 3 << "9D 9C 9H 9S";
    QTest::newRow("a run's foot") << 3 << "M1: 4C 5C 6C 7C" << "3C" << 1 << "3C 4C 5C 6C 7C";
    QTest::newRow("an Ace above a King") << 3 << "M5: TC JC QC KC" << "AC" << 5 << "TC JC QC KC AC";
    QTest::newRow("wrong suit") << 3 << "M1: 4C 5C 6C 7C" << "8H" << 1 << "";
    QTest::newRow("a gap") << 3 << "M1: 4C 5C 6C 7C" << "9C" << 1 << "";
    QTest::newRow("nothing above a high Ace") << 3 << "M5: JC QC KC AC" << "2C" << 5 << "";
    QTest::newRow("an empty column") << 1 << "M2: 9D 9C 9S" << "9H" << 4 << "";
    QTest::newRow("a meld still being laid") << 1 << "M3: 9D 9C" << "9H" << 3 << "";
}

void TestPlayerMelds::layOff() {
    QFETCH(QString, card);
    QFETCH(int, column);
    QFETCH(QString, meld);
    Table t(1, IdleRobots());
    QFETCH(int, round);
    QFETCH(QString, table);
    t.Set(round, qPrintable("P: 2D 3D " + card + " KS | " + table));
    t.PlayersTurn();
    t.g.HasContract[0] = true;
    const QString before = t.Column(column);
    QCOMPARE(Play(t, card + ">" + QString::number(column)),
             meld.isEmpty() ? QStringList{"Card returned to hand. Not playable"} : QStringList{});
    QCOMPARE(t.Column(column), meld.isEmpty() ? before : meld);
    QCOMPARE(t.g.CardsInHand[0], meld.isEmpty() ? 4 : 3);
    QCOMPARE(Faults(t), QString());
}

// Out by a lay-off and out by the discard.
void TestPlayerMelds::goingOut() {
    for (const char* last : {"9H>4", "9H>D"}) {
        Table t(1, IdleRobots());
        t.Set(2, "P: 9H | W: KS | N: QS | E: JS | M4: 9D 9C 9S");
        t.PlayersTurn();
        t.g.HasContract[0] = true;
        Play(t, last);
        QVERIFY2(t.g.RoundOver && t.g.ui.FramScore.Visible, last);
        QCOMPARE(t.g.RoundPoints[0][2], 0);
        QCOMPARE(t.g.ui.LblWhoWon.Caption, std::string("Player won this round. See above for details."));
        QCOMPARE(t.CheckInvariants(), QString());
    }
}

void TestPlayerMelds::jokerPanel() {
    Table t(1, IdleRobots());
    t.Set(1, "P: JK 5C");
    t.PlayersTurn();
    const int joker = t.Find(0, "JK");
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    // A value only is not enough; a suit disables "No Suit" until the panel closes.
    LblValueClick(t.g, 4);
    JokerClick(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("Please click value and suit"));
    QVERIFY(t.g.ui.FramJoker.Visible);
    LblValueClick(t.g, 15);
    QVERIFY(!t.g.ui.LblValue[17].Enabled);
    CmdCancel_Click(t.g);
    QVERIFY(!t.g.ui.FramJoker.Visible && t.g.ui.LblValue[17].Enabled);
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    // After Cancel the suit reads "No Suit", so a value alone is taken for a set.
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    LblValueClick(t.g, 4);
    JokerClick(t.g);
    QVERIFY(!t.g.ui.FramJoker.Visible);
    QCOMPARE(t.g.CardTable[joker].Value, 5);
    QCOMPARE(t.g.CardTable[joker].Suit, int(SuitNone));
    QCOMPARE(Play(t, "5C>7 JK=5D>7"), QStringList{});
    QCOMPARE(t.Column(7), QStringLiteral("JK=5D 5C"));
}

void TestPlayerMelds::jokerSwap_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("natural");  // the card that takes the Joker's place; empty: no swap
    const QString swapped = "Player the Joker is now in your hand and can be Layed Off.",
                  none = "Player you do not have a card that you can swap with this joker";
    QTest::addColumn<QString>("info");
    QTest::newRow("a robot's run") << "P: 7H 2D | M1: 5H 6H JK=7H 8H" << 1 << "7H" << swapped;
    QTest::newRow("the high Ace") << "P: AH 2D | M5: JH QH KH JK=AH" << 5 << "AH" << swapped;
    QTest::newRow("no card for it") << "P: 9H 2D | M1: 5H 6H JK=7H 8H" << 1 << "" << none;
    QTest::newRow("a Joker in a set stays") << "P: 7H 7C | M2: 7D 7S JK=7D" << 2 << "" << none;
}

void TestPlayerMelds::jokerSwap() {
    QFETCH(QString, table);
    QFETCH(int, slot);
    QFETCH(QString, natural);
    Table t(1, IdleRobots());
    t.Set(3, qPrintable(table));
    t.g.MeldTable[2].Kind = kKindSet;
    t.PlayersTurn();
    const int joker = t.Find(-slot, "JK");
    const QString before = t.Column(slot);
    // The press swaps; the release that follows must not act on the Joker.
    PointerPressed(t.g, {t.g.ui.Cds[joker].Left + 100, t.g.ui.Cds[joker].Top + 100}, MouseButton::Left);
    if (t.g.ui.PressedCard != joker) PicP_MouseDown(t.g, joker, MouseButton::Left);  // a set's Joker takes no press
    PointerReleased(t.g, {300, 300});
    QTEST(QString::fromStdString(t.g.ui.LblInfo.Caption), "info");
    QCOMPARE(t.Column(slot), natural.isEmpty() ? before : QString(before).replace(QRegularExpression("JK=\\w\\w"), natural));
    if (natural.isEmpty()) return;
    QCOMPARE(t.g.CardTable[joker].Location, LocPlayer);
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    if (natural == "AH") QCOMPARE(t.g.CardTable[t.Find(-slot, "AH")].Value, kValueHighAce);
    QCOMPARE(Faults(t), QString());
}

// A second press while the Stock draw is still pausing does nothing; the
// Discard button takes the pile's top card.
// A draw button pressed twice, or both pressed quickly, draws one card: the
// second press lands in the first one's pauses.
void TestPlayerMelds::drawButtons() {
    for (const bool stock : {true, false}) {
        Table t(3, IdleRobots());
        t.Set(1, "P: 2D 3D | D: 7H");
        t.g.IsTurn[0] = true;
        t.g.PlayP();
        int presses = 0;
        t.host.onPause = [&] {
            if (presses++) return;
            CmdStock_Click(t.g);
            CmdDiscard_Click(t.g);
        };
        stock ? CmdStock_Click(t.g) : CmdDiscard_Click(t.g);
        t.host.onPause = nullptr;
        QVERIFY(presses > 0);
        QCOMPARE(t.g.CardsInHand[0], 3);
        QCOMPARE(t.g.DiscardCount, stock ? 1 : 0);
        QCOMPARE(t.g.LastDiscardTaken, stock ? 0 : t.Find(0, "7H"));
        QVERIFY(t.g.PlayerHasDrawn && !t.g.ui.CmdStock.Visible && !t.g.ui.CmdDiscard.Visible);
    }
}

QTEST_GUILESS_MAIN(TestPlayerMelds)
#include "tst_player_melds.moc"
