// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace qzd::window {

// Every command of the window: the load command (`FileOpenClick`), the page cycle's advance
// (`ChangeHelpScr`), closing the window, and those that take the model away or step to another
// one. None of them changes the form; they are reached by keys and the context menu.
enum class WindowCommand {
  kLoadModel,
  kAdvancePage,
  kPrint,
  kSaveAs,
  kCopySheet,
  kDownloadSheet,
  kReload,
  kNextModel,
  kPreviousModel,
  kContextMenu,
  kQuit,
};

// A key as every front end names it: a letter by its upper-case ASCII code, the other keys by
// these names, whose codes lie above every letter's.
enum class NamedKey : std::uint16_t {
  kEnter = 0x100,
  kSpace,
  kEscape,
  kF5,
  kF10,
  kPageUp,
  kPageDown,
  kMenu,  // the context-menu key
};

struct KeyChord {
  std::uint16_t key = 0;
  bool control = false;
  bool shift = false;

  [[nodiscard]] static constexpr KeyChord Control(char letter, bool shift = false) noexcept {
    return {static_cast<std::uint16_t>(letter), true, shift};
  }
  [[nodiscard]] static constexpr KeyChord Named(NamedKey key, bool shift = false) noexcept {
    return {static_cast<std::uint16_t>(key), false, shift};
  }
  friend constexpr bool operator==(const KeyChord&, const KeyChord&) = default;
};

// What a command needs before it can run, besides no other command running.
enum class CommandNeeds {
  kNothing,
  kModel,  // a model has been read: its window can be printed, saved, copied
  kFile,   // a file has been chosen: it can be read again, its folder stepped through
};

// One row of the command table: the command, the name a menu shows and a screen reader
// announces, the key chords that run it with the text a menu shows for the first ("Ctrl+O"),
// what it needs, and whether the context menu lists it.
struct CommandFacts {
  WindowCommand command;
  std::string_view name;
  std::optional<KeyChord> key;
  std::string_view keyText;
  CommandNeeds needs = CommandNeeds::kNothing;
  bool inMenu = true;
  std::optional<KeyChord> otherKey = std::nullopt;
};

// The window's commands in the order a menu lists them.
[[nodiscard]] std::span<const CommandFacts> WindowCommands() noexcept;

// The row of `command`.
[[nodiscard]] const CommandFacts& FactsOf(WindowCommand command) noexcept;

// The command a key chord runs wherever the focus is in the window; none for a chord of no
// command.
[[nodiscard]] std::optional<WindowCommand> KeyCommand(const KeyChord& chord) noexcept;

}  // namespace qzd::window
