#include "ui/field_help.h"

#include "settings/scan_settings.h"

namespace korvex::ui {

std::optional<QString> fieldHelp(const QString& control, bool urlMode) {
  auto is = [&](std::string_view name) {
    return control == QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
  };
  auto text = [](std::string_view help) {
    return QString::fromLatin1(help.data(), static_cast<qsizetype>(help.size()));
  };
  if (is("txtBaseURL"))
    return urlMode ? QStringLiteral("Enter the base URL from which search should begin")
                   : QStringLiteral("Enter the search keyword(s)");
  if (is("txtURLList") || is("optURLList"))
    return QStringLiteral("Enter the URLs to scan, one per line, or load them from a file");
  if (is("txtEngineJson"))
    return QStringLiteral(
        "Enter a metasearch engine that answers JSON, to ask it instead of the default engine");
  // The "any" halves of the settings' "all" options.
  if (is("OptURLAny"))
    return QStringLiteral(
        "Select this option if the selected URL should contain any one of the must keywords");
  if (is("OptPagesAny"))
    return QStringLiteral(
        "Select this option if the retrieved page should contain any one of the must keywords");
  for (const SettingRow& row : settingTable())
    if (is(row.control) && !row.helpLine.empty()) return text(row.helpLine);
  return std::nullopt;
}

}  // namespace korvex::ui
