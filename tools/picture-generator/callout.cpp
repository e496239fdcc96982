// SPDX-License-Identifier: MIT
#include "callout.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace qzd::pictures {

void DrawLeader(QPainter& p, const QRectF& square, QPointF target) {
  // Leave the square from the middle of the side that faces the target.
  const QPointF centre = square.center();
  const QPointF d = target - centre;
  QPointF start;
  if (std::abs(d.x()) * square.height() > std::abs(d.y()) * square.width()) {
    start = QPointF(d.x() > 0 ? square.right() : square.left(), centre.y());
  } else {
    // Leaving upwards would cross the connector, so go out of the bottom or a side instead.
    start = d.y() > 0 ? QPointF(centre.x(), square.bottom())
                      : QPointF(d.x() > 0 ? square.right() : square.left(), centre.y());
  }
  p.save();
  p.setPen(QPen(Qt::black, 0.9));
  p.drawLine(start, target);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawEllipse(target, 1.7, 1.7);
  p.restore();
}

void DrawCallout(QPainter& p, const Callout& c, double label_size) {
  const PlugGeometry g = PlugAt(c.at);
  if (c.target) DrawLeader(p, g.square, *c.target);
  DrawPlug(p, c.at, c.channel, c.kind);
  if (c.label.isEmpty()) return;
  const QStringList lines = c.label.split(QLatin1Char('\n'));
  const QFontMetricsF metrics(LabelFont(label_size));
  double width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const double line_height = metrics.height();
  const double height = line_height * static_cast<double>(lines.size());
  QPointF top_left;
  switch (c.side) {
    case LabelSide::kRight:
      top_left = QPointF(g.square.right() + 4, g.square.center().y() - height / 2);
      break;
    case LabelSide::kLeft:
      top_left = QPointF(g.square.left() - 4 - width, g.square.center().y() - height / 2);
      break;
    case LabelSide::kBelow:
      top_left = QPointF(g.square.center().x() - width / 2, g.square.bottom() + 2);
      break;
    case LabelSide::kAbove:
      top_left = QPointF(g.square.center().x() - width / 2, g.whole.top() - 1 - height);
      break;
  }
  for (int k = 0; k < lines.size(); ++k) {
    double x = top_left.x();
    // Lines left of a plug end at the plug; centred labels centre each line.
    if (c.side == LabelSide::kLeft) x += width - metrics.horizontalAdvance(lines[k]);
    if (c.side == LabelSide::kBelow || c.side == LabelSide::kAbove) {
      x += (width - metrics.horizontalAdvance(lines[k])) / 2;
    }
    DrawLabel(p, QPointF(std::round(x), std::round(top_left.y() + line_height * k)), lines[k],
              label_size);
  }
}

}  // namespace qzd::pictures
