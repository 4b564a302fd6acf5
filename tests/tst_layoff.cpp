// A robot laying off onto the table's melds, and stealing Jokers from runs.

#include <QtTest>

#include <algorithm>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

namespace {
// Lays a Joker standing for value/suit into a meld with the natural cards.
void MeldWithJoker(Table& t, int slot, int joker, int value, int suit, std::initializer_list<int> cards) {
    t.g.CardTable[joker].Value = value;
    t.g.CardTable[joker].Suit = suit;
    t.Meld(slot, cards);
}
}  // namespace

class LayOffTest : public QObject {
    Q_OBJECT
private slots:
    void naturalCards_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<Cards>("meld");   // slot 3
        QTest::addColumn<Cards>("laid");
        QTest::addColumn<Cards>("kept");
        QTest::addColumn<int>("highAce");  // an Ace a finder left counting 14
        QTest::newRow("set takes both") << 1 << Cards{Cd(9, D), Cd(9, C), Cd(9, H)}
                                        << Cards{Cd(9, S), Cd(9, D, 1)} << Cards{Cd(4, C)} << 0;
        // Three passes reach three cards down; the high end takes any number.
        QTest::newRow("run both ends") << 3 << Cards{Cd(8, H), Cd(9, H), Cd(10, H), Cd(11, H)}
                                       << Cards{Cd(5, H), Cd(6, H), Cd(7, H), Cd(12, H), Cd(13, H)}
                                       << Cards{Cd(4, H), Cd(2, C)} << 0;
        QTest::newRow("one Ace above King") << 3 << Cards{Cd(10, D), Cd(11, D), Cd(12, D), Cd(13, D)}
                                            << Cards{Cd(1, D)} << Cards{Cd(1, D, 1), Cd(2, C)} << 0;
        QTest::newRow("high Ace on Aces") << 1 << Cards{Cd(1, C), Cd(1, H), Cd(1, S)}
                                          << Cards{Cd(1, D)} << Cards{Cd(5, C)} << Cd(1, D);
        QTest::newRow("last card") << 1 << Cards{Cd(9, D), Cd(9, C), Cd(9, H)}
                                   << Cards{Cd(9, S), Cd(9, H, 1)} << Cards{} << 0;
    }
    void naturalCards() {
        QFETCH(int, round);
        QFETCH(Cards, meld);
        QFETCH(Cards, laid);
        QFETCH(Cards, kept);
        QFETCH(int, highAce);
        Table t;
        t.StartRound(round);
        for (int c : meld) t.Meld(3, {c});
        Hand(t, 1, laid + kept);
        if (highAce) t.g.CardTable[highAce].Value = kValueJoker;
        t.g.HasContract[1] = true;
        LayOffCardBots(t.g, 1);
        for (int c : laid) QVERIFY(t.g.CardTable[c].InMeld[3]);
        for (int c : kept) {
            QCOMPARE(t.g.CardTable[c].Location, 1);
            QCOMPARE(t.g.CardTable[c].Value, NaturalValue(c));
        }
        QCOMPARE(t.g.MeldTable[3].Count, int(meld.size() + laid.size()));
        QCOMPARE(t.g.RoundOver, kept.isEmpty());
        QCOMPARE(t.CheckInvariants(), QString());
    }

    void jokers_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<bool>("setOnTable");
        QTest::addColumn<int>("slot");  // where the Joker goes, 0 = kept
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        // Slot 3's run starts at the Ace, so the Joker goes below slot 5's.
        QTest::newRow("round 3 runs") << 3 << false << 5 << 4 << "is Laying Off Joker.";
        QTest::newRow("round 2 no set") << 2 << false << 0 << 0 << "";
        QTest::newRow("round 2 set") << 2 << true << 4 << 9 << " is Laying Off  9";
    }
    void jokers() {
        QFETCH(int, round);
        QFETCH(bool, setOnTable);
        QFETCH(int, slot);
        QFETCH(int, value);
        QFETCH(QString, text);
        Table t;
        t.StartRound(round);
        if (round == 3) t.Meld(3, {Cd(1, S), Cd(2, S), Cd(3, S), Cd(4, S)});
        t.Meld(5, {Cd(5, H), Cd(6, H), Cd(7, H), Cd(8, H)});
        if (setOnTable) t.Meld(4, {Cd(9, D), Cd(9, C), Cd(9, S)});
        Hand(t, 1, {106, Cd(2, C), Cd(12, C)});
        t.g.HasContract[1] = true;
        std::vector<std::string> shown;
        t.host.onPause = [&] { shown.push_back(t.g.ui.LblBots.Caption); };
        LayOffCardBots(t.g, 1);
        const CardRecord& joker = t.g.CardTable[106];
        QCOMPARE(joker.Location, slot ? int(LocMeld) : 1);
        if (slot == 0) return;
        QVERIFY(joker.InMeld[slot]);
        QCOMPARE(joker.Value, value);
        const std::string expected = t.g.SeatName(1) + " " + text.toStdString();
        QVERIFY(std::count(shown.begin(), shown.end(), expected) > 0);
    }

    // Two runs each with a Joker for the Nine of Clubs: the one Nine held
    // buys the first Joker and lies in that run only.
    void jokerStealing() {
        Table t;
        t.StartRound(2);
        MeldWithJoker(t, 1, 105, 9, C, {Cd(7, C), Cd(8, C), 105, Cd(10, C)});
        MeldWithJoker(t, 3, 106, 9, C, {Cd(8, C, 1), 106, Cd(10, C, 1), Cd(11, C)});
        Hand(t, 2, {Cd(9, C), Cd(3, H)});
        CheckSwapJoker(t.g, 2);
        const CardRecord& joker = t.g.CardTable[105];
        QCOMPARE(joker.Location, 2);
        QCOMPARE(joker.Value, int(kValueJoker));
        QCOMPARE(joker.Suit, int(SuitNone));
        QCOMPARE(t.g.CardTable[106].Location, int(LocMeld));
        QVERIFY(t.g.CardTable[Cd(9, C)].InMeld[1]);
        QCOMPARE(t.g.CardsInHand[2], 2);
        QCOMPARE(Cards(t.g.HandCards.begin() + 1, t.g.HandCards.end()), (Cards{Cd(3, H), 105}));
        QCOMPARE(t.CheckInvariants(), QString());
    }

    void jokersThatStay() {
        // In a set, and in a run behind the first Joker on the table.
        Table t;
        t.StartRound(2);
        MeldWithJoker(t, 2, 105, 9, SuitNone, {Cd(9, D), Cd(9, H), 105});
        MeldWithJoker(t, 1, 107, 5, S, {Cd(4, S), 107, Cd(6, S), Cd(7, S)});
        MeldWithJoker(t, 3, 106, 9, C, {Cd(7, C), Cd(8, C), 106, Cd(10, C)});
        Hand(t, 1, {Cd(9, C), Cd(4, D)});
        CheckSwapJoker(t.g, 1);
        for (int joker : {105, 106, 107}) QCOMPARE(t.g.CardTable[joker].Location, int(LocMeld));
        QCOMPARE(t.g.CardTable[Cd(9, C)].Location, 1);
    }
};

QTEST_APPLESS_MAIN(LayOffTest)
#include "tst_layoff.moc"
