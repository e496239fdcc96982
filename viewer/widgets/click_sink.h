// SPDX-License-Identifier: MIT
#pragma once

#include <QEvent>

namespace qzd::viewer {

// Captions, pictures and separator lines take the mouse presses, releases and moves aimed at them
// and do nothing with them. Qt would otherwise hand an unhandled press on to the parent, and on a
// page a press that reaches the frame turns the page.
inline bool TakeMouseEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      event->accept();
      return true;
    default:
      return false;
  }
}

}  // namespace qzd::viewer
