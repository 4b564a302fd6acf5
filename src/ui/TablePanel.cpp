#include "ui/TablePanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/ModelText.h"
#include "ui/Palette.h"
#include "ui/TextFit.h"

namespace meldora::ui {

namespace {
constexpr double kLabelPoints = 9.0;
}  // namespace

QFont TableFont(double points, double scale, bool bold) {
    QFont f(QStringLiteral("Serif"));
    f.setStyleHint(QFont::Serif);
    // A point is 20 twips; at 100% a pixel is 15 twips. A table shrunk to
    // fit a small screen keeps its texts readable.
    f.setPixelSize(std::max(kReadablePixels, static_cast<int>(std::lround(points * 20.0 / kTwipsPerPixel * scale))));
    f.setBold(bold);
    return f;
}

TablePanel::TablePanel(const QString& name, ControlOf frame, QWidget* parent)
    : QFrame(parent), frame_(std::move(frame)) {
    setObjectName(name);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, palette::kPanelFace);
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, palette::kDisabledText);
    setPalette(pal);
    // The caption along the top; a press on it moves the panel.
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("Caption"));
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette cp = caption_->palette();
    cp.setColor(QPalette::WindowText, palette::kPanelCaption);
    caption_->setPalette(cp);
    hide();
}

void TablePanel::addLabel(const QString& name, ControlOf control, Qt::Alignment align, bool bold, bool wrap,
                          bool clickable) {
    auto* l = new QLabel(this);
    l->setObjectName(name);
    l->setAlignment(align);
    l->setWordWrap(wrap);
    if (clickable) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    } else {
        l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    cells_.push_back({l, std::move(control), nullptr, bold, clickable});
}

bool TablePanel::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && event->type() == QEvent::MouseButtonPress) return true;
    if (label && event->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton && label->rect().contains(e->position().toPoint()) && label->isEnabled())
            emit clicked(label->objectName());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void TablePanel::addHeading(const QString& text, RectOf place) {
    auto* l = new QLabel(text, this);
    l->setAlignment(Qt::AlignCenter);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    cells_.push_back({l, nullptr, std::move(place), true});
}

QLabel* TablePanel::label(const QString& name) const {
    for (const Cell& c : cells_)
        if (c.widget->objectName() == name) return c.widget;
    return nullptr;
}

QRect TablePanel::childRect(const Control& c, const TableGeometry& g) {
    const auto px = [&](int twips) { return static_cast<int>(std::lround(g.length(twips))); };
    return QRect(px(c.Left), px(c.Top), px(c.Left + c.Width) - px(c.Left), px(c.Top + c.Height) - px(c.Top));
}

// The score board for a screen reader, row by row: "Round 1: Player 9,
// WestBot 0, NorthBot 2, EastBot 2. Totals: ...".
QString ScoreBoardReading(const TableModel& m) {
    const auto row = [&m](const QString& head, const Label (&cells)[4]) {
        QStringList seats;
        for (int s = 0; s < 4; ++s)
            if (!cells[s].Caption.empty()) seats << Q(m.ScoreNames[s].Caption).trimmed() + QLatin1Char(' ') + Q(cells[s].Caption);
        return seats.isEmpty() ? QString() : head + QStringLiteral(": ") + seats.join(QStringLiteral(", ")) + QLatin1Char('.');
    };
    QStringList rows;
    for (int r = 1; r <= 7; ++r) rows << row(QStringLiteral("Round %1").arg(r), m.LblRnd[r]);
    rows << row(QStringLiteral("Totals"), m.LblTotal);
    rows.removeAll(QString());
    return rows.join(QLatin1Char(' '));
}

void TablePanel::sync(const TableModel& model, const TableGeometry& g, const QStringList& names) {
    const Control& f = frame_(model);
    setVisible(f.Visible);
    if (!f.Visible) return;
    setToolTip(Q(f.ToolTip));
    setGeometry(g.toPixelRect(f.Left, f.Top, f.Width, f.Height));
    const int pad = static_cast<int>(std::lround(6 * g.scale));
    caption_->setFont(TableFont(kLabelPoints, g.scale, true));
    caption_->setText(Q(f.Caption));
    setAccessibleName(Q(f.Caption).remove(QLatin1Char('&')).simplified());
    if (objectName() == QLatin1String("FramScore")) setAccessibleDescription(ScoreBoardReading(model));
    caption_->setGeometry(pad * 2, pad, width() - pad * 3, caption_->fontMetrics().height());
    for (Cell& cell : cells_) {
        if (cell.place) {
            const QRect r = cell.place(model);
            Control placed;
            placed.Left = r.left();
            placed.Top = r.top();
            placed.Width = r.width();
            placed.Height = r.height();
            cell.widget->setGeometry(childRect(placed, g));
            cell.widget->setFont(TableFont(kLabelPoints, g.scale, true));
            continue;
        }
        const Control& c = cell.control(model);
        const QRect r = childRect(c, g);
        cell.widget->setGeometry(r);
        cell.widget->setFont(TableFont(c.FontSize > 0 ? c.FontSize : kLabelPoints, g.scale, cell.bold));
        if (cell.clickable) {
            // Chosen: a single line; the keyboard's choice: a dotted blue one.
            const QString style = c.Focused ? QStringLiteral("border: 2px %1 %2;").arg(QLatin1String(c.Marked ? "solid" : "dotted"), palette::kPanelChoice.name())
                                  : c.Marked ? QStringLiteral("border: 1px solid black;")
                                             : QString();
            if (cell.widget->styleSheet() != style) cell.widget->setStyleSheet(style);
        }
        // A one-line label too long for its place shows its names shortened,
        // and the whole line as its tool tip.
        const QString text = Q(c.Caption);
        const QFontMetrics fm = cell.widget->fontMetrics();
        const QSize room(TextRoom(cell.widget), cell.widget->contentsRect().height());
        const QString shown =
            cell.widget->wordWrap() ? FitWrapped(fm, text, names, room) : ElideNames(fm, text, names, room.width());
        cell.widget->setText(shown);
        cell.widget->setToolTip(shown == text ? Q(c.ToolTip) : text);
        cell.widget->setAccessibleName(text);
        cell.widget->setEnabled(c.Enabled);
        cell.widget->setVisible(c.Visible && c.Width > 0 && c.Height > 0);
    }
    update();
}

void TablePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(Qt::black);
    p.drawRect(r);
    // Raised: light top and left, dark bottom and right.
    const QRect b = r.adjusted(1, 1, -1, -1);
    p.setPen(palette::kPanelBevelLight);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(palette::kPanelBevelDark);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
}

void TablePanel::mousePressEvent(QMouseEvent* e) {
    emit pressed(objectName(), e->globalPosition().toPoint(), e->button());
}

void TablePanel::mouseMoveEvent(QMouseEvent* e) {
    emit moved(e->globalPosition().toPoint(), e->buttons());
}

void TablePanel::mouseReleaseEvent(QMouseEvent* e) {
    emit released(e->globalPosition().toPoint(), e->button());
}

}  // namespace meldora::ui
