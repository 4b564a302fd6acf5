#pragma once
// The real window at full speed for tests: no pauses, no animation, no sound.

#include "ui/MainWindow.h"

namespace meldora::test {

inline void QuickWindow(ui::MainWindow& w) {
    w.host().setPaceScale(0);
    w.game().settings.Speed = 1;
    w.game().settings.NoAnimation = true;
    w.game().settings.NoSound = true;
}

}  // namespace meldora::test
