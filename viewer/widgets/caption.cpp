// SPDX-License-Identifier: MIT
#include "viewer/widgets/caption.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPainter>
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
  update();
  if (QAccessible::isActive() && accessibleName().isEmpty()) {
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
  }
}

QSize Caption::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(text_), metrics.height()};
}

QSize Caption::minimumSizeHint() const {
  return sizeHint();
}

bool Caption::event(QEvent* event) {
  return TakeMouseEvent(event) || QWidget::event(event);
}

void Caption::paintEvent(QPaintEvent*) {
  if (text_.isEmpty()) return;
  QPainter painter(this);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(QPoint(0, fontMetrics().ascent()), text_);
}

}  // namespace qzd::viewer
