// The score board and the Joker panel can be pushed aside with the mouse to
// see the cards underneath; the score board's and the statistics panel's
// close buttons.

#include "game/Game.h"
#include "player/Player.h"

namespace meldora {

namespace {
void Follow(Game& g, Frame& panel) {
    if (!panel.Visible) return;
    g.ui.FollowMouse.Object(panel);
    g.ui.BringToFront(panel);
    g.ui.FollowMouse.Enabled(true);
}
}  // namespace

void FramScore_MouseDown(Game& g) { Follow(g, g.ui.FramScore); }
void FramJoker_MouseDown(Game& g) { Follow(g, g.ui.FramJoker); }

void Panel_MouseUp(Game& g) {
    if (g.ui.FollowMouse.Panel()) g.ui.FollowMouse.Enabled(false);
}

void CmdShut_Click(Game& g) {
    g.RunControl("CmdShut_Click", g.ui.CmdShut, [&] {
        g.ui.CmdFinished.Visible = true;
        g.ui.CmdSve.Visible = true;
        g.ui.CmdSave.Visible = true;
        g.ui.CmdShut.Visible = false;
        g.ui.FramScore.Visible = false;
    }, &g.ui.FramScore);
}

void CmdSet_Click(Game& g) {
    g.RunControl("CmdSet_Click", g.ui.CmdSet, [&] { g.ui.Framstats.Visible = false; }, &g.ui.Framstats);
}

}  // namespace meldora
