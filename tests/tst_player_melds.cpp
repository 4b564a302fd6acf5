// The player's melds, driven the way the window drives them (drags onto
// columns and the discard area, the buttons, the Joker panel): building
// each round's contract, take-back and the refused discard, laying off,
// going out, and the Jokers.

#include <QtTest>

#include "Fixture.h"
#include "headless/Invariants.h"
#include "headless/Notation.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

// Plays "5H>7 6H>7 8H>7" (cards of the hand onto columns); returns the
// info texts shown, in order.
QStringList Play(Table& t, const QString& drops) {
    QStringList infos;
    t.host.onPause = [&] {
        if (t.g.ui.LblInfo.Visible && (infos.isEmpty() || infos.last() != QString::fromStdString(t.g.ui.LblInfo.Caption)))
            infos << QString::fromStdString(t.g.ui.LblInfo.Caption);
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
    const int joker = t.Find(0, "JK");
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    LblValueClick(t.g, value - 1);
    LblValueClick(t.g, suitLabel);
    JokerClick(t.g);
}

}  // namespace

class TestPlayerMelds : public QObject {
    Q_OBJECT
private slots:
    void contract_data();
    void contract();
    void takeBackAndRefusedDiscard();
    void discardEndsTheTurn();
    void layOff_data();
    void layOff();
    void goingOut_data();
    void goingOut();
    void jokerPanel();
    void jokerSwap_data();
    void jokerSwap();
    void drawButtons();
};

// Cards dropped one by one on the player's columns; the melds that result,
// the info texts shown and whether the contract is made this turn.
void TestPlayerMelds::contract_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("hand");
    QTest::addColumn<QString>("drops");
    QTest::addColumn<QString>("slot7");
    QTest::addColumn<QString>("slot8");
    QTest::addColumn<QStringList>("infos");
    QTest::addColumn<bool>("made");
    QTest::newRow("two sets") << 1 << "7C 7D 7H 9C 9D 9S KS" << "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8"
                              << "7D 7C 7H" << "9D 9C 9S" << QStringList{} << true;
    QTest::newRow("set: wrong value in 7") << 1 << "7C 8C" << "7C>7 8C>7" << "7C" << ""
                                           << QStringList{"Player card not of right value for this meld. "} << false;
    QTest::newRow("set: wrong value in 8 says nothing") << 1 << "7C 8C" << "7C>8 8C>8" << "" << "7C"
                                                         << QStringList{} << false;
    QTest::newRow("run: a gap") << 2 << "5H 6H 8H" << "5H>7 6H>7 8H>7" << "5H 6H" << ""
                                << QStringList{"Card cannot be Melded. Try again", "Player card right value or not same suit. "}
                                << false;
    QTest::newRow("run: wrong suit") << 2 << "5H 6C" << "5H>7 6C>7" << "5H" << ""
                                     << QStringList{"Run Meld must follow suit.", "Player card right value or not same suit. "}
                                     << false;
    QTest::newRow("run: second slot's message") << 3 << "5H 6H 7H 8H 9C TD" << "5H>7 6H>7 7H>7 8H>7 9C>8 TD>8"
                                                << "5H 6H 7H 8H" << "9C"
                                                << QStringList{"Run Meld must follow suit.", "Player card not of right value for this meld. "}
                                                << false;
    QTest::newRow("run: the high Ace after a King") << 3 << "JH QH KH AH 2S 3S 4S 5S"
                                                    << "JH>7 QH>7 KH>7 AH>7 3S>8 2S>8 4S>8 5S>8" << "JH QH KH AH"
                                                    << "2S 3S 4S 5S" << QStringList{} << true;
    QTest::newRow("run: an Ace laid first goes on with a Two only") << 3 << "AH KH 2H" << "AH>7 KH>7 2H>7" << "AH 2H" << ""
                                                                    << QStringList{"Card cannot be Melded. Try again", "Player card right value or not same suit. "}
                                                                    << false;
    QTest::newRow("set: slot 9 message") << 4 << "7C 7D 7H 9C 9D 9S 4H 5H" << "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8 4H>9 5H>9"
                                         << "7D 7C 7H" << "9D 9C 9S" << QStringList{"Player card right value for this Meld. "} << false;
}

void TestPlayerMelds::contract() {
    QFETCH(int, round);
    QFETCH(QString, hand);
    QFETCH(QString, drops);
    QFETCH(QString, slot7);
    QFETCH(QString, slot8);
    QFETCH(QStringList, infos);
    QFETCH(bool, made);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable("P: " + hand));
    t.PlayersTurn();
    QCOMPARE(Play(t, drops), infos);
    QCOMPARE(t.Column(7), slot7);
    QCOMPARE(t.Column(8), slot8);
    QCOMPARE(t.g.ContractThisTurn, made);
    QVERIFY(t.g.ui.CmdTakeBack.Visible);
    QCOMPARE(t.CheckInvariants(), QString());
    // The hand has closed up behind the laid cards.
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
    if (slot7.endsWith("AH")) QCOMPARE(t.g.CardTable[t.Find(-7, "AH")].Value, kValueHighAce);
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
    // The Joker may be laid in that slot again; Take Back undoes the lot.
    ValueJoker(t, 8, 16);  // Eight of Spades: a run of its own
    QCOMPARE(Play(t, "JK=8S>7"), QStringList{});
    CmdTakeBack_Click(t.g);
    QCOMPARE(t.g.CardsInHand[0], 9);
    QVERIFY(!t.g.MeldTable[7].Started && !t.g.MeldTable[8].Started);
    QVERIFY(!t.g.JokerInMeld[7]);
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

void TestPlayerMelds::discardEndsTheTurn() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7C 7D 7H 9C 9D 9S JK KS");
    t.PlayersTurn();
    Play(t, "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8");
    // A Joker given a value and then thrown is a free Joker on the pile.
    ValueJoker(t, 5, 17);
    Play(t, "JK=5D>D");
    const int joker = t.g.TopDiscard();
    QVERIFY(IsJoker(joker));
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    QCOMPARE(t.g.CardTable[joker].Suit, int(SuitNone));
    QVERIFY(t.g.HasContract[0]);
    QVERIFY(!t.g.ContractThisTurn);
    QVERIFY(t.g.IsTurn[1] && !t.g.IsTurn[0]);
    QVERIFY(!t.g.PlayerHasDrawn);
    QVERIFY(!t.g.ui.CmdTakeBack.Visible);
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
    QTest::newRow("a run's top") << 3 << "M1: 4C 5C 6C 7C" << "8C" << 1 << "4C 5C 6C 7C 8C";
    QTest::newRow("a run's foot") << 3 << "M1: 4C 5C 6C 7C" << "3C" << 1 << "3C 4C 5C 6C 7C";
    QTest::newRow("an Ace above a King") << 3 << "M5: TC JC QC KC" << "AC" << 5 << "TC JC QC KC AC";
    QTest::newRow("an Ace below a Two") << 3 << "M5: 2C 3C 4C 5C" << "AC" << 5 << "AC 2C 3C 4C 5C";
    QTest::newRow("the player's own set") << 1 << "M7: 9D 9C 9S" << "9H" << 7 << "9D 9C 9H 9S";
    QTest::newRow("wrong suit") << 3 << "M1: 4C 5C 6C 7C" << "8H" << 1 << "";
    QTest::newRow("a gap") << 3 << "M1: 4C 5C 6C 7C" << "9C" << 1 << "";
    QTest::newRow("nothing above a high Ace") << 3 << "M5: JC QC KC AC" << "2C" << 5 << "";
    QTest::newRow("an empty column") << 1 << "M2: 9D 9C 9S" << "9H" << 4 << "";
    QTest::newRow("a meld still being laid") << 1 << "M3: 9D 9C" << "9H" << 3 << "";
}

void TestPlayerMelds::layOff() {
    QFETCH(int, round);
    QFETCH(QString, table);
    QFETCH(QString, card);
    QFETCH(int, column);
    QFETCH(QString, meld);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable("P: 2D 3D " + card + " KS | " + table));
    t.PlayersTurn();
    t.g.HasContract[0] = true;
    const QString before = t.Column(column);
    const QStringList infos = Play(t, card + ">" + QString::number(column));
    if (meld.isEmpty()) {
        QCOMPARE(infos, QStringList{"Card returned to hand. Not playable"});
        QCOMPARE(t.Column(column), before);
        QCOMPARE(t.g.CardsInHand[0], 4);
    } else {
        QCOMPARE(infos, QStringList{});
        QCOMPARE(t.Column(column), meld);
        QCOMPARE(t.g.CardsInHand[0], 3);
    }
    QCOMPARE(t.CheckInvariants(), QString());
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

void TestPlayerMelds::goingOut_data() {
    QTest::addColumn<QString>("last");  // "lay off" or "discard"
    QTest::newRow("by a lay-off") << "lay off";
    QTest::newRow("by the discard") << "discard";
}

void TestPlayerMelds::goingOut() {
    QFETCH(QString, last);
    Table t(1, IdleRobots());
    t.Set(2, "P: 9H | W: KS | N: QS | E: JS | M4: 9D 9C 9S");
    t.PlayersTurn();
    t.g.HasContract[0] = true;
    Play(t, last == "discard" ? "9H>D" : "9H>4");
    QVERIFY(t.g.RoundOver);
    QCOMPARE(t.g.CardsInHand[0], 0);
    QCOMPARE(t.g.RoundPoints[0][2], 0);
    QCOMPARE(t.g.ui.LblWhoWon.Caption, std::string("Player won this round. See above for details."));
    QVERIFY(t.g.ui.FramScore.Visible);
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestPlayerMelds::jokerPanel() {
    Table t(1, IdleRobots());
    t.Set(1, "P: JK 5C");
    t.PlayersTurn();
    const int joker = t.Find(0, "JK");
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    QVERIFY(t.g.ui.FramJoker.Visible);
    QCOMPARE(t.g.JokerBeingSet, joker);
    QCOMPARE(t.g.ui.LblP.Caption, std::string("Player  Click above the Value and Suit you wish the Joker to become. "
                                              "Then click joker again to Meld it."));
    // A value only is not enough.
    LblValueClick(t.g, 4);
    QVERIFY(t.g.ui.LblValue[4].Marked);
    JokerClick(t.g);
    QCOMPARE(t.host.messages.back().title, std::string("Please click value and suit"));
    QVERIFY(t.g.ui.FramJoker.Visible);
    QVERIFY(!t.g.ui.LblValue[4].Marked);
    // A suit disables "No Suit" until the panel closes.
    LblValueClick(t.g, 15);
    QVERIFY(!t.g.ui.LblValue[17].Enabled);
    LblValueClick(t.g, 17);
    QCOMPARE(t.g.JokerSuit, int(SuitHearts));
    CmdCancel_Click(t.g);
    QVERIFY(!t.g.ui.FramJoker.Visible);
    QVERIFY(t.g.ui.LblValue[17].Enabled);
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    // After Cancel the suit reads "No Suit", so a value alone is now taken for a set.
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    LblValueClick(t.g, 4);
    JokerClick(t.g);
    QVERIFY(!t.g.ui.FramJoker.Visible);
    QCOMPARE(t.g.CardTable[joker].Value, 5);
    QCOMPARE(t.g.CardTable[joker].Suit, int(SuitNone));
    // Valued, the Joker now drags like a Five.
    QCOMPARE(Play(t, "5C>7 JK=5D>7"), QStringList{});
    QCOMPARE(t.Column(7), QStringLiteral("JK=5D 5C"));
}

void TestPlayerMelds::jokerSwap_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("natural");  // the card that takes the Joker's place; empty: no swap
    QTest::addColumn<QString>("info");
    QTest::newRow("a robot's run") << "P: 7H 2D | M1: 5H 6H JK=7H 8H" << 1 << "7H"
                                   << "Player the Joker is now in your hand and can be Layed Off.";
    QTest::newRow("the high Ace") << "P: AH 2D | M5: JH QH KH JK=AH" << 5 << "AH"
                                  << "Player the Joker is now in your hand and can be Layed Off.";
    QTest::newRow("no card for it") << "P: 9H 2D | M1: 5H 6H JK=7H 8H" << 1 << ""
                                    << "Player you do not have a card that you can swap with this joker";
    QTest::newRow("a Joker in a set stays") << "P: 7H 7C | M2: 7D 7S JK=7D" << 2 << ""
                                            << "Player you do not have a card that you can swap with this joker";
}

void TestPlayerMelds::jokerSwap() {
    QFETCH(QString, table);
    QFETCH(int, slot);
    QFETCH(QString, natural);
    QFETCH(QString, info);
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
    QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), info);
    if (natural.isEmpty()) {
        QCOMPARE(t.Column(slot), before);
        return;
    }
    QCOMPARE(t.g.CardTable[joker].Location, LocPlayer);
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    QCOMPARE(t.Column(slot), QString(before).replace(QRegularExpression("JK=\\w\\w"), natural));
    if (natural == "AH") QCOMPARE(t.g.CardTable[t.Find(-slot, "AH")].Value, kValueHighAce);
    QCOMPARE(t.g.CardsInHand[0], 2);
    QCOMPARE(t.CheckInvariants(), QString());
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

void TestPlayerMelds::drawButtons() {
    Table t(3, IdleRobots());
    t.Set(1, "P: 2D 3D | D: 7H");
    t.g.IsTurn[0] = true;
    t.g.PlayP();
    QCOMPARE(t.g.ui.Focus, std::string("CmdStock"));
    // A second press while the first one's draw is still pausing does nothing.
    bool again = false;
    t.host.onPause = [&] {
        if (again) return;
        again = true;
        CmdStock_Click(t.g);
        CmdDiscard_Click(t.g);
    };
    CmdStock_Click(t.g);
    t.host.onPause = nullptr;
    QVERIFY(again);
    QCOMPARE(t.g.CardsInHand[0], 3);
    QCOMPARE(t.g.DiscardCount, 1);
    QVERIFY(t.g.PlayerHasDrawn);
    QVERIFY(!t.g.ui.CmdStock.Visible && !t.g.ui.CmdDiscard.Visible);
    QCOMPARE(t.g.ui.LblP.Caption, std::string("Player  make Contract if you can and wish to or discard a card."));

    Table d(3, IdleRobots());
    d.Set(1, "P: 2D 3D | D: 7H");
    d.g.IsTurn[0] = true;
    d.g.PlayP();
    CmdDiscard_Click(d.g);
    QCOMPARE(d.g.CardTable[d.Find(0, "7H")].Location, LocPlayer);
    QCOMPARE(d.g.LastDiscardTaken, d.Find(0, "7H"));
    QCOMPARE(d.g.ui.LblP.Caption, std::string("Player Make contract if you can and wish or discard a card."));
}

QTEST_GUILESS_MAIN(TestPlayerMelds)
#include "tst_player_melds.moc"
