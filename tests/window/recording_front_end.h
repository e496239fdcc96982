// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/model_outputs.h"
#include "window/window_state.h"

namespace qzd::window::testing {

// A front end that logs what the controller asks of it, in one list (of the shows and hides, only
// those of the page frames: a fill's are many), and keeps the window's state as a screen would
// show it. The dialog answers from a script: each use takes the next answer, an
// empty answer or none left is a cancel.
class RecordingFrontEnd final : public WindowState {
 public:
  void SetText(ElementId field, std::string_view text) override {
    WindowState::SetText(field, text);
  }
  void SetVisible(ElementId element, bool visible) override {
    if (IsPage(element)) log.push_back((visible ? "show " : "hide ") + std::string(element.name()));
    WindowState::SetVisible(element, visible);
  }
  void SetFilePath(const ChosenFile& file) override {
    log.push_back("path " + file.path);
    WindowState::SetFilePath(file);
  }
  std::optional<ChosenFile> ChooseFile() override {
    log.emplace_back("dialog");
    if (duringDialog) std::exchange(duringDialog, nullptr)();
    if (answers.empty()) return std::nullopt;
    std::optional<ChosenFile> answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void OfferFile(const ChosenFile& file) override { log.push_back("offer " + file.path); }
  void ShowError(std::string_view text) override {
    log.push_back("error " + std::string(text));
    WindowState::ShowError(text);
  }
  void Busy(bool busy) override { log.emplace_back(busy ? "busy" : "idle"); }
  void Close() override { log.emplace_back("close"); }
  [[nodiscard]] bool Offers(WindowCommand command) const override {
    return offersAll || FrontEnd::Offers(command);
  }
  void Print(const PrintJob& job) override { printed = job; }
  void CopyText(std::string_view text) override { copied = text; }
  std::optional<WindowCommand> ShowMenu(std::span<const MenuEntry> entries,
                                        std::optional<ElementId>) override {
    menu.assign(entries.begin(), entries.end());
    return std::exchange(menuChoice, std::nullopt);
  }

  std::vector<std::optional<ChosenFile>> answers;
  // What the user does while the dialog is open, before it answers; once.
  std::function<void()> duringDialog;
  std::vector<std::string> log;
  bool offersAll = true;
  std::optional<PrintJob> printed;
  std::string copied;
  std::vector<MenuEntry> menu;
  std::optional<WindowCommand> menuChoice;

 private:
  static bool IsPage(ElementId element) {
    for (const PageFacts& page : MainWindowFacts().pages) {
      if (page.frame == element) return true;
    }
    return false;
  }
};

}  // namespace qzd::window::testing
