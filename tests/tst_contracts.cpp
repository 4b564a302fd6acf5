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

namespace {
constexpr int D = SuitDiamonds, C = SuitClubs, H = SuitHearts, S = SuitSpades;
constexpr int West = 1;
int Cd(int value, int suit, int copy = 0) { return Table::Card(value, suit, copy); }

// West to play in the given round, with every status line it shows kept.
struct Robot {
    explicit Robot(int round) {
        t.StartRound(round);
        t.g.IsTurn[0] = false;
        t.g.IsTurn[West] = true;
        t.host.onPause = [this] { said.push_back(t.g.ui.LblBots.Caption); };
    }
    void Hand(std::initializer_list<int> cards) { t.Give(West, cards); }
    void Play() { MakeContractForRound(t.g, West); }
    bool Said(const std::string& text) const {
        return std::find(said.begin(), said.end(), t.g.SeatName(West) + " " + text) != said.end();
    }
    QList<int> Meld(int slot) const {
        QList<int> cards;
        for (int c = 1; c <= kCardCount; ++c)
            if (t.g.CardTable[c].InMeld[slot] && t.g.CardTable[c].Location == LocMeld) cards << c;
        return cards;
    }
    QString Broken() const { return t.CheckInvariants(); }

    Table t;
    std::vector<std::string> said;
};

QList<int> Sorted(QList<int> cards) {
    std::sort(cards.begin(), cards.end());
    return cards;
}
}  // namespace

class ContractsTest : public QObject {
    Q_OBJECT
private slots:
    void twoSetsGoDownHighestFirst_data() {
        QTest::addColumn<QList<int>>("first");
        QTest::addColumn<QList<int>>("second");
        QTest::addColumn<QList<int>>("others");
        QTest::newRow("Aces before Kings")
            << QList<int>{Cd(1, D), Cd(1, C), Cd(1, H)} << QList<int>{Cd(13, D), Cd(13, C), Cd(13, H)}
            << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(8, D), Cd(10, S)};
        QTest::newRow("Kings before Sevens, the fourth Seven kept")
            << QList<int>{Cd(13, D), Cd(13, C), Cd(13, H)} << QList<int>{Cd(7, D), Cd(7, C), Cd(7, H)}
            << QList<int>{Cd(7, S), Cd(4, H), Cd(2, C), Cd(9, D), Cd(10, S)};
        QTest::newRow("a pair completed by the Joker")
            << QList<int>{Cd(5, D), Cd(5, C), Cd(5, S)} << QList<int>{Cd(9, D), Cd(9, H), 105}
            << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(12, D), Cd(10, S)};
        // Two pairs of one value, a Joker each: neither set gets both Jokers.
        QTest::newRow("two pairs of Nines")
            << QList<int>{Cd(9, D), Cd(9, C), 105} << QList<int>{Cd(9, H), Cd(9, S), 106}
            << QList<int>{Cd(2, S), Cd(4, H), Cd(6, C), Cd(13, D), Cd(11, S)};
    }
    void twoSetsGoDownHighestFirst() {
        QFETCH(QList<int>, first);
        QFETCH(QList<int>, second);
        QFETCH(QList<int>, others);
        Robot r(1);
        for (const QList<int>& part : {first, second, others})
            for (int card : part) r.Hand({card});
        r.Play();
        QVERIFY(r.Said(" is making Contract number 1 of 2 Sets."));
        QCOMPARE(r.Meld(1), Sorted(first));
        QCOMPARE(r.Meld(2), Sorted(second));
        QCOMPARE(r.t.g.MeldTable[2].SetValue, NaturalValue(second[0]));
        QVERIFY(r.t.g.MeldTable[1].Complete && r.t.g.MeldTable[2].Complete);
        QVERIFY(r.t.g.HasContract[West]);
        QVERIFY(r.t.g.ContractThisTurn);
        QCOMPARE(r.t.g.CardsInHand[West], int(others.size()));
        QCOMPARE(r.Broken(), QString());
    }

    void runAndSetLeaveTheFifthRunCardInHand() {
        Robot r(2);
        r.Hand({Cd(4, C), Cd(5, C), Cd(6, C), Cd(7, C), Cd(8, C), Cd(12, D), Cd(12, C), Cd(12, H),
                Cd(2, H), Cd(10, S), Cd(9, D)});
        r.Play();
        QVERIFY(r.Said(" is going to make Contract number 2 of 1 Run and and 1 set ."));
        QCOMPARE(r.Meld(1), (QList<int>{Cd(4, C), Cd(5, C), Cd(6, C), Cd(7, C)}));
        QCOMPARE(r.Meld(2), (QList<int>{Cd(12, D), Cd(12, C), Cd(12, H)}));
        QCOMPARE(r.t.g.MeldTable[1].RunSuit, int(C));
        QCOMPARE(r.t.g.CardTable[Cd(8, C)].Location, West);
        QCOMPARE(r.t.g.CardsInHand[West], 4);
        QCOMPARE(r.Broken(), QString());
    }

    void threeAndJokerKeepsTheLowestSet_data() {
        QTest::addColumn<bool>("threeMoreFours");
        QTest::addColumn<int>("setValue");
        QTest::newRow("three Fours besides the run's") << true << 4;
        QTest::newRow("two Fours besides the run's") << false << 12;
    }
    void threeAndJokerKeepsTheLowestSet() {
        QFETCH(bool, threeMoreFours);
        QFETCH(int, setValue);
        Robot r(2);
        r.Hand({Cd(4, C), Cd(5, C), Cd(6, C), 105, Cd(12, D), Cd(12, C), Cd(12, H), Cd(4, D),
                Cd(4, H), Cd(9, S), Cd(2, D)});
        if (threeMoreFours) r.Hand({Cd(4, S)});
        r.Play();
        QCOMPARE(r.Meld(1), (QList<int>{Cd(4, C), Cd(5, C), Cd(6, C), 105}));
        QCOMPARE(r.t.g.CardTable[105].Value, 7);
        QCOMPARE(r.t.g.CardTable[105].Suit, int(C));
        QCOMPARE(r.t.g.MeldTable[2].SetValue, setValue);
        QCOMPARE(r.t.g.MeldTable[2].Count, 3);
        QCOMPARE(r.Broken(), QString());
    }

    void aceHighRunLiesAboveTheKing() {
        Robot r(2);
        r.Hand({Cd(1, C), Cd(11, C), Cd(12, C), Cd(13, C), Cd(5, D), Cd(5, C), Cd(5, H), Cd(2, H),
                Cd(8, S), Cd(10, D)});
        r.Play();
        QCOMPARE(r.Meld(1), (QList<int>{Cd(1, C), Cd(11, C), Cd(12, C), Cd(13, C)}));
        QCOMPARE(r.t.g.MeldTable[1].Low, 11);
        QCOMPARE(r.t.g.MeldTable[1].High, int(kValueHighAce));
        QCOMPARE(r.Meld(2), (QList<int>{Cd(5, D), Cd(5, C), Cd(5, H)}));
        QCOMPARE(r.Broken(), QString());
    }

    // After the first run is down the hand list is in card-number order, so
    // a Joker below the second run comes last in it; the run still takes
    // exactly its four cards.
    void jokerBelowTheSecondRun() {
        Robot r(3);
        r.Hand({Cd(4, D), Cd(5, D), Cd(6, D), Cd(11, H), Cd(12, H), Cd(13, H), 105, 106,
                Cd(2, S), Cd(9, C), Cd(9, S)});
        r.Play();
        QVERIFY(r.Said(" is going to make Contract number 3 of two Runs."));
        QCOMPARE(r.Meld(1), (QList<int>{Cd(4, D), Cd(5, D), Cd(6, D), 105}));
        QCOMPARE(r.Meld(2), (QList<int>{Cd(11, H), Cd(12, H), Cd(13, H), 106}));
        QCOMPARE(r.t.g.CardTable[106].Value, 10);
        QCOMPARE(r.t.g.MeldTable[2].Low, 10);
        QCOMPARE(r.t.g.MeldTable[2].Count, 4);
        QCOMPARE(r.t.g.CardsInHand[West], 3);
        QCOMPARE(r.Broken(), QString());
    }

    void threeSetsWithTwoJokers() {
        Robot r(4);
        r.Hand({Cd(8, D), Cd(8, C), Cd(8, H), Cd(13, D), Cd(13, C), Cd(3, H), Cd(3, S), 105, 106,
                Cd(2, D), Cd(5, C), Cd(10, S), Cd(12, H)});
        r.Play();
        QVERIFY(r.Said(" is making contract number 4 of 3 Sets."));
        QCOMPARE(r.Meld(1), (QList<int>{Cd(8, D), Cd(8, C), Cd(8, H)}));
        QCOMPARE(r.Meld(2), (QList<int>{Cd(13, D), Cd(13, C), 105}));
        QCOMPARE(r.Meld(3), (QList<int>{Cd(3, H), Cd(3, S), 106}));
        QCOMPARE(r.t.g.CardsInHand[West], 4);
        QCOMPARE(r.Broken(), QString());
    }

    void oneJokerCompletesThePairBeforeTheSet() {
        Robot r(5);
        r.Hand({Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S), Cd(9, D), Cd(9, C), Cd(3, D), Cd(3, C),
                Cd(3, H), 105, Cd(11, D), Cd(13, H), Cd(1, C)});
        r.Play();
        QVERIFY(r.Said(" going to make Contract number 5 of 2 Sets and 1 Run"));
        QCOMPARE(r.Meld(1), (QList<int>{Cd(4, S), Cd(5, S), Cd(6, S), Cd(7, S)}));
        QCOMPARE(r.Meld(2), (QList<int>{Cd(9, D), Cd(9, C), 105}));
        QCOMPARE(r.Meld(3), (QList<int>{Cd(3, D), Cd(3, C), Cd(3, H)}));
        QCOMPARE(r.Broken(), QString());
    }

    void threeRunsEmptyAllButOneCard() {
        Robot r(7);
        r.Hand({Cd(1, D), Cd(2, D), Cd(3, D), Cd(4, D), Cd(6, C), Cd(7, C), Cd(8, C), Cd(9, C),
                Cd(10, H), Cd(11, H), Cd(12, H), Cd(13, H), Cd(5, S)});
        r.Play();
        QVERIFY(r.Said(" going to make Contract Number 7 of 3 Runs."));
        QCOMPARE(r.Meld(3), (QList<int>{Cd(10, H), Cd(11, H), Cd(12, H), Cd(13, H)}));
        QCOMPARE(r.t.g.CardsInHand[West], 1);
        QCOMPARE(r.t.g.CardTable[Cd(5, S)].Location, West);
        QCOMPARE(r.Broken(), QString());
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
        // Both sets of Nines pass their checks one by one, but together
        // they need six cards and the hand has four Nines and one Joker
        // for them.
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
        for (int card : hand) r.Hand({card});
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
        QTest::addColumn<QList<int>>("slot");
        QTest::addColumn<int>("jokerValue");
        QTest::newRow("on top") << 4 << QList<int>{Cd(4, S), Cd(5, S), Cd(6, S), 105} << 7;
        QTest::newRow("below a King") << 11 << QList<int>{105, Cd(11, S), Cd(12, S), Cd(13, S)} << 10;
        QTest::newRow("below an Ace counting high")
            << 12 << QList<int>{105, Cd(12, S), Cd(13, S), Cd(1, S)} << 11;
    }
    void jokerCompletesAThreeCardRun() {
        QFETCH(int, low);
        QFETCH(QList<int>, slot);
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
                 slot);
        QCOMPARE(t.g.CardTable[105].Value, jokerValue);
        QCOMPARE(t.g.CardTable[105].Suit, int(S));
        QVERIFY(t.g.RunFound[West][1]);
    }

    void aRunCardMissingFromTheHandIsNotLaid() {
        Robot r(3);
        r.Hand({Cd(4, D), Cd(5, D), Cd(6, D), Cd(9, S)});
        r.t.Give(2, {Cd(7, D)});
        r.t.g.CollectHand(West);
        r.t.g.RunCard1[West][1] = Cd(4, D);
        r.t.g.RunCard2[West][1] = Cd(5, D);
        r.t.g.RunCard3[West][1] = Cd(6, D);
        r.t.g.RunCard4[West][1] = Cd(7, D);
        MakeContractRun(r.t.g, West, 1, 1);
        QCOMPARE(int(r.t.host.systemMessages.size()), 1);
        QCOMPARE(r.t.g.MeldTable[1].Count, 0);
        QCOMPARE(r.t.g.CardsInHand[West], 4);
        QCOMPARE(r.Broken(), QString());
    }
};

QTEST_GUILESS_MAIN(ContractsTest)
#include "tst_contracts.moc"
