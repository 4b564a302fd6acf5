// A robot laying the round's contract: which way wins, what is announced,
// which cards go into which meld slot, and that the table stays whole.

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

#include "Fixture.h"
#include "robots/Robots.h"

using namespace meldora;
using meldora::test::Table;
using Melds = QList<QList<int>>;

namespace {
constexpr int D = SuitDiamonds, C = SuitClubs, H = SuitHearts, S = SuitSpades;
constexpr int West = 1;  // lays into slots 1, 2 (and 3) in every round
int Cd(int value, int suit, int copy = 0) { return Table::Card(value, suit, copy); }

const char* const kAnnouncements[8] = {
    "",
    " is making Contract number 1 of 2 Sets.",
    " is going to make Contract number 2 of 1 Run and and 1 set .",
    " is going to make Contract number 3 of two Runs.",
    " is making contract number 4 of 3 Sets.",
    " going to make Contract number 5 of 2 Sets and 1 Run",
    " going to make Contract Number 6 of 2 Run and 1 Set",
    " going to make Contract Number 7 of 3 Runs.",
};

// West to play in the given round, with every status line it shows kept.
struct Robot {
    explicit Robot(int round) {
        t.StartRound(round);
        t.g.IsTurn[0] = false;
        t.g.IsTurn[West] = true;
        t.host.onPause = [this] { said.push_back(t.g.ui.LblBots.Caption); };
    }
    void Hand(const QList<int>& cards) {
        for (int card : cards) t.Give(West, {card});
    }
    void Play() {
        static void (*const kMake[8])(Game&, int) = {nullptr,       MakeContract1, MakeContract2,
                                                     MakeContract3, MakeContract4, MakeContract5,
                                                     MakeContract6, MakeContract7};
        kMake[t.g.Round](t.g, West);
    }
    bool Said(const std::string& text) const {
        return std::find(said.begin(), said.end(), t.g.SeatName(West) + " " + text) != said.end();
    }
    QList<int> Meld(int slot) const {
        QList<int> cards;
        for (int c = 1; c <= kCardCount; ++c)
            if (t.g.CardTable[c].InMeld[slot] && t.g.CardTable[c].Location == LocMeld) cards << c;
        return cards;
    }

    Table t;
    std::vector<std::string> said;
};
}  // namespace

class ContractsTest : public QObject {
    Q_OBJECT
private slots:
    void laysTheContract_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<Melds>("melds");     // in laying order, card-number order within
        QTest::addColumn<QList<int>>("ends");  // a run's Low, a set's value
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("r1 Aces before Kings")
            << 1 << Melds{{Cd(1, D), Cd(1, C), Cd(1, H)}, {Cd(13, D), Cd(13, C), Cd(13, H)}}
            << QList<int>{1, 13} << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(8, D), Cd(10, S)};
        QTest::newRow("r1 Kings before Sevens, the fourth Seven kept")
            << 1 << Melds{{Cd(13, D), Cd(13, C), Cd(13, H)}, {Cd(7, D), Cd(7, C), Cd(7, H)}}
            << QList<int>{13, 7} << QList<int>{Cd(7, S), Cd(4, H), Cd(2, C), Cd(9, D), Cd(10, S)};
        QTest::newRow("r1 a pair completed by the Joker")
            << 1 << Melds{{Cd(5, D), Cd(5, C), Cd(5, S)}, {Cd(9, D), Cd(9, H), 105}}
            << QList<int>{5, 9} << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(12, D), Cd(10, S)};
        // Two pairs of one value, a Joker each: neither set gets both Jokers.
        QTest::newRow("r1 two pairs of Nines")
            << 1 << Melds{{Cd(9, D), Cd(9, C), 105}, {Cd(9, H), Cd(9, S), 106}} << QList<int>{9, 9}
            << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(13, D), Cd(11, S)};
        QTest::newRow("r2 the fifth run card kept")
            << 2
            << Melds{{Cd(4, C), Cd(5, C), Cd(6, C), Cd(7, C)}, {Cd(12, D), Cd(12, C), Cd(12, H)}}
            << QList<int>{4, 12} << QList<int>{Cd(8, C), Cd(2, H), Cd(10, S), Cd(9, D)};
        // Three and a Joker keeps the lowest natural set.
        QTest::newRow("r2 Fours below Queens")
            << 2 << Melds{{Cd(4, C), Cd(5, C), Cd(6, C), 105}, {Cd(4, D), Cd(4, H), Cd(4, S)}}
            << QList<int>{4, 4}
            << QList<int>{Cd(12, D), Cd(12, C), Cd(12, H), Cd(9, S), Cd(2, D)};
        QTest::newRow("r2 Queens when the run holds a Four")
            << 2 << Melds{{Cd(4, C), Cd(5, C), Cd(6, C), 105}, {Cd(12, D), Cd(12, C), Cd(12, H)}}
            << QList<int>{4, 12} << QList<int>{Cd(4, D), Cd(4, H), Cd(9, S), Cd(2, D)};
        // After the first run is down the hand list is in card-number
        // order, with the Joker below the second run last in it.
        QTest::newRow("r3 Joker below the second run")
            << 3 << Melds{{Cd(4, D), Cd(5, D), Cd(6, D), 105}, {Cd(11, H), Cd(12, H), Cd(13, H), 106}}
            << QList<int>{4, 10} << QList<int>{Cd(2, S), Cd(9, C), Cd(9, S)};
        QTest::newRow("r4 a set and two pairs with Jokers")
            << 4
            << Melds{{Cd(8, D), Cd(8, C), Cd(8, H)}, {Cd(13, D), Cd(13, C), 105}, {Cd(3, H), Cd(3, S), 106}}
            << QList<int>{8, 13, 3} << QList<int>{Cd(2, D), Cd(5, C), Cd(10, S), Cd(12, H)};
        QTest::newRow("r5 one Joker: the pair before the set")
            << 5
            << Melds{{Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S)}, {Cd(9, D), Cd(9, C), 105},
                     {Cd(3, D), Cd(3, C), Cd(3, H)}}
            << QList<int>{4, 9, 3} << QList<int>{Cd(11, D), Cd(13, H), Cd(1, C)};
        QTest::newRow("r7 three natural runs")
            << 7
            << Melds{{Cd(1, D), Cd(2, D), Cd(3, D), Cd(4, D)}, {Cd(6, C), Cd(7, C), Cd(8, C), Cd(9, C)},
                     {Cd(10, H), Cd(11, H), Cd(12, H), Cd(13, H)}}
            << QList<int>{1, 6, 10} << QList<int>{Cd(5, S)};
    }
    void laysTheContract() {
        QFETCH(int, round);
        QFETCH(Melds, melds);
        QFETCH(QList<int>, ends);
        QFETCH(QList<int>, kept);
        Robot r(round);
        for (const QList<int>& meld : melds) r.Hand(meld);
        r.Hand(kept);
        r.Play();
        QVERIFY(r.Said(kAnnouncements[round]));
        for (int i = 0; i < melds.size(); ++i) {
            const MeldRecord& m = r.t.g.MeldTable[i + 1];
            QCOMPARE(r.Meld(i + 1), melds[i]);
            QVERIFY(m.Complete);
            if (m.Kind == kKindRun) {
                QCOMPARE(m.Low, ends[i]);
                QCOMPARE(m.High, m.Low + 3);
            } else {
                QCOMPARE(m.SetValue, ends[i]);
            }
        }
        for (int card : kept) QCOMPARE(r.t.g.CardTable[card].Location, West);
        QCOMPARE(r.t.g.CardsInHand[West], int(kept.size()));
        QVERIFY(r.t.g.HasContract[West]);
        QVERIFY(r.t.g.ContractThisTurn);
        QCOMPARE(r.t.CheckInvariants(), QString());
    }

    // The King of Clubs is the last card of the sorted hand.
    void aceHighRunLiesAboveTheKing() {
        Robot r(2);
        r.Hand({Cd(1, C), Cd(11, C), Cd(12, C), Cd(13, C), Cd(5, D), Cd(5, C), Cd(5, H), Cd(2, H),
                Cd(8, S), Cd(10, D)});
        r.Play();
        QCOMPARE(r.Meld(1), (QList<int>{Cd(1, C), Cd(11, C), Cd(12, C), Cd(13, C)}));
        QCOMPARE(r.t.g.MeldTable[1].Low, 11);
        QCOMPARE(r.t.g.MeldTable[1].High, int(kValueHighAce));
        QCOMPARE(r.t.g.MeldTable[2].SetValue, 5);
    }

    void nothingIsLaid_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QList<int>>("hand");
        QTest::addColumn<bool>("ended");
        QTest::newRow("two pairs but one Joker")
            << 1 << QList<int>{Cd(9, D), Cd(9, C), Cd(9, H), Cd(9, S), 105, Cd(2, S), Cd(4, H), Cd(6, C)}
            << false;
        // Two identical runs: the second slot repeats the first slot's cards.
        QTest::newRow("second run repeats the first")
            << 3
            << QList<int>{Cd(4, D, 0), Cd(4, D, 1), Cd(5, D, 0), Cd(5, D, 1), Cd(6, D, 0), Cd(6, D, 1),
                          Cd(7, D, 0), Cd(7, D, 1), Cd(2, S), Cd(12, C)}
            << false;
        // Each set of Nines passes its check alone, but together they need
        // six cards and the hand has four Nines and one Joker for them.
        QTest::newRow("two sets of Nines short of a card")
            << 5
            << QList<int>{Cd(5, D), Cd(6, D), Cd(8, D), Cd(9, D), Cd(9, C), Cd(9, H), Cd(9, S), 105,
                          106, 107, Cd(2, S), Cd(4, H), Cd(13, C)}
            << false;
        QTest::newRow("round over")
            << 2 << QList<int>{Cd(4, C), Cd(5, C), Cd(6, C), Cd(7, C), Cd(12, D), Cd(12, C), Cd(12, H)}
            << true;
    }
    void nothingIsLaid() {
        QFETCH(int, round);
        QFETCH(QList<int>, hand);
        QFETCH(bool, ended);
        Robot r(round);
        r.Hand(hand);
        r.t.g.RoundOver = ended;
        r.Play();
        QCOMPARE(r.t.g.CardsInHand[West], int(hand.size()));
        for (int slot = 1; slot <= kMeldSlots; ++slot) QCOMPARE(r.t.g.MeldTable[slot].Count, 0);
        QVERIFY(!r.t.g.HasContract[West]);
        QVERIFY(!r.t.g.ContractThisTurn);
        QVERIFY(r.said.empty());
        QVERIFY(r.t.host.systemMessages.empty());
    }

    void laterRoundsLeaveSetMarksForTheDiscard() {
        Robot r(5);
        r.Hand({Cd(13, D), Cd(13, C), Cd(13, S), Cd(2, H), Cd(4, D), Cd(6, C), Cd(8, S), Cd(10, H)});
        r.Play();
        QVERIFY(!r.t.g.HasContract[West]);
        QVERIFY(r.t.g.CardTable[Cd(13, D)].InSet);
        QVERIFY(r.t.g.CardTable[Cd(13, S)].InSet);
        QVERIFY(!r.t.g.CardTable[Cd(2, H)].InSet);
    }

    void jokerCompletesAThreeCardRun_data() {
        QTest::addColumn<int>("low");
        QTest::addColumn<QList<int>>("run");
        QTest::addColumn<int>("jokerValue");
        QTest::newRow("on top") << 4 << QList<int>{Cd(4, S), Cd(5, S), Cd(6, S), 105} << 7;
        QTest::newRow("below a King") << 11 << QList<int>{105, Cd(11, S), Cd(12, S), Cd(13, S)} << 10;
        QTest::newRow("below an Ace counting high")
            << 12 << QList<int>{105, Cd(12, S), Cd(13, S), Cd(1, S)} << 11;
    }
    void jokerCompletesAThreeCardRun() {
        QFETCH(int, low);
        QFETCH(QList<int>, run);
        QFETCH(int, jokerValue);
        Table t;
        t.StartRound(3);
        for (int v = low; v < low + 3; ++v) t.Give(West, {Cd(v > 13 ? 1 : v, S)});
        t.Give(West, {105, Cd(2, H)});
        if (low == 12) t.g.CardTable[Cd(1, S)].Value = 14;  // the Ace counts high
        QVERIFY(CheckForRunof3(t.g, West, 1));
        AddJokertoRun(t.g, West, 1);
        QCOMPARE((QList<int>{t.g.RunCard1[West][1], t.g.RunCard2[West][1], t.g.RunCard3[West][1],
                             t.g.RunCard4[West][1]}),
                 run);
        QCOMPARE(t.g.CardTable[105].Value, jokerValue);
        QCOMPARE(t.g.CardTable[105].Suit, int(S));
        QVERIFY(t.g.RunFound[West][1]);
    }
};

QTEST_GUILESS_MAIN(ContractsTest)
#include "tst_contracts.moc"
