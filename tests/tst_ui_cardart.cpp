// Card pictures: which deck element each picture number shows, the cache,
// sizes on high-density screens, the painted cards used when no deck is
// installed, and the drag cursors.

#include <QFileInfo>
#include <QtTest>

#include "QuietPlatform.h"

#include "ui/CardArt.h"

using namespace meldora::ui;

namespace {

const QString kNoDeck = QStringLiteral("/nonexistent/deck.svgz");

QString InstalledDeck() {
    for (const QString& path : CardArt::deckCandidates())
        if (QFileInfo::exists(path)) return path;
    return QString();
}

// Share of pixels whose colours differ by more than a little.
double DifferentShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) +
                    qAbs(p.alpha() - q.alpha()) > 48)
                ++differ;
        }
    return double(differ) / (a.width() * a.height());
}

}  // namespace

class TestCardArt : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void elementOfEachPicture_data();
    void elementOfEachPicture();
    void cacheHandsOutOnePixmapPerKey();
    void sizeFollowsPixelRatio_data();
    void sizeFollowsPixelRatio();
    void paintedCardsWithoutADeck();
    void deckCardsOfOneValueMatch();
    void dragCursors();
};

void TestCardArt::elementOfEachPicture_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("element");
    QTest::newRow("card 1: Ace of Diamonds") << 1 << "diamond_1";
    QTest::newRow("card 3: Two of Diamonds") << 3 << "diamond_2";
    QTest::newRow("card 26: King of Diamonds") << 26 << "diamond_king";
    QTest::newRow("card 27: Ace of Clubs") << 27 << "club_1";
    QTest::newRow("card 75: Queen of Hearts") << 75 << "heart_queen";
    QTest::newRow("card 79: Ace of Spades") << 79 << "spade_1";
    QTest::newRow("card 104: King of Spades") << 104 << "spade_king";
    QTest::newRow("Joker 106") << 106 << "joker_red";
    QTest::newRow("Joker 107") << 107 << "joker_black";
    QTest::newRow("back") << 108 << "back";
    QTest::newRow("sideways back") << 112 << "back";
}

void TestCardArt::elementOfEachPicture() {
    QFETCH(int, picture);
    QFETCH(QString, element);
    QCOMPARE(CardArt::elementName(picture), element);
}

void TestCardArt::cacheHandsOutOnePixmapPerKey() {
    CardArt art(kNoDeck);
    const QPixmap a = art.pixmap(5, QSize(71, 96), 1.0);
    const QPixmap b = art.pixmap(5, QSize(71, 96), 1.0);
    QCOMPARE(a.cacheKey(), b.cacheKey());
    QCOMPARE(art.cachedCount(), 1);
    QVERIFY(art.pixmap(5, QSize(71, 96), 2.0).cacheKey() != a.cacheKey());
    QVERIFY(art.pixmap(5, QSize(142, 192), 1.0).cacheKey() != a.cacheKey());
    QVERIFY(art.pixmap(7, QSize(71, 96), 1.0).cacheKey() != a.cacheKey());
    QCOMPARE(art.cachedCount(), 4);
    // Cards 5 and 6 are the two Threes of Diamonds: one picture for both.
    QCOMPARE(art.pixmap(6, QSize(71, 96), 1.0).cacheKey(), a.cacheKey());
    QCOMPARE(art.cachedCount(), 4);
    QVERIFY(art.pixmap(5, QSize(0, 96), 1.0).isNull());
}

void TestCardArt::sizeFollowsPixelRatio_data() {
    QTest::addColumn<qreal>("dpr");
    QTest::addColumn<QSize>("physical");
    QTest::newRow("100%") << 1.0 << QSize(71, 96);
    QTest::newRow("150%") << 1.5 << QSize(107, 144);
    QTest::newRow("200%") << 2.0 << QSize(142, 192);
}

void TestCardArt::sizeFollowsPixelRatio() {
    QFETCH(qreal, dpr);
    QFETCH(QSize, physical);
    for (const QString& deck : {kNoDeck, InstalledDeck()}) {
        CardArt art(deck);
        const QPixmap pm = art.pixmap(53, QSize(71, 96), dpr);
        QCOMPARE(pm.size(), physical);
        QCOMPARE(pm.devicePixelRatio(), dpr);
        // The side seats' back lies across.
        QCOMPARE(art.pixmap(112, QSize(96, 71), dpr).size(), physical.transposed());
    }
}

void TestCardArt::paintedCardsWithoutADeck() {
    CardArt art(kNoDeck);
    QVERIFY(!art.hasDeck());
    const QImage ace = art.pixmap(1, QSize(71, 96), 1.0).toImage();
    // A rounded white card: clear in the very corner, white inside the edge.
    QCOMPARE(ace.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(ace.pixelColor(35, 3), QColor(Qt::white));
    // Different cards look different; the two copies of a card do not.
    QCOMPARE(DifferentShare(ace, art.pixmap(2, QSize(71, 96), 1.0).toImage()), 0.0);
    QCOMPARE_GT(DifferentShare(ace, art.pixmap(79, QSize(71, 96), 1.0).toImage()), 0.01);
    QCOMPARE_GT(DifferentShare(ace, art.pixmap(108, QSize(71, 96), 1.0).toImage()), 0.3);
    QCOMPARE_GT(DifferentShare(art.pixmap(105, QSize(71, 96), 1.0).toImage(),
                               art.pixmap(106, QSize(71, 96), 1.0).toImage()),
                0.0);
}

void TestCardArt::deckCardsOfOneValueMatch() {
    const QString deck = InstalledDeck();
    if (deck.isEmpty()) QSKIP("no card deck installed (gnome-cards-data)");
    CardArt art(deck);
    QVERIFY(art.hasDeck());
    const QImage aceOfHearts = art.pixmap(53, QSize(71, 96), 1.0).toImage();
    QCOMPARE(aceOfHearts.pixelColor(35, 48).alpha(), 255);
    QCOMPARE(DifferentShare(aceOfHearts, art.pixmap(54, QSize(71, 96), 1.0).toImage()), 0.0);
    QCOMPARE_GT(DifferentShare(aceOfHearts, art.pixmap(55, QSize(71, 96), 1.0).toImage()), 0.01);
}

void TestCardArt::dragCursors() {
    CardArt art(kNoDeck);
    const QCursor hand = art.cursor(110);
    const QCursor drop = art.cursor(111);
    QCOMPARE(hand.shape(), Qt::BitmapCursor);
    QCOMPARE(hand.hotSpot(), QPoint(16, 16));
    QCOMPARE(drop.hotSpot(), QPoint(16, 12));
    QCOMPARE_GT(DifferentShare(hand.pixmap().toImage(), drop.pixmap().toImage()), 0.05);
    QCOMPARE(art.cursor(0).shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestCardArt)
#include "tst_ui_cardart.moc"
