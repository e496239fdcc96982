#pragma once

#include <QLabel>

namespace qzd::viewer {

// One line of static plain text, sized to its text. It takes its own clicks and does nothing with
// them.
class Caption : public QLabel {
  Q_OBJECT

 public:
  explicit Caption(QWidget* parent = nullptr);

  // The text's advance width (blanks at either end included) by the font's line height.
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
};

}  // namespace qzd::viewer
