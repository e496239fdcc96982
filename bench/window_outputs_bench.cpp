// SPDX-License-Identifier: MIT
// The commands that take a model away, on the real main window offscreen, for each sample: a
// print of the page shown to a PDF printer, Save as PNG, and the model sheet to the clipboard;
// and a step to the next model in a folder of 100,000 files once it has been listed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <filesystem>
#include <fstream>
#include <string>

#include "viewer/main_window.h"
#include "viewer/sheet_outputs.h"
#include "window/model_sequence.h"

namespace {

namespace fs = std::filesystem;

class NoDialog final : public qzd::viewer::OpenDialog {
 public:
  std::optional<qzd::viewer::ChosenFile> Choose() override { return std::nullopt; }
};

class CountingErrorBox final : public qzd::viewer::ErrorBox {
 public:
  void Show(std::string_view) override { ++shown; }
  int shown = 0;
};

fs::path Scratch(const std::string& name) {
  return fs::temp_directory_path() / ("qzd-outputs-bench-" + std::to_string(::getpid()) + name);
}

enum class Output { kPrint, kSavePng, kCopySheet };

void TakeAway(benchmark::State& state, const char* sample, Output output) {
  NoDialog dialog;
  CountingErrorBox errors;
  qzd::viewer::TmainForm form(dialog, errors);
  form.show();
  form.OpenModelFile((fs::path(QZD_EXAMPLES_DIR) / sample).string());
  QApplication::processEvents();
  const std::string target = Scratch(output == Output::kPrint ? ".pdf" : ".png").string();
  qzd::window::WindowController& controller = form.Controller();
  for (auto _ : state) {
    switch (output) {
      case Output::kPrint: {
        // The print dialog's part, which a user answers, is left out.
        QPrinter printer(QPrinter::ScreenResolution);
        qzd::viewer::PreparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(target));
        qzd::window::PrintJob job;
        job.header = qzd::window::PrintHeader(*controller.openFile(), 0);
        job.sheets.push_back(controller.shown());
        if (qzd::viewer::PrintSheets(printer, job, qzd::viewer::PrintRange::kShownPage))
          state.SkipWithError("the print failed");
        break;
      }
      case Output::kSavePng:
        if (qzd::viewer::SaveWindowState(controller.shown(),
                                         {target, qzd::viewer::ExportFormat::kPng, 1},
                                         controller.openFile()->path))
          state.SkipWithError("the save failed");
        break;
      case Output::kCopySheet:
        controller.Run(qzd::window::WindowCommand::kCopySheet);
        break;
    }
  }
  fs::remove(target);
  if (errors.shown > 0) state.SkipWithError("a command failed");
}

void StepThroughLargeFolder(benchmark::State& state) {
  const fs::path folder = Scratch("-folder");
  fs::create_directories(folder);
  for (int i = 0; i < 100000; ++i) std::ofstream(folder / ("model" + std::to_string(i) + ".qzd"));
  qzd::window::FolderModels models;
  qzd::window::ChosenFile current{(folder / "model0.qzd").string()};
  (void)models.Step(current, qzd::window::StepDirection::kNext);  // the first listing
  for (auto _ : state) {
    current = *models.Step(current, qzd::window::StepDirection::kNext).file;
  }
  fs::remove_all(folder);
}

#define SAMPLES(output, name)                                                                      \
  BENCHMARK_CAPTURE(TakeAway, name##_glider, "glider.qzd", output)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(TakeAway, name##_heli, "heli.qzd", output)->Unit(benchmark::kMillisecond);     \
  BENCHMARK_CAPTURE(TakeAway, name##_acro, "acro.qzd", output)->Unit(benchmark::kMillisecond);     \
  BENCHMARK_CAPTURE(TakeAway, name##_trainer_easy, "trainer-easy.qzd", output)                     \
      ->Unit(benchmark::kMillisecond)

SAMPLES(Output::kPrint, print);
SAMPLES(Output::kSavePng, save_png);
SAMPLES(Output::kCopySheet, copy_sheet);
BENCHMARK(StepThroughLargeFolder)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
