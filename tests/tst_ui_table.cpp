// The table view: twips to pixels at any window size, controls shown and
// placed from the model, the painting order and the keyboard focus.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "QuietPlatform.h"

#include "game/TableModel.h"
#include "ui/CardArt.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void init();
    void cleanup();

    void mapping_data();
    void mapping();
    void controlsFollowTheModel();
    void paintingFollowsStacking();
    void focusGoesWhereTheModelSays();

private:
    CardArt* art = nullptr;
    TableWidget* table = nullptr;
    TableModel* model = nullptr;
};

void TestTable::init() {
    art = new CardArt(QStringLiteral("/nonexistent/deck.svgz"));
    model = new TableModel;
    table = new TableWidget(*art);
    table->resize(2080, 1480);  // the table at 200%
    table->sync(*model);
}

void TestTable::cleanup() { delete table, delete model, delete art; }

void TestTable::mapping_data() {
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("wide: bands left and right") << QSize(1300, 740) << 1.0 << QPointF(130, 0);
    QTest::newRow("tall: bands above and below") << QSize(1040, 1000) << 1.0 << QPointF(0, 130);
    QTest::newRow("maximised 1920x1050") << QSize(1920, 1050) << 1050.0 / 740 << QPointF((1920 - 1040 * 1050.0 / 740) / 2, 0);
}

void TestTable::mapping() {
    QFETCH(QSize, widget);
    QFETCH(double, scale);
    QFETCH(QPointF, offset);
    const TableGeometry g = TableGeometry::fit(widget);
    QCOMPARE(g.scale, scale);
    QCOMPARE(g.offset, offset);
    QCOMPARE(g.toPixels(QPointF(kTableWidth, kTableHeight)), offset + QPointF(1040 * scale, 740 * scale));
    // A card at the player's first place, and back again.
    const QRect card = g.toPixelRect(2120, 8160, kCardWidth, kCardHeight);
    QCOMPARE(g.toTwips(g.toPixels(QPointF(2120, 8160))), QPoint(2120, 8160));
    QVERIFY((g.toTwips(QRectF(card).center()) - QPoint(2652, 8880)).manhattanLength() <= 2 * 15 / scale);
}

void TestTable::controlsFollowTheModel() {
    model->CmdStock.Visible = true;
    model->CmdDiscard.Visible = true;
    model->CmdDiscard.Enabled = false;
    table->sync(*model);

    QPushButton* stock = table->button(QStringLiteral("CmdStock"));
    QVERIFY(stock->isVisibleTo(table));
    // (2120, 9780) 1900 x 420 twips at 200%.
    QCOMPARE(stock->geometry(), QRect(283, 1304, 253, 56));
    QVERIFY(!table->button(QStringLiteral("CmdDiscard"))->isEnabled());
    QVERIFY(!table->button(QStringLiteral("CmdSortSame"))->isVisibleTo(table));

    QWidget* board = table->panel(QStringLiteral("FramScore"));
    QVERIFY(!board->isVisibleTo(table));
    model->FramScore.Visible = true;
    model->LblRnd[3][2].Caption = "15";
    table->sync(*model);
    QVERIFY(board->isVisibleTo(table));
    QCOMPARE(board->geometry(), QRect(280, 200, 1520, 613));
    QCOMPARE(board->findChild<QLabel*>(QStringLiteral("LblRnd3_2"))->text(), QStringLiteral("15"));
    // The board's buttons sit relative to the board: CmdFinished at (240, 3900).
    QPushButton* next = table->button(QStringLiteral("CmdFinished"));
    QCOMPARE(next->parentWidget(), board);
    QCOMPARE(next->pos(), QPoint(32, 520));
    // Resizing the window scales the whole table.
    table->show();
    QVERIFY(QTest::qWaitForWindowExposed(table));
    table->resize(1040, 740);
    QTRY_COMPARE(stock->geometry(), QRect(141, 652, 127, 28));

    model->CmdStock.Visible = false;
    table->sync(*model);
    QVERIFY(!stock->isVisibleTo(table));
}

// A face and a back overlapping: the one brought to the front last shows.
void TestTable::paintingFollowsStacking() {
    for (int c : {1, 2}) {
        model->Cds[c].Picture = c == 1 ? 1 : 108;
        model->Cds[c].Left = c == 1 ? 3000 : 3400;
        model->Cds[c].Top = 3000;
        model->Cds[c].Visible = true;
        model->BringToFront(model->Cds[c]);
    }
    table->resize(1040, 740);
    const QPoint overlap(qRound(3700 / 15.0), qRound(3150 / 15.0));  // clear of the face's corner marks
    const auto shown = [&] { return table->sync(*model), table->grab().toImage().pixelColor(overlap); };
    const auto bluish = [](const QColor& c) { return c.blue() > c.red() + 40 && c.blue() > c.green() + 40; };
    QVERIFY(bluish(shown()));
    model->BringToFront(model->Cds[1]);
    QCOMPARE(shown(), QColor(Qt::white));
    model->Cds[1].Visible = false;
    QVERIFY(bluish(shown()));
}

void TestTable::focusGoesWhereTheModelSays() {
    table->show();
    QVERIFY(QTest::qWaitForWindowActive(table));
    model->CmdStock.Visible = true;
    model->CmdDiscard.Visible = true;
    model->SetFocus("CmdStock");
    table->sync(*model);
    QVERIFY(table->button(QStringLiteral("CmdStock"))->hasFocus());

    // The player's own move of the focus is kept on repaint...
    table->button(QStringLiteral("CmdDiscard"))->setFocus();
    table->sync(*model);
    QVERIFY(table->button(QStringLiteral("CmdDiscard"))->hasFocus());

    // ...but the named button gets it again when it comes back into view.
    model->CmdStock.Visible = false;
    table->sync(*model);
    model->CmdStock.Visible = true;
    table->sync(*model);
    QVERIFY(table->button(QStringLiteral("CmdStock"))->hasFocus());

    // Return clicks the button that has the focus.
    QSignalSpy clicked(table, &TableWidget::buttonClicked);
    QTest::keyClick(table->button(QStringLiteral("CmdStock")), Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("CmdStock"));
}

QTEST_MAIN(TestTable)
#include "tst_ui_table.moc"
