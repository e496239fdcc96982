// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "windows/controls/control.h"
#include "windows/controls/drawn.h"
#include "windows/element_ids.h"

namespace qzd::windows {

// The window's controls, one per element of the generated table, each of its kind's class and
// made from its element's facts inside the main window or its frame, in the form's order, laid
// out at the window's DPI; and the fonts they are drawn in.
class Controls {
 public:
  // Makes every control inside `window` at `dpi`; clicks on frames and drawn controls go to
  // `clicks`.
  Controls(HINSTANCE instance, HWND window, const ClickHandler& clicks, UINT dpi);
  ~Controls();
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;

  // Lays every control out again at `dpi`, with fonts of that DPI.
  void Rescale(UINT dpi);

  [[nodiscard]] Control& operator[](window::ElementId element) const {
    return *controls_[element.index()];
  }
  // The element's control as its kind's class, or nullptr when the element is of another kind.
  template <typename T>
  [[nodiscard]] T* As(window::ElementId element) const {
    return element.facts().kind == T::kKind ? static_cast<T*>(controls_[element.index()].get())
                                            : nullptr;
  }
  // The caption or separator of the element at `index` of the table, else nullptr.
  [[nodiscard]] const DrawnControl* Drawn(std::size_t index) const;
  // The captions and separators that lie on the main window itself.
  [[nodiscard]] const DrawnLayer& windowLayer() const noexcept { return windowLayer_; }
  // How the element at `index` of the table is drawn, for the test helper.
  [[nodiscard]] ElementLook LookOf(std::size_t index) const;

 private:
  [[nodiscard]] ControlLook LookFor(const window::ElementFacts& element, HDC measure);
  [[nodiscard]] HFONT FontOf(const window::ElementFacts& element, UINT dpi, HDC measure);

  struct Font {
    int size;  // the form's pixel size; 0: the window font's
    UINT dpi;
    HFONT font;
  };

  UINT dpi_;
  std::vector<Font> fonts_;
  std::vector<std::unique_ptr<Control>> controls_;  // by element index
  DrawnLayer windowLayer_;
};

// Screen readers on Windows read each control's accessible name and description.
void NameForScreenReaders(const Controls& controls);

}  // namespace qzd::windows
