// The player's hand on the cards: which presses pick a card up, where a
// released card goes, the card following the pointer, the panels that can
// be pushed aside.

#include <QtTest>

#include "Fixture.h"
#include "headless/Invariants.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

class TestPlayerDrag : public QObject {
    Q_OBJECT
private slots:
    void pressRefusals();
    void cardFollowsThePointer();
    void releaseRules_data();
    void releaseRules();
    void strandedNever();
    void hoverFeedback();
    void panelsPushAside();
};

// A refused press picks nothing up, and the release after it does nothing.
void TestPlayerDrag::pressRefusals() {
    const std::pair<const char*, std::string> rows[] = {
        {"over", "Player hand over, nothing to click"},
        {"waiting", "Player not your turn to push your cards."},
        {"panel", "Player finish changing Joker or cancel."},
        {"undrawn", "Player you must take a card before pushing any cards"},
        {"undrawn, run's Joker", "Must take Stock or Discard card first."}};
    for (const auto& [state, info] : rows) {
        Table t(1, IdleRobots());
        t.Set(3, "P: 7H 8H | M5: 4C 5C 6C JK=7C");
        t.PlayersTurn();
        const QString s = state;
        t.g.RoundOver = s == "over";
        if (s == "waiting") t.g.IsTurn[0] = false, t.g.IsTurn[2] = true;
        t.g.ui.FramJoker.Visible = s == "panel";
        t.g.PlayerHasDrawn = !s.startsWith("undrawn");
        const bool joker = s.endsWith("Joker");
        const int card = joker ? t.Find(-5, "JK") : t.Find(0, "7H");
        const int left = t.g.ui.Cds[card].Left;
        t.Drag(card, 5000, 5000);
        QCOMPARE(t.g.ui.LblInfo.Caption, info);
        QVERIFY(!t.g.ui.FollowMouse.Enabled());
        QCOMPARE(t.g.ui.Cds[card].Left, left);
        QCOMPARE(t.g.CardTable[card].Location, joker ? LocMeld : LocPlayer);
    }
}

void TestPlayerDrag::cardFollowsThePointer() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7H 8H 9H");
    t.PlayersTurn();
    const CardImage& img = t.g.ui.Cds[t.Find(0, "8H")];
    const layout::Point start{img.Left, img.Top};
    PointerPressed(t.g, {start.left + 200, start.top + 900}, MouseButton::Left);
    // The card keeps the offset at which it was grabbed.
    PointerMoved(t.g, {start.left + 200 - 3000, start.top + 900 - 4500});
    QCOMPARE(img.Left, start.left - 3000);
    QCOMPARE(img.Top, start.top - 4500);
    // A second press while dragging does not start another drag.
    PicP_MouseDown(t.g, t.Find(0, "9H"), MouseButton::Right);
    QCOMPARE(t.g.ui.FollowMouse.Card(), &img);
    PointerReleased(t.g, {start.left + 200 - 3000, start.top + 900 - 8000});
    QCOMPARE(img.Left, start.left);
    QCOMPARE(img.Top, start.top);
}

// Where a released card lands, for a player without a contract unless the
// row says otherwise. Positions are of the card's top-left corner.
void TestPlayerDrag::releaseRules_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("laid");
    const QString hand = "P: 7H 7C 7S 9D", outside = "Cards can  only be placed in Meld or Discard area",
                  wrong = "Card in wrong location.", other = "Finish other Meld first.";
    QTest::newRow("where it was") << 1 << hand << 0 << "" << false;
    QTest::newRow("right of the board") << 1 << hand << 14160 << outside << false;
    QTest::newRow("contract this turn") << 1 << hand + " contract" << 7700 << "You cannot Lay Off until next turn. Discard now" << false;
    QTest::newRow("a robot's column") << 1 << hand << 1200 << wrong << false;
    QTest::newRow("just left of column 7") << 1 << hand << 7679 << wrong << false;
    QTest::newRow("column 7's edge") << 1 << hand << 7680 << "" << true;
    QTest::newRow("column 9 in round 2") << 2 << hand << 9900 << wrong << false;
    QTest::newRow("7 while 8 unfinished") << 1 << hand + " | M8: 9C 9H" << 7700 << wrong << false;
    QTest::newRow("8 while 7 unfinished") << 1 << hand + " | M7: 5C 5H" << 8800 << other << false;
    QTest::newRow("9 while 8 unfinished") << 4 << hand + " | M8: 5C 5H" << 9900 << other << false;
    QTest::newRow("complete slot") << 1 << hand + " | M7: 5C 5H 5S" << 7700 << wrong << false;
    QTest::newRow("lay-off with a contract") << 1 << hand + " | M3: 7D 7D 7H held" << 3400 << "" << true;
}

void TestPlayerDrag::releaseRules() {
    QFETCH(int, round);
    QFETCH(QString, table);
    QFETCH(int, left);
    QFETCH(bool, laid);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable(QString(table).remove(" contract").remove(" held")));
    t.PlayersTurn();
    t.g.ContractThisTurn = table.endsWith("contract");
    t.g.HasContract[0] = table.endsWith("held");
    const int card = t.Find(0, "7H");
    const CardImage& img = t.g.ui.Cds[card];
    const layout::Point start{img.Left, img.Top};
    t.Drag(card, left ? left : start.left, left ? 3000 : start.top);
    QTEST(QString::fromStdString(t.g.ui.LblInfo.Caption), "info");
    QCOMPARE(t.g.CardTable[card].Location, laid ? LocMeld : LocPlayer);
    if (!laid) QVERIFY(img.Left == start.left && img.Top == start.top);
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    QCOMPARE(t.CheckInvariants(), QString());
}

// A drag that loses the pointer puts the card back where it was.
void TestPlayerDrag::strandedNever() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7H 8H");
    t.PlayersTurn();
    const int card = t.Find(0, "8H");
    const layout::Point start{t.g.ui.Cds[card].Left, t.g.ui.Cds[card].Top};
    PointerPressed(t.g, {start.left + 10, start.top + 10}, MouseButton::Left);
    PointerMoved(t.g, {9000, 9000});
    CancelDrag(t.g);
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    QVERIFY(t.g.ui.Cds[card].Left == start.left && t.g.ui.Cds[card].Top == start.top);
    PointerReleased(t.g, {9000, 9000});  // the release that follows finds nothing to do
    QCOMPARE(t.g.CardTable[card].Location, LocPlayer);
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

void TestPlayerDrag::hoverFeedback() {
    Table t(1, IdleRobots());
    t.Set(3, "P: 7H | M5: 4C 5C 6C JK=7C");
    t.PlayersTurn();
    auto hover = [&](int card) {
        PointerMoved(t.g, {t.g.ui.Cds[card].Left + 20, t.g.ui.Cds[card].Top + 20});
        return std::make_pair(t.g.ui.Cds[card].Cursor, t.g.ui.Cds[card].ToolTip);
    };
    const int seven = t.Find(0, "7H"), joker = t.Find(-5, "JK");
    QCOMPARE(hover(seven), std::make_pair(kPicCursorHand, std::string("Seven of  Hearts push cards to the Meld area or Discard area.")));
    t.g.PlayerHasDrawn = false;
    QCOMPARE(hover(seven), std::make_pair(kPicCursorDrop, std::string("Seven of  Hearts you must first take a card.")));
    // A Joker in a run keeps no feedback of its own; a round that is over gives none.
    const auto before = hover(joker);
    t.g.RoundOver = true;
    t.g.PlayerHasDrawn = true;
    QCOMPARE(hover(seven).second, std::string("Seven of  Hearts you must first take a card."));
    QCOMPARE(hover(joker), before);
}

void TestPlayerDrag::panelsPushAside() {
    Table t;
    t.g.ui.FramScore.Visible = true;
    const int left = t.g.ui.FramScore.Left, top = t.g.ui.FramScore.Top;
    t.g.ui.Pointer = {left + 500, top + 100};
    FramScore_MouseDown(t.g);
    PointerMoved(t.g, {left + 500 - 900, top + 100 + 2000});
    PointerReleased(t.g, {left + 500 - 900, top + 100 + 2000});
    QCOMPARE(t.g.ui.FramScore.Left, left - 900);
    QCOMPARE(t.g.ui.FramScore.Top, top + 2000);
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    // "C&lose Me" closes the board viewed between rounds.
    t.g.ui.CmdShut.Visible = true;
    CmdShut_Click(t.g);
    QVERIFY(!t.g.ui.FramScore.Visible && !t.g.ui.CmdShut.Visible && t.g.ui.CmdFinished.Visible);
}

QTEST_GUILESS_MAIN(TestPlayerDrag)
#include "tst_player_drag.moc"
