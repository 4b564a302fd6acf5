#pragma once
// Plain state of every control the game touches on the table. The game sets
// these fields directly; the window only draws them. Positions are in twips
// (1/1440 inch; 15 twips to a pixel at 100% scale).

#include <string>

namespace meldora {

constexpr int kTableWidth = 15600;   // twips
constexpr int kTableHeight = 11100;
constexpr int kCardWidth = 1065;     // an upright card
constexpr int kCardHeight = 1440;

struct CardImage {
    int Picture = 108;   // 1..107 a face, 108 back, 112 sideways back
    int Left = 0;
    int Top = 0;
    bool Visible = false;
    bool Enabled = false;
    long ZOrder = 0;     // larger lies on top
    std::string ToolTip;
    int Cursor = 0;      // 0 default, 110/111 the drag cursors
};

struct Control {
    std::string Caption;
    std::string ToolTip;
    bool Visible = true;
    bool Enabled = true;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    int FontSize = 0;    // 0: the window's normal size
    long ZOrder = 0;
};

using Label = Control;
using Button = Control;
using Frame = Control;
using Shape = Control;

struct TableModel {
    TableModel();

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
    Label LblNumWon[4], Lpercent[4], LblNumPlayed, LblTotalPlayed, Lblwon;

    // Panels and shapes.
    Frame FramMelds, FramScore, FramLatestPoints, Framstats, FramJoker;
    Shape ShpStock, ShapeDiscard;

    std::string StatusPanel[6];   // 1..5
    bool MnuGameEnabled = true;
    std::string Focus;            // name of the button with the keyboard focus

    // Bring a card image or a control in front of everything placed so far.
    void BringToFront(CardImage& c) { c.ZOrder = ++zCounter; }
    void BringToFront(Control& c) { c.ZOrder = ++zCounter; }

    void SetFocus(const char* name) { Focus = name; }

private:
    long zCounter = 0;
};

}  // namespace meldora
