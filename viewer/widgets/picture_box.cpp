// SPDX-License-Identifier: MIT
#include "viewer/widgets/picture_box.h"

#include <QPaintEngine>
#include <QPainter>

#include "viewer/widgets/click_sink.h"

namespace qzd::viewer {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::setPicture(PictureId picture) {
  picture_ = picture;
  update();
}

bool PictureBox::event(QEvent* event) {
  return TakeMouseEvent(event) || QWidget::event(event);
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (!picture_) return;
  QPainter painter(this);
  // Pixels (the screen, a PNG) take the picture ready in their own format; a PDF keeps the
  // decoded picture as it is, greyscale pictures as greyscale.
  const bool pixels = painter.paintEngine()->type() == QPaintEngine::Raster;
  const QImage& image = pixels ? ScreenReadyPicture(*picture_) : BuiltInPicture(*picture_);
  if (image.isNull()) return;
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace qzd::viewer
