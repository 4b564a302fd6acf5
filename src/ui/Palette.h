#pragma once
// The window's colours in one place. Plain black and white (ink, card
// faces) are written as Qt::black and Qt::white where they are used.

#include <QColor>

namespace meldora::ui::palette {

// The cloth: darker at the edges, lighter towards the middle.
constexpr QColor kFeltDark(0, 82, 33);
constexpr QColor kFelt(0, 110, 45);

// The melds' frame on the cloth: its outline, shade and column dividers.
constexpr QColor kMeldFrameLine(200, 230, 200);
constexpr QColor kMeldFrameShade(0, 0, 0, 35);
constexpr QColor kMeldDivider(200, 230, 200, 120);
constexpr QColor kMeldCaption(220, 240, 220);
// The boxes of the meld column labels: the player's columns and the rest.
constexpr QColor kPlayerMeldBox(0, 150, 0);
constexpr QColor kMeldBox(230, 230, 230);
// The outlines of the stock and the discard pile.
constexpr QColor kPileOutline(230, 240, 200);

// Texts painted on the cloth.
constexpr QColor kTitle(255, 215, 0);
constexpr QColor kTitleShadow(0, 0, 0, 160);
constexpr QColor kPlayerName(255, 240, 130);
constexpr QColor kStatusText(255, 255, 210);

// A place a dragged card may go, and the keyboard's frame (brighter while a
// card is lifted).
constexpr QColor kTarget(255, 230, 80);
constexpr QColor kTargetFill(255, 230, 80, 40);
constexpr QColor kLiftedFrame = kTarget;
constexpr QColor kFocusFrame(80, 200, 255);
// The frame round a card the last hint named, and the quiet outline of each
// place that would take the carried card.
constexpr QColor kHintFrame(120, 230, 255);
constexpr QColor kAcceptingOutline(255, 255, 255, 150);

// The yellow pop-up's face.
constexpr QColor kInfoFace(255, 255, 160);
// The keyboard's choice among a panel's clickable labels.
constexpr QColor kPanelChoice(0, 90, 200);
// The game's own message boxes: the face, the raised edge's light and
// shadow, the title bar.
constexpr QColor kDialogFace(212, 208, 200);
constexpr QColor kDialogLight(240, 240, 240);
constexpr QColor kDialogShadow(128, 128, 128);
constexpr QColor kDialogTitle(0, 0, 128);

// The panels and the latest points' frame, their captions, a disabled text.
constexpr QColor kPanelFace(236, 232, 214);
constexpr QColor kPanelCaption(0, 0, 120);
constexpr QColor kDisabledText(150, 150, 150);
// The panels' raised edge.
constexpr QColor kPanelBevelLight(255, 255, 255);
constexpr QColor kPanelBevelDark(128, 128, 128);

// The painted cards: red suits and the red Joker, the back, the corner badge.
constexpr QColor kCardRed(200, 0, 0);
constexpr QColor kCardBack(20, 50, 140);
constexpr QColor kCardBackLattice(170, 190, 240);
constexpr QColor kMarkBadge(255, 236, 110);

}  // namespace meldora::ui::palette
