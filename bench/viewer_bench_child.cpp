// One measured start of a Qt Widgets program, run by viewer_bench:
//   viewer_bench_child minimal T0         an empty window of the main window's size
//   viewer_bench_child window T0 [FILE]   the main window; then one fill from FILE
// T0 is the CLOCK_MONOTONIC time in nanoseconds at which the parent started this process. The
// program prints the nanoseconds from T0 to the end of its window's first painted frame, then
// (window) applies one model's update and repaints, and exits; the parent reads its peak memory.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <string>

#include "model/model_file_reader.h"
#include "viewer/DIrudoru.h"

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Calls `done` once, when control is back in the event loop after the window's first paint: the
// whole frame, children included, has been painted and flushed by then.
class FirstFrameWatch : public QObject {
 public:
  FirstFrameWatch(QWidget& window, std::function<void()> done) : done_(std::move(done)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      watched->removeEventFilter(this);
      QTimer::singleShot(0, done_);
    }
    return false;
  }

 private:
  std::function<void()> done_;
  bool seen_ = false;
};

constexpr QSize kClientSize(916, 547);

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: viewer_bench_child minimal|window T0 [FILE]\n");
    return 2;
  }
  const std::string mode = argv[1];
  const long long started = std::stoll(argv[2]);
  const std::string model = argc > 3 ? argv[3] : "";

  int qtArgc = 1;
  QCoreApplication::setApplicationName(QStringLiteral("DODeruzudevir"));
  QApplication application(qtArgc, argv);

  std::unique_ptr<QWidget> window;
  qzd::viewer::TmainForm* form = nullptr;
  if (mode == "minimal") {
    window = std::make_unique<QWidget>();
    window->resize(kClientSize);
  } else {
    auto main = std::make_unique<qzd::viewer::TmainForm>();
    form = main.get();
    window = std::move(main);
  }

  FirstFrameWatch watch(*window, [&] {
    std::printf("%lld\n", MonotonicNanoseconds() - started);
    std::fflush(stdout);
    if (form != nullptr && !model.empty()) {
      if (qzd::ReadModelFile(model, form->Store())) QCoreApplication::exit(1);
      form->SetText("FilePath", QString::fromStdString(model));
      (void)form->FillForm();
      form->repaint();
    }
    QCoreApplication::quit();
  });
  window->show();
  return QApplication::exec();
}
