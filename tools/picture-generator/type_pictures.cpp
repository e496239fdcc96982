// SPDX-License-Identifier: MIT
// The three type pictures: black side-view silhouettes on white, nose to the left. The boxes in
// the window are one pixel narrower than the picture, so nothing is drawn in the last column.
#include <QPainter>
#include <QPainterPath>

#include "pictures.h"

namespace qzd::pictures {

namespace {
// Device pixels per picture pixel of the canvases drawn next.
int gCanvasScale = 1;
}  // namespace

void SetCanvasScale(int scale) {
  gCanvasScale = scale;
}

// A canvas of `scale` times the size whose painter draws in picture pixels, so that every picture
// is drawn anew, sharp, at each scale.
QImage Canvas(int width, int height) {
  QImage image(width * gCanvasScale, height * gCanvasScale, QImage::Format_RGB32);
  image.setDevicePixelRatio(gCanvasScale);
  image.fill(Qt::white);
  return image;
}

void Prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
}

namespace {
constexpr int kWidth = 50, kHeight = 18;
}

QImage DrawAeroplane() {
  QImage image = Canvas(kWidth, kHeight);
  QPainter p(&image);
  Prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  // Fuselage with the cabin raised behind the engine cowling, tapering straight to the tail.
  QPainterPath body;
  body.moveTo(5.0, 8.0);
  body.cubicTo(5.0, 6.6, 6.5, 6.2, 9.0, 6.2);
  body.lineTo(12.5, 6.2);
  body.lineTo(15.0, 3.8);
  body.lineTo(22.5, 3.8);
  body.lineTo(26.0, 6.6);
  body.lineTo(46.0, 8.2);
  body.lineTo(46.0, 10.4);
  body.lineTo(24.0, 12.2);
  body.cubicTo(14.0, 12.8, 8.0, 12.8, 6.0, 11.8);
  body.cubicTo(5.0, 11.2, 5.0, 10.0, 5.0, 8.0);
  p.drawPath(body);
  // Tall fin at the tail and the tailplane through it.
  QPainterPath fin;
  fin.moveTo(37.0, 8.0);
  fin.lineTo(43.2, 1.0);
  fin.lineTo(47.6, 1.0);
  fin.lineTo(47.6, 9.5);
  fin.lineTo(40.0, 9.5);
  fin.closeSubpath();
  p.drawPath(fin);
  p.drawRoundedRect(QRectF(38.0, 8.6, 10.2, 1.6), 0.8, 0.8);
  // Wing root seen edge-on at the cabin roof, and the main wheels.
  p.drawRoundedRect(QRectF(13.0, 3.0, 11.5, 1.7), 0.8, 0.8);
  p.drawRect(QRectF(13.6, 12.0, 1.1, 3.2));
  p.drawEllipse(QPointF(14.2, 15.4), 1.6, 1.6);
  // Two-bladed propeller on its spinner.
  p.drawEllipse(QPointF(4.6, 9.3), 1.9, 1.6);
  p.drawRoundedRect(QRectF(2.1, 1.5, 1.5, 15.5), 0.75, 0.75);
  // The cabin window.
  p.setBrush(Qt::white);
  QPainterPath window;
  window.moveTo(15.8, 4.8);
  window.lineTo(21.2, 4.8);
  window.lineTo(23.6, 6.7);
  window.lineTo(14.0, 6.7);
  window.closeSubpath();
  p.drawPath(window);
  return image;
}

QImage DrawGlider() {
  QImage image = Canvas(kWidth, kHeight);
  QPainter p(&image);
  Prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  // A long pointed nose, the fuselage deepest under the wing, then a slim boom to the fin.
  QPainterPath body;
  body.moveTo(1.0, 10.6);
  body.cubicTo(4.0, 8.4, 9.0, 7.6, 14.0, 7.6);
  body.lineTo(21.0, 7.8);
  body.lineTo(46.0, 8.6);
  body.lineTo(46.0, 10.2);
  body.lineTo(22.0, 11.2);
  body.cubicTo(15.0, 12.9, 8.0, 12.9, 4.0, 12.0);
  body.cubicTo(2.4, 11.6, 1.4, 11.1, 1.0, 10.6);
  p.drawPath(body);
  // Tall fin with the tailplane on top.
  QPainterPath fin;
  fin.moveTo(39.0, 9.0);
  fin.lineTo(43.6, 2.2);
  fin.lineTo(47.6, 2.2);
  fin.lineTo(47.6, 10.0);
  fin.lineTo(41.0, 10.0);
  fin.closeSubpath();
  p.drawPath(fin);
  p.drawRoundedRect(QRectF(41.2, 1.2, 7.4, 1.6), 0.8, 0.8);
  // The wing seen edge-on and the landing wheel.
  p.drawRoundedRect(QRectF(15.0, 7.0, 9.0, 1.6), 0.8, 0.8);
  p.drawEllipse(QPointF(14.0, 12.6), 1.3, 1.3);
  // The pale canopy over the cockpit.
  QPainterPath canopy;
  canopy.moveTo(5.2, 8.9);
  canopy.cubicTo(6.8, 6.0, 10.5, 5.3, 13.8, 6.0);
  canopy.cubicTo(14.8, 6.3, 15.2, 7.0, 15.2, 7.7);
  canopy.lineTo(8.0, 8.2);
  canopy.closeSubpath();
  p.setBrush(QColor(214, 226, 236));
  p.setPen(QPen(QColor(150, 150, 150), 0.8));
  p.drawPath(canopy);
  return image;
}

QImage DrawHelicopter() {
  QImage image = Canvas(kWidth, kHeight);
  QPainter p(&image);
  Prepare(p);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  // Main rotor as a thin bar on a short mast.
  p.drawRoundedRect(QRectF(1.5, 1.3, 33.0, 1.5), 0.75, 0.75);
  p.drawRect(QRectF(16.9, 2.4, 1.8, 3.0));
  // Egg-shaped cabin, fuller at the front.
  QPainterPath cabin;
  cabin.moveTo(18.5, 4.8);
  cabin.cubicTo(24.5, 4.8, 27.5, 7.6, 27.5, 10.2);
  cabin.cubicTo(27.5, 13.2, 23.0, 15.0, 16.0, 15.0);
  cabin.cubicTo(10.0, 15.0, 7.0, 12.6, 7.0, 10.0);
  cabin.cubicTo(7.0, 6.8, 11.0, 4.8, 18.5, 4.8);
  p.drawPath(cabin);
  // Thin tail boom ending in a circular tail-rotor disc.
  QPainterPath boom;
  boom.moveTo(26.0, 8.6);
  boom.lineTo(42.5, 9.0);
  boom.lineTo(42.5, 10.2);
  boom.lineTo(26.0, 11.4);
  boom.closeSubpath();
  p.drawPath(boom);
  p.drawEllipse(QPointF(44.2, 9.6), 3.6, 3.6);
  // Skids under the cabin.
  p.drawRect(QRectF(12.0, 14.0, 1.1, 2.2));
  p.drawRect(QRectF(21.0, 14.0, 1.1, 2.2));
  p.drawRoundedRect(QRectF(8.5, 15.8, 17.5, 1.3), 0.6, 0.6);
  // The white window at the front of the cabin.
  p.setBrush(Qt::white);
  QPainterPath window;
  window.moveTo(9.0, 9.6);
  window.cubicTo(9.4, 7.6, 11.8, 6.4, 15.2, 6.3);
  window.lineTo(15.2, 9.6);
  window.closeSubpath();
  p.drawPath(window);
  return image;
}

}  // namespace qzd::pictures
