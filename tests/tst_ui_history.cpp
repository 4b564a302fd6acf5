// The Game History window as the menu opens it on a data folder of 300
// games: the table holds every game and replays the deal of the row chosen
// however it is sorted, the summary names the averages, and a damaged line
// is told of once however often the window is opened.

#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "storage/History.h"
#include "ui/HistoryWindow.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// Game i: deal 5000 + i; the player scores 2 * (i % 50) in round 1, West
// 100, North 200 and East 300 in round 4. So the player wins every game,
// averaging 49 points against the robots' 200.
QByteArray History(int games) {
    std::string text;
    for (int i = 0; i < games; ++i) {
        GameRecord g{"2025-01-02 10:00", 5000 + i, i % 3 == 0, {"Player", "WestBot", "NorthBot", "EastBot"}, {}, 0};
        g.Points[0][1] = 2 * (i % 50);
        for (int s = 1; s < 4; ++s) g.Points[s][4] = 100 * s;
        text += HistoryLine(g);
    }
    return QByteArray::fromStdString(text);
}

}  // namespace

class TestHistoryWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void opensOnThreeHundredGames() {
        QTemporaryDir dir;
        QFile file(dir.filePath(kHistoryFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(History(150) + "1,\"torn\r\n" + History(300).mid(History(150).size()));
        file.close();
        MainWindow w(1, dir.path());
        meldora::test::QuickWindow(w);
        meldora::test::OnMayI(w, [&w] { w.table()->button(QStringLiteral("CmdPass"))->click(); });

        // The program's message window, answered as it comes; its prompts kept.
        QStringList told;
        QTimer look;
        connect(&look, &QTimer::timeout, [&] {
            auto* form = qobject_cast<MFormDeluxe*>(QApplication::activeModalWidget());
            if (!form || !form->isVisible()) return;
            told << form->findChild<QLabel*>(QStringLiteral("lblPrompt"))->text();
            QTest::mouseClick(form->Pic1(0), Qt::LeftButton);
        });
        look.start(5);
        w.command(QStringLiteral("MnuHistory"))->trigger();
        auto* h = w.findChild<HistoryWindow*>();
        QVERIFY(h);
        h->close();
        w.command(QStringLiteral("MnuHistory"))->trigger();
        QVERIFY(h->isVisible());
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].startsWith("History.dat: one game could not be read and is left out (line 151: "), qPrintable(told[0]));

        QCOMPARE(h->table()->rowCount(), 300);
        QCOMPARE(h->summary(), QStringLiteral("Your average 49 points per game against the robots' 200 over 300 games. "
                                              "You won 300 of them."));

        // Sorted by the player's points, highest first: the first row is a
        // game with 98 points, the first such being game 49 (deal 5049).
        QTableWidget* t = h->table();
        h->tabs()->setCurrentWidget(t);
        t->sortByColumn(0, Qt::AscendingOrder);
        t->sortByColumn(5, Qt::DescendingOrder);  // a stable sort keeps the game order among equals
        QCOMPARE(t->item(0, 5)->text(), QStringLiteral("98"));
        t->scrollToTop();
        const QPoint cell = t->visualItemRect(t->item(0, 1)).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cell);
        QTRY_COMPARE(w.game().DealNumber, 5049);  // the deal is played again
        QTest::keyClick(t, Qt::Key_Down);  // the next game with 98 points
        QTest::keyClick(t, Qt::Key_Return);
        QTRY_COMPARE(w.game().DealNumber, 5099);  // after the new-game question, answered "New Game"
        QVERIFY(h->isVisible());
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_ui_history.moc"
