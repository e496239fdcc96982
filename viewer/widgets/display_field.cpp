// SPDX-License-Identifier: MIT
#include "viewer/widgets/display_field.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextLayout>
#include <QTextOption>
#include <memory>
#include <unordered_map>
#include <vector>

namespace qzd::viewer {

namespace {

// Text too wide for the field breaks after a word, or inside a word that alone is too wide.
constexpr QTextOption::WrapMode kWrap = QTextOption::WrapAtWordBoundaryOrAnywhere;

// The first line of `text` as it wraps at `width` in `font`, ready to draw; empty when the text
// is.
struct FirstLine {
  QTextLayout layout;
  QTextLine line;
};

void LayOutFirstLine(FirstLine& first, const QString& text, const QFont& font, int width) {
  first.layout.setText(text);
  first.layout.setFont(font);
  // Keeps the glyphs shaped for the line break for the paint, which would otherwise shape the
  // text again.
  first.layout.setCacheEnabled(true);
  QTextOption option;
  option.setWrapMode(kWrap);
  first.layout.setTextOption(option);
  first.layout.beginLayout();
  first.line = first.layout.createLine();
  if (first.line.isValid()) first.line.setLineWidth(width);
  first.layout.endLayout();
}

// The first lines the fields have painted, shared: a model's 140 field texts hold only a few
// dozen different ones ("0", "100"), each then laid out once.
struct PaintedLine {
  QFont font;
  int width = 0;
  FirstLine first;
};
using PaintedLines = std::unordered_map<QString, std::vector<std::unique_ptr<PaintedLine>>>;

PaintedLines*& Painted() {
  static PaintedLines* painted = nullptr;
  return painted;
}

// Called as the application ends, before its fonts go.
void ForgetPaintedLines() {
  delete Painted();
  Painted() = nullptr;
}

const FirstLine& PaintedFirstLine(const QString& text, const QFont& font, int width) {
  // A bound on what models loaded one after another can leave behind.
  constexpr std::size_t kMostTexts = 1024;
  if (Painted() != nullptr && Painted()->size() > kMostTexts) Painted()->clear();
  if (Painted() == nullptr) {
    Painted() = new PaintedLines;
    qAddPostRoutine(ForgetPaintedLines);
  }
  std::vector<std::unique_ptr<PaintedLine>>& lines = (*Painted())[text];
  for (const std::unique_ptr<PaintedLine>& line : lines) {
    if (line->width == width && line->font == font) return line->first;
  }
  auto line = std::make_unique<PaintedLine>();
  line->font = font;
  line->width = width;
  LayOutFirstLine(line->first, text, font, width);
  return lines.emplace_back(std::move(line))->first;
}

// The sunken two-pixel border of a text field, drawn as filled strips: the same pixels as
// qDrawWinPanel, whose pen-drawn polylines cost noticeably more over 140 fields at start-up.
void DrawSunkenPanel(QPainter& painter, const QRect& r, const QPalette& palette) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  const QColor outerTopLeft = palette.color(QPalette::Dark);
  const QColor outerBottomRight = palette.color(QPalette::Light);
  const QColor innerTopLeft = palette.color(QPalette::Shadow);
  const QColor innerBottomRight = palette.color(QPalette::Midlight);
  painter.fillRect(x, y, 1, h - 1, outerTopLeft);
  painter.fillRect(x, y, w - 1, 1, outerTopLeft);
  painter.fillRect(x, y + h - 1, w, 1, outerBottomRight);
  painter.fillRect(x + w - 1, y, 1, h, outerBottomRight);
  if (w <= 4 || h <= 4) return;
  painter.fillRect(x + 1, y + 1, 1, h - 3, innerTopLeft);
  painter.fillRect(x + 1, y + 1, w - 3, 1, innerTopLeft);
  painter.fillRect(x + 1, y + h - 2, w - 2, 1, innerBottomRight);
  painter.fillRect(x + w - 2, y + 1, 1, h - 2, innerBottomRight);
  painter.fillRect(x + 2, y + 2, w - 4, h - 4, palette.brush(QPalette::Base));
}

// The real editor. Its text starts where the painted text starts: the margin strip left of and
// above the text shows the window colour.
class FieldEditor : public QPlainTextEdit {
 public:
  explicit FieldEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setViewportMargins(DisplayField::kTextLeft, DisplayField::kTextTop, 0, 0);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    // Drops belong to the window, which takes only a model file; a field takes none.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
  }
};

}  // namespace

DisplayField::DisplayField(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DisplayField::setText(const QString& text) {
  if (editor_) {
    editor_->setPlainText(text);
    return;
  }
  if (text == text_) return;
  text_ = text;
  update();
}

QString DisplayField::text() const {
  return editor_ ? editor_->toPlainText() : text_;
}

QString DisplayField::visibleLine() const {
  FirstLine first;
  const QString all = text();
  LayOutFirstLine(first, all, font(), textRect().width());
  if (!first.line.isValid()) return {};
  return all.mid(first.line.textStart(), first.line.textLength());
}

QRect DisplayField::textRect() const {
  return rect().adjusted(kBorder + kTextLeft, kBorder + kTextTop, -kBorder, -kBorder);
}

void DisplayField::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawSunkenPanel(painter, rect(), palette());
  if (editor_ || text_.isEmpty()) return;

  const QRect area = textRect();
  const FirstLine& first = PaintedFirstLine(text_, font(), area.width());
  painter.setClipRect(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
  painter.setPen(palette().color(QPalette::Text));
  first.layout.draw(&painter, area.topLeft());
}

void DisplayField::startEditing() {
  if (editor_) return;
  auto* editor = new FieldEditor(this);
  editor->setFrameShape(QFrame::NoFrame);
  editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  editor->setWordWrapMode(kWrap);
  editor->setTabChangesFocus(true);
  editor->document()->setDocumentMargin(0);
  editor->setGeometry(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
  editor->setPlainText(text_);
  text_.clear();
  editor_ = editor;
  // The editor takes the field's place in the keyboard order.
  QWidget::setTabOrder(this, editor);
  setFocusPolicy(Qt::NoFocus);
  editor->show();
  update();
}

void DisplayField::focusInEvent(QFocusEvent* event) {
  startEditing();
  editor_->setFocus(event->reason());
}

void DisplayField::forwardToEditor(QMouseEvent* event) {
  QWidget* target = editor_->viewport();
  QMouseEvent moved(event->type(), target->mapFrom(this, event->position()), event->scenePosition(),
                    event->globalPosition(), event->button(), event->buttons(), event->modifiers(),
                    event->pointingDevice());
  QCoreApplication::sendEvent(target, &moved);
  event->accept();
}

void DisplayField::mousePressEvent(QMouseEvent* event) {
  startEditing();
  editor_->setFocus(Qt::MouseFocusReason);
  forwardToEditor(event);
}

void DisplayField::mouseMoveEvent(QMouseEvent* event) {
  if (editor_) forwardToEditor(event);
  event->accept();
}

void DisplayField::mouseReleaseEvent(QMouseEvent* event) {
  if (editor_) forwardToEditor(event);
  event->accept();
}

void DisplayField::mouseDoubleClickEvent(QMouseEvent* event) {
  startEditing();
  forwardToEditor(event);
}

void DisplayField::resizeEvent(QResizeEvent*) {
  if (editor_) editor_->setGeometry(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
}

}  // namespace qzd::viewer
