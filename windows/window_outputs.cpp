// SPDX-License-Identifier: MIT
#include "windows/window_outputs.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>

#include "model/utf16.h"
#include "window/elements.h"
#include "window/program_title.h"
#include "windows/com.h"
#include "windows/controls/controls.h"
#include "windows/controls/display_field.h"
#include "windows/dpi.h"
#include "windows/output_file.h"

namespace qzd::windows {
namespace {

using Microsoft::WRL::ComPtr;

constexpr wchar_t kSheetClass[] = L"QzdSheet";

// The longest path Windows has, with its terminating NUL.
constexpr std::size_t kPathBufferLength = 32768;

// The margins of a printed page, in hundredths of an inch, and the header line's size in points.
constexpr int kMarginHundredths = 40;
constexpr int kHeaderPoints = 9;

std::wstring WideOf(std::string_view utf8) {
  return WideFromUtf8(utf8).value_or(WideFromLatin1(utf8));
}

void ShowFailure(HWND owner, std::string_view text) {
  ::MessageBoxW(owner, WideOf(text).c_str(), WideText(window::kProgramTitle).c_str(),
                MB_OK | MB_ICONSTOP);
}

// Where the sheet window lies: at the corner of `owner`'s client area, or of the screen.
POINT SheetCorner(HWND owner) {
  POINT corner{0, 0};
  if (owner != nullptr) ::ClientToScreen(owner, &corner);
  return corner;
}

class PrinterPages final : public PrintPages {
 public:
  explicit PrinterPages(HDC dc) : dc_(dc) {}
  HDC StartPage() override { return ::StartPage(dc_) > 0 ? dc_ : nullptr; }
  bool EndPage() override { return ::EndPage(dc_) > 0; }

 private:
  HDC dc_;
};

// What the print dialog answered: the printer, the sheets, or why there is no print.
struct PrintChoice {
  HDC printer = nullptr;
  std::vector<std::size_t> sheets;
  std::string failure;
};

// The default printer's settings, turned landscape, for the dialog to start from; both handles
// are the caller's. False when there is no printer.
bool LandscapeDefaults(HWND owner, HGLOBAL& devMode, HGLOBAL& devNames) {
  PRINTDLGW defaults{};
  defaults.lStructSize = sizeof(defaults);
  defaults.hwndOwner = owner;
  defaults.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
  if (!::PrintDlgW(&defaults)) return false;
  if (auto* mode = static_cast<DEVMODEW*>(::GlobalLock(defaults.hDevMode))) {
    mode->dmOrientation = DMORIENT_LANDSCAPE;
    mode->dmFields |= DM_ORIENTATION;
    ::GlobalUnlock(defaults.hDevMode);
  }
  devMode = defaults.hDevMode;
  devNames = defaults.hDevNames;
  return true;
}

// PrintDlgEx, which offers the shown page as "Current Page"; PrintDlg where a Windows lacks it,
// with the shown page as the range it starts with.
PrintChoice ChoosePrint(HWND owner, const window::PrintJob& job) {
  PrintChoice choice;
  HGLOBAL devMode = nullptr;
  HGLOBAL devNames = nullptr;
  if (!LandscapeDefaults(owner, devMode, devNames)) {
    choice.failure = "No printer is installed.";
    return choice;
  }
  const auto pages = static_cast<DWORD>(job.sheets.size());
  using PrintDlgExFunction = HRESULT(WINAPI*)(PRINTDLGEXW*);
  const auto printDlgEx = reinterpret_cast<PrintDlgExFunction>(
      reinterpret_cast<void*>(::GetProcAddress(::LoadLibraryW(L"comdlg32.dll"), "PrintDlgExW")));
  if (printDlgEx != nullptr) {
    std::vector<PRINTPAGERANGE> ranges(pages);
    PRINTDLGEXW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDevMode = devMode;
    dialog.hDevNames = devNames;
    dialog.Flags = PD_RETURNDC | PD_CURRENTPAGE | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nMinPage = 1;
    dialog.nMaxPage = pages;
    dialog.nMaxPageRanges = pages;
    dialog.lpPageRanges = ranges.data();
    dialog.nStartPage = START_PAGE_GENERAL;
    const HRESULT result = printDlgEx(&dialog);
    devMode = dialog.hDevMode;
    devNames = dialog.hDevNames;
    if (FAILED(result)) {
      choice.failure = "The print dialog failed: " + SystemReason(static_cast<DWORD>(result));
    } else if (dialog.dwResultAction == PD_RESULT_PRINT) {
      choice.printer = dialog.hDC;
      choice.sheets = ChosenSheets(dialog.Flags, {ranges.data(), dialog.nPageRanges}, job);
    } else if (dialog.hDC != nullptr) {
      ::DeleteDC(dialog.hDC);
    }
  } else {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDevMode = devMode;
    dialog.hDevNames = devNames;
    dialog.Flags = PD_RETURNDC | PD_PAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nMinPage = 1;
    dialog.nMaxPage = static_cast<WORD>(pages);
    dialog.nFromPage = dialog.nToPage = static_cast<WORD>(job.shownSheet + 1);
    const bool printed = ::PrintDlgW(&dialog) != 0;
    devMode = dialog.hDevMode;
    devNames = dialog.hDevNames;
    if (printed) {
      const PRINTPAGERANGE range{dialog.nFromPage, dialog.nToPage};
      choice.printer = dialog.hDC;
      choice.sheets = ChosenSheets(dialog.Flags, {&range, 1}, job);
    } else if (const DWORD error = ::CommDlgExtendedError(); error != 0) {
      choice.failure = "The print dialog failed (error " + std::to_string(error) + ").";
    }
  }
  if (devMode != nullptr) ::GlobalFree(devMode);
  if (devNames != nullptr) ::GlobalFree(devNames);
  return choice;
}

// A PNG of `image` through the Windows Imaging Component, in memory.
std::optional<std::string> EncodePng(const SheetImage& image) {
  if (!StartCom()) return std::nullopt;
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
      FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)) ||
      FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))))
    return std::nullopt;
  // Written as 24-bit BGR: a window has no transparency, and GDI leaves the fourth byte unset.
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
    return std::nullopt;
  const auto stride = static_cast<UINT>(image.width) * 3;
  std::vector<BYTE> rows(static_cast<std::size_t>(stride) * static_cast<UINT>(image.height));
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t pixel = image.pixels[i];
    rows[i * 3] = static_cast<BYTE>(pixel);
    rows[i * 3 + 1] = static_cast<BYTE>(pixel >> 8);
    rows[i * 3 + 2] = static_cast<BYTE>(pixel >> 16);
  }
  if (FAILED(frame->WritePixels(static_cast<UINT>(image.height), stride,
                                static_cast<UINT>(rows.size()), rows.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return std::nullopt;
  STATSTG facts{};
  HGLOBAL memory = nullptr;
  if (FAILED(stream->Stat(&facts, STATFLAG_NONAME)) ||
      FAILED(::GetHGlobalFromStream(stream.Get(), &memory)))
    return std::nullopt;
  const auto* bytes = static_cast<const char*>(::GlobalLock(memory));
  if (bytes == nullptr) return std::nullopt;
  std::string png(bytes, static_cast<std::size_t>(facts.cbSize.QuadPart));
  ::GlobalUnlock(memory);
  return png;
}

std::optional<std::wstring> ChooseSavePath(HWND owner, const std::wstring& suggested) {
  if (!StartCom()) return std::nullopt;
  std::wstring buffer(kPathBufferLength, L'\0');
  std::copy_n(suggested.begin(), std::min(suggested.size(), kPathBufferLength - 1), buffer.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"PNG image (*.png)\0*.png\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = L"png";
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                 OFN_NOCHANGEDIR | OFN_ENABLESIZING;
  if (!::GetSaveFileNameW(&dialog)) return std::nullopt;
  return std::wstring(buffer.c_str());
}

}  // namespace

SheetWindow::SheetWindow(HWND owner, UINT dpi) : owner_(owner), dpi_(dpi) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW sheet{};
  sheet.cbSize = sizeof(sheet);
  sheet.lpfnWndProc = Procedure;
  sheet.hInstance = instance;
  sheet.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  sheet.lpszClassName = kSheetClass;
  ::RegisterClassExW(&sheet);
  const window::ElementRect& form = window::MainWindowFacts().place;
  // A pop-up of no frame, not owned (an owned window would lie above its owner), off the task
  // bar, never active.
  const POINT corner = SheetCorner(owner);
  window_ =
      ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kSheetClass, L"",
                        WS_POPUP | WS_CLIPCHILDREN, corner.x, corner.y, Scaled(form.width, dpi),
                        Scaled(form.height, dpi), nullptr, nullptr, instance, nullptr);
  if (window_ == nullptr) return;
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  controls_ = std::make_unique<Controls>(
      instance, window_, [](window::ElementId) {}, dpi);
}

SheetWindow::~SheetWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

LRESULT CALLBACK SheetWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* sheet = reinterpret_cast<SheetWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_PAINT && sheet != nullptr && sheet->controls_ != nullptr) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    sheet->controls_->windowLayer().Paint(dc, paint.rcPaint);
    ::EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::optional<SheetImage> SheetWindow::Capture(const window::WindowState& state) {
  if (controls_ == nullptr) return std::nullopt;
  window::ShowState(state, *this, &shown_);
  shown_ = state;
  const window::ElementRect& form = window::MainWindowFacts().place;
  SheetImage image{Scaled(form.width, dpi_), Scaled(form.height, dpi_), {}};
  // Shown right behind the user's window, which covers it; drawn at once, the controls too.
  const POINT corner = SheetCorner(owner_);
  ::SetWindowPos(window_, owner_ != nullptr ? owner_ : HWND_BOTTOM, corner.x, corner.y, image.width,
                 image.height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::GdiFlush();
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = image.width;
  format.bmiHeader.biHeight = -image.height;  // rows from the top
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  HDC shown = ::GetDC(window_);
  HDC memory = ::CreateCompatibleDC(shown);
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(shown, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool drawn = false;
  if (bitmap != nullptr && memory != nullptr) {
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    drawn = ::BitBlt(memory, 0, 0, image.width, image.height, shown, 0, 0, SRCCOPY) != 0;
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height);
    ::SelectObject(memory, previous);
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  if (memory != nullptr) ::DeleteDC(memory);
  ::ReleaseDC(window_, shown);
  ::ShowWindow(window_, SW_HIDE);
  if (!drawn) return std::nullopt;
  return image;
}

void SheetWindow::SetText(window::ElementId field, std::string_view text) {
  if (DisplayField* shown = controls_->As<DisplayField>(field))
    shown->ShowText(WideFromLatin1(text));
}

void SheetWindow::SetVisible(window::ElementId element, bool visible) {
  (*controls_)[element].SetVisible(visible);
}

void SheetWindow::SetFilePath(const window::ChosenFile& file) {
  controls_->As<DisplayField>(window::elements::FilePath)->SetText(WideText(file.path));
}

SheetWindow& SheetWindows::At(HWND owner, UINT dpi) {
  for (auto& [madeAt, sheet] : made_) {
    if (madeAt == dpi) return *sheet;
  }
  return *made_.emplace_back(dpi, std::make_unique<SheetWindow>(owner, dpi)).second;
}

std::vector<std::size_t> ChosenSheets(DWORD flags, std::span<const PRINTPAGERANGE> ranges,
                                      const window::PrintJob& job) {
  std::vector<std::size_t> sheets;
  if ((flags & PD_CURRENTPAGE) != 0) return {job.shownSheet};
  for (std::size_t sheet = 0; sheet < job.sheets.size(); ++sheet) {
    const auto page = static_cast<DWORD>(sheet + 1);
    const bool chosen = (flags & PD_PAGENUMS) == 0 ||
                        std::any_of(ranges.begin(), ranges.end(), [&](const PRINTPAGERANGE& r) {
                          return std::min(r.nFromPage, r.nToPage) <= page &&
                                 page <= std::max(r.nFromPage, r.nToPage);
                        });
    if (chosen) sheets.push_back(sheet);
  }
  return sheets;
}

std::optional<std::string> DrawSheets(PrintPages& pages, const PageSize& size,
                                      std::string_view header, std::span<const SheetImage> sheets) {
  const int marginX = ::MulDiv(size.dpiX, kMarginHundredths, 100);
  const int marginY = ::MulDiv(size.dpiY, kMarginHundredths, 100);
  LOGFONTW look{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(look), &look);
  look.lfHeight = -::MulDiv(kHeaderPoints, size.dpiY, 72);
  look.lfWidth = 0;
  HFONT font = ::CreateFontIndirectW(&look);
  const std::wstring headerText = WideOf(header);
  std::optional<std::string> failure;
  for (const SheetImage& sheet : sheets) {
    HDC dc = pages.StartPage();
    if (dc == nullptr) {
      failure = "The printer took no further page.";
      break;
    }
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::TextOutW(dc, marginX, marginY, headerText.c_str(), static_cast<int>(headerText.size()));
    const RECT area{marginX, marginY + metrics.tmHeight * 2, size.width - marginX,
                    size.height - marginY};
    const double factor = std::min(static_cast<double>(area.right - area.left) / sheet.width,
                                   static_cast<double>(area.bottom - area.top) / sheet.height);
    const int width = static_cast<int>(sheet.width * factor);
    const int height = static_cast<int>(sheet.height * factor);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = sheet.width;
    format.bmiHeader.biHeight = -sheet.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    ::SetStretchBltMode(dc, HALFTONE);
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
    const int drawn = ::StretchDIBits(dc, area.left + (area.right - area.left - width) / 2,
                                      area.top, width, height, 0, 0, sheet.width, sheet.height,
                                      sheet.pixels.data(), &format, DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(dc, previous);
    if (drawn == 0 || drawn == static_cast<int>(GDI_ERROR) || !pages.EndPage()) {
      failure = "The printer took no further page.";
      break;
    }
  }
  ::DeleteObject(font);
  return failure;
}

void PrintSheets(SheetWindows& sheets, HWND owner, UINT dpi, const window::PrintJob& job) {
  PrintChoice choice = ChoosePrint(owner, job);
  if (!choice.failure.empty()) ShowFailure(owner, choice.failure);
  if (choice.printer == nullptr) return;
  std::vector<SheetImage> images;
  for (const std::size_t sheet : choice.sheets) {
    std::optional<SheetImage> image = sheets.At(owner, dpi).Capture(job.sheets[sheet]);
    if (image) images.push_back(std::move(*image));
  }
  std::optional<std::string> failure;
  std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(owner)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(
      ::GetWindowTextW(owner, title.data(), static_cast<int>(title.size()))));
  DOCINFOW document{};
  document.cbSize = sizeof(document);
  document.lpszDocName = title.c_str();
  if (images.size() != choice.sheets.size() || ::StartDocW(choice.printer, &document) <= 0) {
    failure = "The printer cannot be used.";
  } else {
    PrinterPages pages(choice.printer);
    const PageSize size{
        ::GetDeviceCaps(choice.printer, HORZRES), ::GetDeviceCaps(choice.printer, VERTRES),
        ::GetDeviceCaps(choice.printer, LOGPIXELSX), ::GetDeviceCaps(choice.printer, LOGPIXELSY)};
    failure = DrawSheets(pages, size, job.header, images);
    if (failure) {
      ::AbortDoc(choice.printer);
    } else if (::EndDoc(choice.printer) <= 0) {
      failure = "The print could not be finished.";
    }
  }
  ::DeleteDC(choice.printer);
  if (failure) ShowFailure(owner, *failure);
}

std::optional<std::string> WriteWindowPng(SheetWindows& sheets, HWND owner,
                                          const window::WindowState& state,
                                          const std::wstring& path, const std::wstring& model) {
  const OutputTarget target = ResolveOutput(path, model);
  if (!target.refusal.empty()) return target.refusal;
  std::optional<SheetImage> image = sheets.At(owner, kFormDpi).Capture(state);
  if (!image) return "the window could not be drawn";
  const std::optional<std::string> png = EncodePng(*image);
  if (!png) return "the Windows Imaging Component made no PNG";
  return ReplaceWholeFile(target.path, *png);
}

void SaveWindowAs(SheetWindows& sheets, HWND owner, const window::WindowState& state,
                  const window::ChosenFile& model, const std::string& suggested) {
  const std::optional<std::wstring> path = ChooseSavePath(owner, WideOf(suggested));
  if (!path) return;
  if (const std::optional<std::string> failure =
          WriteWindowPng(sheets, owner, state, *path, WideOf(model.path)))
    ShowFailure(owner, "cannot write " + Utf8FromWide(*path) + ": " + *failure);
}

bool CopyTextToClipboard(HWND owner, std::string_view text) {
  std::wstring wide;
  for (const wchar_t c : WideOf(text)) {
    if (c == L'\n') wide += L'\r';
    wide += c;
  }
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (memory == nullptr) return false;
  if (auto* chars = static_cast<wchar_t*>(::GlobalLock(memory))) {
    std::copy(wide.begin(), wide.end(), chars);
    chars[wide.size()] = L'\0';
    ::GlobalUnlock(memory);
  }
  // The clipboard owns the memory once it has taken it.
  if (::OpenClipboard(owner)) {
    const bool taken = ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    ::CloseClipboard();
    if (taken) return true;
  }
  ::GlobalFree(memory);
  return false;
}

}  // namespace qzd::windows
