// SPDX-License-Identifier: MIT
// The servo connection page: one model per quarter with the plug of every servo it uses.
#include <QPainter>

#include "callout.h"
#include "drawing.h"
#include "models.h"
#include "pictures.h"

namespace qzd::pictures {
namespace {

constexpr double kTitleHeight = 14.0;

const ModelColours kColours{
    .body = Qt::white, .moving = QColor(255, 214, 102), .glass = QColor(176, 208, 236)};

QPointF At(const View& v, const Model& m, const char* anchor) {
  return v(m.anchors.at(anchor));
}

void DrawEasy(QPainter& p) {
  DrawSevenSegment(p, {10, 8}, "EASY", kTitleHeight);
  const Model m = HighWingTrainer(kColours);
  const View v(32, 34, 128, {146, 116});
  DrawFaces(p, v, m.faces);
  const Callout callouts[] = {
      {1,
       PlugKind::kNormal,
       {262, 148},
       "AILERON\nLEFT",
       LabelSide::kBelow,
       At(v, m, "aileron left")},
      {2, PlugKind::kNormal, {262, 88}, "ELEVATOR", LabelSide::kBelow, At(v, m, "elevator")},
      {3, PlugKind::kNormal, {262, 36}, "RUDDER", LabelSide::kBelow, At(v, m, "rudder")},
      {4, PlugKind::kNormal, {36, 166}, "THROTTLE", LabelSide::kBelow, At(v, m, "throttle")},
      {5,
       PlugKind::kNormal,
       {30, 100},
       "AILERON\nRIGHT",
       LabelSide::kBelow,
       At(v, m, "aileron right")},
      {6, PlugKind::kOutlined, {90, 28}, "SPOILER /\nTH-LIMIT", LabelSide::kBelow},
      {7, PlugKind::kOutlined, {142, 28}, "PH /\nAUX 2", LabelSide::kBelow},
  };
  for (const Callout& c : callouts) DrawCallout(p, c);
}

void DrawDelta(QPainter& p) {
  const Model m = DeltaJet(kColours);
  const View v(-150, 46, 118, {112, 104});
  DrawFaces(p, v, m.faces);
  const Callout callouts[] = {
      {1, PlugKind::kNormal, {36, 160}, "DELTA LEFT", LabelSide::kBelow, At(v, m, "delta left")},
      {2, PlugKind::kNormal, {196, 184}, "DELTA RIGHT", LabelSide::kRight, At(v, m, "delta right")},
      {4, PlugKind::kNormal, {40, 36}, "THROTTLE", LabelSide::kBelow, At(v, m, "throttle")},
      {6, PlugKind::kOutlined, {232, 30}, "SPOILER /\nTHR LIMIT", LabelSide::kRight},
      {7, PlugKind::kOutlined, {232, 74}, "PH / AUX 2", LabelSide::kRight},
      {3, PlugKind::kOutlined, {232, 112}, "RUDDER", LabelSide::kRight},
      {5, PlugKind::kOutlined, {232, 150}, "ELEVATOR", LabelSide::kRight},
  };
  for (const Callout& c : callouts) DrawCallout(p, c);
}

void DrawGliderQuarter(QPainter& p) {
  DrawSevenSegment(p, {10, 8}, "GLIDER", kTitleHeight);
  const Model m = Sailplane(kColours);
  const View v(24, 56, 76, {158, 122});
  DrawFaces(p, v, m.faces);
  const Callout callouts[] = {
      {1,
       PlugKind::kNormal,
       {272, 104},
       "AILERON\nLEFT",
       LabelSide::kBelow,
       At(v, m, "aileron left")},
      {2, PlugKind::kNormal, {246, 34}, "ELEVATOR", LabelSide::kBelow, At(v, m, "elevator")},
      {3, PlugKind::kNormal, {150, 30}, "RUDDER", LabelSide::kLeft, At(v, m, "rudder")},
      {5,
       PlugKind::kNormal,
       {24, 150},
       "AILERON\nRIGHT",
       LabelSide::kBelow,
       At(v, m, "aileron right")},
      {6, PlugKind::kNormal, {206, 172}, "FLAP LEFT", LabelSide::kRight, At(v, m, "flap left")},
      {7, PlugKind::kNormal, {92, 172}, "FLAP RIGHT", LabelSide::kRight, At(v, m, "flap right")},
  };
  for (const Callout& c : callouts) DrawCallout(p, c);
  // A glider has no throttle of its own: the note says channel 4 carries it once assigned.
  DrawPlug(p, {22, 56}, 4, PlugKind::kOutlined);
  DrawSevenSegment(p, {36, 41}, "GAS) S4", 10);
  DrawSevenSegment(p, {36, 56}, "TH ) S4", 10);
}

void DrawAcro(QPainter& p) {
  DrawSevenSegment(p, {10, 8}, "ACRO", kTitleHeight);
  const Model m = LowWingAerobat(kColours);
  const View v(34, 30, 118, {140, 118});
  DrawFaces(p, v, m.faces);
  const Callout callouts[] = {
      {1, PlugKind::kNormal, {262, 156}, "", LabelSide::kRight, At(v, m, "aileron left")},
      {2, PlugKind::kNormal, {262, 116}, "", LabelSide::kRight, At(v, m, "elevator")},
      {3, PlugKind::kNormal, {170, 40}, "", LabelSide::kRight, At(v, m, "rudder")},
      {4, PlugKind::kNormal, {30, 150}, "", LabelSide::kRight, At(v, m, "propeller")},
      {5, PlugKind::kNormal, {40, 80}, "", LabelSide::kRight, At(v, m, "aileron right")},
      {6, PlugKind::kOutlined, {226, 30}, "SPOILER/\nTHR-LIMIT", LabelSide::kRight},
      {7, PlugKind::kOutlined, {226, 70}, "PH / AUX 2", LabelSide::kRight},
  };
  for (const Callout& c : callouts) DrawCallout(p, c);
}

}  // namespace

QImage DrawServoConnection() {
  QImage image = Canvas(592, 400);
  QPainter p(&image);
  Prepare(p);
  // Thin rules part the four quarters.
  p.setPen(QPen(QColor(170, 170, 170), 1.0));
  p.drawLine(QPointF(296.5, 6), QPointF(296.5, 394));
  p.drawLine(QPointF(6, 200.5), QPointF(586, 200.5));
  struct Quarter {
    QPointF origin;
    void (*draw)(QPainter&);
  };
  const Quarter quarters[] = {{{0, 0}, DrawEasy},
                              {{296, 0}, DrawDelta},
                              {{0, 200}, DrawGliderQuarter},
                              {{296, 200}, DrawAcro}};
  for (const Quarter& q : quarters) {
    p.save();
    p.translate(q.origin);
    p.setClipRect(QRectF(0, 0, 296, 200));
    q.draw(p);
    p.restore();
  }
  return image;
}

}  // namespace qzd::pictures
