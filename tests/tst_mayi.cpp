// "May I?": who is asked and in which order, the robots' decision in the
// sets-only rounds, the player's answer, and what a claim does.

#include <QtTest>

#include "Fixture.h"

using namespace meldora;
using meldora::test::Table;

namespace {
// A round 1 table with the Seven of Hearts on the discard pile and every
// seat holding cards that have nothing to do with Sevens.
void SetTable(Table& t) {
    t.StartRound(1);
    t.Give(0, {1, 3, 5});
    t.Give(1, {27, 29, 31});
    t.Give(2, {79, 81, 83});
    t.Give(3, {53, 55, 57});
    t.Discard({Table::Card(7, SuitHearts)});
    t.g.RedrawStock();
}
}  // namespace

class TestMayI : public QObject {
    Q_OBJECT
private slots:
    void playerAskedLastAfterWestDraws();
    void robotWithContractNotAsked();
    void firstClaimEndsOffer();
    void setsRoundDecision_data();
    void setsRoundDecision();
    void playerClaims();
    void playerPasses();
    void answerButtonsOnlyWhileAsked();
    void claimEndingRoundStopsDrawer();
};

void TestMayI::playerAskedLastAfterWestDraws() {
    Table t;
    SetTable(t);
    std::vector<int> sizesWhenAsked;
    t.host.onMayI = [&] {
        sizesWhenAsked.push_back(t.g.CardsInHand[2] + t.g.CardsInHand[3]);
        QVERIFY(t.g.ui.CmdMayI.Visible);
        QVERIFY(t.g.ui.CmdPass.Visible);
        QCOMPARE(t.g.ui.Focus, std::string("CmdPass"));
        QCOMPARE(t.g.ui.CmdMayI.Caption, std::string("&MayI?"));
        QCOMPARE(t.g.ui.LblP.Caption, std::string("Player  if you wish to say MayI? and take two "
                                                  "cards click 'MayI' else click 'Pass'."));
        t.g.CmdPass_Click();
    };
    t.g.MayIFrom(1);
    QCOMPARE(t.host.mayIQuestions, 1);
    QCOMPARE(sizesWhenAsked, std::vector<int>{6});  // North and East kept their cards
    QVERIFY(!t.g.MayIClaimed);
    QVERIFY(!t.g.ui.CmdMayI.Visible);
    QVERIFY(!t.g.MayIAnswered);  // reset for the next offer
    QCOMPARE(t.g.ui.LblP.Caption, std::string());

    // When the player draws, only West and North are asked.
    t.g.MayIFrom(0);
    QCOMPARE(t.host.mayIQuestions, 1);
}

void TestMayI::robotWithContractNotAsked() {
    Table t;
    SetTable(t);
    // North and East would both claim with a pair of Sevens.
    t.Give(2, {Table::Card(7, SuitClubs), Table::Card(7, SuitSpades)});
    t.Give(3, {Table::Card(7, SuitDiamonds), Table::Card(7, SuitDiamonds, 1)});
    t.g.HasContract[2] = true;
    t.g.MayIFrom(1);
    QVERIFY(t.g.MayIClaimed);
    QCOMPARE(t.g.CardsInHand[2], 5);
    QCOMPARE(t.g.CardsInHand[3], 7);  // East took the discard and a penalty card
    QCOMPARE(t.host.mayIQuestions, 0);
    QCOMPARE(t.g.ui.LblBots.Caption.rfind("EastBot", 0), std::size_t(0));
    QVERIFY(std::find(t.host.sounds.begin(), t.host.sounds.end(), "\\MayIJ.wav") != t.host.sounds.end());
    QCOMPARE(t.g.HandCount(), 3);  // the drawer's hand is collected again
    QCOMPARE(t.g.HandCards[1], 27);
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestMayI::firstClaimEndsOffer() {
    Table t;
    SetTable(t);
    t.Give(2, {Table::Card(7, SuitClubs)});
    t.Give(3, {Table::Card(7, SuitDiamonds)});
    t.g.MayIFrom(1);
    QCOMPARE(t.g.CardsInHand[2], 6);
    QCOMPARE(t.g.CardsInHand[3], 4);
    QCOMPARE(t.g.DiscardCount, 0);
}

void TestMayI::setsRoundDecision_data() {
    QTest::addColumn<int>("round");
    QTest::addColumn<int>("sevens");
    QTest::addColumn<bool>("claims");
    QTest::newRow("r1 none") << 1 << 0 << false;
    QTest::newRow("r1 one") << 1 << 1 << true;
    QTest::newRow("r1 two") << 1 << 2 << true;
    QTest::newRow("r1 three") << 1 << 3 << false;
    QTest::newRow("r4 two") << 4 << 2 << true;
    QTest::newRow("r4 three") << 4 << 3 << false;
}

void TestMayI::setsRoundDecision() {
    QFETCH(int, round);
    QFETCH(int, sevens);
    QFETCH(bool, claims);
    Table t;
    t.StartRound(round);
    t.Give(2, {79, 84, 90});
    const int seven[] = {Table::Card(7, SuitClubs), Table::Card(7, SuitSpades),
                         Table::Card(7, SuitDiamonds)};
    for (int i = 0; i < sevens; ++i) t.Give(2, {seven[i]});
    t.Discard({Table::Card(7, SuitHearts)});
    t.g.RedrawStock();
    t.g.MayIWho(2);
    QCOMPARE(t.g.MayIClaimed, claims);
    QCOMPARE(t.g.CardsInHand[2], 3 + sevens + (claims ? 2 : 0));
}

void TestMayI::playerClaims() {
    Table t;
    SetTable(t);
    const int seven = t.g.TopDiscard();
    t.host.onMayI = [&] { t.g.LblMayI(); };
    t.g.MayIFrom(3);
    QVERIFY(t.g.MayIClaimed);
    QCOMPARE(t.g.CardsInHand[0], 5);
    QCOMPARE(t.g.CardTable[seven].Location, 0);
    QCOMPARE(t.g.DiscardCount, 0);
    QCOMPARE(t.g.ui.CmdPass.Caption, std::string("Pass"));
    QCOMPARE(t.g.ui.CmdMayI.Caption, std::string("MayI?"));
    QVERIFY(!t.g.ui.CmdMayI.Visible);
    QCOMPARE(t.CheckInvariants(), QString());
}

void TestMayI::playerPasses() {
    Table t;
    SetTable(t);
    t.Give(1, {Table::Card(7, SuitClubs)});  // West would claim after the player
    t.host.onMayI = [&] { t.g.CmdPass_Click(); };
    t.g.MayIFrom(3);
    QCOMPARE(t.host.mayIQuestions, 1);
    QCOMPARE(t.g.CardsInHand[0], 3);
    QCOMPARE(t.g.CardsInHand[1], 6);
}

void TestMayI::answerButtonsOnlyWhileAsked() {
    Table t;
    SetTable(t);
    t.g.LblMayI();
    t.g.CmdPass_Click();
    QCOMPARE(t.g.CardsInHand[0], 3);
    QCOMPARE(t.g.DiscardCount, 1);
    QVERIFY(!t.g.MayIAnswered);
}

void TestMayI::claimEndingRoundStopsDrawer() {
    // The stock is empty and has been renewed twice: North's penalty card
    // renews it a third time, which ends the round inside the claim.
    Table t;
    t.StartRound(1);
    t.g.IsTurn[0] = false;
    t.g.IsTurn[1] = true;
    for (int c = 1; c <= 107; ++c) {
        t.g.CardTable[c].Location = LocMeld;
        t.g.CardTable[c].InMeld[3] = true;
    }
    t.g.MeldTable[3].Count = 107;
    auto offTable = [&](std::initializer_list<int> cards) {
        for (int c : cards) {
            t.g.CardTable[c].InMeld[3] = false;
            t.g.CardTable[c].Location = LocStock;
            t.g.MeldTable[3].Count -= 1;
        }
    };
    const int seven = Table::Card(7, SuitHearts);
    offTable({1, 27, 79, Table::Card(7, SuitClubs), Table::Card(7, SuitSpades), 3, 5, 7, seven});
    t.Give(1, {1});
    t.Give(3, {27});
    t.Give(0, {79});
    t.Give(2, {Table::Card(7, SuitClubs), Table::Card(7, SuitSpades)});
    t.Discard({3, 5, 7, seven});
    t.g.StockCount = 0;
    t.g.StockRenewals = 2;
    t.host.onMayI = [&] { t.g.CmdPass_Click(); };

    t.g.TakingDeck(1);
    QVERIFY(t.g.RoundOver);
    QCOMPARE(t.g.StockRenewals, 3);
    QCOMPARE(t.g.CardsInHand[2], 3);  // North took the Seven only
    QCOMPARE(t.g.CardsInHand[1], 1);  // West drew nothing after the round ended
    QCOMPARE(t.g.RoundPoints[1][1], 15);
    QCOMPARE(t.CheckInvariants(), QString());
}

QTEST_GUILESS_MAIN(TestMayI)
#include "tst_mayi.moc"
