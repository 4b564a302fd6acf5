#include "ui/TableWidget.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

#include "player/Player.h"
#include "ui/CardArt.h"
#include "ui/ModelText.h"
#include "ui/TableAccessible.h"
#include "ui/TablePanel.h"

namespace meldora::ui {

TableWidget::TableWidget(CardArt& art, QWidget* parent) : QWidget(parent), art_(art) {
    setObjectName(QStringLiteral("Table"));
    setFocusPolicy(Qt::StrongFocus);  // the hand is played from the keyboard too
    InstallTableAccessibility();  // before anything asks for the table's accessible object
    setAccessibleName(QStringLiteral("Card table"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(TablePixelSize() / 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    buildControls();
    clock_.start();
    frames_.setTimerType(Qt::PreciseTimer);
    connect(&frames_, &QTimer::timeout, this, &TableWidget::settle);
}

QSize TableWidget::sizeHint() const { return TablePixelSize(); }

void TableWidget::sync(const TableModel& model, int glideMs) {
    const bool first = model_ != &model;
    model_ = &model;
    startGlides(first, glideMs);
    placeChildren();
    applyFocus();
    applyCursor();
    if (first) {
        scene_ = buildScene();
        still_ = QPixmap();
        update();
    } else {
        updateChanged();
    }
    announceChanges();
}

void TableWidget::redrawAll() {
    still_ = QPixmap();
    prepared_.clear();
    update();
}

void TableWidget::resizeEvent(QResizeEvent*) {
    if (!model_) return;
    placeChildren();
    scene_ = buildScene();
    still_ = QPixmap();
    update();
}

int TableWidget::cardAt(QPoint twips) const { return model_ ? model_->CardAt(twips.x(), twips.y()) : 0; }

// The model names the button that should have the keyboard focus. It is
// given the focus when the name changes or the game asks for it again (the
// hand after every draw, whatever took the focus meanwhile), and again when
// that button comes back into view (the score board's button at every round
// end).
void TableWidget::applyFocus() {
    const TableModel& m = *model_;
    const QString name = Q(m.Focus);
    const bool askedAgain = m.FocusRequests != appliedRequest_;
    if (name == QLatin1String("Table") && (name != appliedFocus_ || askedAgain)) {
        setFocus(Qt::OtherFocusReason);
        appliedFocus_ = name;
        appliedRequest_ = m.FocusRequests;
    }
    for (ButtonBinding& b : bindings_) {
        const Control& c = b.control(m);
        bool shown = c.Visible && c.Enabled;
        if (auto* p = qobject_cast<TablePanel*>(b.widget->parentWidget())) shown = shown && p->frame(m).Visible;
        const bool cameIntoView = shown && !b.wasShown;
        b.wasShown = shown;
        if (b.widget->objectName() != name || !shown) continue;
        if (name != appliedFocus_ || askedAgain || cameIntoView) {
            b.widget->setFocus(Qt::OtherFocusReason);
            appliedFocus_ = name;
            appliedRequest_ = m.FocusRequests;
        }
    }
}

// The card under the pointer shows the cursor the game gave it.
void TableWidget::applyCursor() {
    const TableModel& m = *model_;
    const int card = m.FollowMouse.Card() ? m.PressedCard : m.CardAt(m.Pointer.left, m.Pointer.top);
    const int wanted = card > 0 && card <= kCardCount ? m.Cds[card].Cursor : 0;
    if (wanted == hoverCursor_) return;
    hoverCursor_ = wanted;
    if (wanted) setCursor(art_.cursor(wanted));
    else unsetCursor();
}

bool TableWidget::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(e);
}

void TableWidget::mousePressEvent(QMouseEvent* e) {
    emit pressed(mapping().toTwips(e->position()), e->button());
}

void TableWidget::mouseMoveEvent(QMouseEvent* e) {
    emit mouseMoved(mapping().toTwips(e->position()), e->buttons());
}

void TableWidget::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseReleased(mapping().toTwips(e->position()), e->button());
}

void TableWidget::keyPressEvent(QKeyEvent* e) {
    static const QHash<int, Key> keys = {
        {Qt::Key_Left, Key::Left},   {Qt::Key_Right, Key::Right}, {Qt::Key_Up, Key::Up},
        {Qt::Key_Down, Key::Down},   {Qt::Key_Home, Key::Home},   {Qt::Key_End, Key::End},
        {Qt::Key_Space, Key::Space}, {Qt::Key_Return, Key::Return}, {Qt::Key_Enter, Key::Return},
        {Qt::Key_Escape, Key::Escape}};
    const auto key = keys.find(e->key());
    if (key == keys.end() || (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        QWidget::keyPressEvent(e);
        return;
    }
    emit keyPressed(static_cast<int>(*key));
}

void TableWidget::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (model_) updateChanged();
}

void TableWidget::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    appliedFocus_.clear();
    if (model_) updateChanged();
}

}  // namespace meldora::ui
