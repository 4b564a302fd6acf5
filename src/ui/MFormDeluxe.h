#pragma once
// The program's own message window: a title, a word-wrapped prompt, an icon
// and up to three bevelled buttons. Modal; a click hides it and gives the
// button's index.

#include <QDialog>
#include <QString>

#include "ui/MessageLayout.h"

class QLabel;

namespace meldora::ui {

// One button: a panel Pic1(i) with its caption label Label1(i) inside a
// one-pixel bevel, raised or sunken.
class BevelPanel : public QWidget {
    Q_OBJECT
public:
    BevelPanel(int index, QWidget* parent);

    QLabel* caption() const { return label_; }
    void setCaption(const QString& text);
    void setSunken(bool sunken);
    bool sunken() const { return sunken_; }
    int index() const { return index_; }
    // As a click on it (a screen reader's press action).
    void click();
    // The dotted frame drawn while the button has the keyboard focus, just
    // inside the bevel and clear of the caption.
    QRect focusFrame() const { return rect().adjusted(2, 2, -3, -3); }

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void placeCaption();

    int index_;
    QLabel* label_;
    bool sunken_ = false;
};

class MFormDeluxe : public QDialog {
    Q_OBJECT
public:
    explicit MFormDeluxe(QWidget* parent = nullptr);

    // Lays the window out for the message and shows it modally. Returns the
    // index of the button clicked, or -1 when it was closed another way.
    // An empty button1 or button2 hides that button.
    int ask(const QString& prompt, const QString& button0, const QString& button1,
            const QString& button2, const QString& title);

    // The two halves of ask: lay the window out without showing it, then
    // show it modally as laid out.
    int run();
    // `focus` is the button that has the keyboard focus.
    void prepare(const QString& prompt, const QString& button0, const QString& button1,
                 const QString& button2, const QString& title, int focus = 0);

    BevelPanel* Pic1(int i) const { return panels_[i]; }
    QLabel* Label1(int i) const;
    QLabel* titleLabel() const { return title_; }
    QLabel* promptLabel() const { return prompt_; }
    const MessageLayout& layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;

private:
    void buttonClicked(int index);

    QLabel* title_;
    QLabel* prompt_;
    QLabel* icon_;
    BevelPanel* panels_[3];
    MessageLayout layout_;
    int result_ = -1;
};

}  // namespace meldora::ui
