// The player's hand on the cards: which presses pick a card up and why the
// others are refused, where a released card goes, the card following the
// pointer, and the panels that can be pushed aside.

#include <QtTest>

#include "Fixture.h"
#include "headless/Invariants.h"
#include "player/Player.h"

using namespace meldora;
using meldora::test::IdleRobots;
using meldora::test::Table;

namespace {
std::string Info(const Table& t) { return t.g.ui.LblInfo.Caption; }
}  // namespace

class TestPlayerDrag : public QObject {
    Q_OBJECT
private slots:
    void pressRefusals_data();
    void pressRefusals();
    void cardFollowsThePointer();
    void releaseRules_data();
    void releaseRules();
    void strandedNever();
    void hoverFeedback();
    void panelsPushAside();
};

void TestPlayerDrag::pressRefusals_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("press");  // the card pressed: in the hand, or "M5" a run's Joker
    QTest::addColumn<QString>("info");
    QTest::newRow("round over") << "over" << "7H" << "Player hand over, nothing to click";
    QTest::newRow("not the player's turn") << "waiting" << "7H" << "Player not your turn to push your cards.";
    QTest::newRow("Joker panel open") << "panel" << "7H" << "Player finish changing Joker or cancel.";
    QTest::newRow("nothing drawn yet") << "undrawn" << "7H"
                                       << "Player you must take a card before pushing any cards";
    QTest::newRow("run's Joker before the draw") << "undrawn" << "M5" << "Must take Stock or Discard card first.";
}

void TestPlayerDrag::pressRefusals() {
    QFETCH(QString, state);
    QFETCH(QString, press);
    QFETCH(QString, info);
    Table t(1, IdleRobots());
    t.Set(3, "P: 7H 8H | M5: 4C 5C 6C JK=7C");
    t.PlayersTurn();
    if (state == "over") t.g.RoundOver = true;
    if (state == "waiting") t.g.IsTurn[0] = false, t.g.IsTurn[2] = true;
    if (state == "panel") t.g.ui.FramJoker.Visible = true;
    if (state == "undrawn") t.g.PlayerHasDrawn = false;
    const int card = press == "M5" ? t.Find(-5, "JK") : t.Find(0, qPrintable(press));
    const int left = t.g.ui.Cds[card].Left;
    t.Drag(card, 5000, 5000);
    QCOMPARE(QString::fromStdString(Info(t)), info);
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    QCOMPARE(t.g.ui.Cds[card].Left, left);  // nothing moved, the release did nothing
    QCOMPARE(t.g.CardTable[card].Location, press == "M5" ? LocMeld : LocPlayer);
}

void TestPlayerDrag::cardFollowsThePointer() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7H 8H 9H");
    t.PlayersTurn();
    const int card = t.Find(0, "8H");
    const CardImage& img = t.g.ui.Cds[card];
    const layout::Point start{img.Left, img.Top};
    PointerPressed(t.g, {start.left + 200, start.top + 900}, MouseButton::Left);
    QVERIFY(t.g.ui.FollowMouse.Enabled());
    QCOMPARE(t.g.SavedLeft, start.left);
    // The card keeps the offset at which it was grabbed.
    PointerMoved(t.g, {start.left + 200 - 3000, start.top + 900 - 4500});
    QCOMPARE(img.Left, start.left - 3000);
    QCOMPARE(img.Top, start.top - 4500);
    // A second press while dragging does not start another drag.
    PicP_MouseDown(t.g, t.Find(0, "9H"), MouseButton::Right);
    QCOMPARE(t.g.ui.FollowMouse.Card(), &img);
    // Let go outside the board and the discard area: back to the hand.
    PointerReleased(t.g, {start.left + 200 - 3000, start.top + 900 - 8000});
    QCOMPARE(Info(t), std::string("Cards can  only be placed in Meld or Discard area"));
    QCOMPARE(img.Left, start.left);
    QCOMPARE(img.Top, start.top);
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
}

// Where a released card lands, for a player without a contract unless the
// row says otherwise. Positions are of the card's top-left corner.
void TestPlayerDrag::releaseRules_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("info");
    QTest::addColumn<bool>("laid");
    const QString hand = "P: 7H 7C 7S 9D";
    QTest::newRow("where it was") << 1 << hand << "" << 0 << 0 << "" << false;
    QTest::newRow("above the board") << 1 << hand << "" << 8000 << 2000 << "Cards can  only be placed in Meld or Discard area" << false;
    QTest::newRow("right of the board") << 1 << hand << "" << 14160 << 3000 << "Cards can  only be placed in Meld or Discard area" << false;
    QTest::newRow("contract this turn") << 1 << hand << "contract" << 7700 << 3000 << "You cannot Lay Off until next turn. Discard now" << false;
    QTest::newRow("a robot's column") << 1 << hand << "" << 1200 << 3000 << "Card in wrong location." << false;
    QTest::newRow("just left of column 7") << 1 << hand << "" << 7679 << 3000 << "Card in wrong location." << false;
    QTest::newRow("column 7's edge") << 1 << hand << "" << 7680 << 3000 << "" << true;
    QTest::newRow("column 9 in round 2") << 2 << hand << "" << 9900 << 3000 << "Card in wrong location." << false;
    QTest::newRow("7 while 8 unfinished") << 1 << hand + " | M8: 9C 9H" << "" << 7700 << 3000 << "Card in wrong location." << false;
    QTest::newRow("8 while 7 unfinished") << 1 << hand + " | M7: 5C 5H" << "" << 8800 << 3000 << "Finish other Meld first." << false;
    QTest::newRow("9 while 8 unfinished") << 4 << hand + " | M8: 5C 5H" << "" << 9900 << 3000 << "Finish other Meld first." << false;
    QTest::newRow("complete slot") << 1 << hand + " | M7: 5C 5H 5S" << "" << 7700 << 3000 << "Card in wrong location." << false;
    QTest::newRow("lay-off with a contract") << 1 << hand + " | M3: 7D 7D 7H" << "contract held" << 3400 << 3000 << "" << true;
}

void TestPlayerDrag::releaseRules() {
    QFETCH(int, round);
    QFETCH(QString, table);
    QFETCH(QString, state);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QString, info);
    QFETCH(bool, laid);
    Table t(1, IdleRobots());
    t.Set(round, qPrintable(table));
    t.PlayersTurn();
    if (state == "contract") t.g.ContractThisTurn = true;
    if (state == "contract held") t.g.HasContract[0] = true;
    const int card = t.Find(0, "7H");
    const CardImage& img = t.g.ui.Cds[card];
    const layout::Point start{img.Left, img.Top};
    if (left == 0) t.Drag(card, start.left, start.top);
    else t.Drag(card, left, top);
    QCOMPARE(QString::fromStdString(Info(t)), info);
    QCOMPARE(t.g.CardTable[card].Location, laid ? LocMeld : LocPlayer);
    if (!laid) {
        QCOMPARE(img.Left, start.left);
        QCOMPARE(img.Top, start.top);
    }
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    QCOMPARE(t.CheckInvariants(), QString());
}

// However a drag ends, the card lies where a rule put it.
void TestPlayerDrag::strandedNever() {
    Table t(1, IdleRobots());
    t.Set(1, "P: 7H 8H");
    t.PlayersTurn();
    const int card = t.Find(0, "8H");
    const layout::Point start{t.g.ui.Cds[card].Left, t.g.ui.Cds[card].Top};
    PointerPressed(t.g, {start.left + 10, start.top + 10}, MouseButton::Left);
    PointerMoved(t.g, {9000, 9000});
    CancelDrag(t.g);  // the window lost the pointer
    QVERIFY(!t.g.ui.FollowMouse.Enabled());
    QCOMPARE(t.g.ui.Cds[card].Left, start.left);
    QCOMPARE(t.g.ui.Cds[card].Top, start.top);
    PointerReleased(t.g, {9000, 9000});  // the release that follows finds nothing to do
    QCOMPARE(t.g.CardTable[card].Location, LocPlayer);
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
}

void TestPlayerDrag::hoverFeedback() {
    Table t(1, IdleRobots());
    t.Set(3, "P: 7H | M5: 4C 5C 6C JK=7C");
    t.PlayersTurn();
    const int seven = t.Find(0, "7H");
    const int joker = t.Find(-5, "JK");
    auto hover = [&](int card) {
        PointerMoved(t.g, {t.g.ui.Cds[card].Left + 20, t.g.ui.Cds[card].Top + 20});
        return std::make_pair(t.g.ui.Cds[card].Cursor, t.g.ui.Cds[card].ToolTip);
    };
    QCOMPARE(hover(seven), std::make_pair(kPicCursorHand, std::string("Seven of  Hearts push cards to the Meld area or Discard area.")));
    t.g.PlayerHasDrawn = false;
    QCOMPARE(hover(seven), std::make_pair(kPicCursorDrop, std::string("Seven of  Hearts you must first take a card.")));
    t.g.IsTurn[0] = false;
    QCOMPARE(hover(seven), std::make_pair(kPicCursorDrop, std::string("Seven of  Hearts it is not your turn at present.")));
    // A Joker in a run keeps no feedback of its own; a round that is over gives none.
    const auto before = hover(joker);
    t.g.RoundOver = true;
    t.g.IsTurn[0] = true;
    t.g.PlayerHasDrawn = true;
    QCOMPARE(hover(seven).second, std::string("Seven of  Hearts it is not your turn at present."));
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
    // Pressed and let go without moving, it stays where it is.
    FramScore_MouseDown(t.g);
    PointerReleased(t.g, t.g.ui.Pointer);
    QCOMPARE(t.g.ui.FramScore.Left, left - 900);

    // "C&lose Me" closes the board viewed between rounds; "&Finished" the statistics.
    t.g.ui.CmdShut.Visible = true;
    t.g.ui.CmdFinished.Visible = false;
    CmdShut_Click(t.g);
    QVERIFY(!t.g.ui.FramScore.Visible);
    QVERIFY(!t.g.ui.CmdShut.Visible);
    QVERIFY(t.g.ui.CmdFinished.Visible);
    t.g.ui.Framstats.Visible = true;
    CmdSet_Click(t.g);
    QVERIFY(!t.g.ui.Framstats.Visible);
}

QTEST_GUILESS_MAIN(TestPlayerDrag)
#include "tst_player_drag.moc"
