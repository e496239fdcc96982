// SPDX-License-Identifier: MIT
#include "windows/controls/frame.h"

#include <string>
#include <utility>

#include "windows/dpi.h"

namespace qzd::windows {
namespace {

constexpr wchar_t kFrameClass[] = L"QzdFrame";

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

void Frame::RegisterClass(HINSTANCE instance) {
  RegisterControlClass(instance, kFrameClass, Procedure);
}

// WS_CLIPCHILDREN: the frame's painting leaves its child windows alone.
Frame::Frame(HINSTANCE instance, const ControlFacts& facts, ClickHandler clicks)
    : ChildControl(instance, facts, kFrameClass, WS_CLIPCHILDREN),
      font_(facts.look.font),
      dpi_(facts.look.dpi),
      clicks_(std::move(clicks)) {
  Attach();
}

void Frame::Restyle(const ControlLook& look) {
  font_ = look.font;
  dpi_ = look.dpi;
  ::InvalidateRect(window(), nullptr, FALSE);
}

LRESULT CALLBACK Frame::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Frame* frame = ControlOfWindow<Frame>(window);
  switch (message) {
    case WM_PAINT:
      if (frame == nullptr) break;
      frame->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETTEXT: {
      const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
      ::InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_LBUTTONDOWN:
      ::SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      if (::GetCapture() != window) return 0;
      ::ReleaseCapture();
      RECT area;
      ::GetClientRect(window, &area);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (frame != nullptr && ::PtInRect(&area, at)) frame->ClickAt(at);
      return 0;
    }
    // The controls inside a frame report to the main window, as those outside do.
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetAncestor(window, GA_ROOT), message, wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

void Frame::Paint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(window(), &paint);
  RECT area;
  ::GetClientRect(window(), &area);
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ previous = ::SelectObject(dc, font_);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  // The box runs through the middle of the title's line.
  RECT box = area;
  box.top = metrics.tmHeight / 2;
  DrawEtchedEdge(dc, box, BF_RECT, Scaled(1, dpi_));
  const std::wstring title = WindowText(window());
  if (!title.empty()) {
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    const std::wstring padded = L" " + title + L" ";
    ::TextOutW(dc, Scaled(6, dpi_), 0, padded.c_str(), static_cast<int>(padded.size()));
  }
  ::SelectObject(dc, previous);
  drawn_.Paint(dc, paint.rcPaint);
  ::EndPaint(window(), &paint);
}

void Frame::ClickAt(POINT at) {
  clicks_(drawn_.At(at).value_or(element()));
}

}  // namespace qzd::windows
