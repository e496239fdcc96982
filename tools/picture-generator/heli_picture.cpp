// SPDX-License-Identifier: MIT
// The helicopter page: which plug drives which function on a helicopter, and how the three
// swashplate servos of a CCPM head sit around the shaft.
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

#include "callout.h"
#include "drawing.h"
#include "pictures.h"

namespace qzd::pictures {
namespace {

// A circle in a horizontal plane (or, with `vertical`, in the x-z plane), projected.
QPainterPath Ring(const View& v, Vec3 centre, double radius, bool vertical = false) {
  QPainterPath path;
  constexpr int kSteps = 96;
  for (int k = 0; k <= kSteps; ++k) {
    const double a = 2 * M_PI * k / kSteps;
    const Vec3 offset = vertical ? Vec3{radius * std::cos(a), 0, radius * std::sin(a)}
                                 : Vec3{radius * std::cos(a), radius * std::sin(a), 0};
    const QPointF point = v(centre + offset);
    if (k == 0) {
      path.moveTo(point);
    } else {
      path.lineTo(point);
    }
  }
  path.closeSubpath();
  return path;
}

// The left half: the helicopter under its rotor disc.
void DrawHelicopterHalf(QPainter& p) {
  const View v(-52, 18, 92, {150, 126});
  const QPen line(Qt::black, 1.1);
  // Rotor disc and blades.
  const Vec3 hub{0, 0, 0.62};
  p.setPen(QPen(QColor(90, 90, 90), 1.0));
  p.setBrush(QColor(238, 238, 238));
  p.drawPath(Ring(v, hub, 1.22));
  p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(v(hub + Vec3{1.18, 0.3, 0}), v(hub + Vec3{-1.18, -0.3, 0}));
  // Skids and their cross tubes, in perspective.
  p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
  for (double y : {0.24, -0.24}) {
    QPainterPath skid;
    skid.moveTo(v({-0.42, y, -0.2}));
    skid.lineTo(v({0.40, y, -0.2}));
    skid.quadTo(v({0.52, y, -0.2}), v({0.55, y, -0.12}));
    p.drawPath(skid);
    p.drawLine(v({-0.22, y, -0.2}), v({-0.18, y * 0.5, -0.02}));
    p.drawLine(v({0.26, y, -0.2}), v({0.22, y * 0.5, -0.02}));
  }
  // Tail boom with the tail fin, then the tail rotor disc at its end.
  const QPointF boom_root_top = v({-0.30, 0, 0.30}), boom_root_bottom = v({-0.30, 0, 0.12});
  const QPointF boom_end_top = v({-1.45, 0, 0.30}), boom_end_bottom = v({-1.45, 0, 0.25});
  p.setPen(line);
  p.setBrush(QColor(205, 205, 205));
  p.drawPolygon(QPolygonF({boom_root_top, boom_end_top, boom_end_bottom, boom_root_bottom}));
  p.drawPolygon(QPolygonF(
      {v({-1.32, 0, 0.29}), v({-1.50, 0, 0.52}), v({-1.56, 0, 0.52}), v({-1.50, 0, 0.26})}));
  const Vec3 tail_hub{-1.48, 0.06, 0.30};
  p.setBrush(QColor(245, 245, 245));
  p.drawPath(Ring(v, tail_hub, 0.19, true));
  p.drawLine(v(tail_hub + Vec3{0.17, 0, 0.06}), v(tail_hub + Vec3{-0.17, 0, -0.06}));
  // The egg-shaped cabin with its windscreen, drawn along the projected fuselage axis.
  const QPointF centre = v({0.05, 0, 0.16});
  const QPointF nose = v({0.55, 0, 0.16});
  const double angle = qRadiansToDegrees(std::atan2(nose.y() - centre.y(), nose.x() - centre.x()));
  p.save();
  p.translate(centre);
  p.rotate(angle);
  QPainterPath cabin;
  cabin.moveTo(-48, 0);
  cabin.cubicTo(-48, -26, 18, -30, 42, -10);
  cabin.cubicTo(54, 0, 46, 22, 20, 24);
  cabin.cubicTo(-20, 28, -48, 20, -48, 0);
  p.setPen(QPen(Qt::black, 1.3));
  p.setBrush(QColor(150, 150, 150));
  p.drawPath(cabin);
  QPainterPath screen;
  screen.moveTo(8, -22);
  screen.cubicTo(26, -22, 40, -14, 46, -4);
  screen.cubicTo(40, 6, 24, 6, 10, 2);
  screen.closeSubpath();
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::white);
  p.drawPath(screen);
  p.restore();
  // Mast and rotor head.
  p.setPen(QPen(Qt::black, 2.2));
  p.drawLine(v({0, 0, 0.36}), v(hub));
  p.setBrush(Qt::black);
  p.drawEllipse(v(hub), 3.0, 2.4);

  // Collective pitch: the vertical arrow above the head.
  p.setPen(QPen(Qt::black, 1.4));
  const QPointF head = v(hub);
  DrawDoubleArrow(p, head + QPointF(0, -8), head + QPointF(0, -44), 6);
  DrawPlug(p, head + QPointF(16, -34), 4, PlugKind::kNormal);
  // Roll and pitch cyclic: two curved arrows across the disc, each ending at its plug.
  QPainterPath roll;
  roll.moveTo(70, 50);
  roll.cubicTo(130, 100, 200, 118, 252, 142);
  DrawPathArrow(p, roll, 6, true);
  DrawPlug(p, {266, 146}, 1, PlugKind::kNormal);
  QPainterPath pitch;
  pitch.moveTo(104, 110);
  pitch.cubicTo(150, 70, 200, 44, 250, 36);
  DrawPathArrow(p, pitch, 6, true);
  DrawPlug(p, {264, 38}, 2, PlugKind::kNormal);
  // Tail rotor, motor, gyro and the extra function.
  DrawCallout(p, {3, PlugKind::kNormal, {22, 140}, "", LabelSide::kRight, v(tail_hub)});
  DrawCallout(p, {5, PlugKind::kNormal, {150, 190}, "MOTOR", LabelSide::kRight});
  DrawCallout(p, {6, PlugKind::kNormal, {80, 36}, "GYRO", LabelSide::kRight});
  DrawCallout(p, {7, PlugKind::kOutlined, {16, 22}, "FLAP /\nAUX 1", LabelSide::kRight});
}

// The right half: a CCPM swashplate seen obliquely, forward to the upper right.
void DrawSwashplateHalf(QPainter& p) {
  const QRectF frame(300.5, 3.5, 281, 190);
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(frame);

  // Legend down the left side.
  const double x = 320;
  DrawCallout(p, {5, PlugKind::kNormal, {x, 34}, "Throttle / ESC", LabelSide::kRight});
  DrawCallout(p, {6, PlugKind::kNormal, {x, 76}, "Gyro", LabelSide::kRight});
  DrawCallout(p, {7, PlugKind::kOutlined, {x, 118}, "FLAP / AUX 1", LabelSide::kRight});
  DrawCallout(p, {3, PlugKind::kNormal, {x, 160}, "Tail rotor", LabelSide::kRight});
  // A small tail rotor beside its entry.
  p.save();
  p.translate(x + 92, 160);
  p.setPen(QPen(Qt::black, 1.0));
  p.setBrush(QColor(220, 220, 220));
  p.drawEllipse(QPointF(0, 0), 9, 9);
  p.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(-8, 3), QPointF(8, -3));
  p.setPen(QPen(Qt::black, 1.2));
  p.drawLine(QPointF(-18, 0), QPointF(-2, 0));
  p.restore();

  const View v(225, 20, 112, {486, 62});
  const double outer = 0.52, inner = 0.34;
  // The three pushrods hang from balls under the outer ring; angles run clockwise from forward
  // as seen from above.
  struct Pushrod {
    int channel;
    double degrees;
    const char* text;
  };
  const Pushrod rods[] = {{1, 180, "180°"}, {2, 300, "300°"}, {4, 60, "60°"}};
  const auto draw_rod = [&](const Pushrod& rod) {
    const double a = qDegreesToRadians(rod.degrees);
    const Vec3 ball{outer * 0.97 * std::cos(a), -outer * 0.97 * std::sin(a), -0.07};
    const QPointF top = v(ball), bottom = v(ball + Vec3{0, 0, -0.60});
    p.setPen(QPen(Qt::black, 1.8));
    p.drawLine(top, bottom);
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(top, 2.6, 2.6);
  };
  const auto label_rod = [&](const Pushrod& rod) {
    const double a = qDegreesToRadians(rod.degrees);
    const Vec3 ball{outer * 0.97 * std::cos(a), -outer * 0.97 * std::sin(a), -0.07};
    const QPointF plug = v(ball + Vec3{0, 0, -0.60}) + QPointF(0, 17);
    DrawPlug(p, plug, rod.channel, PlugKind::kNormal);
    DrawLabel(p, plug + QPointF(9, -7), QString::fromUtf8(rod.text), 11, true);
  };
  const auto behind = [&](const Pushrod& rod) {
    const double a = qDegreesToRadians(rod.degrees);
    return v.Depth({std::cos(a), -std::sin(a), 0}) < 0;
  };
  // The main shaft and the rods behind it go first, so the plate hides them.
  p.setPen(QPen(Qt::black, 2.0));
  p.drawLine(v({0, 0, -0.30}), v({0, 0, 0}));
  for (const Pushrod& rod : rods) {
    if (behind(rod)) draw_rod(rod);
  }
  // The plate: outer ring with its rim, inner ring on top, the shaft through it.
  p.setPen(QPen(Qt::black, 1.1));
  p.setBrush(QColor(200, 200, 200));
  p.drawPath(Ring(v, {0, 0, -0.07}, outer));
  p.setBrush(QColor(230, 230, 230));
  p.drawPath(Ring(v, {0, 0, 0}, outer));
  p.setBrush(QColor(175, 175, 175));
  p.drawPath(Ring(v, {0, 0, 0.05}, inner));
  p.setPen(QPen(Qt::black, 2.0));
  p.drawLine(v({0, 0, 0.05}), v({0, 0, 0.42}));
  for (const Pushrod& rod : rods) {
    if (!behind(rod)) draw_rod(rod);
  }
  for (const Pushrod& rod : rods) label_rod(rod);

  // The forward direction, 0 degrees.
  p.setPen(QPen(QColor(130, 130, 130), 3.0));
  const QPointF from = v({0.22, 0, 0.05}), to = v({1.0, 0, 0.05});
  DrawArrow(p, from, to, 9);
  DrawLabel(p, to + QPointF(-22, -20), QStringLiteral("0°"), 11, true);
}

}  // namespace

QImage DrawHeli() {
  QImage image = Canvas(585, 220);
  QPainter p(&image);
  Prepare(p);
  DrawHelicopterHalf(p);
  DrawSwashplateHalf(p);
  p.setFont(LabelFont(11, false, true));
  p.setPen(Qt::black);
  p.drawText(QRectF(300, 198, 282, 18), Qt::AlignHCenter | Qt::AlignVCenter,
             QStringLiteral("Fig.: CCPM head with three-point 120° linkage"));
  return image;
}

}  // namespace qzd::pictures
