#include "ui/TableWidget.h"

// The table's real child widgets: the buttons, the three panels and the
// yellow pop-up, built once and placed, captioned and shown from the model
// at every sync.

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "player/Controls.h"
#include "ui/ModelText.h"
#include "ui/Palette.h"
#include "ui/TablePanel.h"
#include "ui/TextFit.h"

namespace meldora::ui {

namespace {
constexpr double kButtonPoints = 9.0;
}  // namespace

void TableWidget::buildControls() {
    // Buttons under the player's hand.
    createButtons("", this);

    buildScoreBoard();
    buildStatistics();
    buildJokerPanel();

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
    info_->setStyleSheet(QStringLiteral("background: %1; color: black;").arg(palette::kInfoFace.name()));
    info_->hide();
}

// The score board: one row per seat, one column per round and the total.
void TableWidget::buildScoreBoard() {
    score_ = new TablePanel(QStringLiteral("FramScore"), stateOf("FramScore"), this);
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
    createButtons("FramScore", score_);
}

// Games played statistics.
void TableWidget::buildStatistics() {
    stats_ = new TablePanel(QStringLiteral("Framstats"), stateOf("Framstats"), this);
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
    createButtons("Framstats", stats_);
}

// The Joker panel: the suit and value a Joker stands for.
void TableWidget::buildJokerPanel() {
    joker_ = new TablePanel(QStringLiteral("FramJoker"), stateOf("FramJoker"), this);
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
    createButtons("FramJoker", joker_);
}

TableWidget::ControlOf TableWidget::stateOf(const char* name) {
    const ControlRow* row = FindControl(name);
    Q_ASSERT(row != nullptr);
    return [row](const TableModel& m) -> const Control& { return StateOf(*row, m); };
}

// The buttons the control table lists on one panel, or on the table itself
// for "", in the table's order (which is also their order for Tab).
void TableWidget::createButtons(const char* panel, QWidget* parent) {
    for (const ControlRow& row : ControlTable())
        if (qstrcmp(row.panel, panel) == 0 && qstrcmp(row.name, panel) != 0)
            createButton(QString::fromLatin1(row.name), stateOf(row.name), parent);
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

}  // namespace meldora::ui
