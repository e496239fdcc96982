// SPDX-License-Identifier: MIT
// Simple solid models of the four aeroplanes, in model space: x forward, y to the model's left,
// z up; the span is about 2 units. Moving surfaces are separate faces beside their fixed part
// (never on top of it), so back-to-front drawing cannot hide them behind it.
#include "models.h"

namespace qzd::pictures {
namespace {

// A horizontal panel between two chord lines: leading edge at x_le, trailing edge at x_te, from
// span station y0 to y1 (each end may have its own edges for taper and sweep).
Face Panel(double y0, double le0, double te0, double y1, double le1, double te1, double z,
           QColor fill) {
  return Quad({le0, y0, z}, {le1, y1, z}, {te1, y1, z}, {te0, y0, z}, fill);
}

// The same panel mirrored to the other side.
Face Mirror(Face face) {
  for (Vec3& v : face.points) v.y = -v.y;
  return face;
}

// A fuselage section: a box from the back end to the front end, each end given by its x, half
// width, top and bottom.
struct Section {
  double x, half_width, top, bottom;
};
std::vector<Face> Fuselage(Section back, Section front, QColor fill) {
  const Vec3 corners[8] = {
      {back.x, back.half_width, back.top},        {back.x, -back.half_width, back.top},
      {back.x, -back.half_width, back.bottom},    {back.x, back.half_width, back.bottom},
      {front.x, front.half_width, front.top},     {front.x, -front.half_width, front.top},
      {front.x, -front.half_width, front.bottom}, {front.x, front.half_width, front.bottom},
  };
  return Box(corners, fill);
}

// Indices of the two side faces in a Box.
constexpr std::size_t kLeftSide = 4, kRightSide = 5;

void Append(std::vector<Face>& to, std::vector<Face> faces) {
  to.insert(to.end(), faces.begin(), faces.end());
}

// A vertical fin in the y = 0 plane with its rudder behind the hinge line.
void AddFin(Model& m, double root_le, double tip_le, double hinge, double rudder_te, double z0,
            double z1, const ModelColours& c) {
  m.faces.push_back(
      Quad({root_le, 0, z0}, {tip_le, 0, z1}, {hinge, 0, z1}, {hinge, 0, z0}, c.body));
  m.faces.push_back(
      Quad({hinge, 0, z0}, {hinge, 0, z1}, {rudder_te, 0, z1}, {rudder_te, 0, z0}, c.moving));
  m.anchors["rudder"] = {(hinge + rudder_te) / 2, 0, z0 + (z1 - z0) * 0.6};
}

// Two blades across the nose, seen turning in the y-z plane.
void AddPropeller(Model& m, double x, double z, double radius) {
  const double w = radius * 0.09;
  // Each blade widens a little towards its tip and is rounded off there.
  m.faces.push_back(Face{{{x, -w * 0.6, z},
                          {x, -w, z + radius * 0.8},
                          {x, -w * 0.5, z + radius},
                          {x, w * 0.5, z + radius},
                          {x, w, z + radius * 0.8},
                          {x, w * 0.6, z},
                          {x, w, z - radius * 0.8},
                          {x, w * 0.5, z - radius},
                          {x, -w * 0.5, z - radius},
                          {x, -w, z - radius * 0.8}},
                         QColor(150, 150, 150),
                         0.8});
  m.anchors["propeller"] = {x, 0, z};
}

}  // namespace

Model HighWingTrainer(const ModelColours& c) {
  Model m;
  Append(m.faces, Fuselage({-1.0, 0.03, 0.07, 0.0}, {0.05, 0.09, 0.18, -0.08}, c.body));
  std::vector<Face> cabin = Fuselage({0.05, 0.09, 0.18, -0.08}, {0.55, 0.08, 0.10, -0.07}, c.body);
  // Cabin windows on both sides.
  cabin[kLeftSide].details.push_back(Quad({0.08, 0.0895, 0.165}, {0.30, 0.0855, 0.150},
                                          {0.36, 0.0845, 0.105}, {0.08, 0.0895, 0.105}, c.glass));
  cabin[kRightSide].details.push_back(Mirror(cabin[kLeftSide].details.back()));
  for (Face& f : cabin) {
    for (Face& d : f.details) d.pen = 0.8;
  }
  Append(m.faces, cabin);
  // High wing on the cabin roof, ailerons on the outer trailing edge.
  const double z = 0.185;
  m.faces.push_back(Panel(-0.09, 0.36, 0.04, 0.09, 0.36, 0.04, z, c.body));
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.09, 0.36, 0.04, 0.55, 0.36, 0.04, z, c.body)));
    m.faces.push_back(side(Panel(0.55, 0.36, 0.11, 0.98, 0.36, 0.11, z, c.body)));
    m.faces.push_back(side(Panel(0.55, 0.11, 0.04, 0.98, 0.11, 0.04, z, c.moving)));
  }
  m.anchors["aileron left"] = {0.075, 0.8, z};
  m.anchors["aileron right"] = {0.075, -0.8, z};
  // Tailplane with the elevator, then the fin with the rudder.
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.03, -0.74, -0.88, 0.36, -0.78, -0.88, 0.05, c.body)));
    m.faces.push_back(side(Panel(0.03, -0.88, -0.99, 0.36, -0.88, -0.97, 0.05, c.moving)));
  }
  m.anchors["elevator"] = {-0.93, 0.26, 0.05};
  AddFin(m, -0.72, -0.84, -0.90, -1.0, 0.07, 0.38, c);
  // Cowling, propeller and a main undercarriage.
  Append(m.faces, Fuselage({0.55, 0.08, 0.10, -0.07}, {0.63, 0.05, 0.06, -0.04}, c.body));
  AddPropeller(m, 0.645, 0.01, 0.24);
  m.anchors["throttle"] = {0.60, 0.0, 0.10};
  return m;
}

Model DeltaJet(const ModelColours& c) {
  Model m;
  Append(m.faces, Fuselage({-0.62, 0.07, 0.08, -0.05}, {0.25, 0.08, 0.09, -0.06}, c.body));
  Append(m.faces, Fuselage({0.25, 0.08, 0.09, -0.06}, {0.85, 0.015, 0.02, -0.01}, c.body));
  // Canopy.
  m.faces.push_back(Quad({0.22, 0.05, 0.095}, {0.50, 0.02, 0.06}, {0.50, -0.02, 0.06},
                         {0.22, -0.05, 0.095}, c.glass));
  // Delta wing with an elevon along each trailing edge.
  const double z = 0.0;
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Face{{{0.50, 0.075, z}, {-0.44, 0.78, z}, {-0.44, 0.075, z}}, c.body}));
    m.faces.push_back(side(
        Quad({-0.44, 0.16, z}, {-0.44, 0.78, z}, {-0.55, 0.78, z}, {-0.55, 0.16, z}, c.moving)));
    m.faces.push_back(side(
        Quad({-0.44, 0.075, z}, {-0.44, 0.16, z}, {-0.55, 0.16, z}, {-0.55, 0.075, z}, c.body)));
  }
  m.anchors["delta left"] = {-0.50, 0.5, z};
  m.anchors["delta right"] = {-0.50, -0.5, z};
  AddFin(m, -0.12, -0.50, -0.55, -0.66, 0.08, 0.52, c);
  // The jet pipe at the tail.
  Append(m.faces,
         Fuselage({-0.70, 0.05, 0.065, -0.035}, {-0.62, 0.06, 0.075, -0.045}, QColor(90, 90, 90)));
  m.anchors["throttle"] = {-0.70, 0.0, 0.02};
  return m;
}

Model Sailplane(const ModelColours& c) {
  Model m;
  Append(m.faces, Fuselage({-1.05, 0.02, 0.04, 0.0}, {0.0, 0.06, 0.09, -0.06}, c.body));
  Append(m.faces, Fuselage({0.0, 0.06, 0.09, -0.06}, {0.42, 0.02, 0.02, -0.02}, c.body));
  m.faces.push_back(Quad({0.05, 0.045, 0.095}, {0.33, 0.02, 0.045}, {0.33, -0.02, 0.045},
                         {0.05, -0.045, 0.095}, c.glass));
  // Long wing: flaps inboard, ailerons outboard.
  const double z = 0.09;
  m.faces.push_back(Panel(-0.06, 0.10, -0.20, 0.06, 0.10, -0.20, z, c.body));
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.06, 0.10, -0.09, 0.90, 0.08, -0.07, z, c.body)));
    m.faces.push_back(side(Panel(0.06, -0.09, -0.20, 0.90, -0.07, -0.17, z, c.moving)));
    m.faces.push_back(side(Panel(0.90, 0.08, -0.06, 1.70, 0.04, -0.03, z, c.body)));
    m.faces.push_back(side(Panel(0.90, -0.06, -0.17, 1.70, -0.03, -0.09, z, c.moving)));
  }
  m.anchors["flap left"] = {-0.13, 0.5, z};
  m.anchors["flap right"] = {-0.13, -0.5, z};
  m.anchors["aileron left"] = {-0.09, 1.35, z};
  m.anchors["aileron right"] = {-0.09, -1.35, z};
  // T-tail: the fin with its rudder, the tailplane on top.
  AddFin(m, -0.86, -0.96, -1.02, -1.10, 0.04, 0.32, c);
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.0, -0.92, -1.01, 0.30, -0.95, -1.01, 0.32, c.body)));
    m.faces.push_back(side(Panel(0.0, -1.01, -1.08, 0.30, -1.01, -1.07, 0.32, c.moving)));
  }
  m.anchors["elevator"] = {-1.045, 0.18, 0.32};
  return m;
}

Model LowWingAerobat(const ModelColours& c) {
  Model m;
  Append(m.faces, Fuselage({-0.95, 0.03, 0.08, 0.0}, {0.05, 0.09, 0.14, -0.08}, c.body));
  Append(m.faces, Fuselage({0.05, 0.09, 0.14, -0.08}, {0.55, 0.08, 0.09, -0.06}, c.body));
  // Canopy on the top of the fuselage.
  m.faces.push_back(Quad({-0.20, 0.06, 0.14}, {0.02, 0.06, 0.20}, {0.02, -0.06, 0.20},
                         {-0.20, -0.06, 0.14}, c.glass));
  m.faces.push_back(Quad({0.02, 0.06, 0.20}, {0.12, 0.07, 0.14}, {0.12, -0.07, 0.14},
                         {0.02, -0.06, 0.20}, c.glass));
  // Low wing under the fuselage: full-span ailerons on a tapered wing.
  const double z = -0.075;
  m.faces.push_back(Panel(-0.09, 0.38, 0.02, 0.09, 0.38, 0.02, z, c.body));
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.09, 0.38, 0.02, 0.25, 0.36, 0.03, z, c.body)));
    m.faces.push_back(side(Panel(0.25, 0.36, 0.10, 0.88, 0.28, 0.10, z, c.body)));
    m.faces.push_back(side(Panel(0.25, 0.10, 0.03, 0.88, 0.10, 0.06, z, c.moving)));
  }
  m.anchors["aileron left"] = {0.07, 0.6, z};
  m.anchors["aileron right"] = {0.07, -0.6, z};
  for (bool left : {true, false}) {
    auto side = [&](Face f) { return left ? f : Mirror(f); };
    m.faces.push_back(side(Panel(0.03, -0.68, -0.82, 0.36, -0.74, -0.82, 0.05, c.body)));
    m.faces.push_back(side(Panel(0.03, -0.82, -0.96, 0.36, -0.82, -0.92, 0.05, c.moving)));
  }
  m.anchors["elevator"] = {-0.88, 0.22, 0.05};
  AddFin(m, -0.66, -0.80, -0.86, -1.0, 0.08, 0.36, c);
  Append(m.faces, Fuselage({0.55, 0.08, 0.09, -0.06}, {0.63, 0.04, 0.04, -0.02}, c.body));
  AddPropeller(m, 0.645, 0.01, 0.26);
  return m;
}

}  // namespace qzd::pictures
