#include "ui/CardArt.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTransform>

#include "game/Cards.h"
#include "ui/Palette.h"

namespace meldora::ui {

namespace {

// Suit blocks of the card numbering, in order.
const char* const kSuitElement[4] = {"diamond", "club", "heart", "spade"};
const char* const kSuitSymbol[4] = {"\u2666", "\u2663", "\u2665", "\u2660"};
const bool kSuitRed[4] = {true, false, true, false};
const char* const kValueElement[14] = {"",  "1", "2", "3",  "4",    "5",     "6",
                                       "7", "8", "9", "10", "jack", "queen", "king"};
const char* const kValueText[14] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The cache holds one table's worth of pictures at a few sizes; beyond
// this it starts afresh (the window was resized many times).
constexpr int kCacheLimit = 600;

bool IsCursorPicture(int picture) { return picture == kPicCursorHand || picture == kPicCursorDrop; }

}  // namespace

CardArt::CardArt() { useDeck(QString()); }

CardArt::CardArt(const QString& deckPath) {
    renderer_ = loadWholeDeck(deckPath);
    if (renderer_) deckPath_ = deckPath;
}

CardArt::~CardArt() = default;

bool CardArt::useDeck(const QString& path) {
    cache_.clear();
    renderer_ = loadWholeDeck(path);
    deckPath_ = path;
    if (renderer_) return true;
    deckPath_.clear();
    for (const QString& candidate : deckCandidates()) {
        if ((renderer_ = loadWholeDeck(candidate))) {
            deckPath_ = candidate;
            break;
        }
    }
    return path.isEmpty();
}

std::unique_ptr<QSvgRenderer> CardArt::loadWholeDeck(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
    auto renderer = std::make_unique<QSvgRenderer>(path);
    if (!renderer->isValid()) return nullptr;
    for (int picture = 1; picture <= kPicBack; ++picture) {
        const QString element = elementName(picture);
        if (!element.isEmpty() && !renderer->elementExists(element)) return nullptr;
    }
    // Some decks name every card but draw blank faces or a Joker squeezed
    // into a sliver here: the middle of a few cards must show something.
    constexpr QSize kProbe(30, 42);
    for (const char* element : {"spade_1", "heart_king", "joker_red", "joker_black"}) {
        QImage card(kProbe, QImage::Format_ARGB32_Premultiplied);
        card.fill(Qt::transparent);
        QPainter p(&card);
        renderer->render(&p, QLatin1String(element), QRectF(QPointF(0, 0), QSizeF(kProbe)));
        p.end();
        int ink = 0;
        for (int y = kProbe.height() / 5; y < kProbe.height() * 4 / 5; ++y)
            for (int x = kProbe.width() / 5; x < kProbe.width() * 4 / 5; ++x) {
                const QColor c = card.pixelColor(x, y);
                if (c.alpha() > 128 && c.red() + c.green() + c.blue() < 600) ++ink;
            }
        if (ink < 5) return nullptr;
    }
    return renderer;
}

QStringList CardArt::deckCandidates() {
    return {QStringLiteral("/usr/share/aisleriot/cards/anglo.svgz"),
            QStringLiteral("/usr/local/share/aisleriot/cards/anglo.svgz"),
            QStringLiteral("/usr/share/aisleriot/cards/anglo_modern.svgz")};
}

QString CardArt::elementName(int picture) {
    if (picture >= 1 && picture <= 104) {
        const int block = SuitIndex(NaturalSuit(picture));
        return QStringLiteral("%1_%2").arg(QLatin1String(kSuitElement[block]),
                                           QLatin1String(kValueElement[NaturalValue(picture)]));
    }
    // The three Jokers: black, red, black.
    if (picture == 106) return QStringLiteral("joker_red");
    if (IsJoker(picture)) return QStringLiteral("joker_black");
    if (picture == kPicBack || picture == kPicBackSideways) return QStringLiteral("back");
    return QString();
}

QPixmap CardArt::pixmap(int picture, QSize size, qreal dpr) {
    if (size.isEmpty()) return QPixmap();
    // Keyed by what is drawn, so the two copies of a card share one pixmap.
    QString what = elementName(picture);
    if (picture == kPicBackSideways) what = QStringLiteral("back-sideways");
    else if (what.isEmpty()) what = QStringLiteral("picture-%1").arg(picture);
    const QString key = QStringLiteral("%1/%2x%3@%4").arg(what).arg(size.width()).arg(size.height()).arg(dpr);
    auto it = cache_.constFind(key);
    if (it != cache_.constEnd()) return *it;
    if (cache_.size() >= kCacheLimit) cache_.clear();
    QPixmap pm = render(picture, size, dpr);
    cache_.insert(key, pm);
    return pm;
}

QPixmap CardArt::render(int picture, QSize size, qreal dpr) {
    if (picture == kPicBackSideways) {
        // The side seats' back: the upright back turned a quarter, pixel for pixel.
        QPixmap turned = pixmap(kPicBack, size.transposed(), dpr).transformed(QTransform().rotate(90));
        turned.setDevicePixelRatio(dpr);
        return turned;
    }
    const QSize physical(qRound(size.width() * dpr), qRound(size.height() * dpr));
    QPixmap pm(physical);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF full(QPointF(0, 0), QSizeF(physical));

    if (IsCursorPicture(picture)) {
        paintCursor(p, picture, qMin(physical.width(), physical.height()));
    } else if (renderer_ && !elementName(picture).isEmpty()) {
        renderer_->render(&p, elementName(picture), full);
    } else if (picture == kPicBack) {
        paintBack(p, full);
    } else {
        paintFace(p, picture, full);
    }
    p.end();
    pm.setDevicePixelRatio(dpr);
    return pm;
}

void CardArt::paintFace(QPainter& p, int picture, const QRectF& r) {
    const qreal radius = r.width() * 0.08;
    p.setPen(QPen(Qt::black, qMax<qreal>(1.0, r.width() / 70)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    QFont font(QStringLiteral("Serif"));
    font.setStyleHint(QFont::Serif);
    if (picture < 1 || picture > kCardCount) return;
    if (IsJoker(picture)) {
        p.setPen(picture == 106 ? palette::kCardRed : Qt::black);
        font.setPixelSize(qMax(6, qRound(r.height() * 0.16)));
        font.setBold(true);
        p.setFont(font);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("\u2605\nJoker"));
        return;
    }
    const int block = SuitIndex(NaturalSuit(picture));
    const QString value = QLatin1String(kValueText[NaturalValue(picture)]);
    const QString suit = QString::fromUtf8(kSuitSymbol[block]);
    p.setPen(kSuitRed[block] ? palette::kCardRed : Qt::black);

    font.setPixelSize(qMax(5, qRound(r.height() * 0.15)));
    font.setBold(true);
    p.setFont(font);
    const QRectF corner(r.left() + r.width() * 0.06, r.top() + r.height() * 0.03, r.width() * 0.3,
                        r.height() * 0.36);
    p.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, value + QLatin1Char('\n') + suit);
    p.save();
    p.translate(r.center());
    p.rotate(180);
    p.translate(-r.center());
    p.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, value + QLatin1Char('\n') + suit);
    p.restore();

    font.setPixelSize(qMax(8, qRound(r.height() * 0.4)));
    font.setBold(false);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, suit);
}

void CardArt::paintBack(QPainter& p, const QRectF& r) {
    const qreal radius = r.width() * 0.08;
    p.setPen(QPen(Qt::black, qMax<qreal>(1.0, r.width() / 70)));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    const qreal margin = r.width() * 0.07;
    const QRectF inner = r.adjusted(margin, margin, -margin, -margin);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kCardBack);
    p.drawRoundedRect(inner, radius / 2, radius / 2);
    // A lattice of thin diagonal lines.
    p.save();
    p.setClipRect(inner);
    p.setPen(QPen(palette::kCardBackLattice, qMax<qreal>(1.0, r.width() / 90)));
    const qreal step = qMax<qreal>(4.0, r.width() / 8);
    for (qreal x = inner.left() - inner.height(); x < inner.right(); x += step) {
        p.drawLine(QPointF(x, inner.top()), QPointF(x + inner.height(), inner.bottom()));
        p.drawLine(QPointF(x, inner.bottom()), QPointF(x + inner.height(), inner.top()));
    }
    p.restore();
}

void CardArt::paintMark(QPainter& p, const QRectF& card, const QString& text, bool red) {
    // The corner a card keeps in view under its neighbours: 400 twips of a
    // fanned hand's step across, 250 of a meld column's step down.
    const QRectF badge(card.left() + card.width() * 0.02, card.top() + card.height() * 0.008, card.width() * 0.35,
                       card.height() * 0.16);
    const QColor ink = red ? palette::kCardRed : Qt::black;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, qMax<qreal>(1.0, card.width() / 70)));
    p.setBrush(palette::kMarkBadge);
    p.drawRoundedRect(badge, badge.height() * 0.25, badge.height() * 0.25);
    QFont font(QStringLiteral("Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(qMax(7, qRound(badge.height() * 0.85)));
    p.setFont(font);
    p.setPen(ink);
    // A wide mark ("10" and a suit) is narrowed rather than made smaller,
    // so it stays as tall as the badge allows.
    const qreal room = badge.width() - 2;
    const qreal wide = QFontMetricsF(font).horizontalAdvance(text);
    const qreal squeeze = wide > room ? room / wide : 1.0;
    p.translate(badge.center());
    p.scale(squeeze, 1.0);
    const QRectF area(-badge.width() / (2 * squeeze), -badge.height() / 2, badge.width() / squeeze, badge.height());
    p.drawText(area, Qt::AlignCenter, text);
    p.restore();
}

// 110: a card held for moving (a small card with a four-way arrow);
// 111: a card about to be dropped (a small card with an arrow pointing down).
void CardArt::paintCursor(QPainter& p, int picture, int side) {
    const qreal s = side / 32.0;
    p.save();
    p.scale(s, s);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    if (picture == kPicCursorHand) {
        p.drawRoundedRect(QRectF(9, 7, 14, 19), 2, 2);
        p.setBrush(Qt::black);
        QPainterPath arrows;
        const QPointF c(16, 16);
        for (int quarter = 0; quarter < 4; ++quarter) {
            QTransform t;
            t.translate(c.x(), c.y());
            t.rotate(90 * quarter);
            QPolygonF head;
            head << QPointF(0, -15) << QPointF(-4, -10) << QPointF(4, -10);
            arrows.addPolygon(t.map(head));
            arrows.closeSubpath();
        }
        p.drawPath(arrows);
        p.drawLine(QPointF(16, 4), QPointF(16, 28));
        p.drawLine(QPointF(4, 16), QPointF(28, 16));
    } else {
        p.drawRoundedRect(QRectF(8, 14, 16, 17), 2, 2);
        p.setBrush(Qt::black);
        QPolygonF arrow;
        arrow << QPointF(16, 12) << QPointF(10, 5) << QPointF(14, 5) << QPointF(14, 0) << QPointF(18, 0)
              << QPointF(18, 5) << QPointF(22, 5);
        p.drawPolygon(arrow);
    }
    p.restore();
}

QCursor CardArt::cursor(int picture) {
    if (!IsCursorPicture(picture)) return QCursor(Qt::ArrowCursor);
    auto it = cursors_.constFind(picture);
    if (it != cursors_.constEnd()) return *it;
    const QPixmap pm = pixmap(picture, QSize(32, 32), 1.0);
    const QCursor c = picture == kPicCursorHand ? QCursor(pm, 16, 16) : QCursor(pm, 16, 12);
    cursors_.insert(picture, c);
    return c;
}

}  // namespace meldora::ui
