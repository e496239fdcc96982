// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>
#include <optional>

#include "viewer/pictures/built_in_pictures.h"

namespace qzd::viewer {

// Shows one built-in picture at its natural size from the top-left corner, cut off at the box's
// edges; where the picture is smaller the background shows. The picture is decoded the first time
// it is wanted, by the box's first paint or by the background decode after the first frame. It
// takes its own clicks and does nothing with them.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(PictureId picture);
  [[nodiscard]] std::optional<PictureId> picture() const { return picture_; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<PictureId> picture_;
};

}  // namespace qzd::viewer
