// SPDX-License-Identifier: MIT
#include "model/windows_file_byte_source.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "model/system_error.h"
#include "model/utf16.h"

namespace qzd {

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
