// SPDX-License-Identifier: MIT
// The yardsticks of viewer_bench: a minimal Qt Widgets program that shows one window of the main
// window's size, empty or with one line of text in the window's font (Liberation Sans, 11 px).
// Prints the nanoseconds from T0 (CLOCK_MONOTONIC, given by the parent) to the end of the window's
// first painted frame, then exits.
//   viewer_bench_minimal T0 [text]
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <string>

#include "viewer_bench_first_frame.h"

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const long long started = std::stoll(argv[1]);
  const bool withText = argc > 2 && std::strcmp(argv[2], "text") == 0;
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  QWidget window;
  window.resize(916, 547);
  if (withText) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    window.setFont(font);
    auto* line = new QLabel(QStringLiteral("Model type, stick mode, servo channels"), &window);
    line->move(8, 8);
  }
  qzd::bench::FirstFrameWatch watch(window, [&] {
    std::printf("%lld\n", qzd::bench::MonotonicNanoseconds() - started);
    QCoreApplication::quit();
  });
  window.show();
  return QApplication::exec();
}
