// The card table: numbering and faces, the meld slots of each round, and
// the primitives that move cards between hands, piles and melds.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

class TestCardTable : public QObject {
    Q_OBJECT
private slots:
    void faces_data();
    void faces();
    void collectHandKeepsListForEmptyHand();
    void collectAndSortByValue();
    void giveCardUpdatesCountsAndLayout();
    void giveCardRestoresNaturalValues();
    void discardCardStacksFaceUp();
    void removeCardFollowsHand();
    void placeInMeldRelaysRunAndSet();
    void reportErrorText();
    void whatLiesAtAPoint();
    void dropAreas_data();
    void dropAreas();
};

void TestCardTable::faces_data() {
    QTest::addColumn<int>("card");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("suit");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("name");
    QTest::newRow("1 ace diamonds") << 1 << 1 << int(SuitDiamonds) << 15 << "Ace of  Diamonds";
    QTest::newRow("2 second ace") << 2 << 1 << int(SuitDiamonds) << 15 << "Ace of  Diamonds";
    QTest::newRow("26 king diamonds") << 26 << 13 << int(SuitDiamonds) << 10 << "King of  Diamonds";
    QTest::newRow("27 ace clubs") << 27 << 1 << int(SuitClubs) << 15 << "Ace of  Clubs";
    QTest::newRow("65 seven hearts") << 65 << 7 << int(SuitHearts) << 7 << "Seven of  Hearts";
    QTest::newRow("98 ten spades") << 98 << 10 << int(SuitSpades) << 10 << "Ten of  Spades";
    QTest::newRow("104 king spades") << 104 << 13 << int(SuitSpades) << 10 << "King of  Spades";
    QTest::newRow("105 joker") << 105 << 14 << int(SuitNone) << 15 << "Joker  ";
    QTest::newRow("107 joker") << 107 << 14 << int(SuitNone) << 15 << "Joker  ";
}

void TestCardTable::faces() {
    QFETCH(int, card);
    QFETCH(int, value);
    QFETCH(int, suit);
    QFETCH(int, points);
    QFETCH(QString, name);
    Table t;
    t.StartRound(1);
    const CardRecord& c = t.g.CardTable[card];
    QCOMPARE(c.CardNo, card);
    QCOMPARE(c.Value, value);
    QCOMPARE(c.Suit, suit);
    QCOMPARE(c.Points, points);
    QCOMPARE(QString::fromStdString(c.FullName), name);
    if (!IsJoker(card)) QCOMPARE(Table::Card(value, suit, (card - 1) % 2), card);
}

void TestCardTable::collectHandKeepsListForEmptyHand() {
    Table t;
    t.StartRound(1);
    t.Give(2, {30, 5, 100});
    QCOMPARE(t.g.HandCount(), 3);
    QCOMPARE(t.g.HandCards[1], 5);
    QCOMPARE(t.g.HandCards[3], 100);
    t.g.CollectHand(1);  // West holds nothing: the list stays North's
    QCOMPARE(t.g.HandCount(), 3);
    QCOMPARE(t.g.HandCards[2], 30);
}

void TestCardTable::collectAndSortByValue() {
    Table t;
    t.StartRound(1);
    // King of Spades, Joker, Ace of Hearts, Ace of Diamonds, Two of Clubs.
    t.Give(1, {104, 105, 53, 1, 29});
    t.g.SortHandCardsByValue();
    const std::vector<int> expected{0, 1, 53, 29, 104, 105};
    QCOMPARE(t.g.HandCards, expected);
    // A Joker standing for a Five sorts after the natural Fives.
    t.Give(1, {9});
    t.g.CardTable[105].Value = 5;
    t.g.CollectHand(1);
    t.g.SortHandCardsByValue();
    QCOMPARE(t.g.HandCards[4], 9);
    QCOMPARE(t.g.HandCards[5], 105);
}

void TestCardTable::giveCardUpdatesCountsAndLayout() {
    Table t;
    t.StartRound(2);
    t.Give(0, {10, 40});
    t.g.GiveCardToSeat(0, 105);
    QCOMPARE(t.g.CardsInHand[0], 3);
    QCOMPARE(t.g.CardTable[105].Location, 0);
    QCOMPARE(t.g.ui.StatusPanel[4], std::string("Cards in Hand:- 3"));
    // 10 is the Five of Diamonds (5), 40 the Seven of Clubs (7), a Joker 15.
    QCOMPARE(t.g.RoundPoints[0][2], 27);
    QCOMPARE(t.g.ui.StatusPanel[3], std::string("Points in Hand:- 27"));
    QCOMPARE(t.g.ui.Cds[105].Picture, 105);
    QVERIFY(t.g.ui.Cds[105].Visible);

    t.g.GiveCardToSeat(3, 70);
    QCOMPARE(t.g.ui.Cds[70].Picture, kPicBackSideways);
    QCOMPARE(t.g.ui.Cds[70].Left, 14200);
    QCOMPARE(t.g.ui.Cds[70].Top, 2640);
    QCOMPARE(t.g.HandCards[1], 70);  // the list is the receiver's
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestCardTable::giveCardRestoresNaturalValues() {
    Table t;
    t.StartRound(3);
    t.g.CardTable[106].Value = 9;
    t.g.CardTable[106].Suit = SuitHearts;
    t.g.CardTable[27].Value = 14;  // an Ace once counted high
    t.g.GiveCardToSeat(2, 106);
    t.g.GiveCardToSeat(2, 27);
    QCOMPARE(t.g.CardTable[106].Value, 14);
    QCOMPARE(t.g.CardTable[106].Suit, int(SuitNone));
    QCOMPARE(t.g.CardTable[27].Value, 1);
}

void TestCardTable::discardCardStacksFaceUp() {
    Table t;
    t.StartRound(1);
    t.g.DiscardCard(12);
    t.g.DiscardCard(77);
    QCOMPARE(t.g.DiscardCount, 2);
    QCOMPARE(t.g.DiscardPile[2], 77);
    QCOMPARE(t.g.TopDiscard(), 77);
    QCOMPARE(t.g.CardTable[12].Location, int(LocDiscard));
    QCOMPARE(t.g.ui.LblDiscard.Caption, std::string("In Discard:-  2"));
    QCOMPARE(t.g.ui.Cds[12].Left, 13320);
    QCOMPARE(t.g.ui.Cds[77].Left, 13322);
    QCOMPARE(t.g.ui.Cds[77].Top, 8280);
    QCOMPARE(t.g.ui.Cds[77].Picture, 77);
    QVERIFY(t.g.ui.Cds[77].ZOrder > t.g.ui.Cds[12].ZOrder);
    QCOMPARE(t.host.sounds.back(), std::string("\\CardDown.wav"));
}

void TestCardTable::removeCardFollowsHand() {
    Table t;
    t.StartRound(1);
    t.Give(0, {1, 2, 3});
    t.g.CardTable[3].Location = LocDiscard;  // the caller moved it
    t.g.RemoveCard(0, 1);
    QCOMPARE(t.g.CardsInHand[0], 2);
    QCOMPARE(t.g.HandCount(), 2);
    QCOMPARE(t.g.RoundPoints[0][1], 30);
    QCOMPARE(t.g.ui.StatusPanel[4], std::string("Cards in Hand:- 2"));
    // Nothing happens once the round is over.
    t.g.RoundOver = true;
    t.g.RemoveCard(0, 1);
    QCOMPARE(t.g.CardsInHand[0], 2);
}

void TestCardTable::placeInMeldRelaysRunAndSet() {
    Table t;
    t.StartRound(2);  // slot 1 West's run, slot 2 West's set
    const int five = Table::Card(5, SuitHearts), six = Table::Card(6, SuitHearts),
              seven = Table::Card(7, SuitHearts), eight = Table::Card(8, SuitHearts);
    t.Meld(1, {six, seven, eight, 105});
    t.g.CardTable[105].Value = 9;
    t.g.CardTable[105].Suit = SuitHearts;
    t.g.SortMeldsRun(1);
    t.Give(0, {five, 40});
    t.g.PlaceInMeld(0, 1, five);
    QCOMPARE(t.g.MeldTable[1].Count, 5);
    QCOMPARE(t.g.MeldTable[1].Low, 5);
    QCOMPARE(t.g.MeldTable[1].High, 9);
    QCOMPARE(t.g.CardsInHand[0], 1);
    QCOMPARE(t.g.ui.Cds[five].Left, 1200);
    QCOMPARE(t.g.ui.Cds[five].Top, 2760);
    QCOMPARE(t.g.ui.Cds[105].Top, 2760 + 4 * 250);
    QVERIFY(t.g.ui.Cds[105].Enabled);  // a Joker in a run can be reclaimed
    QVERIFY(!t.g.ui.Cds[five].Enabled);

    // A set lays its Joker first, the naturals below it.
    t.Meld(2, {Table::Card(4, SuitClubs), Table::Card(4, SuitSpades), 106});
    QCOMPARE(t.g.ui.Cds[106].Top, 2760);
    QCOMPARE(t.g.ui.Cds[Table::Card(4, SuitClubs)].Top, 3010);
    QCOMPARE(t.g.ui.Cds[Table::Card(4, SuitSpades)].Top, 3260);
    QCOMPARE(t.g.ui.Cds[106].Left, 2280);
    QVERIFY(!t.g.ui.Cds[106].Enabled);
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestCardTable::reportErrorText() {
    Table t;
    t.g.ReportError("DealRound", "Subscript out of range", 9);
    QCOMPARE(t.host.systemMessages.size(), std::size_t(1));
    QCOMPARE(t.host.systemMessages[0],
             std::string("Unexpected error in DealRound\r\nError #9: Subscript out of range"));
}

void TestCardTable::whatLiesAtAPoint() {
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
    QCOMPARE(m.CardAt(2119, 8300), 0);
    QCOMPARE(m.CardAt(2120 + 1065, 8300), 11);
    QCOMPARE(m.CardAt(2520 + 1065, 8300), 0);  // the right edge is outside
    m.BringToFront(m.Cds[10]);
    QCOMPARE(m.CardAt(2600, 8300), 10);

    // A disabled card on top takes the press away from the one below; a
    // hidden one does not.
    show(12, 108, 2520, 8160, false);
    QCOMPARE(m.CardAt(2600, 8300), 0);
    QCOMPARE(m.ToolTipAt(2600, 8300), std::string("card 12"));
    m.Cds[12].Visible = false;
    QCOMPARE(m.CardAt(2600, 8300), 10);

    // A sideways back lies across.
    show(20, 112, 14200, 2640, true);
    QCOMPARE(m.CardAt(14200 + 1400, 2640 + 1000), 20);
    QCOMPARE(m.CardAt(14200 + 500, 2640 + 1200), 0);

    // Away from the cards: the painted labels' and meld labels' tips.
    m.LblBots.Visible = true;
    QCOMPARE(m.ToolTipAt(200, 10400), std::string("Quick view of what happening"));
    m.FramMelds.Visible = true;
    m.LblMelds[7].Visible = true;
    m.LblMelds[7].ToolTip = "Place your Run here";
    QCOMPARE(m.ToolTipAt(7680 + 10, 2400 + 10), std::string("Place your Run here"));
}

// Where a released card's top-left corner lies, at the edges of the areas.
void TestCardTable::dropAreas_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("area");  // 0 discard, 1..12 a meld column, -1 elsewhere
    QTest::newRow("board's left edge") << 1200 << 3000 << 1;
    QTest::newRow("left of the board") << 1199 << 3000 << -1;
    QTest::newRow("column 7 starts") << 7680 << 3000 << 7;
    QTest::newRow("column 7 ends") << 8759 << 3000 << 7;
    QTest::newRow("column 8") << 8760 << 3000 << 8;
    QTest::newRow("column 9 ends") << 10919 << 3000 << 9;
    QTest::newRow("last column") << 14159 << 3000 << 12;
    QTest::newRow("board's right edge") << 14160 << 3000 << -1;
    QTest::newRow("board's top") << 5000 << 2140 << 4;
    QTest::newRow("above the board") << 5000 << 2139 << -1;
    QTest::newRow("board's foot") << 5000 << 6480 << -1;
    QTest::newRow("discard area corner") << 12840 << 8160 << 0;
    QTest::newRow("left of the discard area") << 12839 << 8160 << -1;
    QTest::newRow("discard area far corner") << 14999 << 9839 << 0;
    QTest::newRow("below the discard area") << 14000 << 9840 << -1;
    QTest::newRow("right of the discard area") << 15000 << 9000 << -1;
}

void TestCardTable::dropAreas() {
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, area);
    const layout::Drop d = layout::ClassifyDrop(left, top);
    const int got = d.area == layout::DropArea::Discard ? 0 : d.area == layout::DropArea::Board ? d.column : -1;
    QCOMPARE(got, area);
}

QTEST_GUILESS_MAIN(TestCardTable)
#include "tst_cardtable.moc"
