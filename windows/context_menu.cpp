// SPDX-License-Identifier: MIT
#include "windows/context_menu.h"

#include <string>

#include "model/utf16.h"

namespace qzd::windows {

ContextMenu::~ContextMenu() {
  if (menu_ != nullptr) ::DestroyMenu(menu_);
}

std::optional<window::WindowCommand> ContextMenu::Show(HWND owner,
                                                       std::span<const window::MenuEntry> entries,
                                                       POINT at) {
  if (menu_ == nullptr) {
    menu_ = ::CreatePopupMenu();
    if (menu_ == nullptr) return std::nullopt;
    for (const window::MenuEntry& entry : entries) {
      std::string item(entry.command->name);
      // A menu shows the text after a tab right-aligned, as the keys of a menu item.
      if (!entry.command->keyText.empty()) item.append("\t").append(entry.command->keyText);
      commands_.push_back(entry.command->command);
      // Item ids start at 1: TrackPopupMenuEx answers 0 for no choice.
      ::AppendMenuW(menu_, MF_STRING, commands_.size(), WideText(item).c_str());
    }
  }
  for (std::size_t i = 0; i < entries.size() && i < commands_.size(); ++i) {
    ::EnableMenuItem(menu_, static_cast<UINT>(i),
                     MF_BYPOSITION | (entries[i].enabled ? MF_ENABLED : MF_GRAYED));
  }
  const auto chosen = static_cast<std::size_t>(::TrackPopupMenuEx(
      menu_, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
      at.y, owner, nullptr));
  if (chosen == 0 || chosen > commands_.size()) return std::nullopt;
  return commands_[chosen - 1];
}

}  // namespace qzd::windows
