// The card table: card faces, the work list of a hand, the primitives that
// move cards between hands, piles and melds, and what lies at a point of
// the table.

#include <QtTest>

#include "RobotTable.h"
#include "game/TableChecks.h"

using namespace meldora;
using namespace meldora::test;

namespace {
// The table's invariants and the place of every card image; the stock is
// laid out again first, as the callers that take cards from it do.
QString Whole(Table& t) {
    t.g.RedrawStock();
    const std::string layout = CheckTableLayout(t.g);
    return layout.empty() ? t.CheckInvariants() : QString::fromStdString(layout);
}
}  // namespace

class TestCardTable : public QObject {
    Q_OBJECT
private slots:
    void workListSortsByValue() {
        Table t;
        t.Set(1, "W: KS JK JK AH AD 2C 5D");
        t.g.CardTable[105].Value = 5;  // standing for a Five: after the natural Fives
        t.g.CollectHand(1);
        t.g.SortHandCardsByValue();
        QCOMPARE(Names(t.g, t.g.HandCards), QString("AD AH 2C 5D JK=5D KS JK"));
        t.g.CollectHand(2);  // North holds nothing: the list stays West's
        QCOMPARE(Names(t.g, t.g.HandCards), QString("AD AH 2C 5D JK=5D KS JK"));
    }

    void giveCardRestoresNaturalValues() {
        Table t;
        t.Set(2, "P: 5D 7C | N: 3S");
        t.g.CardTable[105].Value = 9;  // as a Joker laid in a run
        t.g.CardTable[105].Suit = SuitHearts;
        t.g.CardTable[27].Value = 14;  // an Ace once counted high
        t.g.GiveCardToSeat(0, 105);
        t.g.GiveCardToSeat(3, 27);
        QCOMPARE(Shown(t), QString("P: 5D 7C JK | N: 3S | E: AC"));
        QCOMPARE(t.g.CardTable[105].Suit, int(SuitNone));
        QCOMPARE(t.g.CardTable[27].Value, 1);
        QCOMPARE(t.g.ui.StatusPanel[3], std::string("Points in Hand:- 27"));  // 5, 7 and a Joker's 15
        QCOMPARE(Names(t.g, t.g.HandCards), QString("AC"));  // the list is the receiver's
        QCOMPARE(Whole(t), QString());
    }

    void removeCardFollowsHand() {
        Table t;
        t.Set(1, "P: AD AD 2D");
        t.g.CardTable[3].Location = LocDiscard;  // the caller moved the Two
        t.g.RemoveCard(0, 1);
        QCOMPARE(Names(t.g, t.g.HandCards), QString("AD AD'"));
        QCOMPARE(t.g.RoundPoints[0][1], 30);
        QCOMPARE(t.g.ui.StatusPanel[4], std::string("Cards in Hand:- 2"));
        t.g.RoundOver = true;  // then nothing happens
        t.g.RemoveCard(0, 1);
        QCOMPARE(t.g.CardsInHand[0], 2);
    }

    void placeInMeldRelaysRunAndSet() {
        Table t;
        t.Set(2, "M1: 6H 7H 8H JK=9H | M2: 4C 4S JK=4C | P: 2C 5H");
        t.g.PlaceInMeld(0, 1, Table::Card(5, SuitHearts));
        QCOMPARE(Shown(t), QString("P: 2C | M1: 5H 6H 7H 8H JK=9H | M2: 4C 4S JK=4D"));
        QCOMPARE(Ends(t.g), QString("5-9 4"));
        QVERIFY(t.g.ui.Cds[106].Top < t.g.ui.Cds[Table::Card(4, SuitClubs)].Top);  // a set's Joker first
        QCOMPARE(Whole(t), QString());
    }

    // The topmost visible card under a point takes it, a disabled one
    // included (it takes the press away); a sideways back lies across.
    void whatLiesAtAPoint() {
        TableModel m;
        auto show = [&](int card, int picture, int left, int top, bool enabled) {
            CardImage& c = m.Cds[card];
            c.Picture = picture;
            c.Left = left;
            c.Top = top;
            c.Visible = true;
            c.Enabled = enabled;
            c.ToolTip = "card " + std::to_string(card);
            m.BringToFront(c);
        };
        show(10, 10, 2120, 8160, true);
        show(11, 11, 2520, 8160, true);  // 400 twips to the right, on top
        QCOMPARE(m.CardAt(2200, 8300), 10);
        QCOMPARE(m.CardAt(2600, 8300), 11);
        QCOMPARE(m.CardAt(2520 + 1065, 8300), 0);  // the right edge is outside
        show(12, 108, 2520, 8160, false);
        QCOMPARE(m.CardAt(2600, 8300), 0);
        QCOMPARE(m.ToolTipAt(2600, 8300), std::string("card 12"));
        m.Cds[12].Visible = false;
        QCOMPARE(m.CardAt(2600, 8300), 11);
        show(20, kPicBackSideways, 14200, 2640, true);
        QCOMPARE(m.CardAt(14200 + 1400, 2640 + 1000), 20);
        QCOMPARE(m.CardAt(14200 + 500, 2640 + 1200), 0);
        m.FramMelds.Visible = m.LblMelds[7].Visible = true;  // away from the cards, a label's tip
        m.LblMelds[7].ToolTip = "Place your Run here";
        QCOMPARE(m.ToolTipAt(7680 + 10, 2400 + 10), std::string("Place your Run here"));
    }

    // Where a released card's top-left corner lies, at the edges of the areas.
    void dropAreas_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("area");  // 0 discard, 1..12 a meld column, -1 elsewhere
        QTest::newRow("board's top left corner") << 1200 << 2140 << 1;
        QTest::newRow("board's far corner") << 14159 << 6479 << 12;
        QTest::newRow("left of the board") << 1199 << 3000 << -1;
        QTest::newRow("above the board") << 5000 << 2139 << -1;
        QTest::newRow("below the board") << 5000 << 6480 << -1;
        QTest::newRow("column 7 ends") << 8759 << 3000 << 7;
        QTest::newRow("column 8 starts") << 8760 << 3000 << 8;
        QTest::newRow("discard area's top left corner") << 12840 << 8160 << 0;
        QTest::newRow("discard area's far corner") << 14999 << 9839 << 0;
        QTest::newRow("left of the discard area") << 12839 << 9000 << -1;
        QTest::newRow("right of the discard area") << 15000 << 9000 << -1;
        QTest::newRow("above the discard area") << 14000 << 8159 << -1;
        QTest::newRow("below the discard area") << 14000 << 9840 << -1;
    }
    void dropAreas() {
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, area);
        const layout::Drop d = layout::ClassifyDrop(left, top);
        QCOMPARE(d.area == layout::DropArea::Discard ? 0 : d.area == layout::DropArea::Board ? d.column : -1, area);
    }
};

QTEST_GUILESS_MAIN(TestCardTable)
#include "tst_cardtable.moc"
