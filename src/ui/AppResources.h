#pragma once
// What the program carries inside itself: its title and version, the help
// text and the icon (compiled in from meldora.qrc).

#include <QIcon>
#include <QString>

namespace meldora::ui {

QString AppTitle();    // "Meldora"
QString AppVersion();  // major.minor.revision, "1.0.51"

// The help text with its own line breaks; empty if the resource is missing.
QString HelpText();

// The program's icon at the sizes it ships.
QIcon AppIcon();

}  // namespace meldora::ui
