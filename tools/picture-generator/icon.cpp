// SPDX-License-Identifier: MIT
// The program icon: a transmitter with its two sticks under an aeroplane in a blue sky.
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

#include "pictures.h"

namespace qzd::pictures {

QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(QColor(74, 144, 217));
  QPainter p(&image);
  Prepare(p);
  p.scale(size / 32.0, size / 32.0);
  // Aeroplane, seen from above, climbing to the upper right.
  p.save();
  p.translate(10.5, 8.0);
  p.rotate(-35);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(-6.5, -1.2, 13.0, 2.4), 1.2, 1.2);  // fuselage
  p.drawPolygon(QPolygonF({QPointF(1.5, -1), QPointF(-0.5, -8.0), QPointF(-2.5, -8.0),
                           QPointF(-2.0, -1), QPointF(-2.0, 1), QPointF(-2.5, 8.0),
                           QPointF(-0.5, 8.0), QPointF(1.5, 1)}));  // wing
  p.drawPolygon(QPolygonF({QPointF(-4.5, 0), QPointF(-5.5, -3.5), QPointF(-6.8, -3.5),
                           QPointF(-6.5, 0), QPointF(-6.8, 3.5), QPointF(-5.5, 3.5)}));  // tail
  p.restore();
  // The antenna.
  p.setPen(QPen(QColor(40, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(24.0, 16.0), QPointF(27.5, 4.0));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 40));
  p.drawEllipse(QPointF(27.5, 4.0), 1.3, 1.3);
  // Transmitter case with its two stick gimbals.
  p.setPen(QPen(QColor(20, 20, 20), 1.0));
  p.setBrush(QColor(60, 60, 64));
  p.drawRoundedRect(QRectF(2.5, 15.5, 27.0, 14.5), 3.5, 3.5);
  for (double x : {9.5, 22.5}) {
    p.setPen(QPen(QColor(200, 200, 200), 1.0));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(x, 22.5), 4.6, 4.6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 204, 0));
    p.drawEllipse(QPointF(x, 22.5), 1.9, 1.9);
  }
  return image;
}

QImage DrawPaletteIcon() {
  const QImage rgb = DrawIcon(32);
  // Antialiased flat colours stay well under 256, so the palette is exact; should the design
  // ever need more, the generator stops rather than quietly dithering the icon.
  QHash<QRgb, int> colours;
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) colours.insert(rgb.pixel(x, y), 0);
  }
  if (colours.size() > 256) {
    std::fprintf(stderr, "picture-generator: the icon uses %lld colours, more than 256\n",
                 static_cast<long long>(colours.size()));
    std::exit(1);
  }
  return rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace qzd::pictures
