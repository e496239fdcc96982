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

// drawRect(r) with a one-pixel pen of `colour`. Where the painter only moves whole pixels (the
// screen, an export at scale 1), the same pixels as four filled strips: a pen-drawn outline of a
// page costs a hundred times more. A scaled painter (a sharper export, a PDF) strokes it.
void OutlineRect(QPainter& painter, const QRect& r, const QColor& colour) {
  if (painter.deviceTransform().type() > QTransform::TxTranslate) {
    painter.setPen(colour);
    painter.drawRect(r);
    return;
  }
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  painter.fillRect(x, y, w + 1, 1, colour);
  painter.fillRect(x, y + h, w + 1, 1, colour);
  painter.fillRect(x, y + 1, 1, h - 1, colour);
  painter.fillRect(x + w, y + 1, 1, h - 1, colour);
}

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
  OutlineRect(painter, QRect(1, top + 1, w - 2, h - 2), colours.color(QPalette::Light));
  OutlineRect(painter, QRect(0, top, w - 2, h - 2), colours.color(QPalette::Dark));

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
