// SPDX-License-Identifier: MIT
// The load command without its dialog: read of a sample model, page reset, fill and repaint of
// the real main window, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <filesystem>
#include <string>
#include <vector>

#include "viewer/main_window.h"
#include "window/load_command.h"

namespace {

// Answers each use of the dialog with the next of its files, round and round.
class RoundChoice final : public qzd::viewer::OpenDialog {
 public:
  explicit RoundChoice(const std::vector<const char*>& names) {
    for (const char* name : names)
      files_.push_back({(std::filesystem::path(QZD_EXAMPLES_DIR) / name).string()});
  }
  std::optional<qzd::viewer::ChosenFile> Choose() override {
    return files_[next_++ % files_.size()];
  }

 private:
  std::vector<qzd::viewer::ChosenFile> files_;
  std::size_t next_ = 0;
};

class CountingErrorBox final : public qzd::viewer::ErrorBox {
 public:
  void Show(std::string_view) override { ++shown; }
  int shown = 0;
};

// Counts the paint events of the window's elements, to show what each repaint really draws.
class PaintCounter final : public QObject {
 public:
  double count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

enum class Repaint {
  kChanged,  // the event loop paints what the load changed, as on screen
  kWhole,    // every element of the window is drawn again
};

void Load(benchmark::State& state, std::vector<const char*> files, Repaint repaint) {
  RoundChoice dialog(files);
  CountingErrorBox errors;
  qzd::viewer::TmainForm form(dialog, errors);
  form.show();
  QApplication::processEvents();
  PaintCounter paints;
  for (QWidget* w : form.findChildren<QWidget*>()) w->installEventFilter(&paints);

  for (auto _ : state) {
    form.FileOpenClick();
    if (repaint == Repaint::kChanged) {
      QApplication::processEvents();
    } else {
      benchmark::DoNotOptimize(form.grab());
    }
  }
  if (errors.shown > 0) state.SkipWithError("a load failed");
  state.counters["paints"] = benchmark::Counter(paints.count, benchmark::Counter::kAvgIterations);
}

// Two models of different types in turn, so that every load changes texts and visibility.
BENCHMARK_CAPTURE(Load, glider_acro_changed, {"glider.qzd", "acro.qzd"}, Repaint::kChanged)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, glider_acro_whole, {"glider.qzd", "acro.qzd"}, Repaint::kWhole)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, trainer_easy_whole, {"trainer-easy.qzd"}, Repaint::kWhole)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
