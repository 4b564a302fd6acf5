#include "ui/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "player/Player.h"
#include "robots/Robots.h"
#include "ui/AboutWindow.h"
#include "ui/AppResources.h"
#include "ui/HelpWindow.h"
#include "ui/TableWidget.h"

namespace meldora::ui {

MainWindow::MainWindow(std::optional<std::uint64_t> seed)
    : random_(seed ? Random(*seed) : Random()), host_(this), game_(host_, random_, settings_, TheRobots()) {
    setWindowTitle(QStringLiteral("Meldora"));
    setWindowIcon(AppIcon());

    table_ = new TableWidget(art_, this);
    setCentralWidget(table_);
    connect(table_, &TableWidget::buttonClicked, this, &MainWindow::buttonClicked);
    connect(table_, &TableWidget::jokerChoiceClicked, this,
            [this](int index) { run([this, index] { LblValueClick(game_, index); }); });
    connect(table_, &TableWidget::pressed, this, [this](QPoint t, Qt::MouseButton b) {
        const MouseButton button = b == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
        run([this, t, button] { PointerPressed(game_, {t.x(), t.y()}, button); });
    });
    connect(table_, &TableWidget::panelPressed, this, [this](const QString& name, QPoint t, Qt::MouseButton) {
        run([this, name, t] {
            game_.ui.Pointer = {t.x(), t.y()};
            if (name == QLatin1String("FramScore")) FramScore_MouseDown(game_);
            else if (name == QLatin1String("FramJoker")) FramJoker_MouseDown(game_);
        });
    });
    connect(table_, &TableWidget::mouseMoved, this,
            [this](QPoint t, Qt::MouseButtons) { run([this, t] { PointerMoved(game_, {t.x(), t.y()}); }); });
    connect(table_, &TableWidget::mouseReleased, this,
            [this](QPoint t, Qt::MouseButton) { run([this, t] { PointerReleased(game_, {t.x(), t.y()}); }); });

    buildMenus();
    buildStatusBar();

    host_.beforeWait = [this] { syncView(); };
    // A message window never opens over a card in mid-air.
    host_.beforeModal = [this] { CancelDrag(game_); };
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
    static const QHash<QString, std::function<void(Game&)>> handlers = {
        {QStringLiteral("CmdFinished"), [](Game& g) { g.CmdFinished_Click(); }},
        {QStringLiteral("CmdSortSame"), [](Game& g) { g.CmdSortSame_Click(); }},
        {QStringLiteral("CmdSortSuits"), [](Game& g) { g.CmdSortSuits_Click(); }},
        {QStringLiteral("CmdMayI"), [](Game& g) { g.LblMayI(); }},
        {QStringLiteral("CmdPass"), [](Game& g) { g.CmdPass_Click(); }},
        {QStringLiteral("CmdStock"), CmdStock_Click},
        {QStringLiteral("CmdDiscard"), CmdDiscard_Click},
        {QStringLiteral("CmdTakeBack"), CmdTakeBack_Click},
        {QStringLiteral("CmdJoker"), JokerClick},
        {QStringLiteral("CmdCancel"), CmdCancel_Click},
        {QStringLiteral("CmdShut"), CmdShut_Click},
        {QStringLiteral("CmdSet"), CmdSet_Click},
    };
    const auto handler = handlers.find(name);
    if (handler != handlers.end()) run([this, &h = *handler] { h(game_); });
}

// The window losing the focus in the middle of a drag puts the card back.
void MainWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && game_.ui.FollowMouse.Enabled())
        run([this] { CancelDrag(game_); });
    QMainWindow::changeEvent(e);
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
