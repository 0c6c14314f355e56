#include "ui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace korvex::ui {
namespace {

const QColor kNavy(24, 52, 96);
const QColor kSky(178, 200, 223);  // the window's background

void drawEnvelope(QPainter& p, const QRectF& r) {
  const qreal w = r.width();
  p.setPen(QPen(kNavy, w * 0.05, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  const QRectF body = r.adjusted(w * 0.06, w * 0.2, -w * 0.06, -w * 0.14);
  p.drawRoundedRect(body, w * 0.06, w * 0.06);
  QPainterPath flap;
  flap.moveTo(body.topLeft());
  flap.lineTo(body.center().x(), body.top() + body.height() * 0.58);
  flap.lineTo(body.topRight());
  p.setBrush(Qt::NoBrush);
  p.drawPath(flap);
  // The "@" in a badge at the lower right.
  const QRectF badge(r.right() - w * 0.46, r.bottom() - w * 0.46, w * 0.44, w * 0.44);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 60, 40));
  p.drawEllipse(badge);
  QFont f;
  f.setBold(true);
  f.setPixelSize(static_cast<int>(w * 0.34));
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(badge, Qt::AlignCenter, QStringLiteral("@"));
}

}  // namespace

QPixmap iconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  drawEnvelope(p, QRectF(0, 0, size, size));
  return pixmap;
}

QIcon appIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(iconPixmap(size));
  return icon;
}

QPixmap banner(int width, int height) {
  QPixmap pixmap(width, height);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, width, 0);
  sky.setColorAt(0, kNavy);
  sky.setColorAt(1, QColor(70, 120, 180));
  p.fillRect(pixmap.rect(), sky);
  // Faint "@" marks drifting to the right: addresses gathered from the web.
  QFont mark;
  mark.setBold(true);
  for (int i = 0; i < 12; ++i) {
    mark.setPixelSize(height / 3 + (i * 7) % (height / 2));
    p.setFont(mark);
    p.setPen(QColor(255, 255, 255, 25 + (i * 13) % 40));
    p.drawText(QPointF(width * 0.35 + i * width * 0.055, height * (0.3 + ((i * 37) % 60) / 100.0)),
               QStringLiteral("@"));
  }
  const int iconSize = height * 3 / 4;
  const int margin = (height - iconSize) / 2;
  p.drawPixmap(margin * 2, margin, iconPixmap(iconSize));
  QFont title;
  title.setBold(true);
  title.setPixelSize(height * 2 / 5);
  p.setFont(title);
  p.setPen(Qt::white);
  const int textLeft = margin * 3 + iconSize;
  p.drawText(QRect(textLeft, 0, width - textLeft, height * 62 / 100),
             Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Korvex"));
  QFont line;
  line.setPixelSize(height / 6);
  p.setFont(line);
  p.setPen(kSky);
  p.drawText(QRect(textLeft, height * 64 / 100, width - textLeft, height / 3),
             Qt::AlignLeft | Qt::AlignTop, QStringLiteral("E-mail addresses from the web"));
  return pixmap;
}

}  // namespace korvex::ui
