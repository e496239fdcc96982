// SPDX-License-Identifier: MIT
#include "windows/controls/display_field.h"

namespace qzd::windows {

// Sized to one line by the form; no scroll bars, and text longer than the field scrolls.
DisplayField::DisplayField(HINSTANCE instance, const ControlFacts& facts)
    : ChildControl(instance, facts, L"EDIT", WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_LEFT,
                   WS_EX_CLIENTEDGE) {
  SetFont(facts.look.font, false);
}

void DisplayField::Restyle(const ControlLook& look) {
  SetFont(look.font, true);
}

void DisplayField::SetText(const std::wstring& text) {
  ::SetWindowTextW(window(), text.c_str());
}

void DisplayField::ShowText(const std::wstring& text) {
  if (::SendMessageW(window(), EM_GETMODIFY, 0, 0) == 0) {
    std::wstring shown(static_cast<std::size_t>(::GetWindowTextLengthW(window())) + 1, L'\0');
    shown.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window(), shown.data(), static_cast<int>(shown.size()))));
    if (shown == text) return;
  }
  SetText(text);
}

void DisplayField::SelectAll() {
  ::SendMessageW(window(), EM_SETSEL, 0, -1);
}

}  // namespace qzd::windows
