// New games and rounds: the question before abandoning a game, the dealer
// and first player, the deal itself, the meld labels of each round's
// contract and the layout of the dealt hands.

#include <QtTest>
#include <set>

#include "Fixture.h"
#include "headless/Invariants.h"

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
    void dealAndMeldLabels_data();
    void dealAndMeldLabels();
    void aSeedDealsTheSameCards();
    void dealerMovesClockwiseFromARobot();
    void handLayoutByValueAndSuit();
    void dealtHandsPinnedSpots();
    void dealAnimationAndSound();
    void newGameQuestion();
    void stockDrawIsFair();
    void openingTableGreets();
};

void TestDeal::dealAndMeldLabels_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QString>("kinds");  // each seat's meld kinds, R run S set
    QTest::addColumn<QString>("contract");
    QTest::newRow("1") << 1 << "SS" << "Contract is:- 2 Sets of 3 cards same.";
    QTest::newRow("2") << 2 << "RS" << "Contract:- 1 Run of 4 cards 1 Set of 3 cards same.";
    QTest::newRow("3") << 3 << "RR" << "Contract:- 2 Runs of 4 cards.";
    QTest::newRow("4") << 4 << "SSS" << "Contract is:- 3 Sets of 3 cards same.";
    QTest::newRow("5") << 5 << "RSS" << "Contract:-  1 Run of 4 cards- 2 Sets 3 cards same.";
    QTest::newRow("6") << 6 << "RRS" << "Contract:- 2 Runs of 4 cards - 1 Set 3 cards same.";
    QTest::newRow("7") << 7 << "RRR" << "Contract:- 3 Runs of 4 cards each.";
}

void TestDeal::dealAndMeldLabels() {
    QFETCH(int, round);
    QFETCH(QString, kinds);
    QFETCH(QString, contract);
    Table t(round * 11, IdleRobots());
    DealOnly(t, round);
    QCOMPARE(t.g.SortBySuits, round != 1 && round != 4);  // sets-only rounds sort by value
    const int n = round <= 3 ? 10 : 12;
    for (int s = 0; s < 4; ++s) QCOMPARE(t.g.CardsInHand[s], n);
    QCOMPARE(t.g.DiscardCount, 1);
    QCOMPARE(t.g.ui.LblStock.Caption, "In Stock:-  " + std::to_string(107 - 4 * n - 1));
    QCOMPARE(t.g.ui.Cds[t.g.TopDiscard()].Picture, t.g.TopDiscard());
    int first = 1;  // the stock's first card by number lies at its pinned spot
    while (t.g.CardTable[first].Location != LocStock) ++first;
    QCOMPARE(QPoint(t.g.ui.Cds[first].Left, t.g.ui.Cds[first].Top), QPoint(480, 600));
    QCOMPARE(t.CheckInvariants(), QString());
    QCOMPARE(QString::fromStdString(CheckTableLayout(t.g)), QString());
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
        QCOMPARE(QString::fromStdString(t.g.ui.LblMelds[m].ToolTip),
                 owners[k] == 'P' ? QString("Place your %1 here").arg(want.left(3)) : QString());
    }
    QCOMPARE(QString::fromStdString(t.g.ui.StatusPanel[2]), contract);
}

void TestDeal::aSeedDealsTheSameCards() {
    // The generator's draws are the program's own arithmetic, so this deal
    // is the same on every machine and compiler.
    Table t(7, IdleRobots());
    DealOnly(t, 1);
    QStringList seats;
    for (int s = 0; s < 4; ++s) {
        QStringList cards;
        for (int c = 1; c <= kCardCount; ++c)
            if (t.g.CardTable[c].Location == s) cards << QString::number(c);
        seats << cards.join(' ');
    }
    seats << QString::number(t.g.TopDiscard()) << QString::number(t.g.Dealer());
    QCOMPARE(seats.join(" | "), QStringLiteral("4 9 10 21 31 35 39 53 85 102 | 17 25 41 58 61 73 78 81 84 86 | "
                                                   "2 14 16 49 57 62 70 71 82 105 | 13 29 44 50 74 83 96 98 103 106 | 97 | 1"));
}

void TestDeal::dealerMovesClockwiseFromARobot() {
    std::set<int> dealers;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Table t(seed);
        t.g.IsDealer[0] = true;  // whoever dealt before does not matter
        t.g.Round = 1;
        t.g.ChooseDealer();
        QVERIFY(t.g.Dealer() != 0);
        dealers.insert(t.g.Dealer());
    }
    QCOMPARE(dealers, (std::set<int>{1, 2, 3}));

    Table t(5);
    t.g.Round = 1;
    t.g.ChooseDealer();
    const int first = t.g.Dealer();
    for (int r = 2; r <= 7; ++r) {
        t.g.ClearNextRound();
        t.g.Round = r;
        t.g.ChooseDealer();
        const int dealer = (first + r - 1) % 4;
        QCOMPARE(t.g.Dealer(), dealer);
        for (int s = 0; s < 4; ++s) QCOMPARE(t.g.IsTurn[s], s == (dealer + 1) % 4);
    }
    QCOMPARE(t.g.ui.LblBots.Caption, t.g.SeatName(t.g.Dealer()) + " is Dealing and " +
                                         t.g.SeatName((t.g.Dealer() + 1) % 4) + " will play first");
}

void TestDeal::handLayoutByValueAndSuit() {
    Table t;
    t.StartRound(3);
    // Two Sevens of Hearts, a Joker, the Ace of Spades, the King of Diamonds,
    // the Seven of Clubs.
    t.Give(0, {65, 66, 105, 79, 26, 39});
    t.g.SortBySuits = false;
    t.g.SortHandP();
    const int byValue[] = {79, 39, 65, 66, 26, 105};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(QPoint(t.g.ui.Cds[byValue[i]].Left, t.g.ui.Cds[byValue[i]].Top), QPoint(2120 + 400 * i, 8160));
    QVERIFY(t.g.ui.Cds[105].ZOrder > t.g.ui.Cds[26].ZOrder);
    // The buttons act only while they are shown (the player's turn, a May I).
    t.g.CmdSortSuits_Click();
    QVERIFY(!t.g.SortBySuits);
    t.g.ui.CmdSortSuits.Visible = t.g.ui.CmdSortSame.Visible = true;
    t.g.CmdSortSuits_Click();
    const int bySuit[] = {26, 39, 65, 66, 79, 105};
    for (int i = 0; i < 6; ++i) QCOMPARE(t.g.ui.Cds[bySuit[i]].Left, 2120 + 400 * i);
    t.g.CmdSortSame_Click();
    QCOMPARE(t.g.ui.Cds[79].Left, 2120);
    QVERIFY(!t.g.SortBySuits);
}

// The layout check compares images with the layout constants; here the
// constants themselves are pinned: each robot's first two cards.
void TestDeal::dealtHandsPinnedSpots() {
    Table t(1, IdleRobots());
    DealOnly(t, 5);
    struct Place { int seat, left, top, stepLeft, stepTop, picture; };
    for (const Place& p : {Place{1, -240, 2640, 0, 150, kPicBackSideways}, Place{2, 4080, 450, 150, 0, kPicBack},
                           Place{3, 14200, 2640, 0, 150, kPicBackSideways}}) {
        int k = 0;
        for (int c = 1; c <= 107 && k < 2; ++c) {
            if (t.g.CardTable[c].Location != p.seat) continue;
            const CardImage& img = t.g.ui.Cds[c];
            QCOMPARE(img.Picture, p.picture);
            QCOMPARE(QPoint(img.Left, img.Top), QPoint(p.left + p.stepLeft * k, p.top + p.stepTop * k));
            ++k;
        }
    }
}

void TestDeal::dealAnimationAndSound() {
    Table quiet(3, IdleRobots()), lively(3, IdleRobots());
    lively.settings.NoAnimation = false;
    DealOnly(quiet, 1);
    DealOnly(lively, 1);
    const auto deals = [](const Table& t) { return std::count(t.host.sounds.begin(), t.host.sounds.end(), "\\CardDeal1.wav"); };
    QCOMPARE(deals(quiet), 0);
    QCOMPARE(deals(lively), 40);
    // The animation changes nothing about who holds what.
    for (int c = 1; c <= 107; ++c) QCOMPARE(lively.g.CardTable[c].Location, quiet.g.CardTable[c].Location);
    QCOMPARE(lively.g.PauseLength, lively.settings.Speed);
}

void TestDeal::newGameQuestion() {
    Table t(9);
    t.g.GameInProgress = true;
    t.g.Round = 3;
    t.g.RoundPoints[2][1] = 40;
    t.settings.GamesWon = {2, 0, 1, 0};
    // "No Cancel", then closing the window without a button: the game stays.
    t.host.messageAnswers = {1, -1};
    t.g.MnuNew_Click();
    t.g.MnuNew_Click();
    const auto& m = t.host.messages.at(0);
    QCOMPARE(m.prompt, std::string("You are in the middle of a game, are you sure you really "
                                   "wish to start a new game?."));
    QCOMPARE(m.button0 + "|" + m.button1, std::string("New Game|No Cancel"));
    QCOMPARE(t.g.Round, 3);
    QCOMPARE(t.g.RoundPoints[2][1], 40);
    QCOMPARE(t.settings.GamesWon, (std::array<int, 4>{2, 0, 1, 0}));
    // Abandoning costs the player a win, never below zero.
    t.host.messageAnswers = {0};
    t.g.MnuNew_Click();
    QCOMPARE(t.settings.GamesWon, (std::array<int, 4>{1, 0, 0, 0}));
    QCOMPARE(t.g.RoundPoints[2][1], 0);
    QCOMPARE(t.g.Round, 1);
    QVERIFY(t.g.GameInProgress);
}

void TestDeal::stockDrawIsFair() {
    // Every stock card, the last Joker included, is drawn about equally
    // often; a stock that has given most cards away draws only what is left.
    Table t(77);
    t.StartRound(1);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            for (int c = 1; c <= 107; ++c)
                if (c % 5 != 0 && c != 107) t.Give(c % 4, {c});
        }
        t.g.RedrawStock();
        std::vector<int> hits(108, 0);
        for (int i = 0; i < t.g.StockCount * 400; ++i) ++hits[t.g.GetSingleCard()];
        for (int c = 0; c <= 107; ++c) {
            const bool inStock = c > 0 && t.g.CardTable[c].Location == LocStock;
            QVERIFY2(inStock ? hits[c] > 300 && hits[c] < 500 : hits[c] == 0,
                     qPrintable(QString("card %1 drawn %2 times").arg(c).arg(hits[c])));
        }
    }
}

void TestDeal::openingTableGreets() {
    Table t;
    t.settings.SeatNames = {"Ann", "Wes", "Nora", "Ed"};
    t.g.ui.Cds[5].Enabled = true;
    t.g.ShowOpeningTable();
    QVERIFY(t.g.ui.lblTitle.Visible);
    QCOMPARE(t.g.ui.LblNames[1].Caption, std::string("Wes"));
    QCOMPARE(t.g.ui.LblNames[2].Caption, std::string("Nora says Hello Ann"));
    QCOMPARE(t.g.ui.LblNames[3].Caption, std::string("Ed Hi "));
    QVERIFY(!t.g.ui.Cds[5].Enabled);
    // The deal's opening puts the plain names back.
    t.g.MoveOpeningString();
    QCOMPARE(t.g.ui.LblNames[2].Caption, std::string("Nora"));
    QVERIFY(!t.g.ui.lblTitle.Visible);
}

QTEST_GUILESS_MAIN(TestDeal)
#include "tst_deal.moc"
