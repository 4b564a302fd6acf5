#include "ui/HistoryWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/AppResources.h"
#include "ui/OwnedWindow.h"

namespace meldora::ui {

namespace {

const char* const kSeatWords[4] = {"You", "West", "North", "East"};

// What the charts and the summary show, worked out once per history.
struct Figures {
    int games = 0;
    double player = 0, robots = 0;  // average total per game; the robots' is the mean of the three
    double round[4][8] = {};        // average points by seat and round
    int wins[2][5] = {};            // by level (Standard, Expert) and seat; [4] the ties
    int playerWins = 0;
    QStringList seats;              // the newest game's names, the player's as "You"
};

Figures Work(const std::vector<GameRecord>& games) {
    Figures f;
    f.games = static_cast<int>(games.size());
    for (int s = 0; s < 4; ++s) f.seats << QLatin1String(kSeatWords[s]);
    if (games.empty()) return f;
    for (int s = 1; s < 4; ++s) f.seats[s] = QString::fromStdString(games.back().Names[s]);
    for (const GameRecord& g : games) {
        f.player += g.Total(0);
        f.robots += (g.Total(1) + g.Total(2) + g.Total(3)) / 3.0;
        for (int s = 0; s < 4; ++s)
            for (int r = 1; r <= 7; ++r) f.round[s][r] += g.Points[s][r];
        f.wins[g.ExpertRobots ? 1 : 0][g.Winner < 0 ? 4 : g.Winner] += 1;
        if (g.Winner == 0) ++f.playerWins;
    }
    f.player /= f.games;
    f.robots /= f.games;
    for (auto& seat : f.round)
        for (double& points : seat) points /= f.games;
    return f;
}

QString Games(int n) { return n == 1 ? QStringLiteral("1 game") : QStringLiteral("%1 games").arg(n); }

QString SummaryText(const Figures& f) {
    if (f.games == 0)
        return QStringLiteral("No games finished yet. Each game played to the end of round 7 is added here.");
    return QStringLiteral("Your average %1 points per game against the robots' %2 over %3. You won %4 of them.")
        .arg(qRound(f.player))
        .arg(qRound(f.robots))
        .arg(Games(f.games))
        .arg(f.playerWins);
}

// At most about ten labels along an axis of n values: 1, 2, 5, 10, 20, 50 ...
int NiceStep(int n) {
    for (int step = 1;; step *= 10)
        for (int k : {1, 2, 5})
            if (n <= 10 * k * step) return k * step;
}

// A chart in the window's own fonts, so it reads like the rest at any scale.
QChart* NewChart(const QWidget* w, const QString& title) {
    auto* chart = new QChart;
    QFont titleFont = w->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    chart->setTitleFont(titleFont);
    chart->setTitle(title);
    chart->legend()->setFont(w->font());
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

void Attach(QChart* chart, QAbstractAxis* axis, Qt::Alignment where, const QWidget* w, const QString& title) {
    axis->setLabelsFont(w->font());
    axis->setTitleFont(w->font());
    axis->setTitleText(title);
    chart->addAxis(axis, where);
    for (QAbstractSeries* s : chart->series()) s->attachAxis(axis);
}

QValueAxis* PointsAxis(double highest) {
    auto* axis = new QValueAxis;
    axis->setRange(0, std::max(10.0, highest * 1.05));
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%d"));
    return axis;
}

QChart* GamesChart(const QWidget* w, const std::vector<GameRecord>& games, const Figures& f) {
    QChart* chart = NewChart(w, QStringLiteral("Points per game (fewer is better)"));
    auto* you = new QLineSeries;
    auto* robots = new QLineSeries;
    you->setName(QStringLiteral("You"));
    robots->setName(QStringLiteral("Robots' average"));
    double highest = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const double mine = games[i].Total(0);
        const double theirs = (games[i].Total(1) + games[i].Total(2) + games[i].Total(3)) / 3.0;
        you->append(double(i + 1), mine);
        robots->append(double(i + 1), theirs);
        highest = std::max({highest, mine, theirs});
    }
    // Told apart by colour and by line style, so either alone will do.
    you->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    robots->setPen(QPen(QColor(0xc8, 0x4b, 0x1e), 2.5, Qt::DashLine, Qt::RoundCap, Qt::RoundJoin));
    for (QLineSeries* s : {you, robots}) {
        s->setPointsVisible(games.size() <= 40);
        chart->addSeries(s);
    }
    auto* x = new QValueAxis;
    const int n = std::max(f.games, 2);
    x->setRange(1, n);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(NiceStep(n));
    Attach(chart, x, Qt::AlignBottom, w, QStringLiteral("Game"));
    Attach(chart, PointsAxis(highest), Qt::AlignLeft, w, QStringLiteral("Points"));
    return chart;
}

QChart* RoundsChart(const QWidget* w, const Figures& f) {
    QChart* chart = NewChart(w, QStringLiteral("Average points per round"));
    auto* bars = new QBarSeries;
    double highest = 0;
    for (int s = 0; s < 4; ++s) {
        auto* set = new QBarSet(f.seats[s]);
        for (int r = 1; r <= 7; ++r) {
            *set << f.round[s][r];
            highest = std::max(highest, f.round[s][r]);
        }
        bars->append(set);
    }
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    for (int r = 1; r <= 7; ++r) x->append(QStringLiteral("Round %1").arg(r));
    Attach(chart, x, Qt::AlignBottom, w, QString());
    Attach(chart, PointsAxis(highest), Qt::AlignLeft, w, QStringLiteral("Points"));
    return chart;
}

QChart* WinsChart(const QWidget* w, const Figures& f) {
    QChart* chart = NewChart(w, QStringLiteral("Games won"));
    auto* bars = new QBarSeries;
    int highest = 0;
    for (int level = 0; level < 2; ++level) {
        auto* set = new QBarSet(QStringLiteral("Against %1 robots").arg(RobotLevelWord(level == 1)));
        for (int s = 0; s < 5; ++s) {
            *set << f.wins[level][s];
            highest = std::max(highest, f.wins[level][s]);
        }
        set->setLabelFont(w->font());
        set->setLabelColor(w->palette().color(QPalette::WindowText));
        bars->append(set);
    }
    bars->setLabelsVisible(true);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(f.seats + QStringList{QStringLiteral("Tied")});
    Attach(chart, x, Qt::AlignBottom, w, QString());
    auto* y = PointsAxis(highest);
    y->setMinorTickCount(0);
    Attach(chart, y, Qt::AlignLeft, w, QStringLiteral("Games"));
    return chart;
}

// Each chart's figures in words, for a screen reader.
QString RoundsText(const Figures& f) {
    QStringList rounds;
    for (int r = 1; r <= 7; ++r) {
        QStringList seats;
        for (int s = 0; s < 4; ++s) seats << f.seats[s] + " " + QString::number(qRound(f.round[s][r]));
        rounds << QStringLiteral("round %1: %2").arg(r).arg(seats.join(QStringLiteral(", ")));
    }
    return QStringLiteral("Average points per round over %1; ").arg(Games(f.games)) + rounds.join(QStringLiteral("; ")) + ".";
}

QString WinsText(const Figures& f) {
    QStringList levels;
    for (int level = 0; level < 2; ++level) {
        QStringList seats;
        for (int s = 0; s < 4; ++s) seats << f.seats[s] + " " + QString::number(f.wins[level][s]);
        seats << QStringLiteral("tied %1").arg(f.wins[level][4]);
        levels << QStringLiteral("against %1 robots: %2").arg(RobotLevelWord(level == 1), seats.join(QStringLiteral(", ")));
    }
    return QStringLiteral("Games won ") + levels.join(QStringLiteral("; ")) + ".";
}

void Show(QChartView* view, QChart* chart, const QString& description) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
    view->setAccessibleDescription(description);
    view->setToolTip(description);
}

QTableWidgetItem* Number(int n) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, n);  // sorts as a number
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidgetItem* Text(const QString& text) { return new QTableWidgetItem(text); }

}  // namespace

HistoryWindow::HistoryWindow(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(AppTitle() + QStringLiteral(" Game History"));
    setWindowModality(Qt::NonModal);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    summary_->setFocusPolicy(Qt::StrongFocus);  // a screen reader's user can land on it and hear it

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabsHistory"));
    const struct {
        const char* name;
        const char* tab;
    } kCharts[] = {{"chartGames", "Points per &Game"}, {"chartRounds", "Points per &Round"}, {"chartWins", "Games &Won"}};
    for (const auto& c : kCharts) {
        auto* view = new QChartView(tabs_);
        view->setObjectName(QLatin1String(c.name));
        view->setRenderHint(QPainter::Antialiasing);
        view->setAccessibleName(QString::fromLatin1(c.tab).remove(QLatin1Char('&')));
        view->setFocusPolicy(Qt::StrongFocus);
        tabs_->addTab(view, QLatin1String(c.tab));
    }

    const QStringList heads{QStringLiteral("Game"), QStringLiteral("Date"), QStringLiteral("Deal"),
                            QStringLiteral("Robots"), QStringLiteral("Winner"), QStringLiteral("You"),
                            QStringLiteral("West"), QStringLiteral("North"), QStringLiteral("East")};
    table_ = new QTableWidget(0, heads.size(), tabs_);
    table_->setObjectName(QStringLiteral("tblGames"));
    table_->setAccessibleName(QStringLiteral("Past games"));
    table_->setHorizontalHeaderLabels(heads);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);  // the winner's name
    table_->setToolTip(QStringLiteral("Double click a game to play its deal again"));
    connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (const QTableWidgetItem* deal = table_->item(index.row(), 2)) emit replayRequested(deal->data(Qt::DisplayRole).toInt());
    });
    tabs_->addTab(table_, QStringLiteral("&Past Games"));

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setAutoDefault(false);  // Return on a past game replays it, not closes the window
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    // Room for a chart whose labels read at the font's size, within the screen.
    const QFontMetrics fm(font());
    QSize size(fm.averageCharWidth() * 120, fm.lineSpacing() * 36);
    if (const QScreen* s = owner ? owner->screen() : screen()) size = size.boundedTo(s->availableGeometry().size() * 0.9);
    resize(size);
}

void HistoryWindow::setGames(const std::vector<GameRecord>& games) {
    const Figures f = Work(games);
    const QString summary = SummaryText(f);
    summary_->setText(summary);
    summary_->setAccessibleName(summary);
    setAccessibleDescription(summary);

    auto view = [&](const char* name) { return tabs_->findChild<QChartView*>(QLatin1String(name)); };
    Show(view("chartGames"), GamesChart(this, games, f), summary);
    Show(view("chartRounds"), RoundsChart(this, f), RoundsText(f));
    Show(view("chartWins"), WinsChart(this, f), WinsText(f));

    table_->setSortingEnabled(false);  // rows go in where they are put
    table_->setRowCount(static_cast<int>(games.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const GameRecord& g = games[static_cast<std::size_t>(row)];
        table_->setItem(row, 0, Number(row + 1));
        table_->setItem(row, 1, Text(QString::fromStdString(g.Date)));
        table_->setItem(row, 2, Number(g.DealNumber));
        table_->setItem(row, 3, Text(RobotLevelWord(g.ExpertRobots)));
        table_->setItem(row, 4, Text(g.Winner < 0 ? QStringLiteral("Tied") : QString::fromStdString(g.Names[g.Winner])));
        for (int s = 0; s < 4; ++s) {
            QTableWidgetItem* total = Number(g.Total(s));
            QStringList rounds;
            for (int r = 1; r <= 7; ++r) rounds << QString::number(g.Points[s][r]);
            total->setToolTip(QString::fromStdString(g.Names[s]) + QStringLiteral(", rounds 1 to 7: ") +
                              rounds.join(QStringLiteral(", ")));
            table_->setItem(row, 5 + s, total);
        }
    }
    table_->setSortingEnabled(true);
    table_->sortByColumn(0, Qt::DescendingOrder);  // the newest game first
    // Sized once to what they hold: a header that measures every row at each
    // layout would slow a long history down.
    table_->resizeColumnsToContents();
}

QString HistoryWindow::summary() const { return summary_->text(); }

HistoryWindow* HistoryWindow::showFor(QWidget* owner, const std::vector<GameRecord>& games) {
    auto* w = owner->findChild<HistoryWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!w) {
        w = new HistoryWindow(owner);
        // First over the table, and wholly on the screen however large the table is.
        QRect place = w->rect();
        place.moveCenter(owner->geometry().center());
        if (const QScreen* s = owner->screen()) {
            const QRect room = s->availableGeometry();
            place.moveLeft(std::clamp(place.left(), room.left(), std::max(room.left(), room.right() - place.width())));
            place.moveTop(std::clamp(place.top(), room.top(), std::max(room.top(), room.bottom() - place.height())));
        }
        w->move(place.topLeft());
    }
    w->setGames(games);
    return ShowOwnedWindow<HistoryWindow>(owner);
}

}  // namespace meldora::ui
