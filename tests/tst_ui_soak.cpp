// Whole seven-round games in the real window, South played by the autopilot
// with the window's own mouse: cards pressed, carried and let go on
// the table in pixels, buttons and the Joker panel's choices clicked, "May I?" answered and the message
// windows closed with their buttons. The table's invariants hold after every
// turn, the board adds up after every round, and Qt says nothing amiss.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "headless/Autopilot.h"
#include "game/TableChecks.h"
#include "headless/Notation.h"
#include "player/Player.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

constexpr int kGames = 20;

class Hands {
public:
    explicit Hands(MainWindow& w) : w_(w) {}

    QPoint Pixel(layout::Point p) const { return w_.table()->mapping().toPixels(QPointF(p.left, p.top)).toPoint(); }

    AutopilotHands Make() {
        AutopilotHands h;
        h.press = [this](layout::Point p) {
            QTest::mousePress(w_.table(), Qt::LeftButton, {}, Pixel(p));
        };
        h.move = [this](layout::Point p) {
            QTest::mouseMove(w_.table(), Pixel(p));
        };
        h.release = [this](layout::Point p) {
            QTest::mouseRelease(w_.table(), Qt::LeftButton, {}, Pixel(p));
        };
        h.click = [this](const std::string& name) { Click(QString::fromStdString(name)); };
        return h;
    }

    // What a press found wrong: a control that was not there to press.
    QString fault;

private:
    void Click(const QString& name) {
        if (name.startsWith(QLatin1String("LblValue"))) {
            auto* label = w_.table()->panel(QStringLiteral("FramJoker"))->findChild<QLabel*>(name);
            if (!label || !label->isVisible()) return Missing(name);
            QTest::mouseClick(label, Qt::LeftButton);
            return;
        }
        QPushButton* b = w_.table()->button(name);
        if (!b || !b->isVisible() || !b->isEnabled()) return;  // nothing there to press
        QTest::mouseClick(b, Qt::LeftButton);
    }

    void Missing(const QString& what) {
        if (fault.isEmpty()) fault = "could not press " + what;
    }

    MainWindow& w_;
};

}  // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void wholeGamesByHand();
};

void TestSoak::wholeGamesByHand() {
    const int gameCount = kGames;
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    MainWindow w(7);
    meldora::test::QuickWindow(w);
    Game& g = w.game();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    Hands hands(w);
    Autopilot pilot(g);
    pilot.setHands(hands.Make());

    QString fault;  // the first broken invariant
    g.onTurnDone = [&](int seat) {
        std::string f = CheckTableInvariants(g);
        if (f.empty()) f = CheckMelds(g);
        if (f.empty()) f = CheckTableLayout(g);
        if (!f.empty() && fault.isEmpty())
            fault = QStringLiteral("round %1 after seat %2: %3\n  table: %4")
                        .arg(g.Round)
                        .arg(seat)
                        .arg(QString::fromStdString(f), QString::fromStdString(DescribeTable(g)));
    };

    // "May I?" is answered by the autopilot when asked; a message window
    // ("Stock empty") is closed with its first button. Both wait in nested
    // loops, so they are looked for from a timer.
    meldora::test::OnMayI(w, [&] { pilot.AnswerMayI(); });
    // A message can open under the answer ("May I?" draws from an empty
    // stock), and a timer does not fire again inside its own slot: messages
    // are answered from a second one.
    QTimer close;
    QObject::connect(&close, &QTimer::timeout, &w, [&] {
        if (auto* form = w.findChild<MFormDeluxe*>(); form && form->isVisible())
            QTest::mouseClick(form->Pic1(0), Qt::LeftButton);
    });
    close.start(2);

    w.command(QStringLiteral("MnuNew"))->trigger();
    int games = 0, rounds = 0;
    for (int guard = 0; guard < 200000 && games < gameCount; ++guard) {
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(hands.fault.isEmpty(), qPrintable(hands.fault));
        if (g.RoundOver || g.GameOver) {
            const std::string board = CheckRoundScores(g);
            QVERIFY2(board.empty(), board.c_str());
            ++rounds;
            if (g.GameOver && ++games == gameCount) break;
            QPushButton* next = w.table()->button(QStringLiteral("CmdFinished"));
            QVERIFY(next->isVisible());
            QTest::mouseClick(next, Qt::LeftButton);
            continue;
        }
        QVERIFY2(g.IsTurn[0], "the chain stopped with no turn for the player");
        QVERIFY2(pilot.PlayTurn(), qPrintable("the autopilot found no move to end its turn on " +
                                              QString::fromStdString(DescribeTable(g)) + "\n  " + hands.fault));
    }
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(games, gameCount);
    QCOMPARE(rounds, 7 * gameCount);
    const AutopilotCounts& c = pilot.counts();
    // The hands reached the cards on the table: every press found its card.
    QCOMPARE(c.directPresses, 0);
    QCOMPARE_GT(c.layOffs, 0);
}

QTEST_MAIN(TestSoak)
#include "tst_ui_soak.moc"
