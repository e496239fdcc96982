// SPDX-License-Identifier: MIT
#include "windows/controls/dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "model/utf16.h"
#include "window/program_title.h"

namespace qzd::windows {

std::optional<window::ChosenFile> OpenDialog::Choose(HWND owner) {
  std::wstring buffer(MAX_PATH, L'\0');
  std::copy_n(offered_.begin(), std::min<std::size_t>(offered_.size(), MAX_PATH - 1),
              buffer.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  // The classic dialog takes the filter's parts each ended by a NUL, the list by one more.
  std::wstring filter = WideText(window::kModelFileFilter);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.push_back(L'\0');
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = MAX_PATH;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  offered_ = buffer.c_str();
  return window::ChosenFile{Utf8FromWide(offered_)};
}

void OpenDialog::Offer(const window::ChosenFile& file) {
  offered_ = WideText(file.path);
}

void ShowErrorBox(HWND owner, std::string_view text) {
  ::MessageBoxW(owner, WideFromLatin1(text).c_str(), WideText(window::kProgramTitle).c_str(),
                MB_OK | MB_ICONSTOP);
}

}  // namespace qzd::windows
