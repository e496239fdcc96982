// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "windows/controls/control.h"
#include "windows/element_ids.h"

namespace qzd::windows {

// A caption or separator: drawn and hit-tested by the window it lies in, as a graphic control
// is, since every child window costs Windows (and Wine far more) several round trips to its
// window server, and the form has close to a hundred of these.
class DrawnControl : public Control {
 public:
  void SetVisible(bool visible) final;
  void Rescale(const ControlLook& look) final;
  // Whether the control shows at `at` or in `area`, in its parent's client coordinates.
  [[nodiscard]] bool Covers(POINT at) const;
  [[nodiscard]] bool Overlaps(const RECT& area) const;
  virtual void Paint(HDC dc) const = 0;
  // What the test helper learns of the control: its flag and its place in `window`'s client area.
  [[nodiscard]] DrawnElementState StateIn(HWND window) const;

 protected:
  explicit DrawnControl(const ControlFacts& facts)
      : Control(facts.element),
        parent_(facts.parent),
        place_(facts.look.place),
        visible_(facts.visible) {}
  [[nodiscard]] const RECT& place() const noexcept { return place_; }
  void Resize(LONG width, LONG height) noexcept {
    place_.right = place_.left + width;
    place_.bottom = place_.top + height;
  }
  virtual void Restyle(const ControlLook& look) = 0;

 private:
  void Invalidate() const;

  HWND parent_;
  RECT place_;
  bool visible_;
};

// Text in its font and colour; its place is as wide and as high as the text. The form places a
// word by the blanks before it, so at another DPI a word after two or more blanks starts where the
// form's font would start it, scaled: a font's widths do not grow with its height alike.
class Caption final : public DrawnControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kCaption;
  explicit Caption(const ControlFacts& facts);
  void Paint(HDC dc) const override;

 private:
  void Restyle(const ControlLook& look) override;

  HFONT font_ = nullptr;
  std::wstring text_;
  int colour_;                 // a system colour's index
  std::vector<INT> advances_;  // from each character to the next; empty: the font's own
};

// An etched line along the top of the form's box, or along its left side when the box is higher
// than wide.
class Separator final : public DrawnControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kSeparator;
  explicit Separator(const ControlFacts& facts) : DrawnControl(facts) { Restyle(facts.look); }
  void Paint(HDC dc) const override;

 private:
  void Restyle(const ControlLook& look) override;

  int thickness_ = 1;  // of each of the line's two strokes
};

// An etched edge along the `sides` (BF_TOP, BF_LEFT, ...) of `box`, as DrawEdge draws it, with
// strokes `thickness` pixels wide instead of one.
void DrawEtchedEdge(HDC dc, RECT box, UINT sides, int thickness);

// The captions and separators of one window in the form's order, each above those before it;
// the window's child windows lie above all of them and are clipped out of its painting.
class DrawnLayer {
 public:
  void Add(const DrawnControl& control) { controls_.push_back(&control); }
  void Paint(HDC dc, const RECT& dirty) const;
  // The topmost control that shows at `at`.
  [[nodiscard]] std::optional<window::ElementId> At(POINT at) const;

 private:
  std::vector<const DrawnControl*> controls_;
};

}  // namespace qzd::windows
