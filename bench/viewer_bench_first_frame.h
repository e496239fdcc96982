// SPDX-License-Identifier: MIT
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <ctime>
#include <functional>
#include <utility>

namespace qzd::bench {

inline long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Calls `done` once, when control is back in the event loop after the window's first paint while
// `ready` holds: the whole frame, children included, has been painted and flushed by then.
class FirstFrameWatch : public QObject {
 public:
  FirstFrameWatch(
      QWidget& window, std::function<void()> done,
      std::function<bool()> ready = [] { return true; })
      : done_(std::move(done)), ready_(std::move(ready)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_ && ready_()) {
      seen_ = true;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, done_);
    }
    return false;
  }

 private:
  std::function<void()> done_;
  std::function<bool()> ready_;
  bool seen_ = false;
};

}  // namespace qzd::bench
