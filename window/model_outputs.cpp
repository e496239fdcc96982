// SPDX-License-Identifier: MIT
#include "window/model_outputs.h"

#include <array>

#include "window/elements.h"
#include "window/model_sequence.h"

namespace qzd::window {

std::string PrintHeader(const ChosenFile& model, std::time_t printed) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &printed);
#else
  localtime_r(&printed, &local);
#endif
  std::array<char, 32> date{};
  const std::size_t length = std::strftime(date.data(), date.size(), "%Y-%m-%d %H:%M", &local);
  const std::string_view name = FileNameOf(model.path);
  std::string header(name);
  header += "  ";
  // A page knows a file by its name alone.
  if (name != model.path) {
    header += model.path;
    header += "  ";
  }
  header.append(date.data(), length);
  return header;
}

WindowState WithPageOnTop(WindowState state, const PageFacts& page) {
  for (const PageFacts& other : MainWindowFacts().pages) {
    state.SetVisible(other.frame, other.number == page.number);
  }
  return state;
}

std::string SavedName(const ChosenFile& model, std::string_view extension) {
  const std::string_view name = FileNameOf(model.path);
  const std::size_t dot = name.rfind('.');
  // A name that is all extension (".qzd") keeps it and gains the new one.
  const std::size_t keep = dot == std::string_view::npos || dot == 0 ? name.size() : dot;
  std::string saved = model.path.substr(0, model.path.size() - name.size() + keep);
  saved += extension;
  return saved;
}

void ShowState(const WindowState& state, FrontEnd& frontEnd, const WindowState* shown) {
  const std::span<const ElementFacts> elements = MainWindowFacts().elements;
  for (std::size_t index = 0; index < elements.size(); ++index) {
    const ElementId id(static_cast<std::uint16_t>(index));
    const ElementFacts& element = elements[index];
    const bool textChanged = shown == nullptr || shown->text(id) != state.text(id);
    if (id == elements::FilePath) {
      if (textChanged) frontEnd.SetFilePath(ChosenFile{state.text(id)});
    } else if (element.kind == ElementKind::kDisplayField && textChanged) {
      frontEnd.SetText(id, state.text(id));
    }
    if (shown == nullptr || shown->visible(id) != state.visible(id))
      frontEnd.SetVisible(id, state.visible(id));
  }
}

}  // namespace qzd::window
