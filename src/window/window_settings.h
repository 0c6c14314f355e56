// The settings table's values as the window's controls hold them.
#pragma once

#include "settings/scan_settings.h"
#include "window/window.h"

namespace korvex {

SettingValues settingsFromWindow(const Window& window);
void showSettings(const SettingValues& values, Window& window);

}  // namespace korvex
