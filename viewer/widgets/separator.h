// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace qzd::viewer {

// A horizontal etched line across the box: its top pixel row in the button-shadow colour, the row
// under it in the button-highlight colour; the rest of the box shows the background. It takes its
// own clicks and does nothing with them.
class Separator : public QWidget {
  Q_OBJECT

 public:
  explicit Separator(QWidget* parent = nullptr);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace qzd::viewer
