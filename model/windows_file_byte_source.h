// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>

#include "model/byte_source.h"

namespace qzd {

// A model file on Windows, opened for reading with CreateFileW and read with ReadFile. It shares
// reading and writing with other programs, so a file another program has open still reads when
// that program allows it; a program that holds it without sharing makes the open fail with
// Windows' own sharing violation, 32. Windows' error codes are the failure table's codes as they
// stand. Anything but a disk file (a device such as CON, a pipe) is refused without reading.
class FileByteSource final : public ByteSource {
 public:
  // `path` is UTF-8.
  explicit FileByteSource(const std::string& path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // The code the open failed with; a source that failed to open reads nothing.
  [[nodiscard]] std::optional<int> openFailure() const noexcept { return openFailure_; }

  ReadResult Read(std::span<unsigned char> buffer) override;
  std::optional<int> Close() override;

 private:
  void* handle_ = nullptr;  // a HANDLE; null when closed
  std::optional<int> openFailure_;
};

}  // namespace qzd
