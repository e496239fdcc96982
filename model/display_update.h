// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qzd {

// One action of a fill, addressed to a window element by its name.
struct DisplayAction {
  enum class Kind { kSetText, kShow, kHide };
  Kind kind;
  std::string_view element;  // points into static tables; valid for the whole run
  std::string text;          // SetText only: the field's whole new text (bytes, one per character)

  friend bool operator==(const DisplayAction&, const DisplayAction&) = default;
};

// The fill ended early at a field whose text form failed.
struct FillStop {
  std::string message;  // "Integer overflow" or "Range check error"
  friend bool operator==(const FillStop&, const FillStop&) = default;
};

// The ordered actions of one fill, possibly ending in a FillStop.
struct DisplayUpdate {
  std::vector<DisplayAction> actions;
  std::optional<FillStop> stop;
  friend bool operator==(const DisplayUpdate&, const DisplayUpdate&) = default;
};

// Does the update's actions in their order on a front end's window, which offers
// SetText(element, bytes) and SetVisible(element, visible). A hidden element takes its text like a
// visible one. Returns the update's stop, if it has one, once every action before it is done.
template <class Window>
std::optional<FillStop> ApplyDisplayUpdate(const DisplayUpdate& update, Window& window) {
  for (const DisplayAction& action : update.actions) {
    switch (action.kind) {
      case DisplayAction::Kind::kSetText:
        window.SetText(action.element, std::string_view(action.text));
        break;
      case DisplayAction::Kind::kShow:
        window.SetVisible(action.element, true);
        break;
      case DisplayAction::Kind::kHide:
        window.SetVisible(action.element, false);
        break;
    }
  }
  return update.stop;
}

}  // namespace qzd
