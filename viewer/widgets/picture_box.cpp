// SPDX-License-Identifier: MIT
#include "viewer/widgets/picture_box.h"

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
  const QImage& image = BuiltInPicture(*picture_);
  if (image.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace qzd::viewer
