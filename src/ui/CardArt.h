#pragma once
// The pictures of the image list: the 107 card faces, the upright and the
// sideways card back and the two drag cursors. Faces and backs come from an
// SVG deck, rendered once per deck element, pixel size and pixel ratio;
// without a deck file they are painted.

#include <QCursor>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <memory>

class QSvgRenderer;

namespace meldora::ui {

class CardArt {
public:
    // Uses the first deck file found in the usual places.
    CardArt();
    // Uses the given deck file; an empty, missing or incomplete one paints the cards.
    explicit CardArt(const QString& deckPath);
    ~CardArt();

    CardArt(const CardArt&) = delete;
    CardArt& operator=(const CardArt&) = delete;

    // Picture 1..107 (a face), 108 (back), 112 (sideways back), 110/111
    // (cursor pictures) at the given size in device-independent pixels.
    // The pixmap has size * dpr physical pixels and carries the dpr.
    QPixmap pixmap(int picture, QSize size, qreal dpr);

    // The mark of what a Joker stands for ("Q♥"), painted over its
    // face in the top-left corner that shows in a fanned hand and in a
    // meld column alike, on the card drawn at `card` (device-independent
    // pixels).
    static void paintMark(QPainter& p, const QRectF& card, const QString& text, bool red);

    // The mouse cursor for a card's Cursor value (110 or 111).
    QCursor cursor(int picture);

    bool hasDeck() const { return renderer_ != nullptr; }
    // The deck file in use; empty while the cards are painted.
    QString deckPath() const { return deckPath_; }
    // Draws with the given deck from now on (an empty path: the first deck
    // of deckCandidates). A deck that cannot be used whole gives way to
    // that first deck, or to painted cards, and the answer is false.
    bool useDeck(const QString& path);
    int cachedCount() const { return cache_.size(); }
    void clearCache() { cache_.clear(); }

    // The deck element of a picture ("diamond_1", "club_king", "joker_red",
    // "back"); empty for the cursor pictures.
    static QString elementName(int picture);

    // Where the default deck is looked for, in order.
    static QStringList deckCandidates();

    // The deck's renderer when the file holds every element the game draws
    // (the 52 faces, the two Jokers and the back), else null.
    static std::unique_ptr<QSvgRenderer> loadWholeDeck(const QString& path);

private:
    QPixmap render(int picture, QSize size, qreal dpr);
    void paintFace(QPainter& p, int picture, const QRectF& r);
    void paintBack(QPainter& p, const QRectF& r);
    static void paintCursor(QPainter& p, int picture, int side);

    std::unique_ptr<QSvgRenderer> renderer_;
    QString deckPath_;
    QHash<QString, QPixmap> cache_;
    QHash<int, QCursor> cursors_;
};

}  // namespace meldora::ui
