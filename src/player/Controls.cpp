#include "player/Controls.h"

#include "game/Commands.h"
#include "game/Game.h"
#include "player/Player.h"

namespace meldora {

namespace {
template <auto Member>
Control& Of(TableModel& m) {
    return m.*Member;
}
}  // namespace

const std::vector<ControlRow>& ControlTable() {
    using M = TableModel;
    static const std::vector<ControlRow> rows = {
        // Under the player's hand.
        {"CmdStock", Of<&M::CmdStock>, "", "K", CmdStock_Click},
        {"CmdDiscard", Of<&M::CmdDiscard>, "", "D", CmdDiscard_Click},
        {"CmdMayI", Of<&M::CmdMayI>, "", "M", [](Game& g) { g.LblMayI(); }},
        {"CmdPass", Of<&M::CmdPass>, "", "P", [](Game& g) { g.CmdPass_Click(); }},
        {"CmdTakeBack", Of<&M::CmdTakeBack>, "", "B", CmdTakeBack_Click},
        {"CmdSortSuits", Of<&M::CmdSortSuits>, "", "T", [](Game& g) { g.CmdSortSuits_Click(); }},
        {"CmdSortSame", Of<&M::CmdSortSame>, "", "S", [](Game& g) { g.CmdSortSame_Click(); }},
        // The score board, dragged by its body.
        {"FramScore", Of<&M::FramScore>, "FramScore", "", FramScore_MouseDown},
        {"CmdFinished", Of<&M::CmdFinished>, "FramScore", "RN", [](Game& g) { g.CmdFinished_Click(); }},
        {"CmdSve", Of<&M::CmdSve>, "FramScore", "V", CmdSve_Click},
        {"CmdSave", Of<&M::CmdSave>, "FramScore", "X", CmdSave_Click},
        {"CmdShut", Of<&M::CmdShut>, "FramScore", "L", CmdShut_Click},
        // The statistics, fixed in place.
        {"Framstats", Of<&M::Framstats>, "Framstats", "", nullptr},
        {"CmdReset", Of<&M::CmdReset>, "Framstats", "E", CmdReset_Click},
        {"CmdSet", Of<&M::CmdSet>, "Framstats", "F", CmdSet_Click},
        // The Joker panel, dragged by its body.
        {"FramJoker", Of<&M::FramJoker>, "FramJoker", "", FramJoker_MouseDown},
        {"CmdJoker", Of<&M::CmdJoker>, "FramJoker", "O", JokerClick},
        {"CmdCancel", Of<&M::CmdCancel>, "FramJoker", "C", CmdCancel_Click},
    };
    return rows;
}

const ControlRow* FindControl(const std::string& name) {
    for (const ControlRow& row : ControlTable())
        if (name == row.name) return &row;
    return nullptr;
}

bool PressControl(Game& g, const std::string& name) {
    const ControlRow* row = FindControl(name);
    if (row == nullptr || row->press == nullptr) return false;
    row->press(g);
    return true;
}

}  // namespace meldora
