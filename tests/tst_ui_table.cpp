// The table view: twips to pixels at any window size, controls shown and
// placed from the model, the painting order and the keyboard focus; and the
// card pictures: which deck element each picture number shows, the cache,
// sizes on high-density screens, the painted cards used when no deck is
// installed, and the drag cursors.

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "QuietPlatform.h"

#include "game/Cards.h"
#include "game/TableModel.h"
#include "ui/CardArt.h"
#include "ui/Palette.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

const QString kNoDeck = QStringLiteral("/nonexistent/deck.svgz");
const QSize kCard(71, 96);

QString InstalledDeck() {
    for (const QString& path : CardArt::deckCandidates())
        if (QFileInfo::exists(path)) return path;
    return QString();
}

// The colour most of a card's inner pixels that are not white are painted in.
QString Ink(const QImage& card) {
    QMap<QString, int> count;
    for (int y = 8; y < card.height() - 8; ++y)
        for (int x = 8; x < card.width() - 8; ++x) {
            const QColor c = card.pixelColor(x, y);
            if (c.red() > 120 && c.green() < 90 && c.blue() < 90) ++count["red"];
            else if (c.red() < 90 && c.green() < 90 && c.blue() < 90) ++count["black"];
            else if (c.blue() > 100 && c.red() < 80) ++count["blue"];
        }
    QString most;
    for (auto i = count.cbegin(); i != count.cend(); ++i)
        if (most.isEmpty() || i.value() > count[most]) most = i.key();
    return most;
}

}  // namespace

class TestTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void init() {
        art = new CardArt(kNoDeck);
        model = new TableModel;
        table = new TableWidget(*art);
        table->resize(2080, 1480);  // the table at 200%
        table->sync(*model);
    }

    void cleanup() { delete table, delete model, delete art; }

    void mapping_data() {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPointF>("offset");
        QTest::newRow("wide: bands left and right") << QSize(1300, 740) << 1.0 << QPointF(130, 0);
        QTest::newRow("tall: bands above and below") << QSize(1040, 1000) << 1.0 << QPointF(0, 130);
        QTest::newRow("maximised 1920x1050") << QSize(1920, 1050) << 1050.0 / 740 << QPointF((1920 - 1040 * 1050.0 / 740) / 2, 0);
    }

    void mapping() {
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

    void controlsFollowTheModel() {
        model->CmdStock.Visible = true;
        model->CmdDiscard.Visible = true;
        model->CmdDiscard.Enabled = false;
        table->sync(*model);

        QPushButton* stock = table->button(QStringLiteral("CmdStock"));
        QVERIFY(stock->isVisibleTo(table));
        // (2120, 9780) 2150 x 420 twips at 200%.
        QCOMPARE(stock->geometry(), QRect(283, 1304, 286, 56));
        QVERIFY(!table->button(QStringLiteral("CmdDiscard"))->isEnabled());
        QVERIFY(!table->button(QStringLiteral("CmdSortSame"))->isVisibleTo(table));

        QWidget* board = table->panel(QStringLiteral("FramScore"));
        QVERIFY(!board->isVisibleTo(table));
        model->FramScore.Visible = true;
        model->LblRnd[3][2].Caption = "15";
        table->sync(*model);
        QVERIFY(board->isVisibleTo(table));
        QCOMPARE(board->geometry(), QRect(213, 200, 1654, 613));
        QCOMPARE(board->findChild<QLabel*>(QStringLiteral("LblRnd3_2"))->text(), QStringLiteral("15"));
        // The board's buttons sit relative to the board: CmdFinished at (240, 3900).
        QPushButton* next = table->button(QStringLiteral("CmdFinished"));
        QCOMPARE(next->parentWidget(), board);
        QCOMPARE(next->pos(), QPoint(32, 520));
        // Resizing the window scales the whole table.
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
        table->resize(1040, 740);
        QTRY_COMPARE(stock->geometry(), QRect(141, 652, 144, 28));

        model->CmdStock.Visible = false;
        table->sync(*model);
        QVERIFY(!stock->isVisibleTo(table));
    }

    // A face and a back overlapping: the one brought to the front last shows.
    void paintingFollowsStacking() {
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

    void focusGoesWhereTheModelSays() {
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

    // The keyboard's frame is drawn round its card only while the table has
    // the focus.
    void focusFrameOnlyWithTheFocus() {
        model->Cds[1].Picture = 1;
        model->Cds[1].Left = model->Cds[1].Top = 3000;
        model->Cds[1].Visible = true;
        model->Keys.FocusCard = 1;
        table->show();
        QVERIFY(QTest::qWaitForWindowActive(table));
        table->setFocus();
        table->sync(*model);
        const QRect card = table->mapping().toPixelRect(3000, 3000, kCardWidth, kCardHeight);
        const QPoint frame(card.left() - 2, card.center().y());
        QCOMPARE(table->grab().toImage().pixelColor(frame), palette::kFocusFrame);
        table->clearFocus();
        table->sync(*model);
        QVERIFY(table->grab().toImage().pixelColor(frame) != palette::kFocusFrame);
    }

    void elementsAndCache() {
        // Two copies of each card, in suit order; the Jokers and the backs.
        for (const auto& [picture, element] : QList<QPair<int, QString>>{{1, "diamond_1"}, {3, "diamond_2"}, {26, "diamond_king"},
                 {27, "club_1"}, {104, "spade_king"}, {106, "joker_red"}, {107, "joker_black"}, {112, "back"}})
            QCOMPARE(CardArt::elementName(picture), element);

        CardArt art(kNoDeck);
        const QPixmap a = art.pixmap(5, kCard, 1.0);
        QCOMPARE(art.pixmap(5, kCard, 1.0).cacheKey(), a.cacheKey());
        QVERIFY(art.pixmap(5, kCard, 2.0).cacheKey() != a.cacheKey());
        // Cards 5 and 6 are the two Threes of Diamonds: one picture for both.
        QCOMPARE(art.pixmap(6, kCard, 1.0).cacheKey(), a.cacheKey());
        QCOMPARE(art.cachedCount(), 2);
        // Cards of one suit differ by rank; the two drag cursors (hand and drop) differ.
        QVERIFY(art.pixmap(1, kCard, 1.0).toImage() != a.toImage());
        QVERIFY(art.cursor(110).pixmap().toImage() != art.cursor(111).pixmap().toImage());
        QVERIFY(art.pixmap(5, QSize(0, 96), 1.0).isNull());
    }

    // The painted cards, when no deck is installed: red and black suits,
    // a red and two black Jokers, a blue back.
    void fallbackColours_data() {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("ink");
        QTest::newRow("Ace of Diamonds") << 1 << "red";
        QTest::newRow("King of Clubs") << 52 << "black";
        QTest::newRow("Seven of Hearts") << 65 << "red";
        QTest::newRow("Ace of Spades") << 79 << "black";
        QTest::newRow("first Joker") << 105 << "black";
        QTest::newRow("second Joker") << 106 << "red";
        QTest::newRow("third Joker") << 107 << "black";
        QTest::newRow("back") << int(kPicBack) << "blue";
        QTest::newRow("back sideways") << int(kPicBackSideways) << "blue";
    }

    void fallbackColours() {
        QFETCH(int, picture);
        QFETCH(QString, ink);
        CardArt art(kNoDeck);
        QCOMPARE(Ink(art.pixmap(picture, kCard, 1.0).toImage()), ink);
    }

    void sizeFollowsPixelRatio() {
        for (const QString& deck : {kNoDeck, InstalledDeck()}) {
            CardArt art(deck);
            const QPixmap pm = art.pixmap(53, kCard, 1.5);
            QCOMPARE(pm.size(), QSize(107, 144));
            QCOMPARE(pm.devicePixelRatio(), 1.5);
            // The side seats' back lies across.
            QCOMPARE(art.pixmap(112, kCard.transposed(), 2.0).size(), QSize(192, 142));
        }
    }

private:
    CardArt* art = nullptr;
    TableWidget* table = nullptr;
    TableModel* model = nullptr;
};

QTEST_MAIN(TestTable)
#include "tst_ui_table.moc"
