// The program's own art, drawn at run time: the icon (an envelope with an "@") and the banner.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace korvex::ui {

QPixmap iconPixmap(int size);
QIcon appIcon();
QPixmap banner(int width, int height);

}  // namespace korvex::ui
