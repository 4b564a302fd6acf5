#pragma once
// The "Card Deck" dialog: the SVG decks installed on the system that hold
// every card the game draws, each listed by name with a few of its cards.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

namespace meldora::ui {

// Where decks are installed.
QStringList DeckFolders();
// The deck files (*.svgz, *.svg) of the folders, sorted by name within each folder.
QStringList DeckFiles(const QStringList& folders);
// A deck's name for the player: "anglo_modern_4_color.svgz" is
// "Anglo modern, four colours".
QString DeckName(const QString& path);

class DeckDialog : public QDialog {
    Q_OBJECT
public:
    // Lists the usable decks among `files`, `current` chosen. The list fills
    // one deck per turn of the event loop, so the dialog answers at once.
    DeckDialog(const QStringList& files, const QString& current, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    bool filling() const { return next_ < files_.size(); }
    // The file of the deck chosen in the list; empty when none is.
    QString chosen() const;

private:
    void addNext();

    QStringList files_;
    int next_ = 0;
    QString current_;
    QListWidget* list_ = nullptr;
    QLabel* state_ = nullptr;
};

}  // namespace meldora::ui
