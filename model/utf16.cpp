// SPDX-License-Identifier: MIT
#include "model/utf16.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace qzd {

std::optional<std::wstring> WideFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  const int size = static_cast<int>(utf8.size());
  const int length =
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(std::min<std::size_t>(
      wide.size(), static_cast<std::size_t>(std::numeric_limits<int>::max())));
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr) + 1, L'\0');
  const DWORD length =
      ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

std::wstring WideFromLatin1(std::string_view bytes) {
  std::wstring text(bytes.size(), L'\0');
  std::transform(bytes.begin(), bytes.end(), text.begin(),
                 [](char byte) { return static_cast<wchar_t>(static_cast<unsigned char>(byte)); });
  return text;
}

}  // namespace qzd
