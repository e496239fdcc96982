// SPDX-License-Identifier: MIT
// The main window's side of viewer_bench: the program's own start-up, then one fill.
//   viewer_bench_child T0 FILE
// Prints the nanoseconds from T0 (CLOCK_MONOTONIC, given by the parent) to the end of the main
// window's first painted frame, then applies the update of the model in FILE, repaints and exits;
// the parent reads the peak memory.
#include <QApplication>
#include <cstdio>
#include <string>

#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer_bench_first_frame.h"
#include "window/program_title.h"

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  const long long started = std::stoll(argv[1]);
  const std::string model = argv[2];
  int qtArgc = 1;
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::window::kProgramTitle));
  QApplication application(qtArgc, argv);

  qzd::viewer::QtOpenDialog fileOpenDlg;
  qzd::viewer::QtErrorBox errorBox;
  qzd::viewer::TmainForm window(fileOpenDlg, errorBox);
  qzd::bench::FirstFrameWatch watch(window, [&] {
    std::printf("%lld\n", qzd::bench::MonotonicNanoseconds() - started);
    std::fflush(stdout);
    if (window.Controller().OpenFile(qzd::window::ChosenFile{model}).failed()) {
      QCoreApplication::exit(1);
      return;
    }
    window.repaint();
    QCoreApplication::quit();
  });
  window.show();
  return QApplication::exec();
}
