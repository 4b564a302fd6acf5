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
const QSize kCard(71, 96);

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

    void elementsAndCache() {
        // Two copies of each card, in suit order; the Jokers and the backs.
        const QList<QPair<int, QString>> elements{{1, "diamond_1"},    {3, "diamond_2"},    {26, "diamond_king"},
                                                  {27, "club_1"},      {104, "spade_king"}, {106, "joker_red"},
                                                  {107, "joker_black"}, {112, "back"}};
        for (const auto& [picture, element] : elements) QCOMPARE(CardArt::elementName(picture), element);

        CardArt art(kNoDeck);
        const QPixmap a = art.pixmap(5, kCard, 1.0);
        QCOMPARE(art.pixmap(5, kCard, 1.0).cacheKey(), a.cacheKey());
        QVERIFY(art.pixmap(5, kCard, 2.0).cacheKey() != a.cacheKey());
        QVERIFY(art.pixmap(5, kCard * 2, 1.0).cacheKey() != a.cacheKey());
        QVERIFY(art.pixmap(7, kCard, 1.0).cacheKey() != a.cacheKey());
        // Cards 5 and 6 are the two Threes of Diamonds: one picture for both.
        QCOMPARE(art.pixmap(6, kCard, 1.0).cacheKey(), a.cacheKey());
        QCOMPARE(art.cachedCount(), 4);
        QVERIFY(art.pixmap(5, QSize(0, 96), 1.0).isNull());
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

    void cardsLookApart() {
        CardArt art(kNoDeck);
        QVERIFY(!art.hasDeck());
        const auto image = [&](int picture) { return art.pixmap(picture, kCard, 1.0).toImage(); };
        const QImage ace = image(1);
        // A rounded white card: clear in the very corner, white inside the edge.
        QCOMPARE(ace.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(ace.pixelColor(35, 3), QColor(Qt::white));
        // Different cards look different; the two copies of a card do not.
        QCOMPARE(DifferentShare(ace, image(2)), 0.0);
        QCOMPARE_GT(DifferentShare(ace, image(79)), 0.01);
        QCOMPARE_GT(DifferentShare(ace, image(108)), 0.3);
        QCOMPARE_GT(DifferentShare(image(105), image(106)), 0.0);

        const QString deck = InstalledDeck();
        if (deck.isEmpty()) QSKIP("no card deck installed (gnome-cards-data)");
        CardArt svg(deck);
        QVERIFY(svg.hasDeck());
        const QImage aceOfHearts = svg.pixmap(53, kCard, 1.0).toImage();
        QCOMPARE(aceOfHearts.pixelColor(35, 48).alpha(), 255);
        QCOMPARE(DifferentShare(aceOfHearts, svg.pixmap(54, kCard, 1.0).toImage()), 0.0);
        QCOMPARE_GT(DifferentShare(aceOfHearts, svg.pixmap(55, kCard, 1.0).toImage()), 0.01);
    }

    void dragCursors() {
        CardArt art(kNoDeck);
        const QCursor hand = art.cursor(110), drop = art.cursor(111);
        QCOMPARE(hand.hotSpot(), QPoint(16, 16));
        QCOMPARE(drop.hotSpot(), QPoint(16, 12));
        QCOMPARE_GT(DifferentShare(hand.pixmap().toImage(), drop.pixmap().toImage()), 0.05);
        QCOMPARE(art.cursor(0).shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(TestCardArt)
#include "tst_ui_cardart.moc"
