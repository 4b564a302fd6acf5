#pragma once
// A panel on the table (the score board, the statistics, the Joker panel):
// a raised frame with its caption along the top and labels placed in twips
// relative to the panel, all taken from the table model.

#include <QFrame>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "game/TableModel.h"
#include "ui/TableGeometry.h"

class QLabel;

namespace meldora::ui {

// The score board as a screen reader reads it, row by row.
QString ScoreBoardReading(const TableModel& m);

class TablePanel : public QFrame {
    Q_OBJECT
public:
    using ControlOf = std::function<const Control&(const TableModel&)>;
    using RectOf = std::function<QRect(const TableModel&)>;

    TablePanel(const QString& name, ControlOf frame, QWidget* parent);

    // A label showing a control of the model. A clickable one reports a
    // click (clicked) instead of letting the press through to the panel; a
    // marked control draws a single-line border.
    void addLabel(const QString& name, ControlOf control, Qt::Alignment align, bool bold = false,
                  bool wrap = false, bool clickable = false);
    // A fixed heading at a place (twips, relative to the panel).
    void addHeading(const QString& text, RectOf place);

    // Shows, places and captions the panel and its labels; a one-line label
    // too long for its place is shortened in the seat names only.
    void sync(const TableModel& model, const TableGeometry& g, const QStringList& names);

    const Control& frame(const TableModel& model) const { return frame_(model); }
    QLabel* label(const QString& name) const;

    // Pixel rectangle of a control placed relative to the panel.
    static QRect childRect(const Control& c, const TableGeometry& g);

signals:
    void clicked(const QString& labelName);
    void pressed(const QString& name, QPoint globalPos, Qt::MouseButton button);
    void moved(QPoint globalPos, Qt::MouseButtons buttons);
    void released(QPoint globalPos, Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    struct Cell {
        QLabel* widget;
        ControlOf control;
        RectOf place;   // headings only
        bool bold;
        bool clickable = false;
    };

    ControlOf frame_;
    std::vector<Cell> cells_;
    QLabel* caption_;
};

// The serif face used all over the table, at a point size scaled with the
// table but never below kReadablePixels.
constexpr int kReadablePixels = 12;
QFont TableFont(double points, double scale, bool bold = false);

}  // namespace meldora::ui
