#pragma once
// The About window (frmAbout): the program's title, version, a line about
// the game and a notice, with its icon. Modeless; created on first use.

#include <QDialog>

namespace meldora::ui {

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* owner = nullptr);

    // Shows owner's About window, creating it the first time.
    static AboutWindow* showFor(QWidget* owner);
};

}  // namespace meldora::ui
