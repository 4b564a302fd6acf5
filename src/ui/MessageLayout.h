#pragma once
// Where the parts of the message window go, in twips. Kept apart from the
// window so the arithmetic can be checked without showing anything.

namespace meldora::ui {

struct TwipRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    int right() const { return left + width; }
};

struct MessageLayoutIn {
    int promptHeight = 0;          // the word-wrapped prompt's height
    bool button1 = false;          // button 1 has a caption
    bool button2 = false;          // button 2 has a caption
    TwipRect over;    // what the window is centred over: the main window, else the screen
    TwipRect screen;  // the screen's available area, which the window stays inside
};

struct MessageLayout {
    int left = 0, top = 0, width = 0, height = 0;  // the window on the screen
    TwipRect title, prompt, icon;
    TwipRect panel[3];                              // Pic1(0..2)
};

// Design sizes of the message window's parts.
constexpr int kMessageWidth = 4500;
constexpr int kMessageExtraHeight = 1140;   // window height = prompt height + this
constexpr int kMessagePanelWidth = 1440;
constexpr int kMessagePanelHeight = 375;
constexpr int kMessagePanelBottomGap = 90;
constexpr int kMessageIconSize = 480;
constexpr int kMessagePromptLeft = 780;
constexpr int kMessagePromptTop = 450;
constexpr int kMessagePromptWidth = kMessageWidth - kMessagePromptLeft - 150;
constexpr int kMessageDesignHeight = 2400;  // before the first message

MessageLayout LayoutMessage(const MessageLayoutIn& in);

}  // namespace meldora::ui
