// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>
// clang-format off: commdlg.h builds on windows.h.
#include <commdlg.h>
// clang-format on

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"
#include "window/model_outputs.h"
#include "window/window_state.h"

namespace qzd::windows {

class Controls;

// A window's client area as pixels: 32-bit BGRx rows from the top.
struct SheetImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// A main window of its own that nobody sees, made of the same controls as the user's window and
// laid out at `dpi`: what prints and saves draw, so that the user's window never changes and the
// model is never read again. It lies right behind `owner` (the user's window, at least as large),
// or at the screen's corner without one, since Windows draws only a window that is shown.
class SheetWindow final : public window::FrontEnd {
 public:
  SheetWindow(HWND owner, UINT dpi);
  ~SheetWindow() override;
  SheetWindow(const SheetWindow&) = delete;
  SheetWindow& operator=(const SheetWindow&) = delete;

  // The window as it shows `state`, drawn; none when Windows made no window or drew nothing.
  [[nodiscard]] std::optional<SheetImage> Capture(const window::WindowState& state);

  // FrontEnd: what window::ShowState tells it.
  void SetText(window::ElementId field, std::string_view text) override;
  void SetVisible(window::ElementId element, bool visible) override;
  void SetFilePath(const window::ChosenFile& file) override;
  [[nodiscard]] std::optional<window::ChosenFile> ChooseFile() override { return std::nullopt; }
  void ShowError(std::string_view /*text*/) override {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  UINT dpi_;
  HWND window_ = nullptr;
  std::unique_ptr<Controls> controls_;
  // What the controls show: at first the form's window, then the last sheet captured.
  window::WindowState shown_;
};

// The sheet windows at each DPI, made on first use and kept for the next print or save: making
// one, with every control of the form, costs far more than drawing it.
class SheetWindows {
 public:
  [[nodiscard]] SheetWindow& At(HWND owner, UINT dpi);

 private:
  std::vector<std::pair<UINT, std::unique_ptr<SheetWindow>>> made_;
};

// The pages a print draws on: a printer's, or a test's metafiles.
class PrintPages {
 public:
  virtual ~PrintPages() = default;
  // The next page's device context; nullptr when the device took no further page.
  [[nodiscard]] virtual HDC StartPage() = 0;
  [[nodiscard]] virtual bool EndPage() = 0;
};

// A page's printable area in device pixels, and the device's resolution.
struct PageSize {
  int width = 0;
  int height = 0;
  int dpiX = 0;
  int dpiY = 0;
};

// Which of the job's sheets the print dialog's answer asks for: the one shown (PD_CURRENTPAGE),
// those in `ranges` (PD_PAGENUMS, page numbers from 1, each once, in order), or all of them.
[[nodiscard]] std::vector<std::size_t> ChosenSheets(DWORD flags,
                                                    std::span<const PRINTPAGERANGE> ranges,
                                                    const window::PrintJob& job);

// Draws each of `sheets` on a page of its own: the header line at the top margin, then the
// window fitted below it, centred. The failure's text, if any.
[[nodiscard]] std::optional<std::string> DrawSheets(PrintPages& pages, const PageSize& size,
                                                    std::string_view header,
                                                    std::span<const SheetImage> sheets);

// The system's print dialog, on the printer's paper turned landscape, then the sheets the user
// picked, drawn at `dpi`; a failure in the error box.
void PrintSheets(SheetWindows& sheets, HWND owner, UINT dpi, const window::PrintJob& job);

// The window as `state` shows it, as a PNG at the form's size: after the output checks, never
// the model `model` itself, a folder or a special file. The failure's text, if any.
[[nodiscard]] std::optional<std::string> WriteWindowPng(SheetWindows& sheets, HWND owner,
                                                        const window::WindowState& state,
                                                        const std::wstring& path,
                                                        const std::wstring& model);

// The system's save dialog, offering `suggested`, then WriteWindowPng; a failure in the error
// box, "cannot write PATH: why".
void SaveWindowAs(SheetWindows& sheets, HWND owner, const window::WindowState& state,
                  const window::ChosenFile& model, const std::string& suggested);

// The clipboard's whole content becomes `text` (UTF-8), as CF_UNICODETEXT with the CR LF line
// ends of Windows' text. False when the clipboard could not be had.
bool CopyTextToClipboard(HWND owner, std::string_view text);

}  // namespace qzd::windows
