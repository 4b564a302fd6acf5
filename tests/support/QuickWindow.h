#pragma once
// The real window at full speed for tests: no pauses, no animation, no sound.

#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

namespace meldora::test {

inline void QuickWindow(ui::MainWindow& w) {
    w.host().setPaceScale(0);
    w.game().settings.Speed = 1;
    w.game().settings.NoAnimation = true;
    w.game().settings.NoSound = true;
}

// Calls `answer` whenever a "May I?" offer waits in the window (not again
// while a call is under way). The offer waits in a nested loop, so it is
// looked for from a timer the window owns.
inline void OnMayI(ui::MainWindow& w, std::function<void()> answer) {
    auto* look = new QTimer(&w);
    auto busy = std::make_shared<bool>(false);
    QObject::connect(look, &QTimer::timeout, &w, [&w, answer, busy] {
        if (*busy || !w.table()->button(QStringLiteral("CmdPass"))->isVisible()) return;
        *busy = true;
        answer();
        *busy = false;
    });
    look->start(2);
}

}  // namespace meldora::test
