#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/load_command.h"

namespace qzd::viewer::testing {

// The user's answers to the open dialog, one per use; an empty answer is a cancel.
class ScriptedDialog final : public OpenDialog {
 public:
  std::optional<ChosenFile> Choose() override {
    ++uses;
    if (answers.empty()) return std::nullopt;
    std::optional<ChosenFile> answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::optional<ChosenFile>> answers;
  int uses = 0;
};

// Keeps every text the box was asked to show; the user closes each at once.
class RecordingErrorBox final : public ErrorBox {
 public:
  void Show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

}  // namespace qzd::viewer::testing
