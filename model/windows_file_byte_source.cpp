// SPDX-License-Identifier: MIT
#include "model/windows_file_byte_source.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "model/system_error.h"

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

FileByteSource::FileByteSource(const std::string& path) {
  // A NUL would cut the path short and open another file; bytes that are not UTF-8 name none.
  const std::optional<std::wstring> wide =
      path.find('\0') == std::string::npos ? WideFromUtf8(path) : std::nullopt;
  if (!wide || wide->empty()) {
    openFailure_ = system_error::kPathNotFound;
    return;
  }
  HANDLE handle = ::CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    openFailure_ = static_cast<int>(::GetLastError());
    return;
  }
  handle_ = handle;
  // A console, the NUL device or a pipe could block or never end.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    openFailure_ = system_error::kAccessDenied;
    (void)Close();
  }
}

FileByteSource::~FileByteSource() {
  (void)Close();
}

ByteSource::ReadResult FileByteSource::Read(std::span<unsigned char> buffer) {
  if (handle_ == nullptr) return {0, system_error::kInvalidHandle};
  const DWORD wanted =
      static_cast<DWORD>(std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
  DWORD count = 0;
  if (!::ReadFile(handle_, buffer.data(), wanted, &count, nullptr)) {
    return {0, static_cast<int>(::GetLastError())};
  }
  return {count, std::nullopt};
}

std::optional<int> FileByteSource::Close() {
  if (handle_ == nullptr) return std::nullopt;
  HANDLE handle = std::exchange(handle_, nullptr);
  if (::CloseHandle(handle)) return std::nullopt;
  return static_cast<int>(::GetLastError());
}

}  // namespace qzd
