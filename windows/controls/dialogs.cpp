// SPDX-License-Identifier: MIT
#include "windows/controls/dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "model/utf16.h"
#include "window/program_title.h"
#include "windows/com.h"

namespace qzd::windows {
namespace {

// The longest path Windows has, with its terminating NUL.
constexpr std::size_t kPathBufferLength = 32768;

// SYMBOL FOR NULL, of the block that draws each control character as a symbol.
constexpr wchar_t kNulSymbol = L'\u2400';

}  // namespace

std::optional<window::ChosenFile> OpenDialog::Choose(HWND owner) {
  if (!StartCom()) return std::nullopt;
  std::wstring buffer(kPathBufferLength, L'\0');
  std::copy_n(offered_.begin(), std::min(offered_.size(), kPathBufferLength - 1), buffer.begin());
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
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!::GetOpenFileNameW(&dialog)) return std::nullopt;
  offered_ = buffer.c_str();
  return window::ChosenFile{Utf8FromWide(offered_)};
}

void OpenDialog::Offer(const window::ChosenFile& file) {
  offered_ = WideText(file.path);
}

std::wstring BoxText(std::string_view text) {
  std::wstring shown = WideFromLatin1(text);
  std::replace(shown.begin(), shown.end(), L'\0', kNulSymbol);
  return shown;
}

namespace {

// Windows' message box copies itself on Ctrl+C as below; Wine's does not. While the error box
// shows, its thread copies it the same way first, and Windows' own copy, where there is one,
// takes the same text after it.
thread_local const std::wstring* copiedBox = nullptr;

LRESULT CALLBACK CopyBoxOnCtrlC(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && copiedBox != nullptr && message->message == WM_KEYDOWN &&
      message->wParam == 'C' && ::GetKeyState(VK_CONTROL) < 0 && ::OpenClipboard(message->hwnd)) {
    const std::size_t bytes = (copiedBox->size() + 1) * sizeof(wchar_t);
    if (HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
      std::copy_n(copiedBox->c_str(), copiedBox->size() + 1,
                  static_cast<wchar_t*>(::GlobalLock(copy)));
      ::GlobalUnlock(copy);
      ::EmptyClipboard();
      if (::SetClipboardData(CF_UNICODETEXT, copy) == nullptr) ::GlobalFree(copy);
    }
    ::CloseClipboard();
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void ShowErrorBox(HWND owner, std::string_view text) {
  const std::wstring title = WideText(window::kProgramTitle);
  const std::wstring shown = BoxText(text);
  const std::wstring line = L"---------------------------\r\n";
  const std::wstring copy =
      line + title + L"\r\n" + line + shown + L"\r\n" + line + L"OK\r\n" + line;
  copiedBox = &copy;
  HHOOK hook = ::SetWindowsHookExW(WH_MSGFILTER, CopyBoxOnCtrlC, nullptr, ::GetCurrentThreadId());
  ::MessageBoxW(owner, shown.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
  if (hook != nullptr) ::UnhookWindowsHookEx(hook);
  copiedBox = nullptr;
}

}  // namespace qzd::windows
