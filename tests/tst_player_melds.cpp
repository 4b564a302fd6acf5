// The player's melds, driven the way the window drives them (drags onto
// columns and the discard area, the buttons, the Joker panel).

#include <QtTest>

#include "Fixture.h"
#include "game/Describe.h"
#include "game/TableChecks.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {

// The mark on a Joker's face, "7♥ red" or "" when it has none.
QString Mark(const Table& t, int joker) {
    const CardImage& img = t.g.ui.Cds[joker];
    return img.Mark.empty() ? QString() : QString::fromStdString(img.Mark) + (img.MarkRed ? " red" : " black");
}

// Plays "5H>7 6H>7 8H>D" (cards of the hand onto columns or the discard);
// returns the info texts shown, in order, joined by "|". Before each drop
// the rules are asked: where the handler does otherwise than they said,
// the texts end with what they said.
QString Play(Table& t, const QString& drops) {
    QStringList infos;
    int shown = 0;  // infos before this drop
    t.host.onPause = [&] {
        const QString info = QString::fromStdString(t.g.ui.LblInfo.Caption);
        if (t.g.ui.LblInfo.Visible && (infos.size() == shown || infos.last() != info)) infos << info;
    };
    for (const QString& drop : drops.split(' ', Qt::SkipEmptyParts)) {
        const QStringList parts = drop.split('>');
        const int card = t.Find(0, qPrintable(parts[0]));
        if (card == 0) {
            infos << "no " + parts[0] + " in hand";
            break;
        }
        const layout::Drop target = parts[1] == "D" ? layout::Drop{layout::DropArea::Discard, 0}
                                                    : layout::Drop{layout::DropArea::Board, parts[1].toInt()};
        const Verdict said = DropCheck(t.g, card, target);
        const bool letGo = MayLetGo(t.g, card);
        shown = infos.size();
        parts[1] == "D" ? t.DragToDiscard(card) : t.DragToColumn(card, parts[1].toInt());
        QStringList saidTexts;
        for (const std::string& text : said.Texts())
            saidTexts << QString::fromStdString(text).replace(QString::fromStdString(Game::NameMark(0)),
                                                              QString::fromStdString(t.g.PlayerName()));
        const bool taken = t.g.CardTable[card].Location != LocPlayer;
        if (taken != said.accepted || (letGo && infos.mid(shown) != saidTexts))
            infos << "the rules said: " + (said.accepted ? QString("yes") : saidTexts.join('|'));
    }
    t.host.onPause = nullptr;
    return infos.join('|');
}

void ValueJoker(Table& t, int value, int suitLabel) {
    PicP_MouseDown(t.g, t.Find(0, "JK"), MouseButton::Left);
    LblValueClick(t.g, value - 1);
    LblValueClick(t.g, suitLabel);
    JokerClick(t.g);
}

// The player's turn after the draw on a table of the notation.
struct Turn : Table {
    Turn(int round, const QString& table) : Table(1, IdleRobots()) { Set(round, qPrintable(table)), PlayersTurn(); }
};

// The invariants and the layout (the hand closed up behind laid cards).
QString Faults(const Table& t) { return t.CheckInvariants() + QString::fromStdString(CheckTableLayout(t.g)); }

}  // namespace

class TestPlayerMelds : public QObject {
    Q_OBJECT
private slots:
    void contract();
    void takeBackAndRefusedDiscard();
    void jokers();
    void layOff();
    void jokerSwap();
    void drawButtons();
};

// Cards dropped one by one on the player's columns: infos shown, slots 7
// and 8, whether the contract is made.
void TestPlayerMelds::contract() {
    const QString noMeld = "Card cannot be Melded. Try again|Player card right value or not same suit. ";
    const struct { int round; const char *hand, *drops; QString want; } rows[] = {
        {1, "7C 7D 7H 9C 9D 9S KS", "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8", " / 7D 7C 7H / 9D 9C 9S / 1"},
        {1, "7C 8C", "7C>7 8C>7", "Player card not of right value for this meld.  / 7C /  / 0"},
        {1, "7C 8C", "7C>8 8C>8", " /  / 7C / 0"},  // slot 8's set refuses silently
        {2, "5H 6H 8H", "5H>7 6H>7 8H>7", noMeld + " / 5H 6H /  / 0"},
        {3, "JH QH KH AH 2S 3S 4S 5S", "JH>7 QH>7 KH>7 AH>7 3S>8 2S>8 4S>8 5S>8", " / JH QH KH AH / 2S 3S 4S 5S / 1"},
        {3, "AH KH 2H", "AH>7 KH>7 2H>7", noMeld + " / AH 2H /  / 0"},  // an Ace laid first goes on with a Two only
        {3, "5C 6C 7H", "5C>7 6C>7 7H>7", "Run Meld must follow suit.|Player card right value or not same suit.  / 5C 6C /  / 0"},
    };
    for (const auto& row : rows) {
        Turn t(row.round, QString("P: ") + row.hand);
        const QString infos = Play(t, row.drops);
        QCOMPARE(QStringList({infos, t.Column(7), t.Column(8), QString::number(t.g.ContractThisTurn)}).join(" / "), row.want);
        QCOMPARE(t.g.ui.CmdTakeBack.Visible, !(t.Column(7) + t.Column(8)).isEmpty());
        QCOMPARE(Faults(t), QString());
        if (t.Column(7).endsWith("AH")) QCOMPARE(t.g.CardTable[t.Find(-7, "AH")].Value, kValueHighAce);
    }
}

void TestPlayerMelds::takeBackAndRefusedDiscard() {
    Turn t(3, "P: JH QH JK AH 4C 5C 6C 7C 2D");
    ValueJoker(t, 13, 15);  // King of Hearts
    QCOMPARE(Play(t, "JH>7 QH>7 JK=KH>7 AH>7"), QString());
    QCOMPARE(t.Column(7), QStringLiteral("JH QH JK=KH AH"));
    // A discard while the contract is half laid is refused and scrubs it.
    QCOMPARE(Play(t, "2D>D"), QStringLiteral("Incomplete Melds.Try again or Discard a card."));
    QCOMPARE(t.g.CardsInHand[0], 9);
    QCOMPARE(t.g.CardTable[t.Find(0, "AH")].Value, 1);
    QCOMPARE(t.g.CardTable[t.Find(0, "JK")].Value, kValueJoker);
    QVERIFY(!t.g.MeldTable[7].Started);
    QVERIFY(!t.g.ui.CmdTakeBack.Visible);
    // The scrub cleared the slot's Joker mark: the Joker may go there again; Take Back undoes it.
    ValueJoker(t, 8, 16);  // Eight of Spades
    QCOMPARE(Play(t, "JK=8S>7"), QString());
    // Not the player's turn, or before the draw: the rules take nothing.
    for (const bool turn : {false, true}) {
        t.g.IsTurn[0] = turn;
        t.g.PlayerHasDrawn = false;
        QCOMPARE(Play(t, "7C>8").contains("the rules said"), false);
        QCOMPARE(t.g.CardTable[t.Find(0, "7C")].Location, int(LocPlayer));
    }
    t.g.IsTurn[0] = t.g.PlayerHasDrawn = true;
    CmdTakeBack_Click(t.g);
    QCOMPARE(t.g.CardsInHand[0], 9);
    QVERIFY(!t.g.MeldTable[7].Started);
    QVERIFY(!t.g.JokerInMeld[7]);
    QCOMPARE(Faults(t), QString());
}

// The Joker panel's checks, a set's Joker (one only), and a valued Joker thrown away
// lands on the pile as a free Joker. A valued Joker's face shows its value.
void TestPlayerMelds::jokers() {
    Turn t(1, "P: JK 5C JK");
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
    QVERIFY(!t.g.ui.FramJoker.Visible);
    QVERIFY(t.g.ui.LblValue[17].Enabled);
    QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
    // After Cancel the suit reads "No Suit", so a value alone is taken for a set.
    PicP_MouseDown(t.g, joker, MouseButton::Left);
    LblValueClick(t.g, 4);
    JokerClick(t.g);
    QVERIFY(!t.g.ui.FramJoker.Visible);
    QCOMPARE(t.g.CardTable[joker].Value, 5);
    QCOMPARE(t.g.CardTable[joker].Suit, int(SuitNone));
    QCOMPARE(Mark(t, joker), QStringLiteral("5 black"));
    QCOMPARE(Play(t, "5C>7 JK=5D>7"), QString());
    QCOMPARE(t.Column(7), QStringLiteral("JK=5D 5C"));
    QCOMPARE(Mark(t, joker), QStringLiteral("5 black"));

    Turn d(1, "P: 7C 7D 7H 9C 9D 9S JK KS");
    ValueJoker(d, 12, 15);
    QCOMPARE(Mark(d, d.Find(0, "JK")), QStringLiteral("Q\u2665 red"));
    QCOMPARE(CardNameInPlay(d.g, d.Find(0, "JK")), std::string("Joker standing for the Queen of Hearts"));
    Play(d, "7C>7 7D>7 7H>7 9C>8 9D>8 9S>8 JK=QH>D");
    const int thrown = d.g.TopDiscard();
    QVERIFY(IsJoker(thrown));
    QCOMPARE(d.g.CardTable[thrown].Value, kValueJoker);
    QCOMPARE(d.g.CardTable[thrown].Suit, int(SuitNone));
    QCOMPARE(Mark(d, thrown), QString());
    QVERIFY(d.g.IsTurn[1]);
    QVERIFY(!d.g.IsTurn[0]);
    QCOMPARE(d.CheckInvariants(), QString());
}

// From the turn after the contract: one card onto a meld on the table
// (the column afterwards; empty when refused).
void TestPlayerMelds::layOff() {
    const struct { int round; const char *table, *card; int column; QString meld; } rows[] = {
        {1, "M3: 9D 9C 9S", "9H", 3, "9D 9C 9H 9S"},      {3, "M1: 4C 5C 6C 7C", "3C", 1, "3C 4C 5C 6C 7C"},
        {3, "M5: TC JC QC KC", "AC", 5, "TC JC QC KC AC"}, {3, "M1: 4C 5C 6C 7C", "8H", 1, ""},
        {3, "M1: 4C 5C 6C 7C", "9C", 1, ""},               {3, "M5: JC QC KC AC", "2C", 5, ""},
        {1, "M2: 9D 9C 9S", "9H", 4, ""},                   {1, "M3: 9D 9C", "9H", 3, ""},  // still being laid
        {6, "M4: 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS", "AS", 4, "2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS AS"},  // high, not low
    };
    for (const auto& row : rows) {
        Turn t(row.round, QString("P: 2D 3D ") + row.card + " KS | " + row.table);
        t.g.HasContract[0] = true;
        const QString before = t.Column(row.column);
        const QString info = Play(t, row.card + QString(">") + QString::number(row.column));
        QCOMPARE(info, row.meld.isEmpty() ? QStringLiteral("Card returned to hand. Not playable") : QString());
        QCOMPARE(t.Column(row.column), row.meld.isEmpty() ? before : row.meld);
        QCOMPARE(t.g.CardsInHand[0], row.meld.isEmpty() ? 4 : 3);
        QCOMPARE(Faults(t), QString());
    }
}

// A run's Joker swapped for the card it stands for; the release after the
// press must not act on the Joker.
void TestPlayerMelds::jokerSwap() {
    const QString swapped = "Player the Joker is now in your hand and can be Layed Off.",
                  none = "Player you do not have a card that you can swap with this joker";
    const struct { const char* table; int slot; QString natural, info; } rows[] = {
        {"P: 7H 2D | M1: 5H 6H JK=7H 8H", 1, "7H", swapped},
        {"P: AH 2D | M5: JH QH KH JK=AH", 5, "AH", swapped},
        {"P: 9H JK | M1: 5H 6H JK=7H 8H", 1, "", none},  // the hand's Joker, valued as the Seven, is not given
        {"P: 7H 7C | M2: 7D 7S JK=7D", 2, "", none},  // a set's Joker stays
    };
    for (const auto& row : rows) {
        Turn t(3, row.table);
        t.g.MeldTable[2].Kind = kKindSet;
        if (t.Find(0, "JK")) ValueJoker(t, 7, 15);
        const int joker = t.Find(-row.slot, "JK");
        const QString before = t.Column(row.slot);
        const QString mark = Mark(t, joker);
        PointerPressed(t.g, {t.g.ui.Cds[joker].Left + 100, t.g.ui.Cds[joker].Top + 100}, MouseButton::Left);
        if (t.g.ui.PressedCard != joker) PicP_MouseDown(t.g, joker, MouseButton::Left);  // a set's Joker takes no press
        PointerReleased(t.g, {300, 300});
        QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), row.info);
        QCOMPARE(t.Column(row.slot),
                 row.natural.isEmpty() ? before : QString(before).replace(QRegularExpression("JK=\\w\\w"), row.natural));
        QCOMPARE(Mark(t, joker), row.natural.isEmpty() ? mark : QString());
        if (row.natural.isEmpty()) continue;
        QCOMPARE(mark, row.natural == "7H" ? QStringLiteral("7\u2665 red") : QStringLiteral("A\u2665 red"));
        QCOMPARE(t.g.CardTable[joker].Location, int(LocPlayer));
        QCOMPARE(t.g.CardTable[joker].Value, kValueJoker);
        if (row.natural == "AH") QCOMPARE(t.g.CardTable[t.Find(-row.slot, "AH")].Value, kValueHighAce);
        QCOMPARE(Faults(t), QString());
    }
}

// A draw button pressed twice, or both pressed quickly, draws one card: the
// second press lands in the first one's pauses. The lower line stops asking
// for a draw as the buttons go.
void TestPlayerMelds::drawButtons() {
    for (const bool stock : {true, false}) {
        Table t(3, IdleRobots());
        t.Set(1, "P: 2D 3D | D: 7H");
        t.g.IsTurn[0] = true;
        t.g.PlayP();
        int presses = 0;
        bool asking = false;
        t.host.onPause = [&] {
            asking = asking || t.g.ui.LblP.Caption.find("Take Stock button") != std::string::npos;
            if (presses++) return;
            CmdStock_Click(t.g);
            CmdDiscard_Click(t.g);
        };
        stock ? CmdStock_Click(t.g) : CmdDiscard_Click(t.g);
        t.host.onPause = nullptr;
        QCOMPARE_GT(presses, 0);
        QCOMPARE(t.g.CardsInHand[0], 3);
        QVERIFY(!asking);
        QCOMPARE(t.g.LastDiscardTaken, stock ? 0 : t.Find(0, "7H"));
        QVERIFY(t.g.PlayerHasDrawn);
        QVERIFY(!t.g.ui.CmdStock.Visible);
        QVERIFY(!t.g.ui.CmdDiscard.Visible);
    }
}

QTEST_GUILESS_MAIN(TestPlayerMelds)
#include "tst_player_melds.moc"
