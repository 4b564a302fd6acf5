// The Expert robots: decisions taken from what the seat sees and nothing
// else, a few tables where the right choice is plain, and a whole turn that
// lays a contract with a Joker and a high Ace.

#include <QtTest>

#include "RobotTable.h"
#include "game/TableChecks.h"
#include "headless/SelfPlay.h"
#include "robots/Expert.h"

using namespace meldora;
using namespace meldora::test;

namespace {

QString Card(const Game& g, int card) { return card ? QString::fromStdString(CardText(g, card)) : "-"; }

// Every decision the seat would take on the table as it stands, as text.
QString Decisions(const Game& g, int seat) {
    const SeatView v = ViewFor(g, seat);
    const TableMove move = ExpertTableMove(v);
    QStringList contract;
    for (const auto& meld : ExpertContract(v))
        for (const LaidCard& c : meld) contract << Card(g, c.card);
    return QString("take %1, May I %2, move %3 %4 %5 %6, contract %7, discard %8")
        .arg(ExpertTakesDiscard(v)).arg(ExpertSaysMayI(v)).arg(move.kind).arg(Card(g, move.card))
        .arg(move.slot).arg(move.value).arg(contract.join(' ')).arg(Card(g, ExpertDiscard(v)));
}

// Deals the cards the seat cannot see (the other hands and the stock) out
// again at random, each place keeping its count; answers the old places.
std::vector<int> ShuffleHidden(Game& g, int seat, Random& rng) {
    std::vector<int> cards, places;
    for (int c = 1; c <= kCardCount; ++c) {
        const int at = g.CardTable[c].Location;
        if (at == LocStock || (at >= 0 && at <= 3 && at != seat)) {
            cards.push_back(c);
            places.push_back(at);
        }
    }
    std::vector<int> dealt = places;
    for (int i = static_cast<int>(dealt.size()) - 1; i > 0; --i) std::swap(dealt[i], dealt[rng.Below(i + 1)]);
    for (std::size_t i = 0; i < cards.size(); ++i) g.CardTable[cards[i]].Location = dealt[i];
    std::vector<int> old(kCardCount + 1, -1);
    for (std::size_t i = 0; i < cards.size(); ++i) old[cards[i]] = places[i];
    return old;
}

void PutBack(Game& g, const std::vector<int>& old) {
    for (int c = 1; c <= kCardCount; ++c)
        if (old[c] >= 0) g.CardTable[c].Location = old[c];
}

}  // namespace

class ExpertTest : public QObject {
    Q_OBJECT
private slots:
    // After every turn of whole seeded games, each Expert seat decides the
    // same before and after the cards it cannot see are dealt out afresh.
    void decidesFromWhatItSees() {
        Random shuffle(99);
        QString mismatch;
        int looks = 0;
        for (unsigned seed = 1; seed <= 5 && mismatch.isEmpty(); ++seed) {
            SelfPlay play(seed, false, ExpertRobots());
            Game& g = play.game();
            const auto observe = g.onTurnDone;
            g.onTurnDone = [&](int seat) {
                observe(seat);
                if (g.RoundOver || g.GameOver || !mismatch.isEmpty()) return;
                for (int s = 1; s <= 3; ++s) {
                    const QString before = Decisions(g, s);
                    const std::vector<int> old = ShuffleHidden(g, s, shuffle);
                    const QString after = Decisions(g, s);
                    if (after != before && mismatch.isEmpty())
                        mismatch = QString("seat %1 on %2:\n  %3\n  %4")
                                       .arg(s).arg(QString::fromStdString(DescribeTable(g)), before, after);
                    PutBack(g, old);
                    ++looks;
                }
            };
            play.PlayGame();
        }
        QCOMPARE(mismatch, QString());
        QVERIFY(looks > 1000);
    }

    // West's choice on a pinned table; `record` is what North was seen to
    // take from the pile before ("KH": North holds the King of Hearts it took).
    void pinned_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("record");
        QTest::addColumn<bool>("west");   // West has laid its contract
        QTest::addColumn<bool>("north");  // North has laid its contract
        QTest::addColumn<QString>("decision");
        QTest::addColumn<QString>("expected");
        QTest::newRow("take the discard that completes a run")
            << 3 << "W: 5H 6H 8H 9C TC JC QC 2S 4D KS | D: 3C 7H" << "" << false << false << "take" << "1";
        QTest::newRow("leave a discard that helps nothing")
            << 3 << "W: 5H 6H 8H 9C TC JC QC 2S 4D KS | D: 3C KD" << "" << false << false << "take" << "0";
        QTest::newRow("May I? for the third of a set")
            << 1 << "W: 4C 4H 9C 9H KD QC 6S 2D 3H 7S | D: 3C 9S" << "" << false << false << "May I" << "1";
        QTest::newRow("no May I? for an Ace that helps nothing")
            << 1 << "W: 4C 4H 4S 9C 9H 9S KD QC 6S 2D | D: AD AD AC AC AH AH 3C AS" << "" << false << false << "May I" << "0";
        // Every other King and Queen is gone but the one North took: West's
        // King and Queen are worth the same to West.
        QTest::newRow("keep the card the next seat collects")
            << 1 << "W: 4C 4H 9C 9H KD QC 6S | N: KH 2C 3C | D: KS KS KC KC QS QS QD QD QH QH 7D"
            << "KH" << false << false << "discard" << "QC";
        QTest::newRow("nothing North takes to go out")
            << 1 << "W: 4C 4H 9C 9H 8C 7D 2S | N: 3C | M3: 8D 8H 8S | M4: 5D 5C 5S | D: 7C"
            << "" << false << true << "discard" << "7D";
        QTest::newRow("a Joker out of a run for its card")
            << 3 << "W: 7H 2C | M5: 5H 6H JK=7H 8H" << "" << true << false << "move" << "1 7H 5";
        QTest::newRow("a Joker onto a set, not a run")
            << 2 << "W: JK 2C | M4: 9D 9C 9S | M5: 5H 6H 7H 8H" << "" << true << false << "move" << "2 JK 4";
    }
    void pinned() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(QString, record);
        QFETCH(bool, west);
        QFETCH(bool, north);
        QFETCH(QString, decision);
        QFETCH(QString, expected);
        Table t(1, ExpertRobots());
        t.Set(round, qPrintable(table));
        if (!record.isEmpty()) t.g.PileRecord.Taken(2, t.Find(2, qPrintable(record)));
        t.g.HasContract[1] = west;
        t.g.HasContract[2] = north;
        const SeatView v = ViewFor(t.g, 1);
        QString got;
        if (decision == "take") got = QString::number(ExpertTakesDiscard(v));
        if (decision == "May I") got = QString::number(ExpertSaysMayI(v));
        if (decision == "discard") got = Card(t.g, ExpertDiscard(v));
        if (decision == "move") {
            const TableMove m = ExpertTableMove(v);
            got = QString("%1 %2 %3").arg(m.kind).arg(Card(t.g, m.card)).arg(m.slot);
        }
        QCOMPARE(got, expected);
    }

    // A whole turn of round 7: three runs laid with their own routines, one
    // with a Joker and one Ace-high, and the last card thrown to go out.
    void laysItsContract() {
        Table t(1, ExpertRobots());
        t.Set(7, "W: JS QS KS AS 2D 3D 4D JK 6C 7C 8C 9C | D: 5H");
        for (bool& turn : t.g.IsTurn) turn = false;
        t.g.IsTurn[1] = true;
        t.g.Robots().PlayBots(t.g, 1);
        QCOMPARE(t.g.HasContract[1], true);
        QCOMPARE(Ends(t.g), QString("1-4 6-9 11-15"));
        QCOMPARE(QString::fromStdString(CheckMelds(t.g)), QString());
        QCOMPARE(t.g.CardsInHand[1], 0);
    }

    // The robots chosen for the game play from the next deal on.
    void robotsFromTheNextDeal() {
        Table t(1, IdleRobots());
        t.g.ChooseRobots(ExpertRobots());
        QCOMPARE(&t.g.Robots(), &IdleRobots());
        t.g.SetUpNewHand();
        QCOMPARE(&t.g.Robots(), &ExpertRobots());
    }
};

QTEST_GUILESS_MAIN(ExpertTest)
#include "tst_expert.moc"
