// The main window: its menus and status bar, the table before the first
// deal, a new game played up to the player's turn through the real menu
// command and buttons, and closing while a turn is under way.

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "QuietPlatform.h"

#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        if (!a->isSeparator()) texts << a->text();
    return texts;
}

QMenu* MenuOf(MainWindow& w, int i) { return w.menuBar()->actions().at(i)->menu(); }

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void menusAndStatusBar();
    void beforeTheFirstDeal();
    void newGameRunsToThePlayersTurn();
    void closingStopsATurnUnderWay();
};

void TestMainWindow::menusAndStatusBar() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Meldora"));
    QCOMPARE(Texts(w.menuBar()->actions()),
             (QStringList{"&Game", "&Help", "Op&tions", "Statistics", "&About"}));
    QCOMPARE(Texts(MenuOf(w, 0)->actions()), (QStringList{"New Game", "Load Game", "E&xit Game"}));
    QCOMPARE(Texts(MenuOf(w, 1)->actions()), (QStringList{"General Help"}));
    QCOMPARE(Texts(MenuOf(w, 2)->actions()),
             (QStringList{"Enter Your Name", "Enter Name of West Bot", "Enter name of North Bot",
                          "Enter name of East Bot", "Spee&d", "Cards Animation on and off",
                          "Card sound on and off"}));
    QCOMPARE(Texts(w.command(QStringLiteral("MnuSpeed"))->menu()->actions()),
             (QStringList{"Learning Only Slow", "Slow", "Medium", "Fast"}));
    QCOMPARE(Texts(MenuOf(w, 3)->actions()), (QStringList{"Current Scores", "General Statistics"}));
    QVERIFY(w.command(QStringLiteral("MnuNew"))->isEnabled());
    QVERIFY(w.command(QStringLiteral("MnuExit"))->isEnabled());

    const QStringList tips{"The round number being played", "Melds required for Contract",
                           "The points in your hand", "Number  cards in your hand", "Playing Now"};
    for (int i = 1; i <= 5; ++i) QCOMPARE(w.statusPanel(i)->toolTip(), tips[i - 1]);
}

void TestMainWindow::beforeTheFirstDeal() {
    MainWindow w;
    const TableModel& m = w.game().ui;
    QVERIFY(m.lblTitle.Visible);
    for (int n = 1; n <= kCardCount; ++n) QVERIFY(!m.Cds[n].Enabled);

    // The Game menu follows the model (it is off while a round is dealt).
    w.game().ui.MnuGameEnabled = false;
    w.syncView();
    QVERIFY(!w.menuBar()->actions().at(0)->isEnabled());
    w.game().ui.MnuGameEnabled = true;
    w.game().ui.StatusPanel[2] = "Contract is:- 2 Sets of 3 cards same.";
    w.syncView();
    QVERIFY(w.menuBar()->actions().at(0)->isEnabled());
    QCOMPARE(w.statusPanel(2)->text(), QStringLiteral("Contract is:- 2 Sets of 3 cards same."));
}

void TestMainWindow::newGameRunsToThePlayersTurn() {
    MainWindow w;
    w.game().settings.Speed = 1;
    w.game().settings.NoAnimation = true;
    w.game().settings.NoSound = true;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // The player passes on every "May I?" offer, with the real button.
    QTimer passer;
    connect(&passer, &QTimer::timeout, &w, [&] {
        QPushButton* pass = w.table()->button(QStringLiteral("CmdPass"));
        if (pass->isVisible()) pass->click();
    });
    passer.start(10);

    w.command(QStringLiteral("MnuNew"))->trigger();

    const Game& g = w.game();
    QVERIFY(g.GameInProgress);
    QVERIFY(g.IsTurn[0]);
    QVERIFY(!g.ui.lblTitle.Visible);
    QCOMPARE(w.statusPanel(1)->text(), QStringLiteral("Round:-  1"));
    QVERIFY(w.table()->button(QStringLiteral("CmdStock"))->isVisible());
    QCOMPARE(g.MayIAnswered, false);

    // The player's hand lies face up and takes the mouse.
    int inHand = 0;
    for (int n = 1; n <= kCardCount; ++n) {
        if (g.CardTable[n].Location != LocPlayer) continue;
        ++inHand;
        QCOMPARE(g.ui.Cds[n].Picture, n);
        const CardImage& c = g.ui.Cds[n];
        QCOMPARE(w.table()->cardAt(QPoint(c.Left + 100, c.Top + 100)), n);
    }
    QCOMPARE(inHand, g.CardsInHand[0]);

    // Sorting by value through the button re-lays the hand.
    w.table()->button(QStringLiteral("CmdSortSame"))->click();
    QVERIFY(!g.SortBySuits);
    w.table()->button(QStringLiteral("CmdSortSuits"))->click();
    QVERIFY(g.SortBySuits);
}

void TestMainWindow::closingStopsATurnUnderWay() {
    MainWindow w;
    w.game().settings.Speed = 200;
    w.game().settings.NoAnimation = true;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    bool returned = false;
    int depthAtClose = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, &w, [&] {
        w.command(QStringLiteral("MnuNew"))->trigger();
        returned = true;
    });
    QTimer::singleShot(300, &w, [&] {
        depthAtClose = w.host().waitDepth();
        w.close();
    });
    QTRY_VERIFY_WITH_TIMEOUT(returned, 5000);
    QTRY_VERIFY(!w.isVisible());
    QCOMPARE_GE(depthAtClose, 1);
    QVERIFY(!w.game().ChainActive());
    QVERIFY(w.host().shuttingDown());
    // The deal that was under way did not play on to its end.
    QVERIFY(!w.game().GameInProgress);
    // Well before the deal and the robots' turns could have run at this pace.
    QCOMPARE_LT(clock.elapsed(), 2000);
}

QTEST_MAIN(TestMainWindow)
#include "tst_ui_mainwindow.moc"
