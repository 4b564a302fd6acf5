// The main window's options kept beside the game's own settings: the
// robots' level, the card deck and the window's place, size and state.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include "player/Player.h"
#include "robots/Expert.h"
#include "robots/Robots.h"
#include "ui/DeckChooser.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

namespace meldora::ui {

namespace {
// How long a note stays in the status bar before the game's line is back.
constexpr int kNoteMs = 10000;
}  // namespace

Preferences MainWindow::readPreferences(const std::filesystem::path& folder, std::vector<std::string>& notes) {
    Preferences prefs;
    if (!folder.empty()) notes = LoadPreferences(folder, prefs);
    return prefs;
}

RobotSeats& MainWindow::robotsOf(RobotLevel level) {
    return level == RobotLevel::Expert ? ExpertRobots() : TheRobots();
}

void MainWindow::buildWindowOptions(QMenu* options) {
    options->addSeparator();
    QMenu* robots = options->addMenu(QStringLiteral("&Robots"));
    robots->menuAction()->setObjectName(QStringLiteral("MnuRobots"));
    auto* levels = new QActionGroup(robots);
    for (RobotLevel level : {RobotLevel::Standard, RobotLevel::Expert}) {
        const QString name = QLatin1String(RobotLevelName(level));
        QAction* a = robots->addAction(QLatin1Char('&') + name);
        a->setObjectName(QStringLiteral("Mnu") + name);
        a->setCheckable(true);
        a->setChecked(level == prefs_.Robots);
        levels->addAction(a);
        connect(a, &QAction::triggered, this, [this, level] { chooseRobots(level); });
    }

    QAction* deck = options->addAction(QStringLiteral("&Card Deck..."));
    deck->setObjectName(QStringLiteral("MnuDeck"));
    connect(deck, &QAction::triggered, this, &MainWindow::chooseDeck);

    fullScreen_ = options->addAction(QStringLiteral("&Full Screen"));
    fullScreen_->setObjectName(QStringLiteral("MnuFullScreen"));
    fullScreen_->setCheckable(true);
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreen_, &QAction::triggered, this, &MainWindow::toggleFullScreen);
}

// The window's place, then the deck, as kept; a deck that cannot be used
// leaves the usual one and says so.
void MainWindow::applyPreferences() {
    if (!prefs_.WindowPlace.empty())
        restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(prefs_.WindowPlace)));
    if (!prefs_.DeckFile.empty() && !art_.useDeck(QString::fromStdString(prefs_.DeckFile)))
        showNote(QStringLiteral("Deck unreadable; the usual one is used."));
}

// The title names the robots of the deal in play, or between deals the
// robots that play the next one.
void MainWindow::updateTitle() {
    const bool inPlay = game_.GameInProgress && !game_.RoundOver;
    const RobotLevel level = !inPlay ? prefs_.Robots
                             : &game_.Robots() == &ExpertRobots() ? RobotLevel::Expert
                                                                  : RobotLevel::Standard;
    // The deal's number, so a game can be told to a friend and played again.
    const QString deal = game_.DealNumber > 0 ? QStringLiteral("Deal %1 - ").arg(game_.DealNumber) : QString();
    const QString title = QStringLiteral("Meldora - %1%2 robots").arg(deal, QLatin1String(RobotLevelName(level)));
    if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::chooseRobots(RobotLevel level) {
    if (level == prefs_.Robots) return;
    prefs_.Robots = level;
    game_.ChooseRobots(robotsOf(level));
    if (!dataFolder_.empty()) {
        const SaveResult saved = SaveRobotLevel(dataFolder_, level);
        if (!saved.Ok) run([this, &saved] { game_.RunHandler("MnuRobots", [&] { game_.ReportStore(saved.Message); }); });
    }
    showNote(QStringLiteral("%1 robots from the next deal.").arg(QLatin1String(RobotLevelName(level))));
}

void MainWindow::chooseDeck() {
    run([this] { CancelDrag(game_); });
    DeckDialog dialog(DeckFiles(deckFolders_.isEmpty() ? DeckFolders() : deckFolders_), art_.deckPath(), this);
    if (dialog.exec() != QDialog::Accepted || closing_) return;
    const QString path = dialog.chosen();
    if (path.isEmpty() || path == art_.deckPath()) return;
    if (!art_.useDeck(path)) showNote(QStringLiteral("Deck unreadable; the usual one is used."));
    table_->redrawAll();
    if (dataFolder_.empty() || art_.deckPath() != path) return;
    prefs_.DeckFile = path.toStdString();
    const SaveResult saved = SaveDeckFile(dataFolder_, prefs_.DeckFile);
    if (!saved.Ok) run([this, &saved] { game_.RunHandler("MnuDeck", [&] { game_.ReportStore(saved.Message); }); });
}

void MainWindow::toggleFullScreen() {
    // Leaving full screen goes back to maximized or normal, as it was (a
    // window manager may drop the maximized state while in full screen).
    if (!isFullScreen()) {
        maximizedBeforeFullScreen_ = isMaximized();
        showFullScreen();
    } else if (maximizedBeforeFullScreen_) {
        showMaximized();
    } else {
        showNormal();
    }
}

void MainWindow::keepPlace() {
    if (dataFolder_.empty()) return;
    const std::string place = saveGeometry().toBase64().toStdString();
    if (place == prefs_.WindowPlace) return;
    // The window is going: a place that cannot be written is not worth a question.
    if (SaveWindowPlace(dataFolder_, place).Ok) prefs_.WindowPlace = place;
}

void MainWindow::showNote(const QString& text) {
    game_.SetStatus(5, text.toStdString());
    heldNote_ = text;
    QTimer::singleShot(kNoteMs, this, [this, text] {
        if (heldNote_ == text) heldNote_.clear();
        syncView();
    });
    syncView();
}

}  // namespace meldora::ui
