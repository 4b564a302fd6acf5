#include "ui/TableWidget.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <limits>

#include "ui/TableAccessible.h"

#include "game/Cards.h"
#include "player/Player.h"
#include "ui/CardArt.h"
#include "ui/Palette.h"
#include "ui/TablePanel.h"
#include "ui/TextFit.h"

namespace meldora::ui {

namespace {

constexpr double kButtonPoints = 9.0;

QString Q(const std::string& s) { return QString::fromStdString(s); }

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

}  // namespace

TableWidget::TableWidget(CardArt& art, QWidget* parent) : QWidget(parent), art_(art) {
    setObjectName(QStringLiteral("Table"));
    setFocusPolicy(Qt::StrongFocus);  // the hand is played from the keyboard too
    InstallTableAccessibility();  // before anything asks for the table's accessible object
    setAccessibleName(QStringLiteral("Card table"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(TablePixelSize() / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    // Buttons under the player's hand.
    createButton(QStringLiteral("CmdStock"), &TableModel::CmdStock, this);
    createButton(QStringLiteral("CmdDiscard"), &TableModel::CmdDiscard, this);
    createButton(QStringLiteral("CmdMayI"), &TableModel::CmdMayI, this);
    createButton(QStringLiteral("CmdPass"), &TableModel::CmdPass, this);
    createButton(QStringLiteral("CmdTakeBack"), &TableModel::CmdTakeBack, this);
    createButton(QStringLiteral("CmdSortSuits"), &TableModel::CmdSortSuits, this);
    createButton(QStringLiteral("CmdSortSame"), &TableModel::CmdSortSame, this);

    // The score board: one row per seat, one column per round and the total.
    score_ = new TablePanel(QStringLiteral("FramScore"),
                            [](const TableModel& m) -> const Control& { return m.FramScore; }, this);
    for (int r = 1; r <= 7; ++r) {
        // A heading may take the gaps beside its column.
        score_->addHeading(QStringLiteral("Round %1").arg(r), [r](const TableModel& m) {
            const Control& c = m.LblRnd[r][0];
            const int gap = layout::kScoreRoundStep - c.Width;
            return QRect(c.Left - gap / 2, c.Top - layout::kScoreHeadingRise, c.Width + gap,
                         layout::kScoreHeadingHeight);
        });
    }
    score_->addHeading(QStringLiteral("Total"), [](const TableModel& m) {
        const Control& c = m.LblTotal[0];
        return QRect(c.Left, c.Top - layout::kScoreHeadingRise, c.Width, layout::kScoreHeadingHeight);
    });
    for (int s = 0; s < 4; ++s) {
        score_->addLabel(QStringLiteral("ScoreNames%1").arg(s),
                         [s](const TableModel& m) -> const Control& { return m.ScoreNames[s]; },
                         Qt::AlignLeft | Qt::AlignVCenter, true);
        for (int r = 1; r <= 7; ++r)
            score_->addLabel(QStringLiteral("LblRnd%1_%2").arg(r).arg(s),
                             [r, s](const TableModel& m) -> const Control& { return m.LblRnd[r][s]; },
                             Qt::AlignCenter);
        score_->addLabel(QStringLiteral("LblTotal%1").arg(s),
                         [s](const TableModel& m) -> const Control& { return m.LblTotal[s]; },
                         Qt::AlignCenter, true);
    }
    score_->addLabel(QStringLiteral("LblWhoWon"), [](const TableModel& m) -> const Control& { return m.LblWhoWon; },
                     Qt::AlignLeft | Qt::AlignVCenter, true, true);
    for (int s = 0; s < 4; ++s) {
        for (const QString& cell : {QStringLiteral("ScoreNames%1").arg(s), QStringLiteral("LblTotal%1").arg(s)}) {
            QLabel* l = score_->label(cell);
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            l->setAutoFillBackground(true);
            l->setStyleSheet(QStringLiteral("background: white;"));
        }
        for (int r = 1; r <= 7; ++r) {
            QLabel* l = score_->label(QStringLiteral("LblRnd%1_%2").arg(r).arg(s));
            l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            l->setStyleSheet(QStringLiteral("background: white;"));
        }
    }
    createButton(QStringLiteral("CmdFinished"), &TableModel::CmdFinished, score_);
    createButton(QStringLiteral("CmdSve"), &TableModel::CmdSve, score_);
    createButton(QStringLiteral("CmdSave"), &TableModel::CmdSave, score_);
    createButton(QStringLiteral("CmdShut"), &TableModel::CmdShut, score_);

    // Games played statistics.
    stats_ = new TablePanel(QStringLiteral("Framstats"),
                            [](const TableModel& m) -> const Control& { return m.Framstats; }, this);
    for (int s = 0; s < 4; ++s) {
        stats_->addLabel(QStringLiteral("Lblwon%1").arg(s),
                         [s](const TableModel& m) -> const Control& { return m.Lblwon[s]; },
                         Qt::AlignLeft | Qt::AlignVCenter, true);
        stats_->addLabel(QStringLiteral("LblNumWon%1").arg(s),
                         [s](const TableModel& m) -> const Control& { return m.LblNumWon[s]; },
                         Qt::AlignLeft | Qt::AlignVCenter);
        stats_->addLabel(QStringLiteral("Lpercent%1").arg(s),
                         [s](const TableModel& m) -> const Control& { return m.Lpercent[s]; },
                         Qt::AlignRight | Qt::AlignVCenter);
    }
    stats_->addLabel(QStringLiteral("LblNumPlayed"), [](const TableModel& m) -> const Control& { return m.LblNumPlayed; },
                     Qt::AlignLeft | Qt::AlignVCenter);
    stats_->addLabel(QStringLiteral("LblTotalPlayed"),
                     [](const TableModel& m) -> const Control& { return m.LblTotalPlayed; },
                     Qt::AlignLeft | Qt::AlignVCenter);
    createButton(QStringLiteral("CmdReset"), &TableModel::CmdReset, stats_);
    createButton(QStringLiteral("CmdSet"), &TableModel::CmdSet, stats_);

    // The Joker panel.
    joker_ = new TablePanel(QStringLiteral("FramJoker"),
                            [](const TableModel& m) -> const Control& { return m.FramJoker; }, this);
    joker_->addLabel(QStringLiteral("LblJoker"), [](const TableModel& m) -> const Control& { return m.LblJoker; },
                     Qt::AlignLeft | Qt::AlignVCenter, true);
    for (int i = 0; i < 2; ++i)
        joker_->addLabel(QStringLiteral("LblSuit%1").arg(i),
                         [i](const TableModel& m) -> const Control& { return m.LblSuit[i]; },
                         Qt::AlignLeft | Qt::AlignVCenter, true, true);
    for (int i = 0; i < 18; ++i)
        joker_->addLabel(QStringLiteral("LblValue%1").arg(i),
                         [i](const TableModel& m) -> const Control& { return m.LblValue[i]; }, Qt::AlignCenter,
                         false, false, true);
    connect(joker_, &TablePanel::clicked, this, [this](const QString& name) {
        if (name.startsWith(QLatin1String("LblValue"))) emit jokerChoiceClicked(name.mid(8).toInt());
    });
    createButton(QStringLiteral("CmdJoker"), &TableModel::CmdJoker, joker_);
    createButton(QStringLiteral("CmdCancel"), &TableModel::CmdCancel, joker_);

    for (TablePanel* panel : {score_, stats_, joker_}) {
        connect(panel, &TablePanel::pressed, this, [this](const QString& name, QPoint global, Qt::MouseButton b) {
            emit panelPressed(name, mapping().toTwips(mapFromGlobal(global)), b);
        });
        connect(panel, &TablePanel::moved, this, [this](QPoint global, Qt::MouseButtons b) {
            emit mouseMoved(mapping().toTwips(mapFromGlobal(global)), b);
        });
        connect(panel, &TablePanel::released, this, [this](QPoint global, Qt::MouseButton b) {
            emit mouseReleased(mapping().toTwips(mapFromGlobal(global)), b);
        });
    }

    // The yellow pop-up.
    info_ = new QLabel(this);
    info_->setObjectName(QStringLiteral("LblInfo"));
    info_->setAlignment(Qt::AlignCenter);
    info_->setWordWrap(true);
    info_->setFrameStyle(QFrame::Box | QFrame::Plain);
    info_->setStyleSheet(QStringLiteral("background: rgb(255, 255, 160); color: black;"));
    info_->hide();

}

void TableWidget::createButton(const QString& name, ControlOf control, QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    // Return activates the button that has the focus.
    b->setAutoDefault(true);
    b->setFocusPolicy(Qt::StrongFocus);
    b->hide();
    connect(b, &QPushButton::clicked, this, [this, name] { emit buttonClicked(name); });
    bindings_.push_back({b, std::move(control), false});
    buttons_.insert(name, b);
}

QWidget* TableWidget::panel(const QString& name) const {
    for (TablePanel* p : {score_, stats_, joker_})
        if (p->objectName() == name) return p;
    return nullptr;
}

QSize TableWidget::sizeHint() const { return TablePixelSize(); }

void TableWidget::sync(const TableModel& model) {
    const bool first = model_ != &model;
    model_ = &model;
    placeChildren();
    applyFocus();
    applyCursor();
    if (first) {
        scene_ = buildScene();
        update();
    } else {
        updateChanged();
    }
    announceChanges();
}

std::vector<int> TableWidget::paintedKeys() const {
    std::vector<int> keys;
    for (const SceneItem& it : scene_) {
        // Cards with no name of their own (under a pile's top card) are left out.
        if (it.kind == Item::Card && !paintedName(it.index).isEmpty()) keys.push_back(it.index);
        if (it.kind == Item::Label) keys.push_back(kLabelKeys + it.index);
    }
    for (int column = 1; column <= layout::kMeldColumns; ++column)
        if (!paintedName(kColumnKeys + column).isEmpty()) keys.push_back(kColumnKeys + column);
    return keys;
}

// The label behind a painted label key, or null.
const Control* TableWidget::paintedLabel(int key) const {
    const std::vector<TableLabel> labels = model_->TableLabels();
    const int i = key - kLabelKeys;
    return i >= 0 && i < static_cast<int>(labels.size()) ? labels[i].control : nullptr;
}

QString TableWidget::paintedName(int key) const {
    if (!model_) return {};
    if (key >= 1 && key <= kCardCount) return cardNamer_ ? cardNamer_(key) : QString();
    if (key > kColumnKeys) return columnNamer_ ? columnNamer_(key - kColumnKeys) : QString();
    const Control* label = paintedLabel(key);
    return label ? Q(label->Caption).remove(QLatin1Char('&')).simplified() : QString();
}

QString TableWidget::paintedDescription(int key) const {
    if (!model_) return {};
    if (key >= 1 && key <= kCardCount) return Q(model_->Cds[key].ToolTip);
    const Control* label = paintedLabel(key);
    return label ? Q(label->ToolTip) : QString();
}

QRect TableWidget::paintedRect(int key) const {
    if (key > kColumnKeys) {
        const layout::Rect r = layout::TargetArea({layout::DropArea::Board, key - kColumnKeys});
        return mapping().toPixelRect(r.left, r.top, r.width, r.height);
    }
    const bool card = key >= 1 && key <= kCardCount;
    for (const SceneItem& it : scene_)
        if ((card && it.kind == Item::Card && it.index == key) || (!card && it.kind == Item::Label && it.index == key - kLabelKeys))
            return it.rect;
    return {};
}

bool TableWidget::paintedFocusable(int key) const {
    if (!model_ || key < 1 || key > kCardCount) return false;
    const int face = model_->Cds[key].Picture;
    return face >= 1 && face <= kCardCount;
}

int TableWidget::focusedCard() const { return model_ ? model_->Keys.FocusCard : 0; }

// The lines that change as the game goes (the two instruction lines and
// the robots' line) are told to screen readers when their text changes,
// and so is the keyboard's frame moving to a card. (What happens is also
// told as a notification: see Announcer.)
void TableWidget::announceChanges() {
    if (!model_ || !QAccessible::isActive()) return;
    QAccessibleInterface* me = QAccessible::queryAccessibleInterface(this);
    auto* table = me ? dynamic_cast<TableAccessible*>(me) : nullptr;
    if (!table) return;
    const std::vector<TableLabel> labels = model_->TableLabels();
    for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
        const QString text = Q(labels[i].control->Caption);
        const QString name = QLatin1String(labels[i].name);
        if (name != QLatin1String("LblP") && name != QLatin1String("LblBots")) continue;
        if (announced_.value(kLabelKeys + i) == text) continue;
        announced_.insert(kLabelKeys + i, text);
        if (text.isEmpty() || !labels[i].control->Visible) continue;
        QAccessibleEvent changed(table->painted(kLabelKeys + i), QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    const int focus = model_->Keys.FocusCard;
    if (focus != announcedFocus_) {
        announcedFocus_ = focus;
        if (hasFocus() && focus >= 1 && focus <= kCardCount) {
            QAccessibleEvent focused(table->painted(focus), QAccessible::Focus);
            QAccessible::updateAccessibility(&focused);
        }
    }
}

void TableWidget::resizeEvent(QResizeEvent*) {
    if (!model_) return;
    placeChildren();
    scene_ = buildScene();
    update();
}

void TableWidget::placeChildren() {
    const TableModel& m = *model_;
    const TableGeometry g = mapping();

    for (TablePanel* p : {score_, stats_, joker_}) p->sync(m, g, names_);

    const QFont buttonFont = TableFont(kButtonPoints, g.scale);
    for (ButtonBinding& b : bindings_) {
        const Control& c = b.control(m);
        const bool onPanel = b.widget->parentWidget() != this;
        b.widget->setGeometry(onPanel ? TablePanel::childRect(c, g) : g.toPixelRect(c.Left, c.Top, c.Width, c.Height));
        b.widget->setText(Q(c.Caption));
        b.widget->setToolTip(Q(c.ToolTip));
        b.widget->setFont(c.FontSize > 0 ? TableFont(c.FontSize, g.scale) : buttonFont);
        b.widget->setEnabled(c.Enabled);
        b.widget->setVisible(c.Visible);
    }

    // The yellow pop-up grows about its middle when its text needs more
    // lines, up to four times its height; past that its names are shortened.
    const Control& info = m.LblInfo;
    QRect place = g.toPixelRect(info.Left, info.Top, info.Width, info.Height);
    info_->setFont(TableFont(info.FontSize > 0 ? info.FontSize : 10, g.scale, true));
    const QString text = Q(info.Caption);
    const int frame = 2 * info_->frameWidth();
    const QString shown =
        FitWrapped(info_->fontMetrics(), text, names_, QSize(place.width() - frame, 4 * place.height() - frame));
    info_->setText(shown);
    info_->setToolTip(shown == text ? Q(info.ToolTip) : text);
    info_->setAccessibleName(text);
    const int needed = info_->heightForWidth(place.width());
    if (needed > place.height()) place.adjust(0, -(needed - place.height()) / 2, 0, (needed - place.height() + 1) / 2);
    info_->setGeometry(place);
    info_->setVisible(info.Visible);

    // Child windows above the painted table, in the model's stacking order.
    std::vector<std::pair<long, QWidget*>> children;
    for (ButtonBinding& b : bindings_)
        if (b.widget->parentWidget() == this) children.push_back({b.control(m).ZOrder, b.widget});
    children.push_back({m.FramScore.ZOrder, score_});
    children.push_back({m.Framstats.ZOrder, stats_});
    children.push_back({m.FramJoker.ZOrder, joker_});
    children.push_back({m.LblInfo.ZOrder, info_});
    std::stable_sort(children.begin(), children.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& child : children) child.second->raise();
}

// The model names the button that should have the keyboard focus. It is
// given the focus when the name changes or the game asks for it again (the
// hand after every draw, whatever took the focus meanwhile), and again when
// that button comes back into view (the score board's button at every round
// end).
void TableWidget::applyFocus() {
    const TableModel& m = *model_;
    const QString name = Q(m.Focus);
    const bool askedAgain = m.FocusRequests != appliedRequest_;
    if (name == QLatin1String("Table") && (name != appliedFocus_ || askedAgain)) {
        setFocus(Qt::OtherFocusReason);
        appliedFocus_ = name;
        appliedRequest_ = m.FocusRequests;
    }
    for (ButtonBinding& b : bindings_) {
        const Control& c = b.control(m);
        bool shown = c.Visible && c.Enabled;
        if (auto* p = qobject_cast<TablePanel*>(b.widget->parentWidget())) shown = shown && p->frame(m).Visible;
        const bool cameIntoView = shown && !b.wasShown;
        b.wasShown = shown;
        if (b.widget->objectName() != name || !shown) continue;
        if (name != appliedFocus_ || askedAgain || cameIntoView) {
            b.widget->setFocus(Qt::OtherFocusReason);
            appliedFocus_ = name;
            appliedRequest_ = m.FocusRequests;
        }
    }
}

QRect TableWidget::cardRect(const CardImage& c) const {
    const TableGeometry g = mapping();
    const int w = static_cast<int>(std::lround(g.length(kCardWidth)));
    const int h = static_cast<int>(std::lround(g.length(kCardHeight)));
    const QPointF at = g.toPixels(QPointF(c.Left, c.Top));
    const QPoint topLeft(static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y())));
    return c.Picture == kPicBackSideways ? QRect(topLeft, QSize(h, w)) : QRect(topLeft, QSize(w, h));
}

int TableWidget::cardAt(QPoint twips) const { return model_ ? model_->CardAt(twips.x(), twips.y()) : 0; }

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

namespace {
void DrawText(QPainter& p, const TableWidget::PaintedText& t) {
    p.setFont(t.font);
    p.setPen(t.colour);
    p.drawText(t.rect, t.flags, t.shown);
}
}  // namespace

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
        if (c.Visible)
            scene.push_back({Item::Card, n, c.ZOrder, cardRect(c),
                             static_cast<std::size_t>(c.Picture) ^ (digest(c.Mark + (c.MarkRed ? "r" : "b")) << 8)});
        if (c.Visible && c.Hinted) scene.push_back({Item::Hinted, n, c.ZOrder, cardRect(c).adjusted(-3, -3, 3, 3), 0});
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
        scene.push_back({Item::Focus, focus, kOnTop, cardRect(m.Cds[focus]).adjusted(-4, -4, 4, 4),
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
    std::size_t i = 0, j = 0;
    while (i < before.size() || j < after.size()) {
        if (j == after.size() || (i < before.size() && byItem(before[i], after[j]))) {
            dirty += Reach(before[i++].rect);
        } else if (i == before.size() || byItem(after[j], before[i])) {
            dirty += Reach(after[j++].rect);
        } else {
            const SceneItem& a = before[i++];
            const SceneItem& b = after[j++];
            if (a.rect != b.rect || a.look != b.look || a.z != b.z) dirty += QRegion(Reach(a.rect)) + Reach(b.rect);
        }
    }
    scene_ = std::move(now);
    if (!dirty.isEmpty()) update(dirty);
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
    const QRegion& region = e->region();
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
    drawPixels(QPointF(0, 0), cloth());
    if (!model_) return;
    const TableModel& m = *model_;
    const TableGeometry g = mapping();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const SceneItem& it : scene_) {
        if (!region.intersects(Reach(it.rect))) continue;
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
            p.setPen(QPen(QColor(120, 230, 255), 3));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(it.rect).adjusted(1.5, 1.5, -1.5, -1.5), 6, 6);
            break;
        }
        case Item::Accepting: {
            // A quiet outline: the targets that would take the card.
            p.setPen(QPen(QColor(255, 255, 255, 150), 2, Qt::DashLine));
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

bool TableWidget::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(e);
}

void TableWidget::mousePressEvent(QMouseEvent* e) {
    emit pressed(mapping().toTwips(e->position()), e->button());
}

void TableWidget::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMoved(mapping().toTwips(e->position()), e->buttons());
}

// The card under the pointer shows the cursor the game gave it.
void TableWidget::applyCursor() {
    const TableModel& m = *model_;
    const int card = m.FollowMouse.Card() ? m.PressedCard : m.CardAt(m.Pointer.left, m.Pointer.top);
    const int wanted = card > 0 && card <= kCardCount ? m.Cds[card].Cursor : 0;
    if (wanted == hoverCursor_) return;
    hoverCursor_ = wanted;
    if (wanted) setCursor(art_.cursor(wanted));
    else unsetCursor();
}

void TableWidget::keyPressEvent(QKeyEvent* e) {
    static const QHash<int, Key> keys = {
        {Qt::Key_Left, Key::Left},   {Qt::Key_Right, Key::Right}, {Qt::Key_Up, Key::Up},
        {Qt::Key_Down, Key::Down},   {Qt::Key_Home, Key::Home},   {Qt::Key_End, Key::End},
        {Qt::Key_Space, Key::Space}, {Qt::Key_Return, Key::Return}, {Qt::Key_Enter, Key::Return},
        {Qt::Key_Escape, Key::Escape}};
    const auto key = keys.find(e->key());
    if (key == keys.end() || (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        QWidget::keyPressEvent(e);
        return;
    }
    emit keyPressed(static_cast<int>(*key));
}

void TableWidget::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (model_) updateChanged();
}

void TableWidget::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    appliedFocus_.clear();
    if (model_) updateChanged();
}

void TableWidget::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseReleased(mapping().toTwips(e->position()), e->button());
}

}  // namespace meldora::ui
