#include "window/window_settings.h"

namespace korvex {

SettingValues settingsFromWindow(const Window& window) {
  SettingValues values;
  for (const SettingRow& s : settingTable())
    values[s.setting] = s.kind == SettingKind::Switch ? (window.option(s.option) ? "1" : "0")
                                                      : window.text(s.field);
  return values;
}

void showSettings(const SettingValues& values, Window& window) {
  for (const SettingRow& s : settingTable()) {
    if (s.kind == SettingKind::Switch)
      window.setOption(s.option, values[s.setting] == "1");
    else
      window.setText(s.field, values[s.setting]);
  }
}

}  // namespace korvex
