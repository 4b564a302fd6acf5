// The real window played from the keyboard: the same table played once
// with key presses and once with the mouse ends the same, robots' turns
// included, and Escape or a refused drop leaves the card where it lay.

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "QuietPlatform.h"
#include "headless/Notation.h"
#include "player/Player.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// One act of the player on a laid-out table.
struct Act {
    enum Kind { Move, Escape, Steal, Joker } kind;
    const char* card;  // as the notation names it
    int target = 0;    // meld column, 0 the discard area; for Joker: value index 0..12
    int suit = 0;      // for Joker: panel index 13..17
};

int FindCard(const Game& g, const char* text, bool inHand) {
    for (int c = 1; c <= kCardCount; ++c) {
        const int loc = g.CardTable[c].Location;
        if ((loc == LocPlayer) != inHand || (!inHand && loc != LocMeld)) continue;
        const std::string name = CardText(g, c);
        if (name == text || (IsJoker(c) && std::string(text) == "JK")) return c;
    }
    return 0;
}

// Where the player's mouse lets a card go for a target: the card's corner
// onto the column's next free row, far enough inside the column that a
// pixel's rounding on a small table keeps it there, or onto the discard area.
QPointF DropSpot(const Game& g, int target) {
    if (target == 0) return {layout::kDiscardArea.left + 300.0, layout::kDiscardArea.top + 200.0};
    const int rows = std::min(g.MeldTable[target].Count, 12);
    return {layout::MeldColumnLeft(target) + 100.0, layout::kMeldCardTop + layout::kMeldCardStep * rows + 0.0};
}

class Session {
public:
    Session() : w(23) {
        w.host().setPaceScale(0);
        g().settings.Speed = 1;
        g().settings.NoAnimation = true;
        g().settings.NoSound = true;
        w.show();
        w.activateWindow();
        ok = QTest::qWaitForWindowActive(&w);
        // Every "May I?" offer is passed with the Pass button's access key.
        QObject::connect(&passer, &QTimer::timeout, &w, [this] {
            if (w.table()->button(QStringLiteral("CmdPass"))->isVisible())
                QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
        });
        passer.start(5);
    }
    Game& g() { return w.game(); }

    // A new game, the player's draw, then the given table in its place.
    void LayOut(int round, const char* table, bool hasContract) {
        w.command(QStringLiteral("MnuNew"))->trigger();
        QTest::keyClick(&w, Qt::Key_K, Qt::AltModifier);
        ok = ok && QTest::qWaitFor([&] { return g().PlayerHasDrawn && !g().ChainActive(); }, 5000);
        Game& game = g();
        game.ClearNextRound();
        game.SetCardFaces();
        game.Round = round;
        const Contract& contract = ContractForRound(round);
        for (int seat = 0; seat < 4; ++seat)
            for (int i = 0; i < contract.meldCount; ++i)
                game.MeldTable[FirstMeldSlot(seat, round) + i].Kind = contract.kinds[i];
        SetUpTable(game, table);
        for (bool& t : game.IsTurn) t = false;
        game.IsTurn[0] = true;
        game.PlayerHasDrawn = true;
        game.HasContract[0] = hasContract;
        w.syncView();
        w.table()->setFocus();
    }

    void Key(Qt::Key key) { QTest::keyClick(w.table(), key); }

    // Brings the keyboard's focus frame onto the card.
    bool FocusOn(int card) {
        Key(Qt::Key_Home);
        for (int i = 0; i < 40 && g().ui.Keys.FocusCard != card; ++i) Key(Qt::Key_Right);
        return g().ui.Keys.FocusCard == card;
    }

    QPoint Pixel(QPointF twips) { return w.table()->mapping().toPixels(twips).toPoint(); }

    void Click(int card) {
        layout::Point at;
        if (!g().ui.GrabPoint(card, at)) return;
        QTest::mouseClick(w.table(), Qt::LeftButton, {}, Pixel(QPointF(at.left, at.top)));
    }

    void DoKeys(const Act& a) {
        const int card = FindCard(g(), a.card, a.kind != Act::Steal);
        QVERIFY2(card != 0, a.card);
        QVERIFY2(FocusOn(card), a.card);
        Key(Qt::Key_Space);
        if (a.kind == Act::Steal) return;
        if (a.kind == Act::Joker) {
            QVERIFY(g().ui.FramJoker.Visible);
            while (g().ui.Keys.JokerChoice != a.target) Key(Qt::Key_Right);
            Key(Qt::Key_Space);
            Key(Qt::Key_Down);
            while (g().ui.Keys.JokerChoice != a.suit) Key(Qt::Key_Right);
            Key(Qt::Key_Space);
            QTest::keyClick(&w, Qt::Key_O, Qt::AltModifier);  // "&O.K"
            QVERIFY(QTest::qWaitFor([&] { return !g().ui.FramJoker.Visible; }, 2000));
            return;
        }
        QVERIFY2(g().ui.Keys.Lifted, a.card);
        if (a.kind == Act::Escape) return Key(Qt::Key_Escape);
        if (a.target == 0) Key(Qt::Key_Down);
        for (int i = 0; i < 20 && g().ui.Keys.Target != a.target; ++i) Key(Qt::Key_Right);
        QCOMPARE(g().ui.Keys.Target, a.target);
        Key(Qt::Key_Space);
    }

    void DoMouse(const Act& a) {
        const int card = FindCard(g(), a.card, a.kind != Act::Steal);
        QVERIFY2(card != 0, a.card);
        if (a.kind == Act::Steal) return Click(card);
        if (a.kind == Act::Joker) {
            Click(card);
            QVERIFY(g().ui.FramJoker.Visible);
            for (int choice : {a.target, a.suit}) {
                QLabel* label = w.table()->findChild<QLabel*>(QStringLiteral("LblValue%1").arg(choice));
                QVERIFY(label);
                QTest::mouseClick(label, Qt::LeftButton);
            }
            w.table()->button(QStringLiteral("CmdJoker"))->click();
            return;
        }
        layout::Point at;
        QVERIFY(g().ui.GrabPoint(card, at));
        const CardImage& img = g().ui.Cds[card];
        const QPointF offset(at.left - img.Left, at.top - img.Top);
        const QPoint from = Pixel(QPointF(at.left, at.top));
        // Escape's counterpart: let go where it was picked up.
        const QPoint to = a.kind == Act::Escape ? from : Pixel(DropSpot(g(), a.target) + offset);
        QTest::mousePress(w.table(), Qt::LeftButton, {}, from);
        QTest::mouseMove(w.table(), (from + to) / 2);
        QTest::mouseMove(w.table(), to);
        QTest::mouseRelease(w.table(), Qt::LeftButton, {}, to);
    }

    // The table, the yellow label and the status lines, for comparing.
    QString Look() {
        if (!QTest::qWaitFor([&] { return !g().ChainActive(); }, 5000)) return "still playing";
        return QString::fromStdString(DescribeTable(g()) + " | info: " + g().ui.LblInfo.Caption +
                                      " | P: " + g().ui.LblP.Caption + " | turn0: " +
                                      (g().IsTurn[0] ? "yes" : "no"));
    }

    MainWindow w;
    QTimer passer;
    bool ok = false;
};

const char* const kRobotHands = "W: 2S 3S 5H 8H KH | N: 2H 3H 5D 8D KD | E: 2D 3C 5S 8C KS";

}  // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void keysPlayLikeTheMouse_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("hasContract");
        QTest::addColumn<QList<int>>("acts");  // indexes into the scenario's acts
        QTest::addColumn<QString>("expect");   // a piece of the keyboard's table

        QTest::newRow("contract then discard")
            << 1 << QString("P: 7H 7C 7D 9S 9C 9D 4H KC | %1").arg(kRobotHands) << false << QList<int>{0}
            << "M7: 7D 7C 7H | M8: 9D 9C 9S";
        QTest::newRow("steal, Joker valued and laid off, refused and escaped moves, discard")
            << 2
            << QString("P: 6C QC JK 8S 3D | %1 | M1: 8C 9C TC JC | M3: 4C 5C JK=6C 7C | "
                       "M7: 4S 5S 6S 7S | M8: QD QC QH")
                   .arg(kRobotHands)
            << true << QList<int>{1} << "M3: 4C 5C 6C 7C";
    }

    void keysPlayLikeTheMouse() {
        QFETCH(int, round);
        QFETCH(QString, table);
        QFETCH(bool, hasContract);
        QFETCH(QList<int>, acts);
        QFETCH(QString, expect);
        static const std::vector<std::vector<Act>> scenarios = {
            {{Act::Move, "7H", 7}, {Act::Move, "7C", 7}, {Act::Move, "7D", 7}, {Act::Move, "9S", 8},
             {Act::Move, "9C", 8}, {Act::Move, "9D", 8}, {Act::Move, "4H", 0}},
            {{Act::Steal, "JK=6C"}, {Act::Joker, "JK", 2, 16}, {Act::Move, "JK", 7},
             {Act::Move, "QC", 8}, {Act::Move, "8S", 1}, {Act::Escape, "3D"}, {Act::Move, "3D", 0}},
        };
        const std::vector<Act>& scenario = scenarios[acts.front()];

        QStringList looks[2];
        for (int path = 0; path < 2; ++path) {
            Session s;
            QVERIFY(s.ok);
            const QByteArray text = table.toLatin1();
            s.LayOut(round, text.constData(), hasContract);
            QVERIFY(s.ok);
            for (const Act& a : scenario) {
                const int card = FindCard(s.g(), a.card, a.kind != Act::Steal);
                const CardImage before = s.g().ui.Cds[card];
                if (path == 0) s.DoKeys(a);
                else s.DoMouse(a);
                if (QTest::currentTestFailed()) return;
                const CardImage& after = s.g().ui.Cds[card];
                const bool stays = a.kind == Act::Escape || (a.kind == Act::Move && a.target == 1);
                if (stays) {
                    // Put back, or sent back with the reason: where it lay, in the hand.
                    QCOMPARE(s.g().CardTable[card].Location, int(LocPlayer));
                    QCOMPARE(after.Left, before.Left);
                    QCOMPARE(after.Top, before.Top);
                    QVERIFY(!s.g().ui.Keys.Lifted);
                }
                looks[path] << s.Look();
            }
            if (path == 0) QVERIFY2(looks[0].join('\n').contains(expect), qPrintable(looks[0].join('\n')));
        }
        for (int i = 0; i < looks[0].size(); ++i) QCOMPARE(looks[0][i], looks[1][i]);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_ui_keys.moc"
