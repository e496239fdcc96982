// SPDX-License-Identifier: MIT
#include "window/window_commands.h"

#include <array>

namespace qzd::window {

namespace {

using enum WindowCommand;
using enum NamedKey;
constexpr CommandNeeds kModel = CommandNeeds::kModel;
constexpr CommandNeeds kFile = CommandNeeds::kFile;

// The desktop's usual keys: Ctrl+O opens, Ctrl+P prints, Ctrl+S saves, F5 reads again, Page Down
// and Page Up step as image viewers do, Shift+F10 and the menu key open the context menu. The
// button's caption stays as the form has it. The advance has no key of its own: `>>` takes the
// focus.
constexpr std::array kCommands = {
    CommandFacts{kLoadModel, "Load model", KeyChord::Control('O'), "Ctrl+O"},
    CommandFacts{kAdvancePage, "Next page", std::nullopt, ""},
    CommandFacts{kPrint, "Print...", KeyChord::Control('P'), "Ctrl+P", kModel},
    CommandFacts{kSaveAs, "Save as...", KeyChord::Control('S'), "Ctrl+S", kModel},
    CommandFacts{kCopySheet, "Copy model sheet", KeyChord::Control('C', true), "Ctrl+Shift+C",
                 kModel},
    CommandFacts{kDownloadSheet, "Download sheet", std::nullopt, "", kModel},
    CommandFacts{kReload, "Reload", KeyChord::Named(kF5), "F5", kFile},
    CommandFacts{kNextModel, "Next model", KeyChord::Named(kPageDown), "Page Down", kFile},
    CommandFacts{kPreviousModel, "Previous model", KeyChord::Named(kPageUp), "Page Up", kFile},
    CommandFacts{kContextMenu, "Context menu", KeyChord::Named(kF10, true), "Shift+F10",
                 CommandNeeds::kNothing, false, KeyChord::Named(kMenu)},
    CommandFacts{kQuit, "Quit", KeyChord::Control('Q'), "Ctrl+Q"},
};

}  // namespace

std::span<const CommandFacts> WindowCommands() noexcept {
  return kCommands;
}

const CommandFacts& FactsOf(WindowCommand command) noexcept {
  for (const CommandFacts& facts : kCommands) {
    if (facts.command == command) return facts;
  }
  return kCommands.front();  // unreachable: every command has its row
}

std::optional<WindowCommand> KeyCommand(const KeyChord& chord) noexcept {
  for (const CommandFacts& facts : kCommands) {
    if (facts.key == chord || facts.otherKey == chord) return facts.command;
  }
  return std::nullopt;
}

}  // namespace qzd::window
