#include "viewer/widgets/caption.h"

#include <QFontMetrics>

#include "viewer/widgets/click_sink.h"

namespace qzd::viewer {

Caption::Caption(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextInteractionFlags(Qt::NoTextInteraction);
}

QSize Caption::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(text()), metrics.height()};
}

QSize Caption::minimumSizeHint() const {
  return sizeHint();
}

bool Caption::event(QEvent* event) {
  return TakeMouseEvent(event) || QLabel::event(event);
}

}  // namespace qzd::viewer
