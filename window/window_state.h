// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"
#include "window/window_elements.h"

namespace qzd::window {

// The main window without a screen: every element's text and own visibility flag, starting as the
// form opens the window (captions and titles as written, fields empty, the form's hidden elements
// hidden). As a front end it has no dialog (files come through WindowController::OpenFile) and
// keeps the error box's texts; `qzd show` and `qzd diff` and the tests read the window from it.
class WindowState : public FrontEnd {
 public:
  WindowState();

  void SetText(ElementId element, std::string_view text) override;
  void SetVisible(ElementId element, bool visible) override;
  // The path field holds the path's bytes as they are.
  void SetFilePath(const ChosenFile& file) override;
  [[nodiscard]] std::optional<ChosenFile> ChooseFile() override { return std::nullopt; }
  void ShowError(std::string_view text) override { errors_.emplace_back(text); }

  [[nodiscard]] const std::string& text(ElementId element) const;
  [[nodiscard]] bool visible(ElementId element) const;
  // Seen: the element and every frame around it are visible.
  [[nodiscard]] bool seen(ElementId element) const;

  // The same by name, for names that come as text; see ElementNamed.
  [[nodiscard]] const std::string& text(std::string_view element) const;
  [[nodiscard]] bool visible(std::string_view element) const;
  [[nodiscard]] bool seen(std::string_view element) const;

  // Every text the error box was asked to show, oldest first.
  [[nodiscard]] const std::vector<std::string>& errors() const noexcept { return errors_; }

 private:
  struct Element {
    std::string text;
    bool visible = true;
  };

  std::vector<Element> elements_;  // in the order of MainWindowFacts().elements
  std::vector<std::string> errors_;
};

}  // namespace qzd::window
