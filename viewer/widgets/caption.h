// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTextLayout>
#include <QWidget>
#include <optional>

namespace qzd::viewer {

// One line of static plain text, sized to its text. It takes its own clicks and does nothing with
// them. A screen reader reads its text, as it would a label's.
//
// A plain widget rather than a QLabel: a label announces every text it is given to the
// accessibility layer even when no screen reader listens, which costs the window's 70 captions
// a noticeable part of the start-up.
class Caption : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit Caption(QWidget* parent = nullptr);

  // The text is drawn as it is: blanks at either end and runs of blanks stay, nothing is markup.
  void setText(const QString& text);
  [[nodiscard]] const QString& text() const { return text_; }

  // The text's advance width (blanks at either end included) by the font's line height.
  [[nodiscard]] QSize sizeHint() const override;

  // Makes the caption as large as sizeHint(), once it is polished. A caption hidden by the form
  // waits until it is first shown or finishFitToText() is called: measuring it costs start-up the
  // font engine of a caption with a font of its own (the HELI warning).
  void fitToText();
  void finishFitToText();
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The text laid out once in the caption's font, for both its size and its paint.
  const QTextLayout& layout() const;

  void fitNow();

  QString text_;
  mutable std::optional<QTextLayout> layout_;
  bool fitPending_ = false;
};

}  // namespace qzd::viewer
