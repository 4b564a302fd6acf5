#pragma once
// The commands of the menus and of the score board and statistics panel
// that read and write what is kept between runs, and the start-up.

#include <string>

namespace meldora {

class Game;

// ---- start-up ----------------------------------------------------------------
// Reads the settings, fills the statistics, plays the opening show, greets
// the seats and asks how to begin ("Deal 'Em Now", "Use Menu", "Load Game").
void Form_Load(Game& g);

// ---- statistics and settings --------------------------------------------------------
// Fills the statistics panel.
void PrintStats(Game& g);
// Writes the games won and the speed, where they change: a file that could
// not be read whole stays as it is until then.
void SaveStats(Game& g);
void CmdReset_Click(Game& g);
void MnuGStats_Click(Game& g);
void MnuCurrent_Click(Game& g);
// The four speeds (kSpeedVerySlow, kSpeedSlow, kSpeedMedium, kSpeedFast).
void MnuSpeed_Click(Game& g, int speed);
// The four name commands: 0 the player, 1 West, 2 North, 3 East.
void MnuName_Click(Game& g, int seat);
void MnuNoAnim_Click(Game& g);
void MnuNoSound_Click(Game& g);
void MnuSpeech_Click(Game& g);

// ---- the saved game and leaving ------------------------------------------------------
void CmdSave_Click(Game& g);  // "Save  and E&xit"
// Numbered deals: the game again from its first deal, or a deal by number.
void MnuReplay_Click(Game& g);
void MnuSelectDeal_Click(Game& g);
// A typed deal number, or 0 when the text is not one in range.
int ParseDealNumber(const std::string& typed);
void CmdSve_Click(Game& g);   // "Sa&ve Only"
void LoadSavedGame(Game& g);  // menu "Load Game" and the welcome's "Load Game"
void MnuExit_Click(Game& g);
// The player closes the window: true when the answer is to leave.
bool Form_QueryUnload(Game& g);

}  // namespace meldora
