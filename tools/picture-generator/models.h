// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <map>
#include <string>
#include <vector>

#include "drawing.h"

namespace qzd::pictures {

// A model drawing: its faces and the points where a plug's leader line meets each surface.
struct Model {
  std::vector<Face> faces;
  std::map<std::string, Vec3> anchors;
};

// Colours of the surfaces a servo moves; `moving` is white in greyscale pictures.
struct ModelColours {
  QColor body = Qt::white;
  QColor moving = Qt::white;
  QColor glass = QColor(200, 200, 200);
};

Model HighWingTrainer(const ModelColours& colours);
Model DeltaJet(const ModelColours& colours);
Model Sailplane(const ModelColours& colours);
Model LowWingAerobat(const ModelColours& colours);

}  // namespace qzd::pictures
