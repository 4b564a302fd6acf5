// The main window: its menus and status bar, the start-up with each of the
// welcome's answers, a new game played up to the player's turn through the
// real menu command and buttons, and closing, also while a turn is under way.

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "ui/MFormDeluxe.h"
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

// Answers the next modal windows in turn (the program's own message window
// or a system box), each with the button of the given index or text, once
// it is up; the titles seen go to `titles`. It looks from a timer of its
// own, since the windows' waits run nested.
struct Answer {
    int index;
    QString boxButton;
};
void AnswerModals(QList<Answer> answers, QStringList* titles = nullptr) {
    auto* look = new QTimer;
    look->setInterval(10);
    auto answered = std::make_shared<QString>();  // what the last one answered said
    QObject::connect(look, &QTimer::timeout, [=]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            answered->clear();
            return;
        }
        auto* text = modal->findChild<QLabel*>(QStringLiteral("lblPrompt"));
        const QString said = modal->windowTitle() + (text ? text->text() : QString());
        if (said == *answered) return;  // the last one is still closing
        *answered = said;
        const Answer a = answers.takeFirst();
        if (answers.isEmpty()) {
            look->stop();
            look->deleteLater();
        }
        if (auto* form = qobject_cast<MFormDeluxe*>(modal)) {
            if (titles) *titles << form->titleLabel()->text().trimmed();
            QTest::mouseClick(form->Pic1(a.index), Qt::LeftButton);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (titles) *titles << box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == a.boxButton) b->click();
        }
    });
    look->start();
}


}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void menusAndStatusBar();
    void startUp_data();
    void startUp();
    void longNamesStayInTheirPlace();
    void closing_data();
    void closing();
};

void TestMainWindow::menusAndStatusBar() {
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Meldora"));
    QCOMPARE(Texts(w.menuBar()->actions()),
             (QStringList{"&Game", "&Help", "Op&tions", "Statistics", "&About"}));
    QCOMPARE(Texts(MenuOf(w, 2)->actions()),
             (QStringList{"Enter Your Name", "Enter Name of West Bot", "Enter name of North Bot",
                          "Enter name of East Bot", "Spee&d", "Cards Animation on and off",
                          "Card sound on and off", "Speak cards and moves on and off"}));

    // The Game menu follows the model (it is off while a round is dealt).
    w.game().ui.MnuGameEnabled = false;
    w.syncView();
    QVERIFY(!w.menuBar()->actions().at(0)->isEnabled());
}

// The start-up in a fresh data folder: the settings files are made, the
// seats greeted, and each of the welcome's buttons does its part.
void TestMainWindow::startUp_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Deal 'Em Now") << 0;
    QTest::newRow("Use Menu") << 1;
    QTest::newRow("Load Game, none saved") << 2;
}

void TestMainWindow::startUp() {
    QFETCH(int, answer);
    QTemporaryDir data;
    MainWindow w(3, data.path());
    meldora::test::QuickWindow(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QStringList titles;
    QList<Answer> answers{{answer, {}}};
    if (answer == 2) answers << Answer{0, {}};
    AnswerModals(answers, &titles);
    w.start();
    QTRY_VERIFY(titles.size() == answers.size() && !w.game().ChainActive());
    QCOMPARE(titles, answer == 2 ? (QStringList{"Hello and Welcome", "No game saved"}) : QStringList{"Hello and Welcome"});
    for (const char* file : {"Stats2.dat", "Stats3.dat", "Ani..dat"}) QVERIFY(QDir(data.path()).exists(file));
    const Game& g = w.game();
    if (answer == 0) {
        QTRY_VERIFY(g.GameInProgress && g.IsTurn[0]);
        return;
    }
    QVERIFY(!g.GameInProgress);
    QCOMPARE(g.ui.LblNames[2].Caption, std::string("NorthBot says Hello Player"));
    for (int n = 1; n <= kCardCount; ++n) QVERIFY(!g.ui.Cds[n].Enabled);
}

void TestMainWindow::longNamesStayInTheirPlace() {
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QSize size = w.size();
    const std::string name(400, 'W');
    w.game().settings.SeatNames[1] = name;
    w.game().ui.StatusPanel[5] = name + " playing now.";
    w.game().ui.ScoreNames[1].Caption = name;
    w.game().ui.FramScore.Visible = true;
    w.syncView();
    QCOMPARE(w.size(), size);
    QVERIFY(w.statusPanel(5)->text().endsWith(QChar(0x2026)));  // cut short, in full in its tool tip
    QCOMPARE(w.statusPanel(5)->toolTip().size(), int(name.size()) + 13);
    auto* cell = w.table()->panel(QStringLiteral("FramScore"))->findChild<QLabel*>(QStringLiteral("ScoreNames1"));
    QVERIFY(cell->fontMetrics().horizontalAdvance(cell->text()) <= cell->width());
}

// Closing from the window's close box asks with the system's box; "Yes"
// ends the program within a moment, also in the middle of a robot's turn.
void TestMainWindow::closing_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("midTurn");
    QTest::newRow("No keeps playing") << false << true;
    QTest::newRow("Yes at rest") << true << false;
    QTest::newRow("Yes during a robot's turn") << true << true;
}

void TestMainWindow::closing() {
    QFETCH(bool, yes);
    QFETCH(bool, midTurn);
    MainWindow w;
    w.game().settings.Speed = 200;
    w.game().settings.NoAnimation = true;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // "May I?" offers are passed, so a game that goes on reaches the player.
    QTimer passer;
    connect(&passer, &QTimer::timeout, &w, [&] {
        QPushButton* pass = w.table()->button(QStringLiteral("CmdPass"));
        if (pass->isVisible()) pass->click();
    });
    passer.start(5);
    bool returned = !midTurn;
    if (midTurn) {
        QTimer::singleShot(0, &w, [&] {
            w.command(QStringLiteral("MnuNew"))->trigger();
            returned = true;
        });
    }
    QElapsedTimer clock;
    QTimer::singleShot(midTurn ? 300 : 0, &w, [&] {
        AnswerModals({{0, yes ? "Yes" : "No"}});
        clock.start();
        w.close();
    });
    if (!yes) {
        QTRY_VERIFY_WITH_TIMEOUT(returned && clock.isValid() && !QApplication::activeModalWidget(), 20000);
        QVERIFY(w.isVisible());
        QVERIFY(w.game().GameInProgress);  // the game played on to the player's turn
        QVERIFY(w.game().IsTurn[0]);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(returned && !w.isVisible(), 5000);
    QCOMPARE_LT(clock.elapsed(), 1500);
    QVERIFY(!w.game().ChainActive());
    QVERIFY(w.host().shuttingDown());
}

QTEST_MAIN(TestMainWindow)
#include "tst_ui_mainwindow.moc"
