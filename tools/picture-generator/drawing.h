// SPDX-License-Identifier: MIT
#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <string_view>
#include <vector>

namespace qzd::pictures {

// Lettering in the style of a seven-segment display, for titles, mode names and notes.
// `height` is the height of a digit in pixels; the text starts at `top_left`.
double SevenSegmentWidth(std::string_view text, double height);
void DrawSevenSegment(QPainter& p, QPointF top_left, std::string_view text, double height,
                      const QColor& colour = Qt::black);

// The plain sans-serif face of all other labels.
QFont LabelFont(double pixel_size, bool bold = false, bool italic = false);
// Draws one line of text with its top-left corner at `top_left`; returns its box.
QRectF DrawLabel(QPainter& p, QPointF top_left, const QString& text, double pixel_size,
                 bool bold = false);
QRectF LabelBox(QPointF top_left, const QString& text, double pixel_size, bool bold = false);

// A servo plug: a small connector symbol above a square with the channel number. The normal kind
// is a black square with a white digit; the outlined kind (extra functions) a white square with a
// black border and a black digit. `square_centre` is the centre of the square.
enum class PlugKind { kNormal, kOutlined };
struct PlugGeometry {
  QRectF square;  // the numbered square
  QRectF whole;   // square and connector together
};
constexpr double kPlugSide = 13.0;
PlugGeometry PlugAt(QPointF square_centre, double side = kPlugSide);
PlugGeometry DrawPlug(QPainter& p, QPointF square_centre, int channel, PlugKind kind,
                      double side = kPlugSide);

// Arrow heads and arrows, drawn with the painter's pen; heads are filled with the pen colour.
void DrawArrowHead(QPainter& p, QPointF tip, double angle_degrees, double size);
void DrawArrow(QPainter& p, QPointF from, QPointF to, double head = 5.0);
void DrawDoubleArrow(QPainter& p, QPointF a, QPointF b, double head = 5.0);
// A curved arrow along a path, with heads at both ends (or only at the end).
void DrawPathArrow(QPainter& p, const QPainterPath& path, double head, bool both_ends);

// A tiny 3D helper for the model drawings: points in model space (x forward, y to the model's
// left, z up), seen by a parallel projection from the direction given by azimuth and elevation.
struct Vec3 {
  double x = 0, y = 0, z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double s);

class View {
 public:
  View(double azimuth_degrees, double elevation_degrees, double scale, QPointF origin);
  QPointF operator()(Vec3 v) const;
  double Depth(Vec3 v) const;

 private:
  Vec3 right_, up_, toward_;
  double scale_;
  QPointF origin_;
};

struct Face {
  std::vector<Vec3> points;
  QBrush fill = Qt::white;
  double pen = 1.0;
  int layer = 0;  // drawn in layer order first, then farthest first
  // Markings on this face (windows, panels), drawn straight after it so they share its place in
  // the back-to-front order.
  std::vector<Face> details = {};
};

// Draws faces back to front, each filled and outlined in black.
void DrawFaces(QPainter& p, const View& view, std::vector<Face> faces);

// Quad helpers in model space.
Face Quad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, QBrush fill = Qt::white, int layer = 0);
// A box from 8 corners: the four of the back (tail) end then the four of the front end, each in
// the order top-left, top-right, bottom-right, bottom-left as seen from behind.
std::vector<Face> Box(const Vec3 (&corners)[8], QBrush fill = Qt::white, int layer = 0);
Vec3 Centre(const Face& face);

}  // namespace qzd::pictures
