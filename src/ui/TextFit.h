#pragma once
// Lines that hold seat names: a name may be thousands of characters long,
// every other word of a line is the program's own and short. A line too
// wide for its place is shortened in its names only, so what the line says
// stays whole; the full line then goes in the tool tip and the accessible
// name.

#include <QFontMetrics>
#include <QString>
#include <QStringList>

class QLabel;

namespace meldora::ui {

// The line as it fits `width` pixels in `metrics`: unchanged when it fits,
// else with the names in it (the longest first where names overlap)
// shortened with an ellipsis, each to an equal share of the room the rest
// of the line leaves. A line with no name in it is cut at its end.
QString ElideNames(const QFontMetrics& metrics, const QString& text, const QStringList& names, int width);

// A word-wrapped text as it fits `room`: unchanged when its lines fit,
// else (a name too long for a line, or too many lines) on one line with
// its names shortened.
QString FitWrapped(const QFontMetrics& metrics, const QString& text, const QStringList& names, QSize room);

// The width a label's text may take: inside its frame, margin and indent.
int TextRoom(const QLabel* label);

}  // namespace meldora::ui
