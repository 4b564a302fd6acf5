#pragma once
// The main window: the card table, the menu bar and the status bar. It owns
// the game and its host and turns menu commands and button clicks into
// calls of the game's handlers, showing the table again after each one.

#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "game/Game.h"
#include "game/Random.h"
#include "game/Settings.h"
#include "storage/Preferences.h"
#include "ui/CardArt.h"
#include "ui/QtHost.h"

class QAction;
class QLabel;
class QMenu;

namespace meldora::ui {

class TableWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // A seed replays the same deals (tests); without one the deals follow
    // the clock. With a data folder the settings, statistics and saved game
    // are kept there; without one nothing is kept.
    explicit MainWindow(std::optional<std::uint64_t> seed = std::nullopt,
                        std::optional<QString> dataFolder = std::nullopt);
    ~MainWindow() override;

    Game& game() { return game_; }
    QtHost& host() { return host_; }
    TableWidget* table() const { return table_; }
    QLabel* statusPanel(int i) const { return status_[i]; }  // 1..5
    // A menu command by its name (MnuNew, MnuExit, MnuSpeed, ...).
    QAction* command(const QString& name) const;

    // Shows the game's table model: the table, the status bar and the menus.
    void syncView();

    // Runs the start-up (the settings, the opening show, the welcome) from
    // the event loop, once the window is up.
    void start();

    // The robots chosen in Options > Robots (they play from the next deal).
    RobotLevel robotLevel() const { return prefs_.Robots; }
    CardArt& art() { return art_; }
    // Writes the window's place, size and state to the data folder when
    // they changed (done on closing).
    void keepPlace();
    // Where Options > "Card Deck..." looks for decks (the system's folders).
    void setDeckFolders(const QStringList& folders) { deckFolders_ = folders; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void buildMenus();
    void buildStatusBar();
    void syncOptions();
    void fitToScreen();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text, std::function<void(Game&)> handler);
    // Calls a handler of the game, then shows the result.
    void run(const std::function<void()>& handler);
    void buttonClicked(const QString& name);
    void replayDeal(int deal);
    void showHistory();

    // The options kept beside the game (MainWindowOptions.cpp).
    static Preferences readPreferences(const std::filesystem::path& folder, std::vector<std::string>& notes);
    static RobotSeats& robotsOf(RobotLevel level);
    void buildWindowOptions(QMenu* options);
    void applyPreferences();
    void updateTitle();
    void chooseRobots(RobotLevel level);
    void chooseDeck();
    void toggleFullScreen();
    // A short note in the status bar's last panel, held there a while.
    void showNote(const QString& text);

    Random random_;
    Settings settings_;
    CardArt art_;
    std::filesystem::path dataFolder_;  // empty: nothing is kept
    std::vector<std::string> prefNotes_;  // what could not be read
    Preferences prefs_;
    QtHost host_;
    Game game_;
    TableWidget* table_ = nullptr;
    QLabel* status_[6] = {};
    // Shown in panel 5 instead of the game's text until it has been there
    // long enough to read (the game writes that panel every turn).
    QString heldNote_;
    QMenu* gameMenu_ = nullptr;
    QList<QAction*> optionChecks_;  // the four speeds, then animation, sound and speech
    QAction* fullScreen_ = nullptr;
    bool maximizedBeforeFullScreen_ = false;
    QStringList deckFolders_;
    bool closing_ = false;
    bool quitting_ = false;  // the program ends itself: no question
    bool asking_ = false;    // the "Really leave game?" question is up
    std::unique_ptr<DataStore> store_;
    std::string historyDamage_;  // what the history's reader last told of
};

}  // namespace meldora::ui
