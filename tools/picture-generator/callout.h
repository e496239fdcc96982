// SPDX-License-Identifier: MIT
#pragma once

#include <QPainter>
#include <QPointF>
#include <QString>
#include <optional>

#include "drawing.h"

namespace qzd::pictures {

enum class LabelSide { kRight, kLeft, kBelow, kAbove };

// A plug with its label and, where it belongs to a surface, a thin leader line from the plug's
// square to a dot on that surface. The label may have several lines separated by '\n'.
struct Callout {
  int channel;
  PlugKind kind;
  QPointF at;  // centre of the numbered square
  QString label;
  LabelSide side = LabelSide::kRight;
  std::optional<QPointF> target = std::nullopt;
};

constexpr double kLabelSize = 10.0;

void DrawLeader(QPainter& p, const QRectF& square, QPointF target);
void DrawCallout(QPainter& p, const Callout& c, double label_size = kLabelSize);

}  // namespace qzd::pictures
