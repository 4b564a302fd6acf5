// The real window played with real input: the access key draws, and a card
// dragged with the mouse onto the discard area is discarded, with the same
// result at two window sizes, since drops are judged in the table's twips.

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "headless/Notation.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// Plays from a new game to the player's second turn and describes the table.
QString PlayTwoTurns(const QSize& tableSize, QString* info) {
    MainWindow w(11);
    meldora::test::QuickWindow(w);
    Game& g = w.game();
    w.show();
    w.table()->resize(tableSize);
    w.resize(w.size() + (tableSize - w.table()->size()));
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w)) return "not active";
    // Every "May I?" offer is passed with the Pass button's access key.
    QTimer passer;
    QObject::connect(&passer, &QTimer::timeout, &w, [&] {
        if (w.table()->button(QStringLiteral("CmdPass"))->isVisible())
            QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
    });
    passer.start(5);
    w.command(QStringLiteral("MnuNew"))->trigger();
    if (!g.IsTurn[0]) return "not the player's turn";

    // An access key clicks its button a moment later; wait for the draw to end.
    QTest::keyClick(&w, Qt::Key_K, Qt::AltModifier);  // "Take Stoc&k Card"
    if (!QTest::qWaitFor([&] { return g.PlayerHasDrawn && !g.ChainActive(); }, 5000))
        return "the access key did not draw";

    // The player's leftmost card, grabbed near its corner and let go over
    // the discard area.
    int card = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == LocPlayer && (card == 0 || g.ui.Cds[c].Left < g.ui.Cds[card].Left)) card = c;
    const TableGeometry map = w.table()->mapping();
    const CardImage& img = g.ui.Cds[card];
    const QPoint grab = map.toPixels(QPointF(img.Left + 150, img.Top + 150)).toPoint();
    const QPoint drop = map.toPixels(QPointF(13400 + 150, 8500 + 150)).toPoint();
    QWidget* table = w.table();
    QTest::mousePress(table, Qt::LeftButton, {}, grab);
    QTest::mouseMove(table, (grab + drop) / 2);
    QTest::mouseMove(table, drop);
    QTest::mouseRelease(table, Qt::LeftButton, {}, drop);
    *info = QString::number(card);
    if (g.CardTable[card].Location == LocPlayer) return "the card came back";
    if (!g.IsTurn[0] && !g.RoundOver) return "the robots did not play on";
    return QString::fromStdString(DescribeTable(g));
}

}  // namespace

class TestPlay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void sameGameAtEveryScale() {
        QString cardSmall, cardLarge;
        const QString small = PlayTwoTurns(TablePixelSize(), &cardSmall);
        const QString large = PlayTwoTurns(TablePixelSize() * 2, &cardLarge);
        QVERIFY2(small.contains("P:"), qPrintable(small));
        QCOMPARE(cardLarge, cardSmall);
        QCOMPARE(large, small);
    }
};

QTEST_MAIN(TestPlay)
#include "tst_ui_play.moc"
