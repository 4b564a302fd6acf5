#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "robots/Robots.h"
#include "ui/AboutWindow.h"
#include "ui/AppResources.h"
#include "ui/HelpWindow.h"
#include "ui/TableWidget.h"

namespace meldora::ui {

MainWindow::MainWindow() : host_(this), game_(host_, random_, settings_, TheRobots()) {
    setWindowTitle(QStringLiteral("Meldora"));
    setWindowIcon(AppIcon());

    table_ = new TableWidget(art_, this);
    setCentralWidget(table_);
    connect(table_, &TableWidget::buttonClicked, this, &MainWindow::buttonClicked);

    buildMenus();
    buildStatusBar();

    host_.beforeWait = [this] { syncView(); };
    host_.onQuit = [this] { close(); };

    game_.ShowOpeningTable();
    syncView();

    fitToScreen();
}

// Opens at the table's own size, or smaller with the same proportions when
// the screen's free area (at its scale factor) has no room for it.
void MainWindow::fitToScreen() {
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    QSize table = table_->sizeHint();
    if (const QScreen* s = screen()) {
        // Room for the window's frame, which is not known before it is shown.
        constexpr int kFrameAllowance = 48;
        const QSize room = s->availableGeometry().size() - QSize(kFrameAllowance / 2, kFrameAllowance + bars);
        table = table.scaled(room.boundedTo(table), Qt::KeepAspectRatio);
    }
    resize(table.width(), table.height() + bars);
}

MainWindow::~MainWindow() {
    host_.Shutdown();
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& text, bool ready) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setEnabled(ready);
    return a;
}

QAction* MainWindow::command(const QString& name) const {
    return findChild<QAction*>(name);
}

// The commands not built yet stay disabled until their windows exist.
void MainWindow::buildMenus() {
    gameMenu_ = menuBar()->addMenu(QStringLiteral("&Game"));
    gameMenu_->setObjectName(QStringLiteral("MnuGame"));
    connect(addCommand(gameMenu_, QStringLiteral("MnuNew"), QStringLiteral("New Game"), true), &QAction::triggered,
            this, [this] { run([this] { game_.MnuNew_Click(); }); });
    addCommand(gameMenu_, QStringLiteral("MnuLoad"), QStringLiteral("Load Game"), false);
    connect(addCommand(gameMenu_, QStringLiteral("MnuExit"), QStringLiteral("E&xit Game"), true),
            &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(addCommand(help, QStringLiteral("MnuHG"), QStringLiteral("General Help"), true), &QAction::triggered,
            this, [this] { HelpWindow::showFor(this); });

    QMenu* options = menuBar()->addMenu(QStringLiteral("Op&tions"));
    addCommand(options, QStringLiteral("MnuName"), QStringLiteral("Enter Your Name"), false);
    addCommand(options, QStringLiteral("MnuWestBot"), QStringLiteral("Enter Name of West Bot"), false);
    addCommand(options, QStringLiteral("MnuNorthBot"), QStringLiteral("Enter name of North Bot"), false);
    addCommand(options, QStringLiteral("MnuEastBot"), QStringLiteral("Enter name of East Bot"), false);
    QMenu* speed = options->addMenu(QStringLiteral("Spee&d"));
    speed->menuAction()->setObjectName(QStringLiteral("MnuSpeed"));
    addCommand(speed, QStringLiteral("MenuVS"), QStringLiteral("Learning Only Slow"), false);
    addCommand(speed, QStringLiteral("MnuSlow"), QStringLiteral("Slow"), false);
    addCommand(speed, QStringLiteral("MnuMed"), QStringLiteral("Medium"), false);
    addCommand(speed, QStringLiteral("MnuFast"), QStringLiteral("Fast"), false);
    addCommand(options, QStringLiteral("MnuNoAnim"), QStringLiteral("Cards Animation on and off"), false);
    addCommand(options, QStringLiteral("MnuNoSound"), QStringLiteral("Card sound on and off"), false);

    QMenu* stats = menuBar()->addMenu(QStringLiteral("Statistics"));
    stats->menuAction()->setObjectName(QStringLiteral("MnuStats"));
    addCommand(stats, QStringLiteral("MnuCurrent"), QStringLiteral("Current Scores"), false);
    addCommand(stats, QStringLiteral("MnuGStats"), QStringLiteral("General Statistics"), false);

    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("MenuAbout"));
    connect(about, &QAction::triggered, this, [this] { AboutWindow::showFor(this); });
}

void MainWindow::buildStatusBar() {
    static const char* const kTips[6] = {"",
                                         "The round number being played",
                                         "Melds required for Contract",
                                         "The points in your hand",
                                         "Number  cards in your hand",
                                         "Playing Now"};
    static const int kStretch[6] = {0, 2, 6, 3, 3, 3};
    for (int i = 1; i <= 5; ++i) {
        status_[i] = new QLabel(this);
        status_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        status_[i]->setToolTip(QString::fromLatin1(kTips[i]));
        status_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(status_[i], kStretch[i]);
    }
}

void MainWindow::syncView() {
    const TableModel& m = game_.ui;
    table_->sync(m);
    for (int i = 1; i <= 5; ++i) status_[i]->setText(QString::fromStdString(m.StatusPanel[i]));
    gameMenu_->setEnabled(m.MnuGameEnabled);
    gameMenu_->menuAction()->setEnabled(m.MnuGameEnabled);
}

void MainWindow::run(const std::function<void()>& handler) {
    if (closing_) return;
    handler();
    syncView();
}

void MainWindow::buttonClicked(const QString& name) {
    if (name == QLatin1String("CmdFinished")) run([this] { game_.CmdFinished_Click(); });
    else if (name == QLatin1String("CmdSortSame")) run([this] { game_.CmdSortSame_Click(); });
    else if (name == QLatin1String("CmdSortSuits")) run([this] { game_.CmdSortSuits_Click(); });
    else if (name == QLatin1String("CmdMayI")) run([this] { game_.LblMayI(); });
    else if (name == QLatin1String("CmdPass")) run([this] { game_.CmdPass_Click(); });
}

// A chain of turns may be waiting inside a pause: ask it to unwind, and
// close from the event loop once it has, so nothing plays on against a
// closed window.
void MainWindow::closeEvent(QCloseEvent* e) {
    if (game_.ChainActive()) {
        e->ignore();
        game_.RunHandler("Form_QueryUnload", [this] {
            game_.RequestRestart([this] { QTimer::singleShot(0, this, &QWidget::close); });
        });
        return;
    }
    closing_ = true;
    host_.Shutdown();
    e->accept();
}

}  // namespace meldora::ui
