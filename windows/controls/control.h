// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "window/window_elements.h"

namespace qzd::windows {

// Where the window's clicks go, by element: the window controller's click table.
using ClickHandler = std::function<void(window::ElementId)>;

// Where a control lies and what it draws with at the window's DPI: its place in the parent's
// client coordinates, its font, the same font at the form's 96 dpi (by which the form places its
// texts), and the DPI itself for what it draws in pixels of its own.
struct ControlLook {
  RECT place{};
  HFONT font = nullptr;
  HFONT formFont = nullptr;
  UINT dpi = 96;
};

// What a control is made from: its element of the form, the window it lies in (the main window
// or a frame), its text and its look. The table's other facts about an element (its picture, its
// colour) each control reads from the element itself.
struct ControlFacts {
  window::ElementId element;
  HWND parent = nullptr;
  std::wstring text;  // a caption's or button's text, a frame's title; empty for a field
  bool visible = false;
  ControlLook look;
};

// One element of the window: a child window of its own, or drawn by the window it lies in.
class Control {
 public:
  explicit Control(window::ElementId element) noexcept : element_(element) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  [[nodiscard]] window::ElementId element() const noexcept { return element_; }
  // The control's own window; nullptr for a control its parent draws.
  [[nodiscard]] virtual HWND window() const noexcept { return nullptr; }
  // Sets only the control's own flag: the controls inside a hidden frame keep theirs.
  virtual void SetVisible(bool visible) = 0;
  // Lays the control out again, as the window moves to a monitor of another DPI.
  virtual void Rescale(const ControlLook& look) = 0;

 private:
  window::ElementId element_;
};

// A control that is a child window. Its control id is its place in the element table from
// kElementIdBase, by which the window tells its elements' messages apart and the test helper
// finds them. Windows destroys the window with its parent: the main window goes before the
// controls do.
class ChildControl : public Control {
 public:
  [[nodiscard]] HWND window() const noexcept final { return window_; }
  // SW_SHOWNA: an element that comes into sight never takes the activation from the window.
  void SetVisible(bool visible) final { ::ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
  // Moves the window to its new place, then lets its kind take the rest of the look.
  void Rescale(const ControlLook& look) final;

 protected:
  ChildControl(HINSTANCE instance, const ControlFacts& facts, const wchar_t* windowClass,
               DWORD style, DWORD extendedStyle = 0);
  // Window classes of our own find their control through the window; until this is called,
  // their messages go to Windows' default handling.
  void Attach();
  // What a kind draws with besides its place: a system control's font, a frame's font and lines.
  virtual void Restyle(const ControlLook& look) = 0;
  // A system control's font, for its text and its size-dependent margins.
  void SetFont(HFONT font, bool redraw) {
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
  }

 private:
  HWND window_;
};

// The element a child window of the main window stands for, from its control id.
[[nodiscard]] std::optional<window::ElementId> ElementOfWindow(HWND child);

// The control of our own class that `window` belongs to; nullptr until it is attached.
template <typename T>
[[nodiscard]] T* ControlOfWindow(HWND window) {
  return static_cast<T*>(
      reinterpret_cast<ChildControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA)));
}

// A window class of our own for controls: the arrow and the dialog face, as the main window's.
void RegisterControlClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

}  // namespace qzd::windows
