#pragma once
// The Game History window: the player's total per game against the robots'
// average, the average points of each seat by round, the games won by each
// seat against each level of robots, and a table of the past games. A line
// above says in words what the charts show; each chart carries its figures
// as its accessible description. A modeless dialog (so screen readers meet
// it as one), created on first use and given the history afresh each time
// it is shown.

#include <QDialog>
#include <vector>

#include "game/GameRecord.h"

class QLabel;
class QTableWidget;
class QTabWidget;

namespace meldora::ui {

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget* owner = nullptr);

    // Shows the games, oldest first.
    void setGames(const std::vector<GameRecord>& games);

    // Shows owner's history window with these games, creating it the first time.
    static HistoryWindow* showFor(QWidget* owner, const std::vector<GameRecord>& games);

    QString summary() const;
    QTableWidget* table() const { return table_; }
    QTabWidget* tabs() const { return tabs_; }

signals:
    // A past game was chosen (double click or Return on its row): play its deal again.
    void replayRequested(int deal);

private:
    QLabel* summary_;
    QTabWidget* tabs_;
    QTableWidget* table_;
};

}  // namespace meldora::ui
