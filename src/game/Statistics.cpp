// The games-played statistics, the score board for viewing, and the
// Options commands: speed, names and the switches. Each change is written
// to its file at once, and only a change.

#include <string>

#include "game/Commands.h"
#include "game/Game.h"

namespace meldora {

void SaveStats(Game& g) {
    if (g.store) g.ReportStore(g.store->SaveStats(g.settings));
}

void PrintStats(Game& g) {
    const GamesStatistics stats = ComputeGamesStatistics(g.settings.GamesWon);
    for (int s = 0; s < 4; ++s) {
        g.SetNamedText(g.ui.Lblwon[s].Caption, "Games won " + g.NameMark(s));
        g.ui.LblNumWon[s].Caption = std::to_string(g.settings.GamesWon[s]);
        if (stats.HasPercent) g.ui.Lpercent[s].Caption = std::to_string(stats.Percent[s]) + "%";
    }
    g.ui.LblNumPlayed.Caption = std::to_string(stats.Played);
}

void CmdReset_Click(Game& g) {
    g.RunControl("CmdReset", g.ui.CmdReset, [&] {
        g.ShowMessage(g.PlayerName() + " this will set all statistics back to zero. Is that what you wish to do?",
                      "Yes Reset", "No Cancel", "", "Really Reset?", 1);
        if (g.MsgButton != 0) return;
        for (int& won : g.settings.GamesWon) won = 0;
        for (Label& percent : g.ui.Lpercent) percent.Caption = "0%";
        PrintStats(g);
        SaveStats(g);
        g.ui.Framstats.Visible = false;
    }, &g.ui.Framstats);
}

void MnuGStats_Click(Game& g) {
    g.RunHandler("MnuGStats", [&] {
        PrintStats(g);
        g.ui.Framstats.Visible = true;
        g.ui.BringToFront(g.ui.Framstats);
    });
}

void MnuCurrent_Click(Game& g) {
    g.RunHandler("MnuCurrent", [&] {
        for (int s = 0; s < 4; ++s) g.SetNamedText(g.ui.ScoreNames[s].Caption, g.NameMark(s));
        g.ui.CmdShut.Visible = true;
        g.ui.CmdFinished.Visible = false;
        g.ui.CmdSve.Visible = false;
        g.ui.CmdSave.Visible = false;
        g.ui.FramScore.Visible = true;
        KeepOnTable(g.ui.FramScore);  // wherever it was pushed before
        g.ui.BringToFront(g.ui.FramScore);
    });
}

void MnuSpeed_Click(Game& g, int speed) {
    struct Choice {
        int speed;
        const char* title;
        const char* what;
    };
    static const Choice kChoices[] = {
        {kSpeedVerySlow, "Very Slow.", " this is a good speed for learning but"},
        {kSpeedSlow, "Slow speed.", " this is a slow speed but"},
        {kSpeedMedium, "Medium speed.", " this is a medium speed but"},
        {kSpeedFast, "Fast Speed.", " this is a fast speed but"},
    };
    g.RunHandler("MnuSpeed", [&] {
        for (const Choice& c : kChoices) {
            if (c.speed != speed) continue;
            g.ShowMessage(g.PlayerName() + c.what +
                              ", as with all  the speeds, the actual speed will depend on the speed of your PC.",
                          "Right", "", "", c.title);
            // The pause length follows the next time a routine resets it.
            g.settings.Speed = speed;
            SaveStats(g);
        }
    });
}

void MnuName_Click(Game& g, int seat) {
    struct Ask {
        const char* title;
        const char* question;
        const char* prompt;
        const char* inputTitle;
    };
    static const Ask kAsk[4] = {
        {"Please enter your name", " If you wish to change the name click on 'Yes' ",
         "Please enter new player's name.", "Enter your name"},
        {"Enter name you wish for West Robot", " If you wish to change the West Bots name click on 'Yes' ",
         "Please enter new West Bot's name.", "Name West Bot"},
        {"Enter name you wish for North Robot who is a lady!",
         " If you wish to change the North Bot's name click on 'Yes' ", "Please enter new name for North Robot.",
         "Name North Bot"},
        {"Enter name you wish for East Robot the second lady in the game.",
         " If you wish to change the East Bot's name click on 'Yes' ", "Please enter new name for East Robot.",
         "Name East Bot"},
    };
    if (seat < 0 || seat > 3) return;
    g.RunHandler("MnuName", [&] {
        const Ask& a = kAsk[seat];
        if (!g.host.SystemQuestion(" Welcome " + g.PlayerName() + a.question, a.title)) return;
        // Whatever comes back is the name, an empty one included.
        std::string name;
        if (!g.host.InputBox(a.prompt, a.inputTitle, name)) name.clear();
        g.settings.SeatNames[seat] = g.store ? g.store->CleanName(name) : name;
        g.ShowNewNames();
        if (g.store) g.ReportStore(g.store->SaveNames(g.settings));
    });
}

namespace {
void Switch(Game& g, bool& off, const char* onTitle, const char* onText, const char* offTitle, const char* offText) {
    off = !off;
    g.ShowMessage(g.PlayerName() + (off ? offText : onText), "Right", "", "", off ? offTitle : onTitle);
    if (g.store) g.ReportStore(g.store->SaveSwitches(g.settings));
}
}  // namespace

void MnuNoAnim_Click(Game& g) {
    g.RunHandler("MnuNoAnim", [&] {
        Switch(g, g.settings.NoAnimation, "Animation On.",
               " you have now turned the cards deal animation on. Click here again to turn it off", "Animation Off.",
               " you have now turned the cards deal animation off. Click here again to turn it on.");
    });
}

void MnuNoSound_Click(Game& g) {
    g.RunHandler("MnuNoSound", [&] {
        Switch(g, g.settings.NoSound, "Sound On.",
               " you have now turned the cards sounds on. Click here again to turn it off.", "Sound Off.",
               " you have now turned the cards sounds off. Click here again to turn it on.");
    });
}

void MnuSpeech_Click(Game& g) {
    g.RunHandler("MnuSpeech", [&] {
        g.settings.Speech = !g.settings.Speech;
        const bool on = g.settings.Speech;
        if (!on) g.host.Silence();
        g.ShowMessage(g.PlayerName() + (on ? " you have now turned the spoken cards and moves on. Click here again "
                                             "to turn it off."
                                           : " you have now turned the spoken cards and moves off. Click here again "
                                             "to turn it on."),
                      "Right", "", "", on ? "Speech On." : "Speech Off.");
        if (g.store) g.ReportStore(g.store->SaveSpeech(g.settings));
    });
}

}  // namespace meldora
