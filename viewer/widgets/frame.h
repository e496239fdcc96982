// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

namespace qzd::viewer {

// A group frame: an etched border with its caption set into the top edge at the left, on the
// button-face colour, hiding whatever lies beneath it. A press and release of the left button on
// the frame itself (not on an element inside it) is a click.
class Frame : public QGroupBox {
  Q_OBJECT

 public:
  explicit Frame(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace qzd::viewer
