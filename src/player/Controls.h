// Every button and panel the game drives, listed once. The window builds its
// widgets from this table and wires their presses through it, and the
// autopilot presses through it too, so a control cannot be shown without a
// handler, nor pressed under a name the window does not know.
#pragma once

#include <string>
#include <vector>

#include "game/TableModel.h"

namespace meldora {

class Game;

struct ControlRow {
    const char* name;                 // the widget's object name
    Control& (*state)(TableModel&);  // its state in the table model
    const char* panel;            // the panel it sits on; "" for the table itself, or itself for a panel
    const char* accessKeys;       // the letters its captions mark with '&' (upper case)
    void (*press)(Game&);         // what a click or its access key does; none for a panel that stays put
};

const std::vector<ControlRow>& ControlTable();
inline const Control& StateOf(const ControlRow& row, const TableModel& m) {
    return row.state(const_cast<TableModel&>(m));  // the accessor only picks the member
}
const ControlRow* FindControl(const std::string& name);

// Runs the control's handler; false when no control of that name has one.
bool PressControl(Game& g, const std::string& name);

}  // namespace meldora
