// SPDX-License-Identifier: MIT
#include "windows/controls/control.h"

#include "windows/element_ids.h"

namespace qzd::windows {

ChildControl::ChildControl(HINSTANCE instance, const ControlFacts& facts,
                           const wchar_t* windowClass, DWORD style, DWORD extendedStyle)
    : Control(facts.element) {
  // WS_CLIPSIBLINGS: controls overlap where the form stacks them.
  style |= WS_CHILD | WS_CLIPSIBLINGS | (facts.visible ? WS_VISIBLE : 0);
  const RECT& at = facts.look.place;
  window_ = ::CreateWindowExW(
      extendedStyle, windowClass, facts.text.c_str(), style, at.left, at.top, at.right - at.left,
      at.bottom - at.top, facts.parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kElementIdBase + facts.element.index())),
      instance, nullptr);
  if (window_ == nullptr) window::UnknownElement(facts.element.name());
}

void ChildControl::Rescale(const ControlLook& look) {
  const RECT& at = look.place;
  ::SetWindowPos(window_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Restyle(look);
}

void ChildControl::Attach() {
  ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

std::optional<window::ElementId> ElementOfWindow(HWND child) {
  const int id = ::GetDlgCtrlID(child);
  const auto index = static_cast<std::size_t>(id) - kElementIdBase;
  if (id < static_cast<int>(kElementIdBase) || index >= window::MainWindowFacts().elements.size())
    return std::nullopt;
  return window::ElementId(static_cast<std::uint16_t>(index));
}

void RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW control{};
  control.cbSize = sizeof(control);
  control.lpfnWndProc = procedure;
  control.hInstance = instance;
  control.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  control.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  control.lpszClassName = name;
  ::RegisterClassExW(&control);
}

}  // namespace qzd::windows
