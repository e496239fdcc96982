// SPDX-License-Identifier: MIT
// The stick-mode page: where the throttle sits for each mode, then four panels that show which
// stick axis moves which control surface, two stick modes per panel.
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <array>

#include "callout.h"
#include "drawing.h"
#include "models.h"
#include "pictures.h"

namespace qzd::pictures {
namespace {

constexpr double kModeNameHeight = 10.0;

// Where a transmitter was drawn: the centres of its two sticks and the outer size of a stick's
// travel.
struct Transmitter {
  QRectF body;
  QPointF left_stick, right_stick;
  double travel;
};

// The front of the transmitter, shaded like a photograph in greys. With `lever`, the side lever
// that takes over the throttle in modes 5 to 8 sticks out of the right-hand side.
Transmitter DrawTransmitter(QPainter& p, const QRectF& body, bool lever) {
  const double w = body.width(), h = body.height();
  auto at = [&](double fx, double fy) {
    return QPointF(body.left() + fx * w, body.top() + fy * h);
  };
  p.save();
  // Antenna stub and carrying handle on the top edge.
  p.setPen(QPen(QColor(25, 25, 25), 0.8));
  p.setBrush(QColor(70, 70, 70));
  p.drawRoundedRect(QRectF(at(0.80, -0.16), QSizeF(0.05 * w, 0.2 * h)), 0.02 * w, 0.02 * w);
  p.setBrush(QColor(110, 110, 110));
  p.drawRoundedRect(QRectF(at(0.38, -0.07), QSizeF(0.24 * w, 0.1 * h)), 0.03 * w, 0.03 * w);
  if (lever) {
    QLinearGradient metal(at(1.0, 0.5), at(1.08, 0.5));
    metal.setColorAt(0, QColor(200, 200, 200));
    metal.setColorAt(1, QColor(90, 90, 90));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(at(0.98, 0.30), QSizeF(0.07 * w, 0.30 * h)), 0.02 * w, 0.02 * w);
  }
  // The case: lit from above.
  QLinearGradient shade(body.topLeft(), body.bottomLeft());
  shade.setColorAt(0, QColor(120, 120, 120));
  shade.setColorAt(0.5, QColor(78, 78, 78));
  shade.setColorAt(1, QColor(42, 42, 42));
  p.setPen(QPen(QColor(20, 20, 20), 1.0));
  p.setBrush(shade);
  p.drawRoundedRect(body, 0.09 * h, 0.09 * h);
  // A faint highlight along the top edge.
  p.setPen(QPen(QColor(170, 170, 170), 0.8));
  p.drawLine(at(0.06, 0.035), at(0.94, 0.035));
  // Toggle switches in the top corners.
  for (double fx : {0.08, 0.92}) {
    p.setPen(QPen(QColor(20, 20, 20), 0.6));
    p.setBrush(QColor(160, 160, 160));
    p.drawEllipse(at(fx, 0.14), 0.025 * w, 0.025 * w);
  }
  // The display between the sticks.
  p.setPen(QPen(QColor(20, 20, 20), 0.8));
  p.setBrush(QColor(185, 185, 185));
  p.drawRect(QRectF(at(0.41, 0.66), QSizeF(0.18 * w, 0.16 * h)));
  // Stick gimbals: a recessed plate, the gimbal ring and the stick's knob.
  const double plate = 0.62 * h;
  Transmitter t{body, at(0.25, 0.47), at(0.75, 0.47), plate * 0.42};
  for (QPointF centre : {t.left_stick, t.right_stick}) {
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    p.setBrush(QColor(38, 38, 38));
    p.drawRoundedRect(QRectF(centre - QPointF(plate / 2, plate / 2), QSizeF(plate, plate)),
                      plate * 0.12, plate * 0.12);
    QRadialGradient ring(centre, plate * 0.3);
    ring.setColorAt(0, QColor(90, 90, 90));
    ring.setColorAt(1, QColor(55, 55, 55));
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(ring);
    p.drawEllipse(centre, plate * 0.3, plate * 0.3);
    QRadialGradient knob(centre - QPointF(plate * 0.04, plate * 0.04), plate * 0.12);
    knob.setColorAt(0, QColor(235, 235, 235));
    knob.setColorAt(1, QColor(110, 110, 110));
    p.setBrush(knob);
    p.drawEllipse(centre, plate * 0.1, plate * 0.1);
  }
  p.restore();
  return t;
}

// A double arrow that stays visible on the dark case: white with a black rim.
void DrawStickArrow(QPainter& p, QPointF a, QPointF b, double head) {
  p.save();
  p.setPen(QPen(Qt::black, 3.2, Qt::SolidLine, Qt::RoundCap));
  DrawDoubleArrow(p, a, b, head + 1.6);
  p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::FlatCap));
  DrawDoubleArrow(p, a, b, head);
  p.restore();
}

// The two-bladed propeller of the throttle, seen from the front.
void DrawPropeller(QPainter& p, QPointF centre, double radius) {
  p.save();
  p.translate(centre);
  p.rotate(-60);
  QLinearGradient blade(QPointF(0, -radius * 0.2), QPointF(0, radius * 0.2));
  blade.setColorAt(0, QColor(150, 150, 150));
  blade.setColorAt(1, QColor(60, 60, 60));
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(blade);
  for (double side : {1.0, -1.0}) {
    QPainterPath path;
    path.moveTo(0, -radius * 0.1);
    path.cubicTo(side * radius * 0.4, -radius * 0.26, side * radius * 0.9, -radius * 0.22,
                 side * radius, -radius * 0.04);
    path.cubicTo(side * radius, radius * 0.1, side * radius * 0.6, radius * 0.14, 0, radius * 0.1);
    path.closeSubpath();
    p.drawPath(path);
  }
  p.setBrush(QColor(200, 200, 200));
  p.drawEllipse(QPointF(0, 0), radius * 0.14, radius * 0.14);
  p.restore();
}

void DrawTopStrip(QPainter& p) {
  DrawPropeller(p, {38, 56}, 34);
  DrawPlug(p, {84, 52}, 4, PlugKind::kNormal);
  DrawLabel(p, {95, 37}, QStringLiteral("GAS"), kLabelSize, true);
  DrawLabel(p, {95, 52}, QStringLiteral("TH"), kLabelSize, true);

  const Transmitter t = DrawTransmitter(p, QRectF(126, 28, 158, 58), true);
  const double r = t.travel;
  DrawStickArrow(p, t.left_stick + QPointF(0, -r), t.left_stick + QPointF(0, r), 4);
  DrawStickArrow(p, t.right_stick + QPointF(0, -r), t.right_stick + QPointF(0, r), 4);
  DrawSevenSegment(p, {t.left_stick.x() - 38, 6}, "MODE 2+4", kModeNameHeight);
  DrawSevenSegment(p, {t.right_stick.x() - 24, 6}, "MODE 1+3", kModeNameHeight);
  // Short ticks tie each mode name to its stick.
  p.setPen(QPen(Qt::black, 1.0));
  p.drawLine(QPointF(t.left_stick.x(), 19), QPointF(t.left_stick.x(), 24));
  p.drawLine(QPointF(t.right_stick.x(), 19), QPointF(t.right_stick.x(), 24));
  // The side lever.
  const QPointF lever(t.body.right() + 0.06 * t.body.width(),
                      t.body.top() + 0.45 * t.body.height());
  DrawSevenSegment(p, {186, 95}, "MODE 5+6+7+8", kModeNameHeight);
  p.setPen(QPen(Qt::black, 1.2));
  DrawArrow(p, QPointF(293, 94), lever + QPointF(1, 5), 5);
}

enum class Surface { kNone, kElevator, kRudder, kAilerons };

// Which surface each stick axis moves in one pair of modes.
struct ModePanel {
  const char* name;
  QPointF origin;
  Surface left_vertical, left_horizontal, right_vertical, right_horizontal;
};

constexpr std::array kPanels = {
    ModePanel{"MODE 1+5",
              {0, 110},
              Surface::kElevator,
              Surface::kRudder,
              Surface::kNone,
              Surface::kAilerons},
    ModePanel{"MODE 4+8",
              {150, 110},
              Surface::kNone,
              Surface::kAilerons,
              Surface::kElevator,
              Surface::kRudder},
    ModePanel{"MODE 3+7",
              {0, 258},
              Surface::kElevator,
              Surface::kAilerons,
              Surface::kNone,
              Surface::kRudder},
    ModePanel{"MODE 2+6",
              {150, 258},
              Surface::kNone,
              Surface::kRudder,
              Surface::kElevator,
              Surface::kAilerons},
};

void DrawPanel(QPainter& p, const ModePanel& panel) {
  p.save();
  p.translate(panel.origin);
  DrawSevenSegment(p, {8, 6}, panel.name, kModeNameHeight);
  // The aeroplane seen from behind and above, so its left and right are the pilot's.
  const ModelColours grey{
      .body = Qt::white, .moving = QColor(200, 200, 200), .glass = QColor(170, 170, 170)};
  const Model m = HighWingTrainer(grey);
  const View v(180, 62, 48, {75, 96});
  DrawFaces(p, v, m.faces);
  const Transmitter t = DrawTransmitter(p, QRectF(30, 28, 90, 38), false);
  const double r = t.travel;
  struct Axis {
    Surface surface;
    QPointF a, b;   // the arrow across the stick
    QPointF start;  // where the line to the surface leaves the arrow
  };
  const Axis axes[] = {
      {panel.left_vertical, t.left_stick + QPointF(0, -r), t.left_stick + QPointF(0, r),
       t.left_stick + QPointF(0, r)},
      {panel.left_horizontal, t.left_stick + QPointF(-r, 0), t.left_stick + QPointF(r, 0),
       t.left_stick + QPointF(-r, 0)},
      {panel.right_vertical, t.right_stick + QPointF(0, -r), t.right_stick + QPointF(0, r),
       t.right_stick + QPointF(0, r)},
      {panel.right_horizontal, t.right_stick + QPointF(-r, 0), t.right_stick + QPointF(r, 0),
       t.right_stick + QPointF(r, 0)},
  };
  for (const Axis& axis : axes) {
    if (axis.surface == Surface::kNone) continue;
    std::vector<QPointF> targets;
    switch (axis.surface) {
      case Surface::kElevator:
        targets = {v(m.anchors.at("elevator"))};
        break;
      case Surface::kRudder:
        targets = {v(m.anchors.at("rudder"))};
        break;
      case Surface::kAilerons:
        targets = {v(m.anchors.at("aileron left")), v(m.anchors.at("aileron right"))};
        break;
      case Surface::kNone:
        break;
    }
    p.setPen(QPen(Qt::black, 1.0));
    for (QPointF target : targets) {
      p.drawLine(axis.start, target);
      p.setBrush(Qt::black);
      p.drawEllipse(target, 1.8, 1.8);
    }
  }
  for (const Axis& axis : axes) {
    if (axis.surface != Surface::kNone) DrawStickArrow(p, axis.a, axis.b, 3.5);
  }
  p.restore();
}

}  // namespace

QImage DrawMode() {
  QImage image = Canvas(300, 405);
  QPainter p(&image);
  Prepare(p);
  DrawTopStrip(p);
  p.setPen(QPen(QColor(160, 160, 160), 1.0));
  p.drawLine(QPointF(4, 110.5), QPointF(296, 110.5));
  p.drawLine(QPointF(150.5, 114), QPointF(150.5, 401));
  p.drawLine(QPointF(4, 257.5), QPointF(296, 257.5));
  for (const ModePanel& panel : kPanels) DrawPanel(p, panel);
  return image;
}

}  // namespace qzd::pictures
