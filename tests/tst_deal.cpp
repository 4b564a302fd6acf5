// New rounds: the dealer and first player, the deal, each round's meld
// labels and the hand layout.

#include <QtTest>
#include <set>

#include "Fixture.h"
#include "game/Commands.h"
#include "game/TableChecks.h"
#include "headless/SelfPlay.h"
#include "robots/Expert.h"

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

    // A deal number deals the same cards on every machine and compiler: the
    // generator's draws are the program's own arithmetic.
    void aDealNumberDealsTheSameCards() {
        Table t(7, IdleRobots());
        t.g.NextDealNumber = 48213;
        DealOnly(t, 1);
        QCOMPARE(t.g.DealNumber, 48213);
        QStringList seats;
        for (int s = 0; s < 4; ++s) {
            QStringList cards;
            for (int c = 1; c <= kCardCount; ++c)
                if (t.g.CardTable[c].Location == s) cards << QString::number(c);
            seats << cards.join(' ');
        }
        // The top discard, the dealer and the seat after it, who plays first.
        seats << QString::number(t.g.TopDiscard()) << QString::number(t.g.Dealer()) << QString::number(t.g.IsTurn[2]);
        QCOMPARE(seats.join(" | "), QStringLiteral("2 6 17 27 61 62 73 75 86 90 | 7 28 40 43 46 53 77 88 98 104 | "
                                                       "5 16 31 35 36 56 74 80 92 107 | 9 29 38 45 47 48 72 82 87 89 | 22 | 3 | 0"));
    }

    // The same deal played twice, once by pointer against the designed
    // robots and once by hints against the Expert ones, with another seed for
    // everything else: every round deals the same dealer, hands and stock
    // order, whatever was played in the rounds before.
    void aDealNumberFixesEveryRound() {
        auto play = [](std::uint64_t seed, bool hints, int& playerTotal) {
            SelfPlay game(seed, true, hints ? ExpertRobots() : TheRobots());
            if (hints) game.UseHints();
            Game& g = game.game();
            QStringList rounds;
            g.onDealt = [&] {
                QString line = QStringLiteral("round %1, dealer %2:").arg(g.Round).arg(g.Dealer());
                for (int s = 0; s < 4; ++s) {
                    line += QStringLiteral(" |");
                    for (int c = 1; c <= kCardCount; ++c)
                        if (g.CardTable[c].Location == s) line += ' ' + QString::number(c);
                }
                line += QStringLiteral(" | stock");
                for (int c : g.StockToCome()) line += ' ' + QString::number(c);
                rounds << line;
            };
            game.PlayGame(4242);
            playerTotal = g.Totals[0];
            return rounds;
        };
        int byPointer = 0, byHints = 0;
        const QStringList first = play(1, false, byPointer);
        QCOMPARE(first.size(), 7);
        QCOMPARE(play(2, true, byHints), first);
        QVERIFY2(byPointer != byHints, "the two games were meant to be played differently");
    }

    void dealNumbersTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("deal");
        QTest::newRow("spaces round it") << " 7 " << 7;
        QTest::newRow("the largest") << "999999" << 999999;
        QTest::newRow("past the largest") << "1000000" << 0;
        QTest::newRow("negative") << "-5" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void dealNumbersTyped() {
        QFETCH(QString, typed);
        QFETCH(int, deal);
        QCOMPARE(ParseDealNumber(typed.toStdString()), deal);
    }

    // Select Deal... starts the typed deal; anything else is refused with a
    // clear message and the game goes on.
    void selectDeal() {
        Table t(3);
        t.host.inputAnswers.push_back("twelve");
        MnuSelectDeal_Click(t.g);
        QCOMPARE(t.g.DealNumber, 0);
        QVERIFY(QString::fromStdString(t.host.systemMessages.back()).startsWith("\"twelve\" is not a deal number."));
        t.host.inputAnswers.push_back("31");
        MnuSelectDeal_Click(t.g);
        QCOMPARE(t.g.DealNumber, 31);
        QCOMPARE(t.g.Round, 1);
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
