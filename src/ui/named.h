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

// A label that names the control it stands beside: Alt with its underlined letter moves there,
// and screen readers take the control's name from it.
template <typename L = class QLabel>
L* labelFor(const char* name, const QString& text, QWidget* buddy) {
  auto* label = named<L>(name, text);
  label->setBuddy(buddy);
  return label;
}

}  // namespace korvex::ui
