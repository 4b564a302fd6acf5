#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "game/Commands.h"
#include "game/Describe.h"
#include "player/Controls.h"
#include "player/Player.h"
#include "storage/FileStore.h"
#include "robots/Hint.h"
#include "robots/Robots.h"
#include "ui/AboutWindow.h"
#include "ui/AppResources.h"
#include "ui/HelpWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/TableWidget.h"
#include "ui/TextFit.h"

namespace meldora::ui {

MainWindow::MainWindow(std::optional<std::uint64_t> seed, std::optional<QString> dataFolder)
    : random_(seed ? Random(*seed) : Random()),
      dataFolder_(dataFolder ? std::filesystem::path(dataFolder->toStdString()) : std::filesystem::path()),
      prefs_(readPreferences(dataFolder_, prefNotes_)),
      host_(this),
      game_(host_, random_, settings_, robotsOf(prefs_.Robots)) {
    if (dataFolder) {
        store_ = std::make_unique<FileStore>(dataFolder_);
        game_.store = store_.get();
    }
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
            PressControl(game_, name.toStdString());
        });
    });
    connect(table_, &TableWidget::mouseMoved, this,
            [this](QPoint t, Qt::MouseButtons) { run([this, t] { PointerMoved(game_, {t.x(), t.y()}); }); });
    connect(table_, &TableWidget::keyPressed, this,
            [this](int key) { run([this, key] { KeyPressed(game_, static_cast<Key>(key)); }); });
    connect(table_, &TableWidget::mouseReleased, this,
            [this](QPoint t, Qt::MouseButton) { run([this, t] { PointerReleased(game_, {t.x(), t.y()}); }); });

    buildMenus();
    buildStatusBar();

    table_->setCardNamer([this](int card) { return QString::fromStdString(CardReaderName(game_, card)); });
    table_->setColumnNamer([this](int column) { return QString::fromStdString(MeldColumnName(game_, column)); });

    host_.beforeWait = [this] { syncView(); };
    host_.afterWait = [this] { table_->settle(); };
    // A message window never opens over a card in mid-air.
    host_.beforeModal = [this] { CancelDrag(game_); };
    host_.onSpeechUnavailable = [this](const std::string& text) { showNote(QString::fromStdString(text)); };
    host_.onQuit = [this] {
        quitting_ = true;
        QTimer::singleShot(0, this, &QWidget::close);
    };

    game_.ShowOpeningTable();
    syncView();

    fitToScreen();
    applyPreferences();
}

// Opens at the table's own size, or smaller with the same proportions when
// the screen's free area (at its scale factor) has no room for it. Never
// narrower than the status bar's panels: when they need more width the
// table grows with it, as far as the screen's height allows.
void MainWindow::fitToScreen() {
    // The main window's layout leaves the status bar out of its least width.
    setMinimumWidth(std::max(minimumSizeHint().width(), statusBar()->minimumSizeHint().width()));
    const int bars = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    QSize table = table_->sizeHint();
    if (table.width() < minimumWidth()) table = table.scaled(minimumWidth(), QWIDGETSIZE_MAX, Qt::KeepAspectRatio);
    if (const QScreen* s = screen()) {
        // Room for the window's frame, which is not known before it is shown.
        constexpr int kFrameAllowance = 48;
        const QSize room = s->availableGeometry().size() - QSize(kFrameAllowance / 2, kFrameAllowance + bars);
        table = table.scaled(room.boundedTo(table), Qt::KeepAspectRatio);
    }
    resize(std::max(table.width(), minimumWidth()), table.height() + bars);
}

MainWindow::~MainWindow() {
    host_.Shutdown();
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& text,
                               std::function<void(Game&)> handler) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, handler = std::move(handler)] { run([this, &handler] { handler(game_); }); });
    return a;
}

QAction* MainWindow::command(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::buildMenus() {
    gameMenu_ = menuBar()->addMenu(QStringLiteral("&Game"));
    gameMenu_->setObjectName(QStringLiteral("MnuGame"));
    addCommand(gameMenu_, QStringLiteral("MnuNew"), QStringLiteral("New Game"), [](Game& g) { g.MnuNew_Click(); });
    addCommand(gameMenu_, QStringLiteral("MnuReplay"), QStringLiteral("Replay This Deal"), MnuReplay_Click);
    addCommand(gameMenu_, QStringLiteral("MnuSelectDeal"), QStringLiteral("Select Deal..."), MnuSelectDeal_Click);
    addCommand(gameMenu_, QStringLiteral("MnuLoad"), QStringLiteral("Load Game"), [](Game& g) { LoadSavedGame(g); });
    // The next step, told in the player's line and aloud: H at any time.
    addCommand(gameMenu_, QStringLiteral("MnuHint"), QStringLiteral("&Hint"), MnuHint_Click)
        ->setShortcut(QKeySequence(Qt::Key_H));
    addCommand(gameMenu_, QStringLiteral("MnuExit"), QStringLiteral("E&xit Game"), MnuExit_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(help, QStringLiteral("MnuHG"), QStringLiteral("General Help"), [this](Game&) { HelpWindow::showFor(this); });

    // "I": the T of "Options" belongs to "Sor&t Suits".
    QMenu* options = menuBar()->addMenu(QStringLiteral("Opt&ions"));
    addCommand(options, QStringLiteral("MnuName"), QStringLiteral("Enter Your Name"), [](Game& g) { MnuName_Click(g, 0); });
    addCommand(options, QStringLiteral("MnuWestBot"), QStringLiteral("Enter Name of West Bot"),
               [](Game& g) { MnuName_Click(g, 1); });
    addCommand(options, QStringLiteral("MnuNorthBot"), QStringLiteral("Enter name of North Bot"),
               [](Game& g) { MnuName_Click(g, 2); });
    addCommand(options, QStringLiteral("MnuEastBot"), QStringLiteral("Enter name of East Bot"),
               [](Game& g) { MnuName_Click(g, 3); });
    QMenu* speed = options->addMenu(QStringLiteral("Spee&d"));
    speed->menuAction()->setObjectName(QStringLiteral("MnuSpeed"));
    addCommand(speed, QStringLiteral("MenuVS"), QStringLiteral("Learning Only Slow"),
               [](Game& g) { MnuSpeed_Click(g, kSpeedVerySlow); });
    addCommand(speed, QStringLiteral("MnuSlow"), QStringLiteral("Slow"), [](Game& g) { MnuSpeed_Click(g, kSpeedSlow); });
    addCommand(speed, QStringLiteral("MnuMed"), QStringLiteral("Medium"), [](Game& g) { MnuSpeed_Click(g, kSpeedMedium); });
    addCommand(speed, QStringLiteral("MnuFast"), QStringLiteral("Fast"), [](Game& g) { MnuSpeed_Click(g, kSpeedFast); });
    addCommand(options, QStringLiteral("MnuNoAnim"), QStringLiteral("Cards Animation on and off"), MnuNoAnim_Click);
    addCommand(options, QStringLiteral("MnuNoSound"), QStringLiteral("Card sound on and off"), MnuNoSound_Click);
    addCommand(options, QStringLiteral("MnuSpeech"), QStringLiteral("Speak cards and moves on and off"),
               MnuSpeech_Click);
    // The speeds are one choice, each switch is checked while it is on.
    for (const char* name : {"MenuVS", "MnuSlow", "MnuMed", "MnuFast", "MnuNoAnim", "MnuNoSound", "MnuSpeech"}) {
        optionChecks_ << command(QLatin1String(name));
        optionChecks_.back()->setCheckable(true);
    }
    auto* speeds = new QActionGroup(speed);
    for (QAction* a : speed->actions()) speeds->addAction(a);
    buildWindowOptions(options);

    QMenu* stats = menuBar()->addMenu(QStringLiteral("Statistics"));
    stats->menuAction()->setObjectName(QStringLiteral("MnuStats"));
    addCommand(stats, QStringLiteral("MnuCurrent"), QStringLiteral("Current Scores"), MnuCurrent_Click);
    addCommand(stats, QStringLiteral("MnuGStats"), QStringLiteral("General Statistics"), MnuGStats_Click);
    addCommand(stats, QStringLiteral("MnuHistory"), QStringLiteral("Game History"),
               [this](Game& g) { g.RunHandler("MnuHistory", [this] { showHistory(); }); });

    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("MenuAbout"));
    connect(about, &QAction::triggered, this, [this] { AboutWindow::showFor(this); });
}

namespace {
const char* const kStatusTips[6] = {"",
                                    "The round number being played",
                                    "Melds required for Contract",
                                    "The points in your hand",
                                    "Number  cards in your hand",
                                    "Playing Now"};

// The longest texts each status panel shows: the game's own lines with the
// widest numbers they reach, every round's contract, and the robots' turns
// under their first names; a longer name is shortened to fit.
QStringList LongestStatusTexts(int panel) {
    QStringList texts;
    switch (panel) {
    case 1: texts << QStringLiteral("Round:-  7"); break;
    case 2:
        for (int round = 1; round <= 7; ++round) texts << QString::fromStdString(ContractForRound(round).text);
        break;
    case 3: texts << QStringLiteral("Points in Hand:- 999"); break;
    case 4: texts << QStringLiteral("Cards in Hand:-  99"); break;
    case 5:
        texts << QString::fromLatin1(QtHost::kNoSpeech);
        for (const std::string& name : Settings{}.SeatNames) texts << QString::fromStdString(name) + " playing now.";
        break;
    }
    return texts;
}

QStringList SeatNames(const Game& g) {
    QStringList names;
    for (int s = 0; s < 4; ++s) names << QString::fromStdString(g.SeatName(s));
    return names;
}
}  // namespace

// Each panel is as wide as the longest text it shows; the contract's panel
// takes what the bar has over.
void MainWindow::buildStatusBar() {
    // The window's frame resizes it; a grip in the corner would take room
    // the bar does not count in its least width.
    statusBar()->setSizeGripEnabled(false);
    for (int i = 1; i <= 5; ++i) {
        QLabel* panel = new QLabel(this);
        status_[i] = panel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setToolTip(QString::fromLatin1(kStatusTips[i]));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        int width = 0;
        for (const QString& text : LongestStatusTexts(i)) {
            panel->setText(text);
            width = std::max(width, panel->sizeHint().width());
        }
        panel->clear();
        panel->setMinimumWidth(width);
        panel->setSizePolicy(i == 2 ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Preferred);
        if (i != 2) panel->setFixedWidth(width);
        statusBar()->addWidget(panel, i == 2 ? 1 : 0);
    }
}

// Reads the history afresh and shows it. Lines that cannot be read are told
// of once: the same damage found again is not told again.
void MainWindow::showHistory() {
    std::string damage;
    const std::vector<GameRecord> games = store_ ? store_->ReadHistory(damage) : std::vector<GameRecord>();
    if (!damage.empty() && damage != historyDamage_) game_.ReportStore(damage);
    historyDamage_ = damage;
    HistoryWindow* window = HistoryWindow::showFor(this, games);
    // A double click on a past game plays its deal again.
    connect(window, &HistoryWindow::replayRequested, this, &MainWindow::replayDeal, Qt::UniqueConnection);
}

void MainWindow::replayDeal(int deal) {
    run([this, deal] { game_.ReplayDeal(deal); });
}

void MainWindow::syncView() {
    const TableModel& m = game_.ui;
    const QStringList names = SeatNames(game_);
    table_->setSeatNames(names);
    // With animation on, a card the game moves before a wait travels there
    // over the wait.
    table_->sync(m, game_.settings.NoAnimation ? 0 : host_.comingWait());
    if (!game_.settings.NoAnimation && host_.paced()) table_->prepareGlides();
    for (int i = 1; i <= 5; ++i) {
        QLabel* panel = status_[i];
        const QString text = i == 5 && !heldNote_.isEmpty() ? heldNote_ : QString::fromStdString(m.StatusPanel[i]);
        const QString shown = ElideNames(panel->fontMetrics(), text, names, TextRoom(panel));
        if (panel->text() != shown) panel->setText(shown);
        panel->setToolTip(shown == text ? QString::fromLatin1(kStatusTips[i]) : text);
        // A screen reader reads the whole line, told when it changes.
        if (panel->accessibleName() != text) panel->setAccessibleName(text);
    }
    gameMenu_->setEnabled(m.MnuGameEnabled);
    gameMenu_->menuAction()->setEnabled(m.MnuGameEnabled);
    syncOptions();
    updateTitle();
}

// The Options menu's check marks follow the settings, however they changed.
void MainWindow::syncOptions() {
    const Settings& s = game_.settings;
    const bool on[] = {s.Speed == kSpeedVerySlow, s.Speed == kSpeedSlow, s.Speed == kSpeedMedium,
                       s.Speed == kSpeedFast,     !s.NoAnimation,         !s.NoSound,
                       s.Speech};
    for (int i = 0; i < optionChecks_.size(); ++i) optionChecks_[i]->setChecked(on[i]);
}

void MainWindow::run(const std::function<void()>& handler) {
    if (closing_) return;
    handler();
    syncView();
}

void MainWindow::buttonClicked(const QString& name) {
    run([this, control = name.toStdString()] { PressControl(game_, control); });
}

// The window losing the focus in the middle of a drag puts the card back.
void MainWindow::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && !isActiveWindow() && game_.ui.FollowMouse.Enabled())
        run([this] { CancelDrag(game_); });
    if (e->type() == QEvent::WindowStateChange && fullScreen_) fullScreen_->setChecked(isFullScreen());
    QMainWindow::changeEvent(e);
}

void MainWindow::start() {
    QTimer::singleShot(0, this, [this] {
        // The window's own files that could not be read are told first.
        std::string problems;
        for (const std::string& note : prefNotes_) problems += (problems.empty() ? "" : "\n") + note;
        prefNotes_.clear();
        if (!problems.empty()) run([this, &problems] { game_.ReportStore(problems); });
        run([this] { Form_Load(game_); });
    });
}

// Closing from the window's close box asks first; when the program ends
// itself (Save and Exit, Exit Game) it does not. A chain of turns waiting
// underneath unwinds before the window goes.
void MainWindow::closeEvent(QCloseEvent* e) {
    if (quitting_) {
        closing_ = true;
        keepPlace();
        host_.Shutdown();
        e->accept();
        return;
    }
    e->ignore();
    if (asking_) return;
    asking_ = true;
    run([this] {
        game_.RunHandler("Form_QueryUnload", [this] {
            if (!Form_QueryUnload(game_)) return;
            game_.RequestRestart([this] {
                quitting_ = true;
                QTimer::singleShot(0, this, &QWidget::close);
            });
        });
    });
    asking_ = false;
}

}  // namespace meldora::ui
