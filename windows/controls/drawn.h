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
  // Whether the control shows at `at` or in `area`, in its parent's client coordinates.
  [[nodiscard]] bool Covers(POINT at) const;
  [[nodiscard]] bool Overlaps(const RECT& area) const;
  virtual void Paint(HDC dc) const = 0;
  // What the test helper learns of the control: its flag and its place in `window`'s client area.
  [[nodiscard]] DrawnElementState StateIn(HWND window) const;

 protected:
  DrawnControl(const ControlFacts& facts, const RECT& place)
      : Control(facts.element), parent_(facts.parent), place_(place), visible_(facts.visible) {}
  [[nodiscard]] const RECT& place() const noexcept { return place_; }

 private:
  HWND parent_;
  RECT place_;
  bool visible_;
};

// Text in its font and colour, as wide and as high as the text: `measure` is a device context of
// the screen to measure it in.
class Caption final : public DrawnControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kCaption;
  Caption(const ControlFacts& facts, HDC measure);
  void Paint(HDC dc) const override;

 private:
  HFONT font_;
  std::wstring text_;
  int colour_;  // a system colour's index
};

// An etched line along the top of the form's box, or along its left side when the box is higher
// than wide.
class Separator final : public DrawnControl {
 public:
  static constexpr window::ElementKind kKind = window::ElementKind::kSeparator;
  explicit Separator(const ControlFacts& facts) : DrawnControl(facts, facts.place) {}
  void Paint(HDC dc) const override;
};

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
