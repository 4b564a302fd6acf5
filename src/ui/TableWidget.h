#pragma once
// The card table: paints the table model at the window's scale. Cards,
// the meld table, the pile outlines and the table's labels are painted in
// stacking order; buttons are real push buttons and the score board, the
// statistics and the Joker panel are child panels, all placed from the
// model's twips. Mouse input on the table is passed on as signals in twips.
//
// Its code lies in rooms by job: TableWidget.cpp (syncing, input, focus,
// cursor), TableControls.cpp (building and placing the buttons and panels),
// TablePainting.cpp (the scene, repainting what changed, the painted
// texts), TableGlide.cpp (cards drawn travelling between their places) and
// TableAccessible.cpp (the screen-reader bridge).

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "game/Cards.h"
#include "game/TableModel.h"
#include "ui/TableGeometry.h"

class QLabel;
class QPainter;
class QPushButton;

namespace meldora::ui {

class CardArt;
class TablePanel;

class TableWidget : public QWidget {
    Q_OBJECT
public:
    explicit TableWidget(CardArt& art, QWidget* parent = nullptr);

    // Shows the model: places, captions and shows every control from it
    // and schedules a repaint. The model must outlive the widget or the
    // next sync. When a wait of glideMs follows, a card that moved while
    // it stays in view is drawn travelling from where it is drawn now to
    // its new place over that time; otherwise it jumps there.
    void sync(const TableModel& model, int glideMs = 0);
    // Draws the cards that glide where they are now, landing those whose
    // time is up (the end of a wait).
    void settle();
    // Everything drawn again, the card faces too (a new deck).
    void redrawAll();
    // While the window is idle, makes what gliding cards are drawn from
    // (the table without them, every card picture at the table's size), so
    // no frame of a glide waits for it. Does nothing once made.
    void prepareGlides();
    // Cards being drawn on their way to their places.
    int glidingCards() const;

    TableGeometry mapping() const { return TableGeometry::fit(size()); }

    // The card under a point of the table (twips): the topmost visible
    // card there when it is enabled, else 0.
    int cardAt(QPoint twips) const;

    QPushButton* button(const QString& name) const { return buttons_.value(name); }
    // The seat names as they stand: the only words a line on the table is
    // shortened in when it is too long for its place.
    void setSeatNames(const QStringList& names) { names_ = names; }
    QWidget* panel(const QString& name) const;
    QLabel* infoLabel() const { return info_; }

    QSize sizeHint() const override;

    // ---- for screen readers ---------------------------------------------
    // Names a card image as the player sees it ("Seven of Hearts, your
    // hand, card 3 of 11"); set by the window, which knows the game.
    void setCardNamer(std::function<QString(int card)> namer) { cardNamer_ = std::move(namer); }
    // Names a meld column with its owner, kind and cards; empty for a
    // column nobody owns this round.
    void setColumnNamer(std::function<QString(int column)> namer) { columnNamer_ = std::move(namer); }
    // The painted things, bottom first: cards, labels, then the meld columns.
    std::vector<int> paintedKeys() const;
    QString paintedName(int key) const;
    QString paintedDescription(int key) const;
    QRect paintedRect(int key) const;  // widget pixels; empty when not shown
    int focusedCard() const;
    // A card the keyboard's frame can reach: one whose face shows.
    bool paintedFocusable(int key) const;
    // Painted keys: cards 1..107, labels from kLabelKeys, meld columns from kColumnKeys.
    static constexpr int kLabelKeys = 1000;
    static constexpr int kColumnKeys = 2000;

    // A text painted on the table: in full, as drawn (its names shortened
    // to fit), where and how.
    struct PaintedText {
        QString name;   // the control's name
        QString text;
        QString shown;
        QRect rect;     // widget pixels
        QFont font;
        QColor colour;
        int flags = 0;  // alignment and wrapping
    };
    // Every text painted on the table now, bottom first.
    std::vector<PaintedText> paintedTexts() const;
    // The tool tip at a point: a line shortened to fit shows in full, else
    // what the model gives for that place.
    QString toolTipAt(QPoint widgetPos) const;

signals:
    void buttonClicked(const QString& name);
    void jokerChoiceClicked(int index);  // LblValue(index) on the Joker panel
    void pressed(QPoint twips, Qt::MouseButton button);
    void panelPressed(const QString& name, QPoint twips, Qt::MouseButton button);
    void mouseMoved(QPoint twips, Qt::MouseButtons buttons);
    void mouseReleased(QPoint twips, Qt::MouseButton button);
    void keyPressed(int key);  // a meldora::Key, while the table has the keyboard

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool event(QEvent*) override;

private:
    // Built once (TableControls.cpp): the buttons, the three panels and the pop-up.
    void buildControls();
    void buildScoreBoard();
    void buildStatistics();
    void buildJokerPanel();

    const Control* paintedLabel(int key) const;
    using ControlOf = std::function<const Control&(const TableModel&)>;

    struct ButtonBinding {
        QPushButton* widget;
        ControlOf control;
        bool wasShown = false;
    };

    static ControlOf stateOf(const char* name);
    void createButtons(const char* panel, QWidget* parent);
    void createButton(const QString& name, ControlOf control, QWidget* parent);
    // What lies on the painted layer, in the order it is stacked.
    // Hinted: the frame round a card the last hint named; Accepting: a
    // target that would take the carried card; Target: where the carried
    // card would go if let go now; Focus: the keyboard's frame round the
    // focused card.
    enum class Item { Melds, LatestPoints, Stock, Discard, Card, Hinted, Label, Accepting, Target, Focus };
    struct SceneItem {
        Item kind;
        int index;
        long z;
        QRect rect;        // pixels
        std::size_t look;  // a digest of how it looks
    };
    std::vector<SceneItem> buildScene() const;
    void updateChanged();
    const QPixmap& cloth();

    void placeChildren();
    void applyFocus();
    void applyCursor();
    QRect cardRect(const CardImage& c) const;
    QRect cardRect(const CardImage& c, QPointF twips) const;
    // Where a card is drawn now, in twips: on its way or at its place.
    QPointF drawnAt(int card) const;
    void startGlides(bool first, int glideMs);
    void refreshStill();
    void prepareStep();
    std::vector<PaintedText> textsOf(const SceneItem& item) const;
    // What a paint covers: everything, all but the gliding cards (the
    // layer kept while cards glide), or the gliding cards alone.
    enum class Layer { All, Still, Gliding };
    void paintScene(QPainter& p, const QRegion& region, Layer layer);
    void paintFramMelds(QPainter& p) const;
    void paintLatestPoints(QPainter& p) const;
    QFont tableFont(const Control& c, double defaultPoints, bool bold = false) const;

    CardArt& art_;
    const TableModel* model_ = nullptr;
    std::vector<ButtonBinding> bindings_;
    QHash<QString, QPushButton*> buttons_;
    TablePanel* score_ = nullptr;
    TablePanel* stats_ = nullptr;
    TablePanel* joker_ = nullptr;
    QLabel* info_ = nullptr;
    QString appliedFocus_;
    int appliedRequest_ = -1;
    std::vector<SceneItem> scene_;  // as last painted
    QPixmap cloth_;                 // the table's cloth at the widget's size
    QString clothKey_;              // what it was drawn for
    int hoverCursor_ = 0;
    std::function<QString(int)> cardNamer_;
    std::function<QString(int)> columnNamer_;
    QStringList names_;
    // A card drawn travelling in a straight line from one place to another.
    struct Glide {
        QPointF from, to;  // twips
        qint64 start;      // ms on clock_
        qint64 length;
        QPointF at(qint64 now) const;
    };
    struct Place {
        int left = 0, top = 0;
        bool visible = false;
    };
    std::array<std::optional<Glide>, kCardCount + 1> glides_;
    std::array<Place, kCardCount + 1> synced_;  // each card's place as last synced
    QElapsedTimer clock_;
    QTimer frames_;  // one tick a frame of the display, only while cards glide
    // While cards glide, the table without them is drawn once and each
    // frame copies it and draws the gliding cards over it.
    // It is kept up to date where things change, so a glide's frames only
    // copy it and draw the travelling cards.
    struct StillCard {
        bool in = false;  // drawn in the layer, where and how
        QRect rect;
        long z = 0;
        std::size_t look = 0;
    };
    QPixmap still_;
    QRegion stillDirty_;  // where it no longer shows the table (cards aside)
    std::array<StillCard, kCardCount + 1> stillCards_{};
    QString prepared_;     // the size the pictures were made for
    int prepareNext_ = 0;  // the next picture to make
    bool preparing_ = false;
    bool stillQueued_ = false;
    // What screen readers were last told of the lines that change in play.
    QHash<int, QString> announced_;
    int announcedFocus_ = 0;
    void announceChanges();
};

}  // namespace meldora::ui
