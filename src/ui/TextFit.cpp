#include "ui/TextFit.h"

#include <QLabel>
#include <algorithm>
#include <vector>

namespace meldora::ui {

namespace {

struct Span {
    int start;
    int length;
};

// Where the names stand in the line, left to right, never overlapping.
std::vector<Span> NameSpans(const QString& text, QStringList names) {
    names.removeAll(QString());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
    std::vector<Span> spans;
    for (int i = 0; i < text.size();) {
        const auto name = std::find_if(names.cbegin(), names.cend(),
                                       [&](const QString& n) { return QStringView(text).mid(i).startsWith(n); });
        if (name == names.cend()) {
            ++i;
            continue;
        }
        spans.push_back({i, static_cast<int>(name->size())});
        i += static_cast<int>(name->size());
    }
    return spans;
}

// The line with each name given at most its share of `room` pixels.
QString Shortened(const QFontMetrics& fm, const QString& text, const std::vector<Span>& spans, int room) {
    std::vector<int> order(spans.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    auto nameWidth = [&](int i) { return fm.horizontalAdvance(text.mid(spans[i].start, spans[i].length)); };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return nameWidth(a) < nameWidth(b); });
    // The narrower names are kept whole while they fit their share; what
    // they leave over goes to the wider ones.
    std::vector<QString> shown(spans.size());
    int left = static_cast<int>(order.size());
    for (int i : order) {
        const QString name = text.mid(spans[i].start, spans[i].length);
        const int share = std::max(0, room / left--);
        shown[i] = fm.horizontalAdvance(name) <= share ? name : fm.elidedText(name, Qt::ElideRight, share);
        if (shown[i].isEmpty()) shown[i] = QString(QChar(0x2026));
        room -= fm.horizontalAdvance(shown[i]);
    }
    QString line;
    int at = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        line += text.mid(at, spans[i].start - at) + shown[i];
        at = spans[i].start + spans[i].length;
    }
    return line + text.mid(at);
}

}  // namespace

QString ElideNames(const QFontMetrics& fm, const QString& text, const QStringList& names, int width) {
    if (fm.horizontalAdvance(text) <= width) return text;
    const std::vector<Span> spans = NameSpans(text, names);
    if (spans.empty()) return fm.elidedText(text, Qt::ElideRight, width);
    QString rest;
    int at = 0;
    for (const Span& s : spans) {
        rest += text.mid(at, s.start - at);
        at = s.start + s.length;
    }
    rest += text.mid(at);
    // Glyphs join a little differently once the names are cut: give up a
    // pixel at a time until the whole line fits.
    for (int room = width - fm.horizontalAdvance(rest); room >= 0; --room) {
        const QString line = Shortened(fm, text, spans, room);
        if (fm.horizontalAdvance(line) <= width) return line;
    }
    return fm.elidedText(text, Qt::ElideRight, width);
}

QString FitWrapped(const QFontMetrics& fm, const QString& text, const QStringList& names, QSize room) {
    const QRect need = fm.boundingRect(QRect(QPoint(), room), Qt::TextWordWrap, text);
    if (need.width() <= room.width() && need.height() <= room.height()) return text;
    return ElideNames(fm, text, names, room.width());
}

int TextRoom(const QLabel* label) {
    int room = label->contentsRect().width() - 2 * label->margin();
    // A framed label keeps its text half an x from the side it is aligned to.
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0) indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
    if (indent > 0 && (label->alignment() & Qt::AlignLeft)) room -= indent;
    if (indent > 0 && (label->alignment() & Qt::AlignRight)) room -= indent;
    return room;
}

}  // namespace meldora::ui
