// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qzd::window {

// Every command of the window: the load command (`FileOpenClick`), the page cycle's advance
// (`ChangeHelpScr`) and closing the window.
enum class WindowCommand { kLoadModel, kAdvancePage, kQuit };

// A key as every front end names it: a letter by its upper-case ASCII code, the other keys by
// these names, whose codes lie above every letter's.
enum class NamedKey : std::uint16_t { kEnter = 0x100, kSpace, kEscape, kF5, kPageUp, kPageDown };

struct KeyChord {
  std::uint16_t key = 0;
  bool control = false;
  bool shift = false;

  [[nodiscard]] static constexpr KeyChord Control(char letter) noexcept {
    return {static_cast<std::uint16_t>(letter), true, false};
  }
  [[nodiscard]] static constexpr KeyChord Named(NamedKey key) noexcept {
    return {static_cast<std::uint16_t>(key), false, false};
  }
  friend constexpr bool operator==(const KeyChord&, const KeyChord&) = default;
};

// One row of the command table: the command, the name a menu shows and a screen reader
// announces, and the key chord that runs it with its text for a menu ("Ctrl+O"), if any.
struct CommandFacts {
  WindowCommand command;
  std::string_view name;
  std::optional<KeyChord> key;
  std::string_view keyText;
};

// The window's commands in the order a menu lists them.
[[nodiscard]] std::span<const CommandFacts> WindowCommands() noexcept;

// The command a key chord runs wherever the focus is in the window; none for a chord of no
// command.
[[nodiscard]] std::optional<WindowCommand> KeyCommand(const KeyChord& chord) noexcept;

}  // namespace qzd::window
