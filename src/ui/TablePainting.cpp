#include "ui/TableWidget.h"

// Painting the table: the scene (what lies on the painted layer, in
// stacking order, with a digest of how each item looks), repainting only
// what changed, the cloth, and the texts painted on the table.

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "game/Cards.h"
#include "ui/CardArt.h"
#include "ui/ModelText.h"
#include "ui/Palette.h"
#include "ui/TablePanel.h"
#include "ui/TextFit.h"

namespace meldora::ui {

namespace {

// How each painted label looks (fonts, colours): a design choice of this
// window, not something the game sets.
struct LabelStyle {
    double points;
    bool bold;
    bool italic;
    QColor colour;
    Qt::Alignment align;
};

LabelStyle StyleOf(const QString& name) {
    if (name == QLatin1String("lblTitle")) return {30, true, true, palette::kTitle, Qt::AlignCenter};
    if (name.startsWith(QLatin1String("LblNames"))) return {10, true, false, Qt::white, Qt::AlignLeft | Qt::AlignVCenter};
    if (name == QLatin1String("LblP")) return {10, true, false, palette::kPlayerName, Qt::AlignLeft | Qt::AlignVCenter};
    if (name == QLatin1String("LblBots")) return {10, false, false, Qt::white, Qt::AlignLeft | Qt::AlignVCenter};
    return {9, true, false, palette::kStatusText, Qt::AlignLeft | Qt::AlignVCenter};
}

bool IsPlayerMeldLabel(int m) { return m >= 7 && m <= 9; }  // the player's slots

// The pixels an item of the table may touch. At a fractional scale an
// edge falls inside a device pixel, which smoothing shares with the
// neighbour, and a region is rounded to device pixels on its way to the
// painter: two more pixels all round cover both, so that repainting part
// of the table gives the same pixels as repainting all of it.
QRect Reach(const QRect& r) { return r.adjusted(-2, -2, 2, 2); }

void DrawText(QPainter& p, const TableWidget::PaintedText& t) {
    p.setFont(t.font);
    p.setPen(t.colour);
    p.drawText(t.rect, t.flags, t.shown);
}

}  // namespace

QRect TableWidget::cardRect(const CardImage& c) const { return cardRect(c, QPointF(c.Left, c.Top)); }

QRect TableWidget::cardRect(const CardImage& c, QPointF twips) const {
    const TableGeometry g = mapping();
    const int w = static_cast<int>(std::lround(g.length(kCardWidth)));
    const int h = static_cast<int>(std::lround(g.length(kCardHeight)));
    const QPointF at = g.toPixels(twips);
    const QPoint topLeft(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
    return c.Picture == kPicBackSideways ? QRect(topLeft, QSize(h, w)) : QRect(topLeft, QSize(w, h));
}

QFont TableWidget::tableFont(const Control& c, double defaultPoints, bool bold) const {
    return TableFont(c.FontSize > 0 ? c.FontSize : defaultPoints, mapping().scale, bold);
}

// The texts one item of the painted layer shows. One line each, its names
// shortened rather than running into its neighbours (a name may be
// thousands of characters long); only the title wraps.
std::vector<TableWidget::PaintedText> TableWidget::textsOf(const SceneItem& item) const {
    std::vector<PaintedText> texts;
    const TableModel& m = *model_;
    const TableGeometry g = mapping();
    auto add = [&](const QString& name, const Control& c, const QRect& r, const QFont& f, const QColor& colour,
                   int flags) {
        const QString text = Q(c.Caption);
        if (!c.Visible || text.isEmpty()) return;
        const QString shown = flags & Qt::TextWordWrap ? text : ElideNames(QFontMetrics(f), text, names_, r.width());
        texts.push_back({name, text, shown, r, f, colour, flags});
    };
    constexpr int kLine = Qt::AlignLeft | Qt::AlignVCenter;
    switch (item.kind) {
    case Item::Melds: {
        // The caption above the column labels, then the labels.
        const Control& f = m.FramMelds;
        add(QStringLiteral("FramMelds"), f,
            g.toPixelRect(f.Left + layout::kMeldCaption.left, f.Top + layout::kMeldCaption.top,
                          f.Width - layout::kMeldCaption.left,
                          layout::kMeldLabelTop - f.Top - layout::kMeldCaption.top),
            tableFont(f, 9, true), palette::kMeldCaption, Qt::AlignLeft | Qt::AlignTop);
        for (int k = 1; k <= kMeldSlots; ++k) {
            const Control& c = m.LblMelds[k];
            add(QStringLiteral("LblMelds%1").arg(k), c, g.toPixelRect(c.Left, c.Top, c.Width, c.Height),
                tableFont(c, 8, true), IsPlayerMeldLabel(k) ? Qt::white : Qt::black, Qt::AlignCenter);
        }
        break;
    }
    case Item::LatestPoints: {
        const Control& f = m.FramLatestPoints;
        const QRect frame = g.toPixelRect(f.Left, f.Top, f.Width, f.Height);
        Control caption;
        caption.Left = layout::kLatestPointsCaption.left;
        caption.Top = layout::kLatestPointsCaption.top;
        caption.Width = f.Width - caption.Left;
        caption.Height = layout::kLatestPointsLine.top - caption.Top;
        add(QStringLiteral("FramLatestPoints"), f, TablePanel::childRect(caption, g).translated(frame.topLeft()),
            tableFont(f, 9, true), palette::kPanelCaption, Qt::AlignLeft | Qt::AlignTop);
        auto cell = [&](const QString& name, const Control& c, bool bold) {
            add(name, c, TablePanel::childRect(c, g).translated(frame.topLeft()), tableFont(c, 9, bold), Qt::black,
                kLine);
        };
        for (int i = 1; i <= 4; ++i) cell(QStringLiteral("LblLatestPoints%1").arg(i), m.LblLatestPoints[i], false);
        cell(QStringLiteral("LblToRnd"), m.LblToRnd, true);
        break;
    }
    case Item::Label: {
        const TableLabel label = m.TableLabels()[item.index];
        const QString name = QLatin1String(label.name);
        const Control& c = *label.control;
        const LabelStyle style = StyleOf(name);
        QFont f = tableFont(c, style.points, style.bold);
        f.setItalic(style.italic);
        const bool title = name == QLatin1String("lblTitle");
        add(name, c, g.toPixelRect(c.Left, c.Top, c.Width, c.Height), f, style.colour,
            static_cast<int>(style.align) | (title ? Qt::TextWordWrap | Qt::TextDontClip : 0));
        break;
    }
    default:
        break;
    }
    return texts;
}

std::vector<TableWidget::PaintedText> TableWidget::paintedTexts() const {
    std::vector<PaintedText> all;
    if (!model_) return all;
    for (const SceneItem& it : scene_) {
        std::vector<PaintedText> texts = textsOf(it);
        all.insert(all.end(), texts.begin(), texts.end());
    }
    return all;
}

void TableWidget::paintFramMelds(QPainter& p) const {
    const TableModel& m = *model_;
    const TableGeometry g = mapping();
    // The frame's ground lies on the cloth; here the labels' boxes and the texts.
    for (int k = 1; k <= kMeldSlots; ++k) {
        const Control& c = m.LblMelds[k];
        if (!c.Visible) continue;
        p.setPen(Qt::black);
        p.setBrush(IsPlayerMeldLabel(k) ? palette::kPlayerMeldBox : palette::kMeldBox);
        p.drawRect(g.toPixelRect(c.Left, c.Top, c.Width, c.Height).adjusted(0, 0, -1, -1));
    }
    for (const PaintedText& t : textsOf({Item::Melds, 0, 0, {}, 0})) DrawText(p, t);
}

void TableWidget::paintLatestPoints(QPainter& p) const {
    const Control& f = model_->FramLatestPoints;
    p.setPen(Qt::black);
    p.setBrush(palette::kPanelFace);
    p.drawRect(mapping().toPixelRect(f.Left, f.Top, f.Width, f.Height).adjusted(0, 0, -1, -1));
    for (const PaintedText& t : textsOf({Item::LatestPoints, 0, 0, {}, 0})) DrawText(p, t);
}

// What the painted layer shows, item by item: where each item lies and a
// digest of how it looks. Comparing two scenes tells which parts of the
// table need painting again.
std::vector<TableWidget::SceneItem> TableWidget::buildScene() const {
    std::vector<SceneItem> scene;
    if (!model_) return scene;
    const TableModel& m = *model_;
    const TableGeometry g = mapping();
    const std::hash<std::string> digest;
    // Frames and labels are drawn a pixel or two past their place (lines,
    // the title's shadow), so their area is taken a little wider.
    auto rectOf = [&](const Control& c, int margin) {
        return g.toPixelRect(c.Left, c.Top, c.Width, c.Height).adjusted(-margin, -margin, margin, margin);
    };
    if (m.FramMelds.Visible) {
        std::string look = m.FramMelds.Caption;
        for (int k = 1; k <= kMeldSlots; ++k)
            look += (m.LblMelds[k].Visible ? "|+" : "|-") + m.LblMelds[k].Caption;
        scene.push_back({Item::Melds, 0, m.FramMelds.ZOrder, rectOf(m.FramMelds, 2), digest(look)});
    }
    if (m.FramLatestPoints.Visible) {
        std::string look = m.FramLatestPoints.Caption + "|" + m.LblToRnd.Caption;
        for (int i = 1; i <= 4; ++i) look += "|" + m.LblLatestPoints[i].Caption;
        scene.push_back({Item::LatestPoints, 0, m.FramLatestPoints.ZOrder, rectOf(m.FramLatestPoints, 2), digest(look)});
    }
    const int pen = static_cast<int>(std::ceil(g.scale)) + 1;
    if (m.ShpStock.Visible) scene.push_back({Item::Stock, 0, m.ShpStock.ZOrder, rectOf(m.ShpStock, pen), 0});
    if (m.ShapeDiscard.Visible) scene.push_back({Item::Discard, 0, m.ShapeDiscard.ZOrder, rectOf(m.ShapeDiscard, pen), 0});
    for (int n = 1; n <= kCardCount; ++n) {
        const CardImage& c = m.Cds[n];
        if (!c.Visible) continue;
        const QRect drawn = cardRect(c, drawnAt(n));  // on its way, while it glides
        scene.push_back({Item::Card, n, c.ZOrder, drawn,
                         static_cast<std::size_t>(c.Picture) ^ (digest(c.Mark + (c.MarkRed ? "r" : "b")) << 8)});
        if (c.Hinted) scene.push_back({Item::Hinted, n, c.ZOrder, drawn.adjusted(-3, -3, 3, 3), 0});
    }
    const std::vector<TableLabel> labels = m.TableLabels();
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        const Control& c = *labels[i].control;
        if (!c.Visible || c.Caption.empty()) continue;
        scene.push_back({Item::Label, i, c.ZOrder, rectOf(c, 4), digest(c.Caption)});
    }
    // The target a carried card would go to (by mouse or keyboard), over
    // everything but the carried card itself, and above everything the
    // keyboard's frame round the focused card.
    constexpr long kOnTop = std::numeric_limits<long>::max();
    const CardImage* carriedCard = m.FollowMouse.Enabled() ? m.FollowMouse.Card() : nullptr;
    for (const layout::Drop& d : carriedCard ? m.Accepting : std::vector<layout::Drop>{}) {
        const layout::Rect area = layout::TargetArea(d);
        scene.push_back({Item::Accepting, d.column, carriedCard->ZOrder - 1,
                         g.toPixelRect(area.left, area.top, area.width, area.height).adjusted(-3, -3, 3, 3), 0});
    }
    if (m.Highlight.area != layout::DropArea::Elsewhere) {
        const layout::Rect area = layout::TargetArea(m.Highlight);
        const CardImage* carried = m.FollowMouse.Enabled() ? m.FollowMouse.Card() : nullptr;
        scene.push_back({Item::Target, 0, carried ? carried->ZOrder - 1 : kOnTop - 1,
                         g.toPixelRect(area.left, area.top, area.width, area.height).adjusted(-3, -3, 3, 3),
                         static_cast<std::size_t>(m.Highlight.column)});
    }
    const int focus = m.Keys.FocusCard;
    if (hasFocus() && focus > 0 && focus <= kCardCount && m.Cds[focus].Visible)
        scene.push_back({Item::Focus, focus, kOnTop, cardRect(m.Cds[focus], drawnAt(focus)).adjusted(-4, -4, 4, 4),
                         static_cast<std::size_t>(m.Keys.Lifted)});
    std::sort(scene.begin(), scene.end(), [](const SceneItem& a, const SceneItem& b) {
        return a.z != b.z ? a.z < b.z : a.kind != b.kind ? a.kind < b.kind : a.index < b.index;
    });
    return scene;
}

// Only what changed since the last painting is painted again: an item that
// came, went, moved, changed its face or was brought to the front.
void TableWidget::updateChanged() {
    std::vector<SceneItem> now = buildScene();
    auto byItem = [](const SceneItem& a, const SceneItem& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.index < b.index;
    };
    std::vector<SceneItem> before = scene_, after = now;
    std::sort(before.begin(), before.end(), byItem);
    std::sort(after.begin(), after.end(), byItem);
    QRegion dirty;
    // What changed besides the cards is drawn again into the layer kept
    // while cards glide; the cards are followed one by one there.
    auto changed = [&](const SceneItem& item) {
        dirty += Reach(item.rect);
        if (item.kind != Item::Card) stillDirty_ += Reach(item.rect);
    };
    std::size_t i = 0, j = 0;
    while (i < before.size() || j < after.size()) {
        if (j == after.size() || (i < before.size() && byItem(before[i], after[j]))) {
            changed(before[i++]);
        } else if (i == before.size() || byItem(after[j], before[i])) {
            changed(after[j++]);
        } else {
            const SceneItem& a = before[i++];
            const SceneItem& b = after[j++];
            if (a.rect != b.rect || a.look != b.look || a.z != b.z) {
                changed(a);
                changed(b);
            }
        }
    }
    scene_ = std::move(now);
    if (!dirty.isEmpty()) update(dirty);
    // Once made, the still layer follows the table in the next idle turn,
    // so the first frame of a glide finds it ready.
    if (!still_.isNull() && !stillQueued_) {
        stillQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            stillQueued_ = false;
            if (!still_.isNull()) refreshStill();
        });
    }
}

// The table's cloth with the meld table's ground on it (its shade, edge and
// dividing lines, which never lie over a card), drawn again only when the
// size or the meld table's columns change.
const QPixmap& TableWidget::cloth() {
    const qreal dpr = devicePixelRatioF();
    const TableModel* m = model_;
    QString key = QStringLiteral("%1x%2@%3").arg(width()).arg(height()).arg(dpr);
    if (m && m->FramMelds.Visible) {
        key += QStringLiteral(" melds %1,%2").arg(m->FramMelds.Left).arg(m->FramMelds.Top);
        for (int k = 1; k <= kMeldSlots; ++k) key += m->LblMelds[k].Visible ? QLatin1Char('+') : QLatin1Char('-');
    }
    if (key == clothKey_) return cloth_;
    clothKey_ = key;
    // A device pixel more each way than the widget may cover once it lies
    // on whole device pixels.
    cloth_ = QPixmap(static_cast<int>(std::ceil(width() * dpr)) + 1, static_cast<int>(std::ceil(height() * dpr)) + 1);
    cloth_.setDevicePixelRatio(dpr);
    QPainter p(&cloth_);
    p.fillRect(QRectF(QPointF(), QSizeF(cloth_.size()) / dpr), palette::kFeltDark);
    const TableGeometry g = mapping();
    const QRectF table = g.tableRect();
    QRadialGradient gradient(table.center(), std::max(table.width(), table.height()) * 0.7);
    gradient.setColorAt(0, palette::kFelt.lighter(112));
    gradient.setColorAt(1, palette::kFelt);
    p.fillRect(table, gradient);
    if (m && m->FramMelds.Visible) {
        p.setRenderHint(QPainter::Antialiasing);
        const Control& f = m->FramMelds;
        p.setPen(QPen(palette::kMeldFrameLine, 1));
        p.setBrush(palette::kMeldFrameShade);
        p.drawRoundedRect(g.toPixelRect(f.Left, f.Top, f.Width, f.Height), 4, 4);
        // Dividing lines between the columns of the meld slots.
        p.setPen(QPen(palette::kMeldDivider, 1));
        for (int k = 2; k <= kMeldSlots; ++k) {
            const Control& a = m->LblMelds[k - 1];
            const Control& b = m->LblMelds[k];
            if (!a.Visible || !b.Visible) continue;
            const double x = (a.Left + a.Width + b.Left) / 2.0;
            p.drawLine(g.toPixels(QPointF(x, a.Top)),
                       g.toPixels(QPointF(x, f.Top + f.Height - layout::kMeldDividerInset)));
        }
    }
    return cloth_;
}

void TableWidget::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!model_ || glidingCards() == 0) {
        paintScene(p, e->region(), Layer::All);
        return;
    }
    refreshStill();
    p.drawPixmap(QPointF(0, 0), still_);
    paintScene(p, e->region(), Layer::Gliding);
}

// The still layer is brought up to date where it changed: the things other
// than cards as the scene changes, and each card that began or ended a
// glide, moved, or was stacked or drawn anew since it was drawn there.
void TableWidget::refreshStill() {
    const qreal dpr = devicePixelRatioF();
    const QPixmap& ground = cloth();
    QRegion dirty = stillDirty_;
    if (still_.size() != ground.size() || still_.devicePixelRatio() != dpr) {
        still_ = QPixmap(ground.size());
        still_.setDevicePixelRatio(dpr);
        dirty = QRegion(rect());
    }
    std::array<StillCard, kCardCount + 1> now{};
    for (const SceneItem& it : scene_)
        if (it.kind == Item::Card && !glides_[it.index]) now[it.index] = {true, it.rect, it.z, it.look};
    for (int n = 1; n <= kCardCount; ++n) {
        const StillCard& was = stillCards_[n];
        const StillCard& is = now[n];
        if (was.in == is.in && (!is.in || (was.rect == is.rect && was.z == is.z && was.look == is.look))) continue;
        if (was.in) dirty += Reach(was.rect);
        if (is.in) dirty += Reach(is.rect);
    }
    if (!dirty.isEmpty()) {
        QPainter s(&still_);
        s.setClipRegion(dirty);
        paintScene(s, dirty, Layer::Still);
    }
    stillCards_ = now;
    stillDirty_ = QRegion();
}

void TableWidget::paintScene(QPainter& p, const QRegion& region, Layer layer) {
    const qreal dpr = devicePixelRatioF();
    // Pixmaps are copied pixel for pixel onto whole device pixels. Scaled to
    // a fractional place, the painter samples them one way under a simple
    // clip and another under a region, and a partial repaint would not
    // match a whole one. The cloth is drawn whole, cut to the region.
    const QTransform logical = p.worldTransform();
    const QTransform toDevice = p.deviceTransform();
    const QTransform devicePixels = toDevice.inverted() * logical;
    const auto drawPixels = [&](QPointF at, const QPixmap& pixmap) {
        const QPointF d = toDevice.map(at);
        p.setWorldTransform(devicePixels);
        p.drawPixmap(QRectF(QPointF(std::round(d.x()), std::round(d.y())), QSizeF(pixmap.size())), pixmap,
                     QRectF(pixmap.rect()));
        p.setWorldTransform(logical);
    };
    if (layer != Layer::Gliding) drawPixels(QPointF(0, 0), cloth());
    if (!model_) return;
    const TableModel& m = *model_;
    const TableGeometry g = mapping();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const SceneItem& it : scene_) {
        if (!region.intersects(Reach(it.rect))) continue;
        const bool glides = it.kind == Item::Card && glides_[it.index];
        if (layer == Layer::Still ? glides : layer == Layer::Gliding && !glides) continue;
        switch (it.kind) {
        case Item::Melds:
            paintFramMelds(p);
            break;
        case Item::LatestPoints:
            paintLatestPoints(p);
            break;
        case Item::Stock:
        case Item::Discard: {
            const Control& s = it.kind == Item::Stock ? m.ShpStock : m.ShapeDiscard;
            p.setPen(QPen(palette::kPileOutline, std::max(1.0, g.scale)));
            p.setBrush(Qt::NoBrush);
            const double radius = g.length(layout::kPileCornerRadius);
            p.drawRoundedRect(QRectF(g.toPixelRect(s.Left, s.Top, s.Width, s.Height)), radius, radius);
            break;
        }
        case Item::Card: {
            const CardImage& c = m.Cds[it.index];
            drawPixels(it.rect.topLeft(), art_.pixmap(c.Picture, it.rect.size(), dpr));
            if (!c.Mark.empty()) CardArt::paintMark(p, it.rect, Q(c.Mark), c.MarkRed);
            break;
        }
        case Item::Label:
            for (const PaintedText& t : textsOf(it)) {
                if (t.name == QLatin1String("lblTitle")) {
                    // The title stands out with a shadow.
                    PaintedText shadow = t;
                    const int offset = std::max(1, static_cast<int>(std::lround(2 * g.scale)));
                    shadow.rect.translate(offset, offset);
                    shadow.colour = palette::kTitleShadow;
                    DrawText(p, shadow);
                }
                DrawText(p, t);
            }
            break;
        case Item::Hinted: {
            p.setPen(QPen(palette::kHintFrame, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(it.rect).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
            break;
        }
        case Item::Accepting: {
            // A quiet outline: the targets that would take the card.
            p.setPen(QPen(palette::kAcceptingOutline, 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(it.rect).adjusted(4, 4, -4, -4), 6, 6);
            break;
        }
        case Item::Target: {
            p.setPen(QPen(palette::kTarget, 3));
            p.setBrush(palette::kTargetFill);
            p.drawRoundedRect(QRectF(it.rect).adjusted(2, 2, -2, -2), 6, 6);
            break;
        }
        case Item::Focus: {
            // Picked up, the card lifts: a shadow under it, a bright frame.
            const QRectF frame = QRectF(it.rect).adjusted(2, 2, -2, -2);
            p.setPen(QPen(m.Keys.Lifted ? palette::kLiftedFrame : palette::kFocusFrame, 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(frame, 6, 6);
            break;
        }
        }
    }
}

QString TableWidget::toolTipAt(QPoint widgetPos) const {
    if (!model_) return QString();
    // The topmost painted thing there: a shortened line shows in full.
    for (auto it = scene_.rbegin(); it != scene_.rend(); ++it) {
        if (!it->rect.contains(widgetPos)) continue;
        if (it->kind == Item::Card || it->kind == Item::Focus) break;
        for (const PaintedText& t : textsOf(*it))
            if (t.shown != t.text && t.rect.contains(widgetPos)) return t.text;
    }
    const QPoint t = mapping().toTwips(widgetPos);
    return Q(model_->ToolTipAt(t.x(), t.y()));
}

}  // namespace meldora::ui
