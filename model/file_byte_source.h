// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/byte_source.h"

namespace qzd {

// The failure table's code for a Linux errno value. The whole mapping lives in
// file_byte_source.cpp.
[[nodiscard]] int SystemErrorCodeForErrno(int errnoValue) noexcept;

// One read(2) from `fd`, started again whenever a signal interrupts it.
[[nodiscard]] ByteSource::ReadResult ReadDescriptor(int fd,
                                                    std::span<unsigned char> buffer) noexcept;

// A model file opened for reading only, shared with readers but not with writers: it holds a
// shared open-file-description lock, so another process's write lock refuses the open and no
// writer that asks for a lock gets one while the file is read. Anything but a regular file is
// refused at open without blocking. The descriptor is closed by close() or, failing that, here.
class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(const std::string& path);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  // The code the open failed with; a source that failed to open reads nothing.
  [[nodiscard]] std::optional<int> openFailure() const noexcept { return openFailure_; }

  ReadResult Read(std::span<unsigned char> buffer) override;
  // Jumps over the holes the file system reports; where it reports none, or cannot, nothing.
  std::uint64_t SkipZeroBytes() override;
  std::optional<int> Close() override;

 private:
  std::optional<int> CloseDescriptor() noexcept;

  int fd_ = -1;
  std::optional<int> openFailure_;
};

}  // namespace qzd
