// New games and rounds: the question before abandoning a game, the dealer
// and first player, the deal itself, the first discard, the meld labels of
// each round's contract and the layout of the dealt hands.

#include <QtTest>
#include <set>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

namespace {
// Prepares and deals round `round` the way a new round does, without
// starting play.
void DealOnly(Table& t, int round) {
    Game& g = t.g;
    g.ClearNextRound();
    g.SetCardFaces();
    g.Round = round;
    for (int& n : g.CardsInHand) n = round <= 3 ? 10 : 12;
    g.ChooseDealer();
    g.PlacePackDeal();
    g.DealRound();
    g.SortBySuits = !(round == 1 || round == 4);
    g.SortHandP();
    for (int s = 1; s <= 3; ++s) g.SortHandAll(s);
    g.DealDiscard();
}
}  // namespace

class TestDeal : public QObject {
    Q_OBJECT
private slots:
    void dealGivesEachSeatItsCards_data();
    void dealGivesEachSeatItsCards();
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
    Table t(round * 11);
    DealOnly(t, round);
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
    Table a(42), b(42);
    DealOnly(a, 4);
    DealOnly(b, 4);
    for (int c = 1; c <= 107; ++c) QCOMPARE(a.g.CardTable[c].Location, b.g.CardTable[c].Location);
    Table other(43);
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
    QTest::newRow("5") << 5
                       << QStringList{"Run-W", "Set-W", "Set-W", "Run-N", "Set-N", "Set-N",
                                      "Run-P", "Set-P", "Set-P", "Run-E", "Set-E", "Set-E"}
                       << "Contract:-  1 Run of 4 cards- 2 Sets 3 cards same.";
    QTest::newRow("7") << 7
                       << QStringList{"Run-W", "Run-W", "Run-W", "Run-N", "Run-N", "Run-N",
                                      "Run-P", "Run-P", "Run-P", "Run-E", "Run-E", "Run-E"}
                       << "Contract:- 3 Runs of 4 cards each.";
}

void TestDeal::meldLabelsAndContract() {
    QFETCH(int, round);
    QFETCH(QStringList, labels);
    QFETCH(QString, contract);
    Table t;
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

    t.g.CmdSortSuits_Click();
    const int bySuit[] = {26, 39, 65, 66, 79, 105};
    for (int i = 0; i < 6; ++i) QCOMPARE(t.g.ui.Cds[bySuit[i]].Left, 2120 + 400 * i);
    QVERIFY(t.g.SortBySuits);
    t.g.CmdSortSame_Click();
    QCOMPARE(t.g.ui.Cds[79].Left, 2120);
    QVERIFY(!t.g.SortBySuits);
}

void TestDeal::robotsHandsFaceDown() {
    Table t;
    DealOnly(t, 5);
    int k = 0;
    for (int c = 1; c <= 107; ++c) {
        if (t.g.CardTable[c].Location != 2) continue;
        QCOMPARE(t.g.ui.Cds[c].Picture, kPicBack);
        QCOMPARE(t.g.ui.Cds[c].Left, 4080 + 150 * k);
        QCOMPARE(t.g.ui.Cds[c].Top, 450);
        ++k;
    }
    QCOMPARE(k, 12);
    k = 0;
    for (int c = 1; c <= 107; ++c) {
        if (t.g.CardTable[c].Location != 1) continue;
        QCOMPARE(t.g.ui.Cds[c].Picture, kPicBackSideways);
        QCOMPARE(t.g.ui.Cds[c].Left, -240);
        QCOMPARE(t.g.ui.Cds[c].Top, 2640 + 150 * k);
        ++k;
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
    Table quiet(3);
    DealOnly(quiet, 1);
    int deals = 0;
    for (const auto& s : quiet.host.sounds) deals += s == "\\CardDeal1.wav" ? 1 : 0;
    QCOMPARE(deals, 0);

    Table lively(3);
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
