#pragma once
// The table model's texts are standard strings; the window shows QStrings.

#include <QString>
#include <string>

namespace meldora::ui {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace meldora::ui
