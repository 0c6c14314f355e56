// Widgets carry the control names of the window, so tests and tools find them by name.
#pragma once

#include <QString>
#include <utility>

namespace korvex::ui {

template <typename W, typename... Args>
W* named(const char* name, Args&&... args) {
  auto* widget = new W(std::forward<Args>(args)...);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace korvex::ui
