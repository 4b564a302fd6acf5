#pragma once
// Plain state of every control the game touches on the table. The game sets
// these fields directly; the window only draws them. Positions are in twips,
// from the table layout.

#include <string>
#include <vector>

#include "game/FollowMouse.h"
#include "game/TableLayout.h"

namespace meldora {

using layout::kCardHeight;
using layout::kCardWidth;
using layout::kTableHeight;
using layout::kTableWidth;

struct CardImage {
    int Picture = 108;   // 1..107 a face, 108 back, 112 sideways back
    int Left = 0;
    int Top = 0;
    bool Visible = false;
    bool Enabled = false;
    long ZOrder = 0;     // larger lies on top
    std::string ToolTip;
    int Cursor = 0;      // 0 default, 110/111 the drag cursors
    bool Hinted = false; // named by the last hint: drawn with a frame until the next move
    // What a Joker lying face up stands for, marked on its face ("Q♥",
    // "7" in a set); empty on every other card. Red for Hearts and Diamonds.
    std::string Mark;
    bool MarkRed = false;
};

struct Control {
    std::string Caption;
    std::string ToolTip;
    bool Visible = true;
    bool Enabled = true;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int FontSize = 0;    // 0: the window's normal size
    long ZOrder = 0;
    bool Marked = false; // drawn with a single-line border (a chosen Joker label)
    bool Focused = false; // the keyboard's choice among the Joker panel's labels
};

using Label = Control;
using Button = Control;
using Frame = Control;
using Shape = Control;

// A label painted straight onto the table, by its name.
struct TableLabel {
    const char* name;
    const Control* control;
};

struct TableModel {
    TableModel();
    TableModel(const TableModel&) = delete;
    TableModel& operator=(const TableModel&) = delete;

    CardImage Cds[108];      // 1..107

    // Buttons.
    Button CmdStock, CmdDiscard, CmdMayI, CmdPass, CmdSortSuits, CmdSortSame, CmdTakeBack;
    Button CmdFinished, CmdSave, CmdSve, CmdShut, CmdReset, CmdSet, CmdJoker, CmdCancel;

    // Labels.
    Label LblP, LblBots, LblInfo, LblStock, LblDiscard, lblTitle, LblToRnd, LblWhoWon;
    Label LblNames[4];            // seat name labels
    Label LblMelds[13];           // 1..12
    Label LblLatestPoints[5];     // 1..4: player, West, North, East
    Label LblRnd[8][4];           // LblRnd1..LblRnd7 (seat)
    Label LblTotal[4];
    Label ScoreNames[4];          // the seat names on the score board
    Label Lblwon[4], LblNumWon[4], Lpercent[4], LblNumPlayed, LblTotalPlayed;  // statistics panel

    // The Joker panel's choices: 0..12 Ace to King, 13..16 the suits, 17 "No Suit".
    Label LblValue[18];
    Label LblJoker, LblSuit[2];

    // Panels and shapes.
    Frame FramMelds, FramScore, FramLatestPoints, Framstats, FramJoker;
    Shape ShpStock, ShapeDiscard;

    // Keyboard play: the card with the keyboard's focus frame (a card of the
    // player's hand, or a Joker lying in a run), whether it is picked up,
    // where a picked-up card would go (0 the discard area, 1..12 a meld
    // column), and the Joker panel's focused choice (0..17).
    struct KeyboardState {
        int FocusCard = 0;
        bool Lifted = false;
        int Target = 0;
        int JokerChoice = 0;
    } Keys;

    // The pointer, as the window last reported it, and what follows it.
    layout::Point Pointer;
    clsObjectFollowMouse FollowMouse{&Pointer};
    int PressedCard = 0;          // the card image that took the last press
    // Where the carried card would go if let go now, drawn highlighted;
    // Elsewhere while no card is carried or it lies over no target.
    layout::Drop Highlight;
    // The targets that would take the carried card, drawn with a quiet
    // outline while it is carried.
    std::vector<layout::Drop> Accepting;

    std::string StatusPanel[6];   // 1..5
    // Each status panel's caption, what it shows while it has no value.
    static constexpr const char* kStatusCaptions[6] = {"", "Round:-", "Contract:-", "Points in Hand:-",
                                                      "Cards in Hand:-", "Playing Now:-"};
    void ShowStatusCaptions() {
        for (int p = 1; p <= 5; ++p) StatusPanel[p] = kStatusCaptions[p];
    }
    bool MnuGameEnabled = true;
    std::string Focus;            // name of the button with the keyboard focus
    int FocusRequests = 0;        // how often the game has asked for it

    // Bring a card image or a control in front of everything placed so far.
    void BringToFront(CardImage& c) { c.ZOrder = ++zCounter; }
    void BringToFront(Control& c) { c.ZOrder = ++zCounter; }

    void SetFocus(const char* name) {
        Focus = name;
        ++FocusRequests;
    }

    // ---- what lies where -------------------------------------------------------
    // The area a card image covers as it lies (a sideways back lies across).
    static layout::Rect CardArea(const CardImage& c);
    // Where the card image being carried would go if let go now (Elsewhere
    // when none is carried).
    layout::Drop CarriedTarget() const;
    // The card image on top at a point of the table: its number when it
    // takes the mouse (enabled), else 0 (nothing there, or the card on top
    // is disabled and covers what lies beneath).
    int CardAt(int x, int y) const;
    // The card image on top at a point, enabled or not; 0 when none.
    int TopCardAt(int x, int y) const;
    // A point where the card lies on top and takes the mouse; false when
    // none shows (it is covered, hidden or disabled).
    bool GrabPoint(int card, layout::Point& at) const;
    // The labels painted on the table, in painting order.
    std::vector<TableLabel> TableLabels() const;
    // The tool tip of what lies on top at a point: a card, a painted label,
    // a meld label or the latest points; empty when it has none.
    std::string ToolTipAt(int x, int y) const;

private:
    long zCounter = 0;
};

}  // namespace meldora
