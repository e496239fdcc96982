// SPDX-License-Identifier: MIT
#include "viewer/widgets/frame.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace qzd::viewer {

namespace {

// The caption starts this far from the frame's left edge, with a little clear space either side so
// that the border does not run into its first and last letters.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 2;

}  // namespace

Frame::Frame(QWidget* parent) : QGroupBox(parent) {
  // The pages lie on top of each other: the one in front must cover the ones behind.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
}

void Frame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QPalette& colours = palette();
  // The border runs through the middle of the caption's line.
  const int top = metrics.height() / 2 - 1;
  const int w = width();
  const int h = height() - top;
  painter.setPen(colours.color(QPalette::Light));
  painter.drawRect(1, top + 1, w - 2, h - 2);
  painter.setPen(colours.color(QPalette::Dark));
  painter.drawRect(0, top, w - 2, h - 2);

  if (title().isEmpty()) return;
  const QRect captionBox(kCaptionLeft, 0, metrics.horizontalAdvance(title()), metrics.height());
  painter.fillRect(captionBox.adjusted(-kCaptionGap, 0, kCaptionGap, 0),
                   colours.color(QPalette::Window));
  painter.setPen(colours.color(QPalette::WindowText));
  painter.drawText(captionBox, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

void Frame::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void Frame::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
}

void Frame::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

}  // namespace qzd::viewer
