// New rounds: the dealer and first player, the deal, each round's meld
// labels and the hand layout.

#include <QtTest>
#include <set>

#include "Fixture.h"
#include "game/TableChecks.h"

using namespace meldora;
using meldora::test::Table;
using meldora::test::IdleRobots;

namespace {
// Prepares and deals round `round` as the round before it ends in.
void DealOnly(Table& t, int round) {
    t.g.GameInProgress = round > 1;
    t.g.Round = round - 1;
    t.g.SetUpNewHand();
}
}  // namespace

class TestDeal : public QObject {
    Q_OBJECT
private slots:
    void dealAndMeldLabels_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("kinds");  // each seat's meld kinds, R run S set
        const char* const kinds[] = {"SS", "RS", "RR", "SSS", "RSS", "RRS", "RRR"};
        for (int r = 1; r <= 7; ++r) QTest::addRow("%d", r) << r << QString(kinds[r - 1]);
    }

    void dealAndMeldLabels() {
        QFETCH(int, round);
        QFETCH(QString, kinds);
        Table t(round * 11, IdleRobots());
        DealOnly(t, round);
        QCOMPARE(t.g.SortBySuits, round != 1 && round != 4);  // sets-only rounds sort by value
        QCOMPARE(t.g.StockCount, 107 - 4 * (round <= 3 ? 10 : 12) - 1);
        QCOMPARE(t.CheckInvariants(), QString());
        QCOMPARE(QString::fromStdString(CheckTableLayout(t.g) + CheckFreshRound(t.g)), QString());  // every hand holds the deal
        // The player's melds come before East's from round 4 on.
        const QString owners = round <= 3 ? "WNEP" : "WNPE";
        for (int m = 1; m <= 12; ++m) {
            const int k = (m - 1) / kinds.size(), i = (m - 1) % kinds.size();
            QCOMPARE(t.g.ui.LblMelds[m].Visible, k < 4);
            if (k >= 4) {
                QCOMPARE(t.g.MeldTable[m].Kind, 0);
                continue;
            }
            const QString want = QString(kinds[i] == 'R' ? "Run-" : "Set-") + owners[k];
            QCOMPARE(QString::fromStdString(t.g.ui.LblMelds[m].Caption), want);
            QCOMPARE(t.g.MeldTable[m].Kind, kinds[i] == 'R' ? kKindRun : kKindSet);
        }
    }

    // The generator's draws are the program's own arithmetic, so this deal
    // is the same on every machine and compiler.
    void aSeedDealsTheSameCards() {
        Table t(7, IdleRobots());
        DealOnly(t, 1);
        QStringList seats;
        for (int s = 0; s < 4; ++s) {
            QStringList cards;
            for (int c = 1; c <= kCardCount; ++c)
                if (t.g.CardTable[c].Location == s) cards << QString::number(c);
            seats << cards.join(' ');
        }
        // The top discard, the dealer and the seat after it, who plays first.
        seats << QString::number(t.g.TopDiscard()) << QString::number(t.g.Dealer()) << QString::number(t.g.IsTurn[2]);
        QCOMPARE(seats.join(" | "), QStringLiteral("4 9 10 21 31 35 39 53 85 102 | 17 25 41 58 61 73 78 81 84 86 | "
                                                       "2 14 16 49 57 62 70 71 82 105 | 13 29 44 50 74 83 96 98 103 106 | 97 | 1 | 1"));
    }

    void firstDealerIsARobot() {
        std::set<int> dealers;
        for (unsigned seed = 1; seed <= 60; ++seed) {
            Table t(seed);
            t.g.IsDealer[0] = true;  // whoever dealt before does not matter
            t.g.Round = 1;
            t.g.ChooseDealer();
            dealers.insert(t.g.Dealer());
        }
        QCOMPARE(dealers, (std::set<int>{1, 2, 3}));
    }

    void handLayoutByValueAndSuit() {
        Table t;
        t.StartRound(3);
        // Two Sevens of Hearts, a Joker, the Ace of Spades, the King of
        // Diamonds, the Seven of Clubs.
        t.Give(0, {65, 66, 105, 79, 26, 39});
        t.g.SortBySuits = false;
        t.g.SortHandP();
        const int byValue[] = {79, 39, 65, 66, 26, 105};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(QPoint(t.g.ui.Cds[byValue[i]].Left, t.g.ui.Cds[byValue[i]].Top), QPoint(2120 + 400 * i, 8160));
        // The buttons act only while they are shown (the player's turn, a May I).
        t.g.CmdSortSuits_Click();
        QVERIFY(!t.g.SortBySuits);
        t.g.ui.CmdSortSuits.Visible = t.g.ui.CmdSortSame.Visible = true;
        t.g.CmdSortSuits_Click();
        const int bySuit[] = {26, 39, 65, 66, 79, 105};
        for (int i = 0; i < 6; ++i) QCOMPARE(t.g.ui.Cds[bySuit[i]].Left, 2120 + 400 * i);
    }
};

QTEST_GUILESS_MAIN(TestDeal)
#include "tst_deal.moc"
