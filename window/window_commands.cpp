// SPDX-License-Identifier: MIT
#include "window/window_commands.h"

#include <array>

namespace qzd::window {

namespace {

// Ctrl+O and Ctrl+Q are the desktop's keys for opening a file and quitting; the button's caption
// stays as the form has it. The advance has no key of its own: `>>` takes the focus.
constexpr std::array kCommands = {
    CommandFacts{WindowCommand::kLoadModel, "Load model", KeyChord::Control('O'), "Ctrl+O"},
    CommandFacts{WindowCommand::kAdvancePage, "Next page", std::nullopt, ""},
    CommandFacts{WindowCommand::kQuit, "Quit", KeyChord::Control('Q'), "Ctrl+Q"},
};

}  // namespace

std::span<const CommandFacts> WindowCommands() noexcept {
  return kCommands;
}

std::optional<WindowCommand> KeyCommand(const KeyChord& chord) noexcept {
  for (const CommandFacts& facts : kCommands) {
    if (facts.key == chord) return facts.command;
  }
  return std::nullopt;
}

}  // namespace qzd::window
