#pragma once
// A secondary window that belongs to the main window: created the first
// time it is asked for, then kept as the owner's child and shown again.

#include <QWidget>

namespace meldora::ui {

template <class Window>
Window* ShowOwnedWindow(QWidget* owner) {
    auto* w = owner->findChild<Window*>(QString(), Qt::FindDirectChildrenOnly);
    if (!w) w = new Window(owner);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

}  // namespace meldora::ui
