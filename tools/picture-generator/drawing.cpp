// SPDX-License-Identifier: MIT
#include "drawing.h"

#include <QFontMetricsF>
#include <QPolygonF>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

namespace qzd::pictures {
namespace {

// Segment bits: the seven classic ones, the two halves of a centre vertical (for T and I), a short
// centre vertical for +, the right halves of the top and bottom bars (for a closing bracket) and
// three diagonals from the centre (the V of an M and the leg of an R), as on a starburst display.
enum Segment : unsigned {
  kA = 1u << 0,   // top
  kB = 1u << 1,   // upper right
  kC = 1u << 2,   // lower right
  kD = 1u << 3,   // bottom
  kE = 1u << 4,   // lower left
  kF = 1u << 5,   // upper left
  kG = 1u << 6,   // middle
  kH = 1u << 7,   // upper centre vertical
  kI = 1u << 8,   // lower centre vertical
  kJ = 1u << 9,   // right half of the top
  kK = 1u << 10,  // right half of the bottom
  kP = 1u << 11,  // short centre vertical across the middle
  kL = 1u << 12,  // diagonal from the top left corner to the centre
  kM = 1u << 13,  // diagonal from the top right corner to the centre
  kN = 1u << 14,  // diagonal from the centre to the bottom right corner
  kQ = 1u << 15,  // a middle bar over the whole glyph width, for +
};

struct Glyph {
  char c;
  unsigned segments;
};

constexpr std::array kGlyphs = {
    Glyph{'0', kA | kB | kC | kD | kE | kF},
    Glyph{'1', kB | kC},
    Glyph{'2', kA | kB | kG | kE | kD},
    Glyph{'3', kA | kB | kG | kC | kD},
    Glyph{'4', kF | kG | kB | kC},
    Glyph{'5', kA | kF | kG | kC | kD},
    Glyph{'6', kA | kF | kG | kE | kD | kC},
    Glyph{'7', kA | kB | kC},
    Glyph{'8', kA | kB | kC | kD | kE | kF | kG},
    Glyph{'9', kA | kB | kC | kD | kF | kG},
    Glyph{'A', kA | kB | kC | kE | kF | kG},
    Glyph{'C', kA | kD | kE | kF},
    Glyph{'D', kB | kC | kD | kE | kG},
    Glyph{'E', kA | kD | kE | kF | kG},
    Glyph{'F', kA | kE | kF | kG},
    Glyph{'G', kA | kC | kD | kE | kF},
    Glyph{'H', kB | kC | kE | kF | kG},
    Glyph{'I', kA | kD | kH | kI},
    Glyph{'L', kD | kE | kF},
    Glyph{'M', kB | kC | kE | kF | kL | kM},
    Glyph{'N', kA | kB | kC | kE | kF},
    Glyph{'O', kA | kB | kC | kD | kE | kF},
    Glyph{'P', kA | kB | kE | kF | kG},
    Glyph{'R', kA | kB | kE | kF | kG | kN},
    Glyph{'S', kA | kC | kD | kF | kG},
    Glyph{'T', kA | kH | kI},
    Glyph{'U', kB | kC | kD | kE | kF},
    Glyph{'Y', kB | kC | kD | kF | kG},
    Glyph{'+', kQ | kP},
    Glyph{'-', kG},
    Glyph{')', kJ | kB | kC | kK},
};

unsigned SegmentsOf(char c) {
  for (const Glyph& g : kGlyphs) {
    if (g.c == c) return g.segments;
  }
  return 0;
}

struct SegmentMetrics {
  double width, thickness, gap, taper, advance, space, slant;
};

SegmentMetrics MetricsFor(double height) {
  const double thickness = std::max(1.5, 0.14 * height);
  // Small lettering keeps nearly square bar ends, or the bars shrink to dots.
  const double taper = thickness >= 3.0 ? thickness / 2 : thickness * 0.3;
  return {.width = 0.6 * height,
          .thickness = thickness,
          .gap = std::max(0.3, 0.035 * height),
          .taper = taper,
          .advance = 0.6 * height + std::max(2.2, 0.3 * height),
          .space = 0.5 * height,
          .slant = 0.08};
}

// A bar between two points with bevelled ends.
QPolygonF Bar(QPointF from, QPointF to, const SegmentMetrics& m) {
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  const QPointF along = d / length;
  const QPointF across(-along.y(), along.x());
  const double half = m.thickness / 2;
  const QPointF a = from + along * m.gap, b = to - along * m.gap;
  return QPolygonF({a, a + along * m.taper + across * half, b - along * m.taper + across * half, b,
                    b - along * m.taper - across * half, a + along * m.taper - across * half});
}

// A diagonal stroke of the bar's thickness with plain ends, for the starburst segments.
QPolygonF Stroke(QPointF from, QPointF to, const SegmentMetrics& m) {
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  const QPointF along = d / length;
  const QPointF across = QPointF(-along.y(), along.x()) * (m.thickness * 0.45);
  const QPointF a = from + along * (m.gap + m.thickness * 0.4), b = to - along * m.gap;
  return QPolygonF({a + across, b + across, b - across, a - across});
}

}  // namespace

double SevenSegmentWidth(std::string_view text, double height) {
  const SegmentMetrics m = MetricsFor(height);
  double width = 0;
  for (char c : text) width += c == ' ' ? m.space : m.advance;
  return width;
}

void DrawSevenSegment(QPainter& p, QPointF top_left, std::string_view text, double height,
                      const QColor& colour) {
  const SegmentMetrics m = MetricsFor(height);
  const double t = m.thickness;
  // Segment centre lines sit half a thickness inside the glyph box.
  const double left = t / 2, right = m.width - t / 2, top = t / 2, bottom = height - t / 2;
  const double middle = height / 2, centre = m.width / 2;
  struct Placed {
    unsigned bit;
    QPointF from, to;
    bool diagonal = false;
  };
  const Placed placed[] = {
      {kA, {left, top}, {right, top}},
      {kB, {right, top}, {right, middle}},
      {kC, {right, middle}, {right, bottom}},
      {kD, {left, bottom}, {right, bottom}},
      {kE, {left, middle}, {left, bottom}},
      {kF, {left, top}, {left, middle}},
      {kG, {left, middle}, {right, middle}},
      {kH, {centre, top}, {centre, middle}},
      {kI, {centre, middle}, {centre, bottom}},
      {kJ, {centre, top}, {right, top}},
      {kK, {centre, bottom}, {right, bottom}},
      {kP, {centre, height * 0.1}, {centre, height * 0.9}},
      {kQ, {left - t * 0.4, middle}, {right + t * 0.4, middle}},
      {kL, {left, top}, {centre, middle + t * 0.3}, true},
      {kM, {right, top}, {centre, middle + t * 0.3}, true},
      {kN, {centre, middle}, {right, bottom}, true},
  };
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  double x = top_left.x();
  for (char c : text) {
    if (c == ' ') {
      x += m.space;
      continue;
    }
    const unsigned segments = SegmentsOf(c);
    for (const Placed& s : placed) {
      if ((segments & s.bit) == 0) continue;
      QPolygonF bar = s.diagonal ? Stroke(s.from, s.to, m) : Bar(s.from, s.to, m);
      for (QPointF& point : bar) {
        // Lean the glyph forward like a display's digits.
        point = QPointF(x + point.x() + m.slant * (height - point.y()), top_left.y() + point.y());
      }
      p.drawPolygon(bar);
    }
    x += m.advance;
  }
  p.restore();
}

QFont LabelFont(double pixel_size, bool bold, bool italic) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(static_cast<int>(std::lround(pixel_size)));
  font.setBold(bold);
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QRectF LabelBox(QPointF top_left, const QString& text, double pixel_size, bool bold) {
  const QFontMetricsF metrics(LabelFont(pixel_size, bold));
  return QRectF(top_left, QSizeF(metrics.horizontalAdvance(text), metrics.height()));
}

QRectF DrawLabel(QPainter& p, QPointF top_left, const QString& text, double pixel_size, bool bold) {
  p.save();
  p.setFont(LabelFont(pixel_size, bold));
  p.setPen(Qt::black);
  const QFontMetricsF metrics(p.font());
  p.drawText(QPointF(top_left.x(), top_left.y() + metrics.ascent()), text);
  p.restore();
  return LabelBox(top_left, text, pixel_size, bold);
}

PlugGeometry PlugAt(QPointF square_centre, double side) {
  const QRectF square(square_centre.x() - side / 2, square_centre.y() - side / 2, side, side);
  const double connector = std::round(side * 0.5) + 3;  // body plus its wires
  QRectF whole = square;
  whole.setTop(square.top() - connector - 1);
  return {square, whole};
}

PlugGeometry DrawPlug(QPainter& p, QPointF square_centre, int channel, PlugKind kind, double side) {
  const PlugGeometry g = PlugAt(square_centre, side);
  p.save();
  // The connector: a dark body with three pin holes, three wires leaving its top.
  const double body_w = std::round(side * 0.7), body_h = std::round(side * 0.5) - 1;
  const QRectF body(square_centre.x() - body_w / 2, g.square.top() - 1 - body_h, body_w, body_h);
  p.setPen(QPen(Qt::black, 1.0));
  for (int k = -1; k <= 1; ++k) {
    const double x = square_centre.x() + k * body_w / 3.2;
    p.drawLine(QPointF(x, body.top()), QPointF(x + k * 0.8, body.top() - 3));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRect(body);
  p.setBrush(Qt::white);
  for (int k = -1; k <= 1; ++k) {
    const double x = square_centre.x() + k * body_w / 3.2;
    p.drawRect(QRectF(x - 0.6, body.center().y() - 0.6, 1.2, 1.2));
  }
  // The numbered square.
  if (kind == PlugKind::kNormal) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(g.square);
  } else {
    p.setPen(QPen(Qt::black, 1.3));
    p.setBrush(Qt::white);
    p.drawRect(g.square.adjusted(0.65, 0.65, -0.65, -0.65));
  }
  p.setPen(kind == PlugKind::kNormal ? Qt::white : Qt::black);
  p.setFont(LabelFont(side * 0.85, true));
  p.drawText(g.square.adjusted(0, 0, 0.5, 0.5), Qt::AlignCenter, QString::number(channel));
  p.restore();
  return g;
}

void DrawArrowHead(QPainter& p, QPointF tip, double angle_degrees, double size) {
  const double a = qDegreesToRadians(angle_degrees);
  const QPointF back(std::cos(a), -std::sin(a));  // screen y grows downwards
  const QPointF side(-back.y(), back.x());
  const QPointF base = tip - back * size;
  p.save();
  p.setBrush(p.pen().color());
  QPen pen = p.pen();
  pen.setWidthF(0.8);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.drawPolygon(QPolygonF({tip, base + side * (size * 0.45), base - side * (size * 0.45)}));
  p.restore();
}

namespace {
double AngleOf(QPointF from, QPointF to) {
  return qRadiansToDegrees(std::atan2(-(to.y() - from.y()), to.x() - from.x()));
}
QPointF Towards(QPointF from, QPointF to, double distance) {
  const QPointF d = to - from;
  const double length = std::hypot(d.x(), d.y());
  return from + d * (distance / length);
}
}  // namespace

void DrawArrow(QPainter& p, QPointF from, QPointF to, double head) {
  p.drawLine(from, Towards(to, from, head * 0.8));
  DrawArrowHead(p, to, AngleOf(from, to), head);
}

void DrawDoubleArrow(QPainter& p, QPointF a, QPointF b, double head) {
  p.drawLine(Towards(a, b, head * 0.8), Towards(b, a, head * 0.8));
  DrawArrowHead(p, b, AngleOf(a, b), head);
  DrawArrowHead(p, a, AngleOf(b, a), head);
}

void DrawPathArrow(QPainter& p, const QPainterPath& path, double head, bool both_ends) {
  const double length = path.length();
  const double trim = head * 0.8 / length;
  // Trim the stroke so it does not poke through the heads.
  QPainterPath stroke;
  const double from = both_ends ? trim : 0.0, to = 1.0 - trim;
  constexpr int kSteps = 60;
  for (int k = 0; k <= kSteps; ++k) {
    const QPointF point =
        path.pointAtPercent(path.percentAtLength(length * (from + (to - from) * k / kSteps)));
    if (k == 0) {
      stroke.moveTo(point);
    } else {
      stroke.lineTo(point);
    }
  }
  p.save();
  p.setBrush(Qt::NoBrush);
  p.drawPath(stroke);
  p.restore();
  DrawArrowHead(p, path.pointAtPercent(1.0), path.angleAtPercent(1.0), head);
  if (both_ends) DrawArrowHead(p, path.pointAtPercent(0.0), path.angleAtPercent(0.0) + 180, head);
}

Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator*(Vec3 a, double s) {
  return {a.x * s, a.y * s, a.z * s};
}

namespace {
double Dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalised(Vec3 v) {
  return v * (1.0 / std::sqrt(Dot(v, v)));
}
}  // namespace

View::View(double azimuth_degrees, double elevation_degrees, double scale, QPointF origin)
    : scale_(scale), origin_(origin) {
  const double az = qDegreesToRadians(azimuth_degrees);
  const double el = qDegreesToRadians(elevation_degrees);
  toward_ = {std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)};
  const Vec3 look = toward_ * -1.0;
  right_ = Normalised(Cross(look, {0, 0, 1}));
  up_ = Cross(right_, look);
}

QPointF View::operator()(Vec3 v) const {
  return origin_ + QPointF(Dot(v, right_), -Dot(v, up_)) * scale_;
}

double View::Depth(Vec3 v) const {
  return Dot(v, toward_);
}

Vec3 Centre(const Face& face) {
  Vec3 sum;
  for (const Vec3& v : face.points) sum = sum + v;
  return sum * (1.0 / static_cast<double>(face.points.size()));
}

void DrawFaces(QPainter& p, const View& view, std::vector<Face> faces) {
  std::stable_sort(faces.begin(), faces.end(), [&](const Face& a, const Face& b) {
    if (a.layer != b.layer) return a.layer < b.layer;
    return view.Depth(Centre(a)) < view.Depth(Centre(b));
  });
  p.save();
  const auto draw = [&](const Face& face) {
    QPolygonF polygon;
    for (const Vec3& v : face.points) polygon << view(v);
    QPen pen(Qt::black, face.pen);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(face.pen > 0 ? pen : QPen(Qt::NoPen));
    p.setBrush(face.fill);
    p.drawPolygon(polygon);
  };
  for (const Face& face : faces) {
    draw(face);
    for (const Face& detail : face.details) draw(detail);
  }
  p.restore();
}

Face Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, QBrush fill, int layer) {
  return Face{{a, b, c, d}, fill, 1.0, layer};
}

std::vector<Face> Box(const Vec3 (&k)[8], QBrush fill, int layer) {
  return {
      Quad(k[0], k[1], k[2], k[3], fill, layer),  // back end
      Quad(k[4], k[5], k[6], k[7], fill, layer),  // front end
      Quad(k[0], k[1], k[5], k[4], fill, layer),  // top
      Quad(k[3], k[2], k[6], k[7], fill, layer),  // bottom
      Quad(k[0], k[3], k[7], k[4], fill, layer),  // one side
      Quad(k[1], k[2], k[6], k[5], fill, layer),  // other side
  };
}

}  // namespace qzd::pictures
