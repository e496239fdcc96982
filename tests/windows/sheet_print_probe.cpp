// SPDX-License-Identifier: MIT
// Prints a model as the Windows window prints it, onto pages that are metafiles of A4 landscape at
// 600 dpi instead of a printer's, which Wine may not have: the sheet the print dialog starts with
// (the page shown) as OUT\shown-N.emf, and all four as OUT\all-N.emf, once the MODELs have been
// loaded in turn.
//   sheet_print_probe OUT MODEL...   prints {"header": ..., "shown_sheet": ...}; exit 1 on failure
#include <windows.h>

#include <iostream>
#include <nlohmann/json.hpp>

#include "model/utf16.h"
#include "tests/window/recording_front_end.h"
#include "window/window_controller.h"
#include "windows/dpi.h"
#include "windows/window_outputs.h"

namespace {

using qzd::windows::PageSize;

class MetafilePages final : public qzd::windows::PrintPages {
 public:
  MetafilePages(std::wstring stem, const PageSize& size) : stem_(std::move(stem)), size_(size) {}
  HDC StartPage() override {
    // The frame in hundredths of a millimetre.
    const RECT frame{0, 0, ::MulDiv(size_.width, 2540, size_.dpiX),
                     ::MulDiv(size_.height, 2540, size_.dpiY)};
    const std::wstring name = stem_ + std::to_wstring(++pages_) + L".emf";
    dc_ = ::CreateEnhMetaFileW(nullptr, name.c_str(), &frame, nullptr);
    return dc_;
  }
  bool EndPage() override {
    HENHMETAFILE page = ::CloseEnhMetaFile(dc_);
    return page != nullptr && ::DeleteEnhMetaFile(page);
  }

 private:
  std::wstring stem_;
  PageSize size_;
  HDC dc_ = nullptr;
  int pages_ = 0;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  ::SetProcessDPIAware();
  qzd::window::testing::RecordingFrontEnd shown;
  qzd::window::WindowController controller(shown);
  for (int model = 2; model < argc; ++model) controller.OpenFile({qzd::Utf8FromWide(argv[model])});
  controller.Run(qzd::window::WindowCommand::kPrint);
  if (!shown.printed) return 1;
  const qzd::window::PrintJob& job = *shown.printed;
  std::vector<qzd::windows::SheetImage> images;
  {
    qzd::windows::SheetWindow sheets(nullptr, qzd::windows::kFormDpi);
    for (const auto& state : job.sheets) images.push_back(sheets.Capture(state).value());
  }
  const PageSize a4{7016, 4961, 600, 600};
  for (const auto& [name, flags] : {std::pair{L"shown", DWORD{PD_CURRENTPAGE}}, {L"all", 0}}) {
    std::vector<qzd::windows::SheetImage> chosen;
    for (const std::size_t sheet : qzd::windows::ChosenSheets(flags, {}, job))
      chosen.push_back(images[sheet]);
    MetafilePages pages(std::wstring(argv[1]) + L"\\" + name + L"-", a4);
    if (const auto failure = qzd::windows::DrawSheets(pages, a4, job.header, chosen)) {
      std::cerr << *failure << '\n';
      return 1;
    }
  }
  std::cout << nlohmann::json{{"header", job.header}, {"shown_sheet", job.shownSheet}}.dump()
            << '\n';
  return 0;
}
