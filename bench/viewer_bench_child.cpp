// SPDX-License-Identifier: MIT
// The main window's side of viewer_bench, started as the program starts: the window shows, the
// model in FILE loads once the event loop runs, and the first frame painted with it filled ends
// the start-up.
//   viewer_bench_child T0 FILE [pages]
// Prints the nanoseconds from T0 (CLOCK_MONOTONIC, given by the parent) to the end of that frame.
// With `pages`, it then waits as a user would before a first click and prints, for each of the
// three clicks to the next page, the nanoseconds from the click to the end of the page's paint.
// The parent reads the peak memory.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>

#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer_bench_first_frame.h"
#include "window/elements.h"
#include "window/program_title.h"

namespace {

void ClickThroughThePages(qzd::viewer::TmainForm& window) {
  const QRect pageArea = window.Element(qzd::window::elements::GroupBox3)->geometry();
  for (int click = 0; click < 3; ++click) {
    const long long clicked = qzd::bench::MonotonicNanoseconds();
    window.ChangeHelpScr();
    window.repaint(pageArea);
    std::printf("%lld\n", qzd::bench::MonotonicNanoseconds() - clicked);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  const long long started = std::stoll(argv[1]);
  const std::string model = argv[2];
  const bool pages = argc > 3 && std::strcmp(argv[3], "pages") == 0;
  int qtArgc = 1;
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::window::kProgramTitle));
  QApplication application(qtArgc, argv);

  qzd::viewer::QtOpenDialog fileOpenDlg;
  qzd::viewer::QtErrorBox errorBox;
  qzd::viewer::TmainForm window(fileOpenDlg, errorBox);
  bool filled = false;
  qzd::bench::FirstFrameWatch watch(
      window,
      [&] {
        std::printf("%lld\n", qzd::bench::MonotonicNanoseconds() - started);
        std::fflush(stdout);
        if (!pages) {
          QCoreApplication::quit();
          return;
        }
        // A user's first click comes a good while after the window appears.
        QTimer::singleShot(300, &window, [&] {
          ClickThroughThePages(window);
          QCoreApplication::quit();
        });
      },
      [&] { return filled; });
  window.show();
  // As the program does with a model named on its command line.
  QTimer::singleShot(0, &window, [&] {
    if (window.Controller().OpenFile(qzd::window::ChosenFile{model}).failed()) {
      QCoreApplication::exit(1);
      return;
    }
    filled = true;
    window.update();
  });
  return QApplication::exec();
}
