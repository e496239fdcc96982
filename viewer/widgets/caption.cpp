// SPDX-License-Identifier: MIT
#include "viewer/widgets/caption.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>
#include <QTextOption>
#include <mutex>

#include "viewer/widgets/click_sink.h"

namespace qzd::viewer {

namespace {

// What a screen reader sees of a caption: static text whose name is the caption's text, unless
// the caption has been given an accessible name of its own.
class CaptionAccessibility : public QAccessibleWidget {
 public:
  explicit CaptionAccessibility(Caption* caption)
      : QAccessibleWidget(caption, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const Caption*>(widget())->text();
    }
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* CaptionAccessibilityFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(Caption::staticMetaObject.className())) return nullptr;
  auto* caption = qobject_cast<Caption*>(object);
  return caption == nullptr ? nullptr : new CaptionAccessibility(caption);
}

}  // namespace

Caption::Caption(QWidget* parent) : QWidget(parent) {
  static std::once_flag factoryInstalled;
  std::call_once(factoryInstalled,
                 [] { QAccessible::installFactory(&CaptionAccessibilityFactory); });
}

void Caption::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  layout_.reset();
  update();
  if (QAccessible::isActive() && accessibleName().isEmpty()) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

const QTextLayout& Caption::layout() const {
  if (layout_) return *layout_;
  // The same shaping as QFontMetrics::horizontalAdvance() and QPainter::drawText() do, done once
  // instead of once for each: the window's 70 captions are sized before they are painted.
  QTextLayout& layout = layout_.emplace(text_, font());
  // Without the cache, the end of the layout drops the shaped glyphs and each paint shapes again.
  layout.setCacheEnabled(true);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  return layout;
}

QSize Caption::sizeHint() const {
  const QTextLine line = layout().lineAt(0);
  return {line.isValid() ? qRound(line.horizontalAdvance()) : 0, QFontMetrics(font()).height()};
}

QSize Caption::minimumSizeHint() const {
  return sizeHint();
}

void Caption::fitToText() {
  if (isHidden()) {
    fitPending_ = true;
  } else {
    fitNow();
  }
}

void Caption::finishFitToText() {
  if (fitPending_) fitNow();
}

void Caption::fitNow() {
  fitPending_ = false;
  ensurePolished();
  resize(sizeHint());
}

bool Caption::event(QEvent* event) {
  // Shown before it is painted.
  if (event->type() == QEvent::Show) finishFitToText();
  return TakeMouseEvent(event) || QWidget::event(event);
}

void Caption::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) layout_.reset();
  QWidget::changeEvent(event);
}

void Caption::paintEvent(QPaintEvent*) {
  if (text_.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  // The baseline at the font's whole-pixel ascent, where drawText() would put it.
  const QTextLayout& text = layout();
  text.draw(&painter, QPointF(0, fontMetrics().ascent() - text.lineAt(0).ascent()));
}

}  // namespace qzd::viewer
