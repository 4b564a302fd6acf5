// The robots' hand pattern finders: same-value groups, runs of three and
// four, gaps filled by the discard or a Joker, Ace-high runs, and the
// clearing of their marks.

#include <QtTest>

#include "RobotTable.h"
#include "robots/Robots.h"

using namespace meldora;
using namespace meldora::test;

namespace {
constexpr int West = 1;

QStringList Sorted(const QString& cards) {
    QStringList list = cards.split(' ', Qt::SkipEmptyParts);
    list.sort();
    return list;
}

// Runs one finder on West's hand, collected (and, for the finders that
// take the list as they find it, sorted) as their callers leave it.
bool Find(Game& g, const QString& finder) {
    if (finder.contains("Aces high")) AcesHigh(g, West);
    g.RoundOver = finder.contains("round over");
    g.CollectHand(West);
    if (finder.startsWith("four")) {
        CheckForRunOne(g, West);
        return g.RunFound[West][1];
    }
    if (finder.startsWith("three")) return CheckForRunof3(g, West, 1);
    if (finder.startsWith("gap+Joker")) return CheckInBetweenCardPlusJoker(g, West, 1, SuitHearts);
    g.SortHandCardsByValue();
    if (finder == "ace-high") return CheckForAceHighRun(g, West, 1);
    return CheckInBetweenCard(g);
}
}  // namespace

class FindersTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data() {
        QTest::addColumn<QString>("finder");
        QTest::addColumn<QString>("table");  // round 3; a bare list is West's hand
        QTest::addColumn<QString>("run");    // run slot 1 afterwards
        QTest::addColumn<bool>("found");
        QTest::newRow("the lowest four") << "four" << "5D 6D 7D 8D 2S 3S 4S 5S 6S" << "2S 3S 4S 5S" << true;
        QTest::newRow("later copy inside, first on top") << "four" << "3D 3D 4D 4D 5D 6D 6D" << "3D 4D' 5D 6D" << true;
        QTest::newRow("suits do not mix") << "four" << "9H TH JD QH" << "" << false;
        QTest::newRow("an Ace counts low") << "four" << "AC 2C 3C 4C" << "AC 2C 3C 4C" << true;
        QTest::newRow("three are not four") << "four" << "4S 5S 6S TC" << "" << false;
        QTest::newRow("exactly three") << "three" << "4S 5S 6S TC" << "4S 5S 6S" << true;
        QTest::newRow("four are not three") << "three" << "4S 5S 6S 7S" << "" << false;
        QTest::newRow("gap above") << "gap+Joker" << "5H 6H 8H JK" << "5H 6H JK=7H 8H" << true;
        QTest::newRow("gap below") << "gap+Joker" << "4H 6H 7H JK" << "4H JK=5H 6H 7H" << true;
        QTest::newRow("no Joker") << "gap+Joker" << "5H 6H 8H" << "" << false;
        QTest::newRow("nothing above Jack-Queen") << "gap+Joker, Aces high" << "JH QH AH JK" << "" << false;
        QTest::newRow("pair split in the sorted list") << "gap+Joker" << "5H 5S 6H 8H JK" << "" << false;
        QTest::newRow("Ace-high, the King last") << "ace-high" << "AC JC QC KC 4H" << "JC QC KC AC" << true;
        QTest::newRow("Ace-high, a Queen between") << "ace-high" << "AC JC QC QH KC" << "" << false;
        QTest::newRow("discard fills a gap") << "discard gap" << "W: 5H 7H QS | D: 6H" << "" << true;
        QTest::newRow("discard gap, a Six between") << "discard gap" << "W: 5H 6C 7H QS | D: 6H" << "" << false;
        QTest::newRow("four, round over") << "four, round over" << "4S 5S 6S 7S" << "" << false;
        QTest::newRow("gap+Joker, round over") << "gap+Joker, round over" << "5H 6H 8H JK" << "" << false;
    }
    void runs() {
        QFETCH(QString, finder);
        QFETCH(QString, table);
        QFETCH(QString, run);
        QFETCH(bool, found);
        Table t;
        t.Set(3, qPrintable(table.contains(':') ? table : "W: " + table));
        if (finder.startsWith("four") || finder.startsWith("three"))
            t.g.RunCard1[West][1] = 99;  // left by an earlier search: a failed start clears it
        QCOMPARE(Find(t.g, finder), found);
        QCOMPARE(RunSlot(t.g, West, 1), run);
        QCOMPARE(t.g.RunFound[West][1], found && !finder.startsWith("three") && finder != "discard gap");
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::InRun)), Sorted(run));
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::RunKeep)), Sorted(run));
        QCOMPARE(Sorted(Marked(t.g, &CardRecord::InRunOf3)), finder == "three" ? Sorted(run) : QStringList());
        if (const int ace = CardNamed(t.g, West, "AC"))
            QCOMPARE(t.g.CardTable[ace].Value, found && finder == "ace-high" ? 14 : 1);
    }

    void sameValueGroupsTakeOnlyFreeCards() {
        Table t;
        t.Set(1, "W: 7D 7C 7H 7S 2D | N: 9D 9S");
        t.g.CollectHand(West);
        QVERIFY(CheckFor3Same(t.g, 7));
        QCOMPARE(Marked(t.g, &CardRecord::InSet), QString("7D 7C 7H"));
        QVERIFY(!CheckFor3Same(t.g, 7));
        QVERIFY(!CheckFor2Same(t.g, 7));
        t.g.CollectHand(2);
        const int nine = CardNamed(t.g, 2, "9S");
        t.g.CardTable[nine].InRun = true;
        QVERIFY(!CheckFor2Same(t.g, 9));
        QCOMPARE(Marked(t.g, &CardRecord::InSet), QString("7D 7C 7H"));
        t.g.CardTable[nine].InRun = false;
        t.g.RoundOver = true;
        QVERIFY(!CheckFor2Same(t.g, 9));
    }

    void clearingFreesTheSeatsJokersButKeepsRunSlots() {
        Table t;
        t.Set(2, "W: 5D 6D 8D JK JK | N: JK");
        t.g.CollectHand(West);
        QVERIFY(CheckInBetweenCardPlusJoker(t.g, West, 1, SuitDiamonds));
        QCOMPARE(t.g.RunCard3[West][1], 106);  // the higher of West's two free Jokers
        t.g.CardTable[107].Value = 9;          // North's Joker is not West's to clear
        QCOMPARE(CountFreeJokers(t.g, West), 1);
        ClearInSetInRun(t.g, West);
        QCOMPARE(CountFreeJokers(t.g, West), 2);
        QCOMPARE(RunSlot(t.g, West, 1), QString("5D 6D JK 8D"));
        QCOMPARE(t.g.CardTable[106].Suit, int(SuitNone));
        QCOMPARE(t.g.CardTable[107].Value, 9);
        QVERIFY(!t.g.RunFound[West][1]);
        QCOMPARE(Marked(t.g, &CardRecord::InRun), QString());
        QCOMPARE(Marked(t.g, &CardRecord::RunKeep), QString("5D 6D 8D JK"));
    }
};

QTEST_GUILESS_MAIN(FindersTest)
#include "tst_finders.moc"
