// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qzd::viewer::testing {

// Runs `user` as soon as a modal window shows, standing in for the user at the keyboard.
inline void WhenModalShows(std::function<void(QWidget&)> user) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, user = std::move(user)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    user(*modal);
  });
  poll->start();
}

// Handles events until `done` holds, for at most two seconds.
inline bool WaitFor(const std::function<bool()>& done) {
  QDeadlineTimer deadline(2000);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace qzd::viewer::testing
