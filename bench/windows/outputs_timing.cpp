// SPDX-License-Identifier: MIT
// Print, Save as and Copy model sheet of the Windows window, without their dialogs: the print of
// the shown sheet drawn on a metafile page of A4 landscape at 600 dpi, the PNG written beside the
// model, the sheet put on the clipboard. Prints the median of ROUNDS runs of each in ms.
//   outputs_timing ROUNDS FILE
// clang-format off: windows.h comes before the headers that build on it.
#include <windows.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "model/utf16.h"
#include "window/model_sheet.h"
#include "window/window_controller.h"
#include "windows/dpi.h"
#include "windows/window_outputs.h"

namespace {

// The window's state, and the print job the controller makes of it.
class KeptWindow final : public qzd::window::WindowState {
 public:
  [[nodiscard]] bool Offers(qzd::window::WindowCommand) const override { return true; }
  void Print(const qzd::window::PrintJob& job) override { printed = job; }
  qzd::window::PrintJob printed;
};

class MetafilePage final : public qzd::windows::PrintPages {
 public:
  HDC StartPage() override {
    const RECT frame{0, 0, 29700, 21000};
    dc_ = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    return dc_;
  }
  bool EndPage() override { return ::DeleteEnhMetaFile(::CloseEnhMetaFile(dc_)) != 0; }

 private:
  HDC dc_ = nullptr;
};

double MedianMs(int rounds, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
  return times[static_cast<std::size_t>(rounds / 2)];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  ::SetProcessDPIAware();
  const int rounds = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
  KeptWindow shown;
  qzd::window::WindowController controller(shown);
  const std::string model = qzd::Utf8FromWide(argv[2]);
  controller.OpenFile({model});
  controller.Run(qzd::window::WindowCommand::kPrint);
  const qzd::window::PrintJob& job = shown.printed;
  const std::wstring png = std::wstring(argv[2]) + L".png";
  bool ok = !job.sheets.empty();
  qzd::windows::SheetWindows windows;
  const double print = MedianMs(rounds, [&] {
    std::vector<qzd::windows::SheetImage> sheets;
    if (auto image = windows.At(nullptr, 96).Capture(job.sheets[job.shownSheet]))
      sheets.push_back(std::move(*image));
    MetafilePage page;
    ok = ok && sheets.size() == 1 &&
         !qzd::windows::DrawSheets(page, {7016, 4961, 600, 600}, job.header, sheets);
  });
  const double save = MedianMs(rounds, [&] {
    ok = ok && !qzd::windows::WriteWindowPng(windows, nullptr, controller.shown(), png, argv[2]);
  });
  const double copy = MedianMs(rounds, [&] {
    ok = ok && qzd::windows::CopyTextToClipboard(
                   nullptr, qzd::window::RenderModelSheet(controller.shown(), model));
  });
  ::DeleteFileW(png.c_str());
  std::printf("print %.1f ms, save %.1f ms, copy %.1f ms (median of %d)\n", print, save, copy,
              rounds);
  return ok ? 0 : 1;
}
