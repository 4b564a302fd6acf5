#pragma once
// The Help window (frmHelp): the rules of the game and the guide to the
// controls as one long read-only text, and a button that hides the window.
// It is modeless, so the table stays usable while it is open.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace meldora::ui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Shows owner's Help window, creating it the first time; it is kept
    // (hidden, not destroyed) when closed.
    static HelpWindow* showFor(QWidget* owner);

    QPlainTextEdit* text() const { return text_; }
    QPushButton* closeButton() const { return close_; }

private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

}  // namespace meldora::ui
