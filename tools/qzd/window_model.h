#pragma once

#include <map>
#include <string>
#include <string_view>

#include "model/display_update.h"

namespace qzd::cli {

// What one element of the viewer's window holds: its text and its own visibility flag.
struct ElementState {
  std::string text;
  bool visible = true;
  friend bool operator==(const ElementState&, const ElementState&) = default;
};

// The texts and visibility of the window's elements, as successive fills in one run of the viewer
// leave them. Starts as the window does: every display field empty and visible, the three type
// pictures and the HELI warning hidden. Visibility that a fill does not set carries over.
class WindowModel {
 public:
  WindowModel();

  void Apply(const DisplayUpdate& update);

  // An element the window does not know reads as an empty, visible field.
  [[nodiscard]] const ElementState& element(std::string_view name) const;

  // True once a fill has been applied, even one that stopped early.
  [[nodiscard]] bool filled() const noexcept { return filled_; }

 private:
  std::map<std::string, ElementState, std::less<>> elements_;
  bool filled_ = false;
};

}  // namespace qzd::cli
