// The help line's sentence for each field that has one.
#pragma once

#include <QString>
#include <optional>

namespace korvex::ui {

// Nothing for a control without help: focusing it leaves the help line as it is.
std::optional<QString> fieldHelp(const QString& control, bool urlMode);

}  // namespace korvex::ui
