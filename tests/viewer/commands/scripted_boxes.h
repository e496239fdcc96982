// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/boxes.h"

namespace qzd::viewer::testing {

// The calls a load command makes, in order, when its test wants them in one log.
using CallLog = std::vector<std::string>;

// The user's answers to the open dialog, one per use; an empty answer, or none left, is a cancel.
// Each use is logged as "dialog".
class ScriptedDialog final : public OpenDialog {
 public:
  explicit ScriptedDialog(CallLog* log = nullptr) : log_(log) {}
  std::optional<ChosenFile> Choose() override {
    ++uses;
    if (log_ != nullptr) log_->push_back("dialog");
    if (answers.empty()) return std::nullopt;
    std::optional<ChosenFile> answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::optional<ChosenFile>> answers;
  int uses = 0;

 private:
  CallLog* log_;
};

// Keeps every text the box was asked to show, also logged as "error TEXT"; the user closes each
// at once.
class RecordingErrorBox final : public ErrorBox {
 public:
  explicit RecordingErrorBox(CallLog* log = nullptr) : log_(log) {}
  void Show(std::string_view text) override {
    shown.emplace_back(text);
    if (log_ != nullptr) log_->push_back("error " + std::string(text));
  }
  std::vector<std::string> shown;

 private:
  CallLog* log_;
};

}  // namespace qzd::viewer::testing
