// New games and rounds: the question before abandoning a game, the dealer
// and first player, the deal itself, the first discard, the meld labels of
// each round's contract and the layout of the dealt hands.

#include <QtTest>
#include <set>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

namespace {
using meldora::test::IdleRobots;

// Prepares and deals round `round` as the round before it ends in, on a
// table whose robots do not move.
void DealOnly(Table& t, int round) {
    t.g.GameInProgress = round > 1;
    t.g.Round = round - 1;
    t.g.SetUpNewHand();
}
}  // namespace

class TestDeal : public QObject {
    Q_OBJECT
private slots:
    void dealGivesEachSeatItsCards_data();
    void dealGivesEachSeatItsCards();
    void aSeedDealsTheSameCards();
    void dealerMovesClockwise();
    void firstDealerIsARobot();
    void sameSeedSameDeal();
    void meldLabelsAndContract_data();
    void meldLabelsAndContract();
    void handLayoutByValueAndSuit();
    void robotsHandsFaceDown();
    void dealAnimationAndSound();
    void newGameQuestion();
    void newGameNeverLowersWinsBelowZero();
    void stockDrawIsFair();
    void openingTableGreets();
};

void TestDeal::dealGivesEachSeatItsCards_data() {
    QTest::addColumn<int>("round");
    for (int r = 1; r <= 7; ++r) QTest::newRow(qPrintable(QString("round %1").arg(r))) << r;
}

void TestDeal::dealGivesEachSeatItsCards() {
    QFETCH(int, round);
    Table t(round * 11, IdleRobots());
    DealOnly(t, round);
    QCOMPARE(t.g.Round, round);
    // Sets-only rounds show the hand by value, the others by suit.
    QCOMPARE(t.g.SortBySuits, round != 1 && round != 4);
    const int n = round <= 3 ? 10 : 12;
    for (int s = 0; s < 4; ++s) QCOMPARE(t.g.CardsInHand[s], n);
    QCOMPARE(t.g.DiscardCount, 1);
    QCOMPARE(t.g.StockCount, 107 - 4 * n - 1);
    QCOMPARE(t.g.ui.LblStock.Caption, "In Stock:-  " + std::to_string(107 - 4 * n - 1));
    QCOMPARE(t.g.ui.LblDiscard.Caption, std::string("In Discard:- 1"));
    const int top = t.g.TopDiscard();
    QCOMPARE(t.g.ui.Cds[top].Picture, top);
    QCOMPARE(t.g.ui.LblBots.Caption,
             std::string("Below is where you will push cards to be Melded. Make contracts in "
                         "Melds marked P in green"));
    QCOMPARE(t.CheckInvariants(), QString());
    // Stock cards lie face down in card-number order as a slanting stack.
    int k = 0;
    for (int c = 1; c <= 107; ++c) {
        if (t.g.CardTable[c].Location != LocStock) continue;
        QCOMPARE(t.g.ui.Cds[c].Left, 480 + 2 * k);
        QCOMPARE(t.g.ui.Cds[c].Top, 600 - 2 * k);
        QCOMPARE(t.g.ui.Cds[c].Picture, kPicBack);
        QVERIFY(!t.g.ui.Cds[c].Enabled);
        ++k;
    }
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

void TestDeal::dealerMovesClockwise() {
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
        QCOMPARE(t.g.ui.LblBots.Caption, t.g.SeatName(dealer) + " is Dealing and " +
                                             t.g.SeatName((dealer + 1) % 4) + " will play first");
    }
}

void TestDeal::firstDealerIsARobot() {
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
}

void TestDeal::sameSeedSameDeal() {
    Table a(42, IdleRobots()), b(42, IdleRobots());
    DealOnly(a, 4);
    DealOnly(b, 4);
    for (int c = 1; c <= 107; ++c) QCOMPARE(a.g.CardTable[c].Location, b.g.CardTable[c].Location);
    Table other(43, IdleRobots());
    DealOnly(other, 4);
    int differ = 0;
    for (int c = 1; c <= 107; ++c)
        differ += a.g.CardTable[c].Location != other.g.CardTable[c].Location ? 1 : 0;
    QVERIFY(differ > 20);
}

void TestDeal::meldLabelsAndContract_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<QStringList>("labels");  // slots 1..12, "" = hidden
    QTest::addColumn<QString>("contract");
    QTest::newRow("1") << 1
                       << QStringList{"Set-W", "Set-W", "Set-N", "Set-N", "Set-E", "Set-E",
                                      "Set-P", "Set-P", "", "", "", ""}
                       << "Contract is:- 2 Sets of 3 cards same.";
    QTest::newRow("2") << 2
                       << QStringList{"Run-W", "Set-W", "Run-N", "Set-N", "Run-E", "Set-E",
                                      "Run-P", "Set-P", "", "", "", ""}
                       << "Contract:- 1 Run of 4 cards 1 Set of 3 cards same.";
    QTest::newRow("3") << 3
                       << QStringList{"Run-W", "Run-W", "Run-N", "Run-N", "Run-E", "Run-E",
                                      "Run-P", "Run-P", "", "", "", ""}
                       << "Contract:- 2 Runs of 4 cards.";
    QTest::newRow("4") << 4
                       << QStringList{"Set-W", "Set-W", "Set-W", "Set-N", "Set-N", "Set-N",
                                      "Set-P", "Set-P", "Set-P", "Set-E", "Set-E", "Set-E"}
                       << "Contract is:- 3 Sets of 3 cards same.";
    QTest::newRow("5") << 5
                       << QStringList{"Run-W", "Set-W", "Set-W", "Run-N", "Set-N", "Set-N",
                                      "Run-P", "Set-P", "Set-P", "Run-E", "Set-E", "Set-E"}
                       << "Contract:-  1 Run of 4 cards- 2 Sets 3 cards same.";
    QTest::newRow("6") << 6
                       << QStringList{"Run-W", "Run-W", "Set-W", "Run-N", "Run-N", "Set-N",
                                      "Run-P", "Run-P", "Set-P", "Run-E", "Run-E", "Set-E"}
                       << "Contract:- 2 Runs of 4 cards - 1 Set 3 cards same.";
    QTest::newRow("7") << 7
                       << QStringList{"Run-W", "Run-W", "Run-W", "Run-N", "Run-N", "Run-N",
                                      "Run-P", "Run-P", "Run-P", "Run-E", "Run-E", "Run-E"}
                       << "Contract:- 3 Runs of 4 cards each.";
}

void TestDeal::meldLabelsAndContract() {
    QFETCH(int, round);
    QFETCH(QStringList, labels);
    QFETCH(QString, contract);
    Table t(1, IdleRobots());
    DealOnly(t, round);
    for (int m = 1; m <= 12; ++m) {
        const QString want = labels[m - 1];
        QCOMPARE(t.g.ui.LblMelds[m].Visible, !want.isEmpty());
        if (want.isEmpty()) {
            QCOMPARE(t.g.MeldTable[m].Kind, 0);
            continue;
        }
        QCOMPARE(QString::fromStdString(t.g.ui.LblMelds[m].Caption), want);
        QCOMPARE(t.g.MeldTable[m].Kind, want.startsWith("Run") ? kKindRun : kKindSet);
        const bool player = want.endsWith("P");
        QCOMPARE(QString::fromStdString(t.g.ui.LblMelds[m].ToolTip),
                 player ? QString("Place your %1 here").arg(want.left(3)) : QString());
    }
    QCOMPARE(QString::fromStdString(t.g.ui.StatusPanel[2]), contract);
    QVERIFY(t.g.ui.FramMelds.Visible);
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
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(t.g.ui.Cds[byValue[i]].Left, 2120 + 400 * i);
        QCOMPARE(t.g.ui.Cds[byValue[i]].Top, 8160);
        QCOMPARE(t.g.ui.Cds[byValue[i]].Picture, byValue[i]);
        QVERIFY(t.g.ui.Cds[byValue[i]].Enabled);
    }
    QVERIFY(t.g.ui.Cds[105].ZOrder > t.g.ui.Cds[26].ZOrder);

    // The buttons act only while they are shown (the player's turn, a May I).
    t.g.CmdSortSuits_Click();
    QVERIFY(!t.g.SortBySuits);
    t.g.ui.CmdSortSuits.Visible = t.g.ui.CmdSortSame.Visible = true;
    t.g.CmdSortSuits_Click();
    const int bySuit[] = {26, 39, 65, 66, 79, 105};
    for (int i = 0; i < 6; ++i) QCOMPARE(t.g.ui.Cds[bySuit[i]].Left, 2120 + 400 * i);
    QVERIFY(t.g.SortBySuits);
    t.g.CmdSortSame_Click();
    QCOMPARE(t.g.ui.Cds[79].Left, 2120);
    QVERIFY(!t.g.SortBySuits);
}

void TestDeal::robotsHandsFaceDown() {
    Table t(1, IdleRobots());
    DealOnly(t, 5);
    struct Place { int seat, left, top, stepLeft, stepTop, picture; };
    const Place places[] = {{1, -240, 2640, 0, 150, kPicBackSideways},
                            {2, 4080, 450, 150, 0, kPicBack},
                            {3, 14200, 2640, 0, 150, kPicBackSideways}};
    for (const Place& p : places) {
        int k = 0;
        for (int c = 1; c <= 107; ++c) {
            if (t.g.CardTable[c].Location != p.seat) continue;
            QCOMPARE(t.g.ui.Cds[c].Picture, p.picture);
            QCOMPARE(t.g.ui.Cds[c].Left, p.left + p.stepLeft * k);
            QCOMPARE(t.g.ui.Cds[c].Top, p.top + p.stepTop * k);
            QVERIFY(!t.g.ui.Cds[c].Enabled);
            ++k;
        }
        QCOMPARE(k, 12);
    }
    // Once the round is over the robots' hands spread wider.
    t.g.RoundOver = true;
    t.g.SortHandAll(3);
    int last = 0;
    for (int c = 1; c <= 107; ++c)
        if (t.g.CardTable[c].Location == 3) last = c;
    QCOMPARE(t.g.ui.Cds[last].Top, 2640 + 300 * 11);
}

void TestDeal::dealAnimationAndSound() {
    Table quiet(3, IdleRobots());
    DealOnly(quiet, 1);
    int deals = 0;
    for (const auto& s : quiet.host.sounds) deals += s == "\\CardDeal1.wav" ? 1 : 0;
    QCOMPARE(deals, 0);

    Table lively(3, IdleRobots());
    lively.settings.NoAnimation = false;
    DealOnly(lively, 1);
    deals = 0;
    for (const auto& s : lively.host.sounds) deals += s == "\\CardDeal1.wav" ? 1 : 0;
    QCOMPARE(deals, 40);
    // The animation changes nothing about who holds what.
    for (int c = 1; c <= 107; ++c)
        QCOMPARE(lively.g.CardTable[c].Location, quiet.g.CardTable[c].Location);
    QCOMPARE(lively.g.PauseLength, lively.settings.Speed);
}

void TestDeal::newGameQuestion() {
    Table t(9);
    t.g.GameInProgress = true;
    t.g.Round = 3;
    t.g.RoundPoints[2][1] = 40;
    t.settings.GamesWon = {2, 1, 0, 5};
    t.host.messageAnswers = {1};
    t.g.MnuNew_Click();
    QCOMPARE(t.host.messages.size(), std::size_t(1));
    const auto& m = t.host.messages[0];
    QCOMPARE(m.title, std::string("Really start new game?"));
    QCOMPARE(m.prompt, std::string("You are in the middle of a game, are you sure you really "
                                   "wish to start a new game?."));
    QCOMPARE(m.button0, std::string("New Game"));
    QCOMPARE(m.button1, std::string("No Cancel"));
    QCOMPARE(t.g.Round, 3);
    QCOMPARE(t.g.RoundPoints[2][1], 40);
    QCOMPARE(t.settings.GamesWon, (std::array<int, 4>{2, 1, 0, 5}));

    // Closing the window without a button also keeps the game.
    t.host.messageAnswers = {-1};
    t.g.MnuNew_Click();
    QCOMPARE(t.g.Round, 3);
}

void TestDeal::newGameNeverLowersWinsBelowZero() {
    Table t(9);
    t.g.GameInProgress = true;
    t.g.Round = 3;
    t.g.RoundPoints[2][1] = 40;
    t.settings.GamesWon = {2, 0, 1, 0};
    t.host.messageAnswers = {0};
    t.g.MnuNew_Click();
    QCOMPARE(t.settings.GamesWon, (std::array<int, 4>{1, 0, 0, 0}));
    QCOMPARE(t.g.RoundPoints[2][1], 0);
    QCOMPARE(t.g.Round, 1);
    QVERIFY(t.g.GameInProgress);
}

void TestDeal::stockDrawIsFair() {
    // Every stock card, the last Joker included, is drawn about equally often.
    Table t(77);
    t.StartRound(1);
    t.g.StockCount = 107;
    std::vector<int> hits(108, 0);
    for (int i = 0; i < 107 * 400; ++i) ++hits[t.g.GetSingleCard()];
    QCOMPARE(hits[0], 0);
    for (int c = 1; c <= 107; ++c) {
        QVERIFY2(hits[c] > 300 && hits[c] < 500, qPrintable(QString("card %1 drawn %2 times")
                                                                .arg(c)
                                                                .arg(hits[c])));
    }

    // A stock that has given away most of its cards draws only what is
    // left in it, each card about equally often.
    for (int c = 1; c <= 107; ++c)
        if (c % 5 != 0 && c != 107) t.Give(c % 4, {c});
    t.g.RedrawStock();
    QCOMPARE(t.g.StockCount, 22);
    std::fill(hits.begin(), hits.end(), 0);
    for (int i = 0; i < 22 * 400; ++i) ++hits[t.g.GetSingleCard()];
    for (int c = 1; c <= 107; ++c) {
        const bool inStock = t.g.CardTable[c].Location == LocStock;
        QVERIFY2(inStock ? hits[c] > 300 && hits[c] < 500 : hits[c] == 0,
                 qPrintable(QString("card %1 drawn %2 times").arg(c).arg(hits[c])));
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
