// SPDX-License-Identifier: MIT
#include "viewer/widgets/separator.h"

#include <QPainter>

#include "viewer/widgets/click_sink.h"

namespace qzd::viewer {

Separator::Separator(QWidget* parent) : QWidget(parent) {}

bool Separator::event(QEvent* event) {
  return TakeMouseEvent(event) || QWidget::event(event);
}

void Separator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Qt's palette keeps the button-shadow colour in Dark and the button highlight in Light.
  painter.fillRect(0, 0, width(), 1, palette().color(QPalette::Dark));
  painter.fillRect(0, 1, width(), 1, palette().color(QPalette::Light));
}

}  // namespace qzd::viewer
