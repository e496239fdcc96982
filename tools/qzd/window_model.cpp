#include "tools/qzd/window_model.h"

#include <array>

namespace qzd::cli {

namespace {

// The elements besides the display fields that a fill shows or hides, with their visibility when
// the window opens.
struct InitialElement {
  std::string_view name;
  bool visible;
};
constexpr std::array<InitialElement, 6> kOtherElements = {{
    {"Image4", false},
    {"Image5", false},
    {"Image6", false},
    {"helivar", false},
    {"Label66", true},
    {"Label67", true},
}};

}  // namespace

WindowModel::WindowModel() {
  for (const DisplayFieldInfo& field : DisplayFields()) {
    elements_.emplace(std::string(field.name), ElementState{});
  }
  for (const InitialElement& other : kOtherElements) {
    elements_.emplace(std::string(other.name), ElementState{.text = {}, .visible = other.visible});
  }
}

void WindowModel::Apply(const DisplayUpdate& update) {
  filled_ = true;
  for (const DisplayAction& action : update.actions) {
    auto it = elements_.find(action.element);
    if (it == elements_.end())
      it = elements_.emplace(std::string(action.element), ElementState{}).first;
    switch (action.kind) {
      case DisplayAction::Kind::SetText:
        it->second.text = action.text;
        break;
      case DisplayAction::Kind::Show:
        it->second.visible = true;
        break;
      case DisplayAction::Kind::Hide:
        it->second.visible = false;
        break;
    }
  }
}

const ElementState& WindowModel::element(std::string_view name) const {
  static const ElementState kUnknown{};
  const auto it = elements_.find(name);
  return it == elements_.end() ? kUnknown : it->second;
}

}  // namespace qzd::cli
