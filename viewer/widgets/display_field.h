// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace qzd::viewer {

// A one-line window onto a multi-line, editable plain-text field: sunken border, window colour
// behind window-text colour, text wrapped at the right edge with only the first line in sight, no
// scroll bars. Until the user clicks into it or tabs to it, the field only paints its text; the
// real editor is made at that moment and then stays, so that typed text stays too. A window with
// 141 fields starts as fast as one with none.
class DisplayField : public QWidget {
  Q_OBJECT

 public:
  // The sunken border's width and the text's inset inside it.
  static constexpr int kBorder = 2;
  static constexpr int kTextLeft = 0;
  static constexpr int kTextTop = 1;

  explicit DisplayField(QWidget* parent = nullptr);

  // Replaces the field's whole text. The text is shown as it is, never read as markup.
  void setText(const QString& text);
  [[nodiscard]] QString text() const;

  // The text of the visible first line, after wrapping at the field's width.
  [[nodiscard]] QString visibleLine() const;

  // True once the user has clicked into the field or tabbed to it.
  [[nodiscard]] bool hasEditor() const { return editor_ != nullptr; }
  // Makes the editor now, as a click or Tab would (tests use it to compare both looks).
  void startEditing();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  [[nodiscard]] QRect textRect() const;
  void forwardToEditor(QMouseEvent* event);

  QString text_;
  QPlainTextEdit* editor_ = nullptr;
};

}  // namespace qzd::viewer
