// SPDX-License-Identifier: MIT
// The yardstick of viewer_bench: a minimal Qt Widgets program that shows one empty window of the
// main window's size. Prints the nanoseconds from T0 (CLOCK_MONOTONIC, given by the parent) to the
// end of the window's first painted frame, then exits.
//   viewer_bench_minimal T0
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <string>

#include "viewer_bench_first_frame.h"

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const long long started = std::stoll(argv[1]);
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QWidget window;
  window.resize(916, 547);
  qzd::bench::FirstFrameWatch watch(window, [&] {
    std::printf("%lld\n", qzd::bench::MonotonicNanoseconds() - started);
    QCoreApplication::quit();
  });
  window.show();
  return QApplication::exec();
}
