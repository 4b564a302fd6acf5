// The player's hand on the cards: which presses pick a card up, where a
// released card goes, the card following the pointer, the panels that can
// be pushed aside.

#include <QtTest>

#include "Fixture.h"
#include "game/Commands.h"
#include "game/TableChecks.h"
#include "game/Rules.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {
// The player's turn after the draw on a table of the notation.
struct Turn : Table {
    Turn(int round, const QString& table) : Table(1, IdleRobots()) { Set(round, qPrintable(table)), PlayersTurn(); }
};

QString TargetName(const layout::Drop& d) {
    if (d.area == layout::DropArea::Discard) return "discard";
    return d.area == layout::DropArea::Board ? QString("column %1").arg(d.column) : QString("none");
}
}  // namespace

class TestPlayerDrag : public QObject {
    Q_OBJECT
private slots:
    void pressRefusals();
    void cardFollowsThePointer();
    void releaseRules();
    void goesWhereItLands();
    void marksAcceptingTargets();
    void panelsPushAside();
};

// A refused press picks nothing up, and the release after it does nothing.
void TestPlayerDrag::pressRefusals() {
    const std::pair<QString, std::string> rows[] = {{"over", "Player hand over, nothing to click"},
                                                    {"waiting", "Player not your turn to push your cards."},
                                                    {"panel", "Player finish changing Joker or cancel."},
                                                    {"undrawn", "Player you must take a card before pushing any cards"},
                                                    {"undrawn, run's Joker", "Must take Stock or Discard card first."}};
    for (const auto& [s, info] : rows) {
        Turn t(3, "P: 7H 8H | M5: 4C 5C 6C JK=7C");
        t.g.RoundOver = s == "over";
        if (s == "waiting") t.g.IsTurn[0] = false, t.g.IsTurn[2] = true;
        t.g.ui.FramJoker.Visible = s == "panel";
        t.g.PlayerHasDrawn = !s.startsWith("undrawn");
        const bool joker = s.endsWith("Joker");
        const int card = joker ? t.Find(-5, "JK") : t.Find(0, "7H");
        const int left = t.g.ui.Cds[card].Left;
        t.Drag(card, 5000, 5000);
        QCOMPARE(t.g.ui.LblInfo.Caption, info);
        QVERIFY(!t.g.ui.FollowMouse.Enabled() && t.g.ui.Cds[card].Left == left);
        QCOMPARE(t.g.CardTable[card].Location, joker ? LocMeld : LocPlayer);
    }
}

// The card keeps the offset at which it was grabbed; a second press while
// dragging starts no other drag; a drag that loses the pointer puts the card
// back, and the release that follows finds nothing to do.
void TestPlayerDrag::cardFollowsThePointer() {
    Turn t(1, "P: 7H 8H 9H");
    const int card = t.Find(0, "8H");
    const CardImage& img = t.g.ui.Cds[card];
    const layout::Point start{img.Left, img.Top};
    for (const bool lost : {false, true}) {
        PointerPressed(t.g, {start.left + 200, start.top + 900}, MouseButton::Left);
        PointerMoved(t.g, {start.left + 200 - 3000, start.top + 900 - 4500});
        QVERIFY(img.Left == start.left - 3000 && img.Top == start.top - 4500);
        PicP_MouseDown(t.g, t.Find(0, "9H"), MouseButton::Right);
        QCOMPARE(t.g.ui.FollowMouse.Card(), &img);
        if (lost) {
            CancelDrag(t.g);
            QVERIFY(!t.g.ui.FollowMouse.Enabled() && img.Left == start.left && img.Top == start.top);
        }
        PointerReleased(t.g, {start.left + 200 - 3000, start.top + 900 - 8000});
        QVERIFY(img.Left == start.left && img.Top == start.top);
        QCOMPARE(t.g.CardTable[card].Location, LocPlayer);
    }
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

// Where a released card lands, for a player without a contract unless the
// row says otherwise; `left` is of the card's top-left corner, 0 where it was.
void TestPlayerDrag::releaseRules() {
    const QString outside = "Cards can  only be placed in Meld or Discard area", wrong = "Card in wrong location.",
                  other = "Finish other Meld first.";
    const struct { int round; const char* table; int left; QString info; } rows[] = {
        {1, "", 0, ""},
        {1, "", 14160, outside},
        {1, " contract", 7700, "You cannot Lay Off until next turn. Discard now"},
        {1, "", 1200, wrong},  // a robot's column
        {1, "", 7140, wrong},  // across columns 6 and 7, more of it over 6
        {1, "", 7160, "laid"},  // more of it over 7
        {2, "", 9900, wrong},  // no column 9 in round 2
        {1, " | M8: 9C 9H", 7700, wrong},
        {1, " | M7: 5C 5H", 8800, other},
        {4, " | M8: 5C 5H", 9900, other},
        {1, " | M7: 5C 5H 5S", 7700, wrong},  // a complete slot
        {1, " | M3: 7D 7D 7H held", 3400, "laid"},  // a lay-off with a contract
    };
    for (const auto& row : rows) {
        const QString table = QString("P: 7H 7C 7S 9D") + row.table;
        Turn t(row.round, QString(table).remove(" contract").remove(" held"));
        t.g.ContractThisTurn = table.endsWith("contract");
        t.g.HasContract[0] = table.endsWith("held");
        const int card = t.Find(0, "7H");
        const CardImage& img = t.g.ui.Cds[card];
        const layout::Point start{img.Left, img.Top};
        t.Drag(card, row.left ? row.left : start.left, row.left ? 3000 : start.top);
        const bool laid = row.info == "laid";
        QCOMPARE(QString::fromStdString(t.g.ui.LblInfo.Caption), laid ? QString() : row.info);
        QCOMPARE(t.g.CardTable[card].Location, laid ? LocMeld : LocPlayer);
        QVERIFY(laid || (img.Left == start.left && img.Top == start.top));
        QVERIFY(!t.g.ui.FollowMouse.Enabled());
        QCOMPARE(t.CheckInvariants(), QString());
    }
}

// A card grabbed at its top, middle or bottom and let go with the pointer
// over a target goes where it lies most, highlighted on the way; a card
// over no target goes back. The highlight is gone once the card is let go
// or the drag is cancelled.
void TestPlayerDrag::goesWhereItLands() {
    const layout::Rect frame = layout::kShapeDiscard;
    const layout::Point discard{frame.left + frame.width / 2, frame.top + frame.height / 2};
    const int column7 = layout::MeldColumnLeft(7) + layout::kMeldColumnWidth / 2;
    const struct { int grab; layout::Point pointer; QString target, outcome; } rows[] = {
        {100, discard, "discard", "discarded"},
        {720, discard, "discard", "discarded"},
        {1340, discard, "discard", "discarded"},
        {100, {column7, 7000}, "column 7", "laid"},  // low on the meld table
        {720, {column7, 4000}, "column 7", "laid"},
        {1340, {column7, 2300}, "column 7", "laid"},  // high on it
        {720, {14900, 4000}, "none", "Cards can  only be placed in Meld or Discard area"},  // right of the board
        {720, {column7, 4000}, "column 7", "cancelled"},
    };
    for (const auto& row : rows) {
        Turn t(1, "P: 7H 7C 7S 9D");
        const int card = t.Find(0, "7H");
        const CardImage& img = t.g.ui.Cds[card];
        const layout::Point start{img.Left, img.Top};
        PointerPressed(t.g, {start.left + 200, start.top + row.grab}, MouseButton::Left);
        PointerMoved(t.g, row.pointer);
        QCOMPARE(TargetName(t.g.ui.Highlight), row.target);
        row.outcome == "cancelled" ? CancelDrag(t.g) : PointerReleased(t.g, row.pointer);
        QCOMPARE(TargetName(t.g.ui.Highlight), QString("none"));
        const int where = t.g.CardTable[card].Location;
        const QString info = t.g.ui.LblInfo.Caption.empty() ? "cancelled" : QString::fromStdString(t.g.ui.LblInfo.Caption);
        QCOMPARE(where == LocDiscard ? "discarded" : where == LocMeld ? "laid" : info, row.outcome);
        if (where == LocPlayer) QVERIFY(img.Left == start.left && img.Top == start.top);
    }
}

// While a card is carried, by the mouse or the keys, exactly the targets
// that would take it are marked; the keys visit them first, then the rest.
void TestPlayerDrag::marksAcceptingTargets() {
    const struct { int round; bool contract; const char *table, *card; QString marked, keys; } rows[] = {
        {1, false, "P: 7H 7C 7S 9D", "7H", "column 7, column 8, discard", "7 8 0 1 2 3"},
        {1, false, "P: 7H 7C 7S 9D | M7: 7D 7S", "7H", "column 7", "7 1 2 3 4 5"},  // half laid: no discard
        {6, true, "P: 9H 2D 4H | M1: 5H 6H 7H 8H | M2: 5S 6S 7S 8S | M3: 9C 9D 9S", "9H",
         "column 1, column 3, discard", "1 3 0 2 4 5"},
    };
    for (const auto& row : rows) {
        Turn t(row.round, row.table);
        t.g.HasContract[0] = row.contract;
        const int card = t.Find(0, row.card);
        const CardImage& img = t.g.ui.Cds[card];
        PointerPressed(t.g, {img.Left + 200, img.Top + 200}, MouseButton::Left);
        PointerMoved(t.g, {img.Left + 300, img.Top - 2000});
        QStringList marked;
        for (const layout::Drop& d : t.g.ui.Accepting) marked << TargetName(d);
        QCOMPARE(marked.join(", "), row.marked);
        CancelDrag(t.g);
        QCOMPARE(t.g.ui.Accepting.size(), std::size_t(0));
        // The keys: picked up over the first column that takes it, Right to the next.
        t.g.ui.Keys.FocusCard = card;
        QStringList visited;
        KeyPressed(t.g, Key::Space);
        for (int i = 0; i < 6; ++i, KeyPressed(t.g, Key::Right)) visited << QString::number(t.g.ui.Keys.Target);
        QCOMPARE(visited.join(' '), row.keys);
        KeyPressed(t.g, Key::Escape);
    }
}

// The score board follows the pointer that grabbed it. A panel pushed out
// of the table keeps a part on it when let go, to be taken again; Current
// Scores brings the whole board back. "C&lose Me" closes it.
void TestPlayerDrag::panelsPushAside() {
    Table t;
    TableModel& m = t.g.ui;
    m.FramScore.Visible = m.CmdShut.Visible = m.FramJoker.Visible = true;
    const int left = m.FramScore.Left, top = m.FramScore.Top;
    m.Pointer = {left + 500, top + 100};
    FramScore_MouseDown(t.g);
    PointerMoved(t.g, {left - 400, top + 2100});
    PointerReleased(t.g, {left - 400, top + 2100});
    QVERIFY(m.FramScore.Left == left - 900 && m.FramScore.Top == top + 2000 && !m.FollowMouse.Enabled());
    auto onTable = [](const Frame& f) {
        return QSize(std::min(f.Left + f.Width, kTableWidth) - std::max(f.Left, 0),
                     std::min(f.Top + f.Height, kTableHeight) - std::max(f.Top, 0));
    };
    for (Frame* panel : {&m.FramScore, &m.FramJoker})
        for (const int far : {-50000, 50000}) {
            m.Pointer = {panel->Left + 100, panel->Top + 100};
            panel == &m.FramScore ? FramScore_MouseDown(t.g) : FramJoker_MouseDown(t.g);
            PointerReleased(t.g, {far, far});
            QCOMPARE_GE(onTable(*panel).width(), 1000);
            QCOMPARE_GE(onTable(*panel).height(), 1000);
        }
    MnuCurrent_Click(t.g);
    QCOMPARE(onTable(m.FramScore), QSize(m.FramScore.Width, m.FramScore.Height));
    CmdShut_Click(t.g);
    QVERIFY(!m.FramScore.Visible && !m.CmdShut.Visible && m.CmdFinished.Visible);
}

QTEST_GUILESS_MAIN(TestPlayerDrag)
#include "tst_player_drag.moc"
