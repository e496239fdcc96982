// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace qzd::windows {

// Every element's window carries its place in the element table as its control id, from this
// base, so that the test helper finds each element in the running window by name.
inline constexpr std::size_t kElementIdBase = 1000;
inline constexpr wchar_t kWindowClass[] = L"TmainForm";

// Captions and separators are drawn by the window they lie in, as graphic controls are, so they
// have no window of their own to be found by. Asked with this registered message and an element's
// index in wParam, the main window answers what such an element shows: its own visibility flag
// and its place in the main window's client area; it answers 0 for an element that is a window.
inline constexpr wchar_t kDrawnElementMessage[] = L"QzdDrawnElement";

struct DrawnElementState {
  bool visible = false;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Bit 0 marks an answer, bit 1 the flag, then 15 bits for each coordinate: the window is far
// smaller than 32768 pixels.
[[nodiscard]] constexpr std::int64_t PackDrawnElement(const DrawnElementState& state) noexcept {
  const auto field = [](int value, int shift) {
    return static_cast<std::int64_t>(value & 0x7FFF) << shift;
  };
  return 1 | (state.visible ? 2 : 0) | field(state.x, 2) | field(state.y, 17) |
         field(state.width, 32) | field(state.height, 47);
}

[[nodiscard]] constexpr std::optional<DrawnElementState> UnpackDrawnElement(
    std::int64_t answer) noexcept {
  if ((answer & 1) == 0) return std::nullopt;
  const auto field = [answer](int shift) { return static_cast<int>((answer >> shift) & 0x7FFF); };
  return DrawnElementState{(answer & 2) != 0, field(2), field(17), field(32), field(47)};
}

// Asked with this registered message and an element's index in wParam, the main window answers
// how it draws the element at its DPI: the character height its font was made with and, for a
// picture, the scale of the copy it is drawn from (0 before it is first drawn).
inline constexpr wchar_t kElementLookMessage[] = L"QzdElementLook";

struct ElementLook {
  int fontHeight = 0;
  int pictureScale = 0;
};

// Bit 0 marks an answer, then 15 bits for the height and 8 for the scale.
[[nodiscard]] constexpr std::int64_t PackElementLook(const ElementLook& look) noexcept {
  return 1 | static_cast<std::int64_t>(look.fontHeight & 0x7FFF) << 1 |
         static_cast<std::int64_t>(look.pictureScale & 0xFF) << 16;
}

[[nodiscard]] constexpr std::optional<ElementLook> UnpackElementLook(std::int64_t answer) noexcept {
  if ((answer & 1) == 0) return std::nullopt;
  return ElementLook{static_cast<int>((answer >> 1) & 0x7FFF),
                     static_cast<int>((answer >> 16) & 0xFF)};
}

}  // namespace qzd::windows
