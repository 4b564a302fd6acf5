// The player's hand on the cards: which presses pick a card up, where a
// released card goes, the card following the pointer, the keyboard's frame
// and lifted card, the panels that can be pushed aside.

#include <QtTest>

#include "Fixture.h"
#include "game/Commands.h"
#include "game/TableChecks.h"
#include "headless/Notation.h"
#include "game/Rules.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {
// The player's turn after the draw on a table of the notation.
struct Turn : Table {
    Turn(int round, const QString& table) : Table(1, IdleRobots()) { Set(round, qPrintable(table)), PlayersTurn(); }
    QPoint Place(int card) const { return {g.ui.Cds[card].Left, g.ui.Cds[card].Top}; }
};

QString TargetName(const layout::Drop& d) {
    if (d.area == layout::DropArea::Discard) return "discard";
    return d.area == layout::DropArea::Board ? QString("column %1").arg(d.column) : QString("none");
}
}  // namespace

class TestPlayerDrag : public QObject {
    Q_OBJECT
private slots:
    // A refused press picks nothing up, and the release after it does nothing.
    void pressRefusals_data() {
        QTest::addColumn<QString>("info");
        QTest::newRow("over") << "Player hand over, nothing to click";
        QTest::newRow("waiting") << "Player not your turn to push your cards.";
        QTest::newRow("panel") << "Player finish changing Joker or cancel.";
        QTest::newRow("undrawn") << "Player you must take a card before pushing any cards";
        QTest::newRow("undrawn, run's Joker") << "Must take Stock or Discard card first.";
    }

    void pressRefusals() {
        QFETCH(QString, info);
        const QString s = QTest::currentDataTag();
        Turn t(3, "P: 7H 8H | M5: 4C 5C 6C JK=7C");
        t.g.RoundOver = s == "over";
        if (s == "waiting") t.g.IsTurn[0] = false, t.g.IsTurn[2] = true;
        t.g.ui.FramJoker.Visible = s == "panel";
        t.g.PlayerHasDrawn = !s.startsWith("undrawn");
        const int card = s.endsWith("Joker") ? t.Find(-5, "JK") : t.Find(0, "7H");
        const QPoint start = t.Place(card);
        t.Drag(card, 5000, 5000);
        QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), info);
        QVERIFY(!t.g.ui.FollowMouse.Enabled());
        QCOMPARE(t.Place(card), start);
        QCOMPARE(t.g.CardTable[card].Location, s.endsWith("Joker") ? LocMeld : LocPlayer);
    }

    // The card keeps the offset at which it was grabbed; a second press while
    // dragging starts no other drag; a drag that loses the pointer puts the card
    // back, and the release that follows finds nothing to do.
    void cardFollowsThePointer() {
        Turn t(1, "P: 7H 8H 9H");
        const int card = t.Find(0, "8H");
        const QPoint start = t.Place(card);
        PointerPressed(t.g, {start.x() + 200, start.y() + 900}, MouseButton::Left);
        PointerMoved(t.g, {start.x() + 200 - 3000, start.y() + 900 - 4500});
        QCOMPARE(t.Place(card), start - QPoint(3000, 4500));
        PicP_MouseDown(t.g, t.Find(0, "9H"), MouseButton::Right);
        QCOMPARE(t.g.ui.FollowMouse.Card(), &t.g.ui.Cds[card]);
        CancelDrag(t.g);
        QVERIFY(!t.g.ui.FollowMouse.Enabled());
        QCOMPARE(t.Place(card), start);
        PointerReleased(t.g, {start.x() + 200 - 3000, start.y() + 900 - 8000});
        QCOMPARE(t.Place(card), start);
        QCOMPARE(t.g.CardTable[card].Location, LocPlayer);
        QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
    }

    // Where the 7H of "P: 7H 7C 7S 9D" lands when let go with its top-left
    // corner at `left` (0: where it was), for a player without a contract
    // unless the row says otherwise ("contract": laid this turn, "held": laid
    // before); "laid" when it goes into a meld.
    void releaseRules_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("info");
        const QString outside = "Cards can  only be placed in Meld or Discard area", wrong = "Card in wrong location.",
                      other = "Finish other Meld first.";
        QTest::newRow("where it was") << 1 << "" << 0 << "";
        QTest::newRow("right of the board") << 1 << "" << 14160 << outside;
        QTest::newRow("contract laid this turn") << 1 << " contract" << 7700 << "You cannot Lay Off until next turn. Discard now";
        QTest::newRow("a robot's column") << 1 << "" << 1200 << wrong;
        QTest::newRow("across 6 and 7, more over 6") << 1 << "" << 7140 << wrong;
        QTest::newRow("across 6 and 7, more over 7") << 1 << "" << 7160 << "laid";
        QTest::newRow("no column 9 in round 2") << 2 << "" << 9900 << wrong;
        QTest::newRow("7 while 8 is started") << 1 << " | M8: 9C 9H" << 7700 << wrong;
        QTest::newRow("8 while 7 is started") << 1 << " | M7: 5C 5H" << 8800 << other;
        QTest::newRow("a complete column") << 1 << " | M7: 5C 5H 5S" << 7700 << wrong;
        QTest::newRow("a lay-off with a contract") << 1 << " | M3: 7D 7D 7H held" << 3400 << "laid";
        // Rounds of three contract melds: column 9 counts like the others.
        QTest::newRow("r4 9 while 8 is started") << 4 << " | M8: 5C 5H" << 9900 << other;
        QTest::newRow("r4 9 while 7 is started") << 4 << " | M7: 5C 5H" << 9900 << other;
        QTest::newRow("r4 8 while 9 is started") << 4 << " | M9: 5C 5H" << 8800 << other;
        QTest::newRow("r4 7 while 9 is started") << 4 << " | M9: 5C 5H" << 7700 << wrong;
        QTest::newRow("r4 9 once 7 and 8 are complete") << 4 << " | M7: 5C 5H 5S | M8: 9C 9H 9S" << 9900 << "laid";
    }

    void releaseRules() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(int, left);
        QFETCH(QString, info);
        Turn t(round, QString("P: 7H 7C 7S 9D" + table).remove(" contract").remove(" held"));
        t.g.ContractThisTurn = table.endsWith("contract");
        t.g.HasContract[0] = table.endsWith("held");
        const int card = t.Find(0, "7H");
        const QPoint start = t.Place(card);
        t.Drag(card, left ? left : start.x(), left ? 3000 : start.y());
        const bool laid = info == "laid";
        QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), laid ? QString() : info);
        QCOMPARE(t.g.CardTable[card].Location, laid ? LocMeld : LocPlayer);
        if (!laid) QCOMPARE(t.Place(card), start);
        QVERIFY(!t.g.ui.FollowMouse.Enabled());
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // Take Back in a round of three contract melds returns the cards of every
    // column, the third one's too, and the Joker may be laid again.
    void takeBackEmptiesEveryColumn() {
        Turn t(4, "P: 7H 7C 7S 9D 9C 9S 4D JK 2C");
        t.g.CardTable[t.Find(0, "JK")].Value = 4;  // valued on the Joker panel
        for (const char* card : {"7H", "7C", "7S"}) t.DragToColumn(t.Find(0, card), 7);
        for (const char* card : {"9D", "9C", "9S"}) t.DragToColumn(t.Find(0, card), 8);
        for (const char* card : {"4D", "JK"}) t.DragToColumn(t.Find(0, card), 9);
        QCOMPARE(t.g.CardsInHand[0], 1);
        QVERIFY(t.g.JokerInMeld[9]);
        CmdTakeBack_Click(t.g);
        QCOMPARE(t.g.CardsInHand[0], 9);
        QCOMPARE(t.Column(7) + t.Column(8) + t.Column(9), QString());
        QVERIFY(!t.g.JokerInMeld[9]);
        QCOMPARE(t.CheckInvariants(), QString());
    }

    // A contract meld takes one Joker: a second one goes back to the hand.
    void oneJokerToAContractMeld() {
        Turn t(1, "P: 7C JK JK 9S");
        for (int joker = kFirstJoker; joker <= kCardCount; ++joker) t.g.CardTable[joker].Value = 7;  // valued as Sevens
        t.DragToColumn(t.Find(0, "7C"), 7);
        t.DragToColumn(t.Find(0, "JK"), 7);
        t.DragToColumn(t.Find(0, "JK"), 7);
        QCOMPARE(t.Column(7), QString("JK=7D 7C"));
        QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), QString("Only 1 Joker in contract Meld allowed"));
        QCOMPARE(t.g.CardsInHand[0], 2);
    }

    // A card grabbed at its top (100), middle or bottom and let go with the
    // pointer over a target goes where it lies most, highlighted on the way.
    // The highlight is gone once the card is let go or the drag is cancelled.
    void goesWhereItLands_data() {
        QTest::addColumn<int>("grab");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("outcome");
        const layout::Rect frame = layout::kShapeDiscard;
        const QPoint discard(frame.left + frame.width / 2, frame.top + frame.height / 2);
        const int column7 = layout::MeldColumnLeft(7) + layout::kMeldColumnWidth / 2;
        for (int grab : {100, 720, 1340}) QTest::addRow("discard, grabbed at %d", grab) << grab << discard << "discard" << "discarded";
        QTest::newRow("low on the meld table") << 100 << QPoint(column7, 7000) << "column 7" << "laid";
        QTest::newRow("middle of column 7") << 720 << QPoint(column7, 4000) << "column 7" << "laid";
        QTest::newRow("high on the meld table") << 1340 << QPoint(column7, 2300) << "column 7" << "laid";
        QTest::newRow("cancelled") << 720 << QPoint(column7, 4000) << "column 7" << "cancelled";
    }

    void goesWhereItLands() {
        QFETCH(int, grab);
        QFETCH(QPoint, pointer);
        QFETCH(QString, target);
        QFETCH(QString, outcome);
        Turn t(1, "P: 7H 7C 7S 9D");
        const int card = t.Find(0, "7H");
        const QPoint start = t.Place(card);
        PointerPressed(t.g, {start.x() + 200, start.y() + grab}, MouseButton::Left);
        PointerMoved(t.g, {pointer.x(), pointer.y()});
        QCOMPARE(TargetName(t.g.ui.Highlight), target);
        outcome == "cancelled" ? CancelDrag(t.g) : PointerReleased(t.g, {pointer.x(), pointer.y()});
        QCOMPARE(TargetName(t.g.ui.Highlight), QString("none"));
        const int where = t.g.CardTable[card].Location;
        const QString info = t.g.ui.LblInfo.Caption.empty() ? "cancelled" : QString::fromStdString(t.g.ui.LblInfo.Caption);
        QCOMPARE(where == LocDiscard ? "discarded" : where == LocMeld ? "laid" : info, outcome);
        if (where == LocPlayer) QCOMPARE(t.Place(card), start);
    }

    // While a card is carried, by the mouse or the keys, exactly the targets
    // that would take it are marked. The keys pick it up over the first column
    // that takes it (column 7 when none does, never the discard area) and visit
    // the accepting targets first, then the rest.
    void marksAcceptingTargets_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("contract");
        QTest::addColumn<QString>("table");  // the first card is carried
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("keys");
        QTest::newRow("a new contract") << 1 << false << "P: 7H 7C 7S 9D" << "column 7, column 8, discard" << "7 8 0 1 2 3";
        QTest::newRow("half laid: no discard") << 1 << false << "P: 7H 7C 7S 9D | M7: 7D 7S" << "column 7" << "7 1 2 3 4 5";
        QTest::newRow("lays off on 1 and 3") << 6 << true << "P: 9H 2D 4H | M1: 5H 6H 7H 8H | M2: 5S 6S 7S 8S | M3: 9C 9D 9S"
                                             << "column 1, column 3, discard" << "1 3 0 2 4 5";
        QTest::newRow("fits nowhere") << 1 << true << "P: 4H 9D" << "discard" << "7 8 0 1 2 3";
    }

    void marksAcceptingTargets() {
        QFETCH(int, round);
        QFETCH(bool, contract);
        QFETCH(QString, table);
        QFETCH(QString, marked);
        QFETCH(QString, keys);
        Turn t(round, table);
        t.g.HasContract[0] = contract;
        const int card = t.Find(0, qPrintable(table.mid(3, 2)));
        const QPoint at = t.Place(card);
        PointerPressed(t.g, {at.x() + 200, at.y() + 200}, MouseButton::Left);
        PointerMoved(t.g, {at.x() + 300, at.y() - 2000});
        QStringList targets;
        for (const layout::Drop& d : t.g.ui.Accepting) targets << TargetName(d);
        QCOMPARE(targets.join(", "), marked);
        CancelDrag(t.g);
        QCOMPARE(t.g.ui.Accepting.size(), std::size_t(0));
        t.g.ui.Keys.FocusCard = card;
        QStringList visited;
        KeyPressed(t.g, Key::Space);
        for (int i = 0; i < 6; ++i, KeyPressed(t.g, Key::Right)) visited << QString::number(t.g.ui.Keys.Target);
        QCOMPARE(visited.join(' '), keys);
        // Down always goes to the discard area and Up to the first own column,
        // wherever they come in the order.
        KeyPressed(t.g, Key::Down);
        QCOMPARE(t.g.ui.Keys.Target, 0);
        KeyPressed(t.g, Key::Up);
        QCOMPARE(t.g.ui.Keys.Target, 7);
    }

    // The keyboard's frame goes over the hand from left to right, then over the
    // Jokers lying in runs (which a press takes), never a set's Joker.
    void focusFrameVisitsRunJokers() {
        Turn t(2, "P: 6C 5H | M1: 5D 6D JK=7D 8D | M2: 9C 9S JK=9D");
        t.g.WhoPlaysNext(-1);  // as a turn begins: the runs' Jokers take the mouse
        QStringList visited;
        KeyPressed(t.g, Key::Home);
        for (int i = 0; i < 4; ++i, KeyPressed(t.g, Key::Right))
            visited << QString::fromStdString(CardText(t.g, t.g.ui.Keys.FocusCard));
        QCOMPARE(visited.join(' '), QString("5H 6C JK=7D 5H"));
    }

    // The score board follows the pointer that grabbed it. A panel pushed out
    // of the table keeps a part on it when let go, to be taken again; Current
    // Scores brings the whole board back. "C&lose Me" closes it.
    void panelsPushAside() {
        Table t;
        TableModel& m = t.g.ui;
        m.FramScore.Visible = m.CmdShut.Visible = m.FramJoker.Visible = true;
        const QPoint board(m.FramScore.Left, m.FramScore.Top);
        m.Pointer = {board.x() + 500, board.y() + 100};
        FramScore_MouseDown(t.g);
        PointerMoved(t.g, {board.x() - 400, board.y() + 2100});
        PointerReleased(t.g, {board.x() - 400, board.y() + 2100});
        QCOMPARE(QPoint(m.FramScore.Left, m.FramScore.Top), board + QPoint(-900, 2000));
        QVERIFY(!m.FollowMouse.Enabled());
        auto onTable = [](const Frame& f) {
            return QSize(std::min(f.Left + f.Width, kTableWidth) - std::max(f.Left, 0),
                         std::min(f.Top + f.Height, kTableHeight) - std::max(f.Top, 0));
        };
        for (Frame* panel : {&m.FramScore, &m.FramJoker})
            for (const int far : {-50000, 50000}) {
                m.Pointer = {panel->Left + 100, panel->Top + 100};
                panel == &m.FramScore ? FramScore_MouseDown(t.g) : FramJoker_MouseDown(t.g);
                PointerReleased(t.g, {far, far});
                QCOMPARE_GE(std::min(onTable(*panel).width(), onTable(*panel).height()), 1000);
            }
        MnuCurrent_Click(t.g);
        QCOMPARE(onTable(m.FramScore), QSize(m.FramScore.Width, m.FramScore.Height));
        CmdShut_Click(t.g);
        QVERIFY(!m.FramScore.Visible);
        QVERIFY(!m.CmdShut.Visible);
        QVERIFY(m.CmdFinished.Visible);
    }
};

QTEST_GUILESS_MAIN(TestPlayerDrag)
#include "tst_player_drag.moc"
