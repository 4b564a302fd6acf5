// Which card a robot throws at the end of its turn.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

class DiscardTest : public QObject {
    Q_OBJECT
private slots:
    // West throws; North, next in turn, has its contract.
    void discard_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("contract");  // 0 none, 1 held, 2 laid this turn
        QTest::addColumn<QString>("taken");  // from the pile this turn
        QTest::addColumn<bool>("acesHigh");
        QTest::addColumn<QString>("thrown");
        const QString aces = "M3: AC AH AS | W: ";
        QTest::newRow("Aces first") << 1 << aces + "5H KC AD JK" << 1 << "" << false << "AD";
        QTest::newRow("laid this turn: keeps what fits") << 1 << aces + "5H KC AD JK" << 2 << "" << false << "KC";
        QTest::newRow("Jokers last") << 1 << aces + "JK 3D" << 1 << "" << false << "3D";
        QTest::newRow("only Jokers") << 1 << aces + "JK JK" << 1 << "" << false << "JK";
        QTest::newRow("goes out") << 1 << aces + "KC" << 1 << "" << false << "KC";
        // It must not lie on the pile looking like a Joker.
        QTest::newRow("an Ace counting 14 leaves as an Ace") << 1 << aces + "AH" << 1 << "" << true << "AH'";
        // The Nine of Diamonds would fit North's set of Nines.
        const QString nines = "M3: 9C 9H 9S | W: 9D 3C TC 4H 6S 8S | N: ";
        QTest::newRow("lone Diamond") << 1 << nines + "KD KC KH" << 0 << "" << false << "9D";
        QTest::newRow("lone card just taken") << 1 << nines + "KD KC KH" << 0 << "9D" << false << "4H";
        QTest::newRow("blocking") << 1 << nines + "KD" << 0 << "" << false << "3C";
        QTest::newRow("r3 second twin") << 3 << "W: 5H 5H 9H 2S 7S | N: KD KC KH" << 0 << "" << false << "5H'";
        // The Nine given for the Joker lies on the table: even as West's only
        // Club it cannot be thrown.
        QTest::newRow("the card given for a Joker") << 2 << "M3: 7C 8C JK=9C TC | W: 9C 2D 5D 3H 8H 4S 6S | N: KD KC KH"
            << 0 << "" << false << "8H";
    }
    void discard() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(int, contract);
        QFETCH(QString, taken);
        QFETCH(bool, acesHigh);
        QFETCH(QString, thrown);
        Table t;
        t.Set(round, qPrintable(table));
        t.g.HasContract[1] = contract > 0;
        t.g.ContractThisTurn = contract == 2;
        t.g.HasContract[2] = true;
        if (acesHigh) AcesHigh(t.g, 1);
        if (!taken.isEmpty()) t.g.LastDiscardTaken = CardNamed(t.g, 1, taken);
        const int held = t.g.CardsInHand[1];
        contract ? DiscardBotsWithContract(t.g, 1) : DiscardBotsNoContract(t.g, 1);
        QCOMPARE(Names(t.g, {t.g.TopDiscard()}), thrown);
        QCOMPARE(t.g.RoundOver, held == 1);
        QVERIFY(!t.g.ContractThisTurn);
        QCOMPARE(t.CheckInvariants(), QString());
        if (!contract) DiscardBotsNoContract(t.g, 1);  // once per turn
        QCOMPARE(t.g.CardsInHand[1], held - 1);
    }

    // A card of a kept run is passed over like any other; so is the card
    // just taken from the pile.
    void failSafeSkipsKeptAndTakenCards() {
        Table t;
        t.Set(1, "E: 9D QS 5C 2H");
        t.g.CollectHand(3);
        t.g.CardTable[CardNamed(t.g, 3, "9D")].RunKeep = true;
        t.g.LastDiscardTaken = CardNamed(t.g, 3, "QS");
        FailSafeDiscard(t.g, 3);
        QCOMPARE(Names(t.g, {t.g.TopDiscard()}), QString("5C"));
    }

    // A card of the run's suit that the run neither uses nor keeps.
    void runSuitCandidate() {
        Table t;
        t.Set(3, "W: 4S 5S 6S 7S 9S 2D KS");
        t.g.CollectHand(1);
        QCOMPARE(DiscardWhatRun(t.g, 1), 0);  // no run recorded
        CheckForRunOne(t.g, 1);
        QCOMPARE(Names(t.g, {t.g.HandCards.at(DiscardWhatRun(t.g, 1))}), QString("9S"));
        t.g.CardTable[CardNamed(t.g, 1, "9S")].RunKeep = true;
        QCOMPARE(Names(t.g, {t.g.HandCards.at(DiscardWhatRun(t.g, 1))}), QString("KS"));
    }
};

QTEST_APPLESS_MAIN(DiscardTest)
#include "tst_discard.moc"
