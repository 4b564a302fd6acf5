#include "ui/MessageLayout.h"

#include <algorithm>

namespace meldora::ui {

namespace {
// Keeps [start, start + length) inside [lo, lo + room) where it fits.
int Inside(int start, int length, int lo, int room) {
    if (room <= 0) return start;
    return std::max(lo, std::min(start, lo + room - length));
}
}  // namespace

MessageLayout LayoutMessage(const MessageLayoutIn& in) {
    MessageLayout out;
    out.width = kMessageWidth;
    out.height = in.promptHeight + kMessageExtraHeight;
    // Centred over the table with the size it has for this message.
    out.left = Inside(in.over.left + (in.over.width - out.width) / 2, out.width, in.screen.left, in.screen.width);
    out.top = Inside(in.over.top + (in.over.height - out.height) / 2, out.height, in.screen.top, in.screen.height);

    out.title = {45, 60, out.width - 90, 300, true};
    out.prompt = {kMessagePromptLeft, kMessagePromptTop, kMessagePromptWidth, in.promptHeight, true};
    out.icon = {180, (out.height - kMessageIconSize) / 2, kMessageIconSize, kMessageIconSize, true};

    const int top = out.height - kMessagePanelHeight - kMessagePanelBottomGap;
    // Design-time places, the three-button row; a caption only for button 2
    // leaves that panel where it was drawn.
    const int middle = (out.width - kMessagePanelWidth) / 2;
    for (int i = 0; i < 3; ++i)
        out.panel[i] = {middle + (i - 1) * (kMessagePanelWidth + 45), top, kMessagePanelWidth, kMessagePanelHeight,
                        false};

    TwipRect& p0 = out.panel[0];
    TwipRect& p1 = out.panel[1];
    TwipRect& p2 = out.panel[2];
    p0.visible = true;
    p0.left = (out.width - p0.width) / 2;
    p1.visible = in.button1;
    p2.visible = in.button2;

    const int centre = out.width / 2;
    if (in.button1 && in.button2) {
        p1.left = (out.width - p1.width) / 2;
        p0.left = p1.left - 45 - p0.width;
        p2.left = p1.right() + 45;
    } else if (in.button1) {
        p0.left = centre - 23 - p0.width;
        p1.left = centre + 23;
    }
    return out;
}

}  // namespace meldora::ui
