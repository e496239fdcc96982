// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/byte_source.h"

namespace qzd {

// A model file on Windows, opened for reading with CreateFileW and read with ReadFile. It shares
// reading and writing with other programs, so a file another program has open still reads when
// that program allows it; a program that holds it without sharing makes the open fail with
// Windows' own sharing violation, 32. Windows' error codes are the failure table's codes as they
// stand. A device (CON, NUL, COM1, a \\.\ name), a pipe or a folder is refused as "File access
// denied", as on Linux, without reading and without waiting; a path longer than the classic
// limit opens as well.
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
  // Jumps over the holes of a sparse file: those the file system reports by its allocated ranges
  // or, where it cannot report them (Wine), a large rest of the file once every allocated byte
  // has been read.
  std::uint64_t SkipZeroBytes() override;
  std::optional<int> Close() override;

 private:
  void OpenFile(const std::wstring& path);
  void LearnHoles();
  void NoteData(std::span<const unsigned char> bytes);
  [[nodiscard]] std::optional<std::uint64_t> NextAllocatedByte() const;

  void* handle_ = nullptr;  // a HANDLE; null when closed
  std::optional<int> openFailure_;
  std::uint64_t position_ = 0;  // of the next byte Read hands out
  std::uint64_t size_ = 0;
  // For a sparse file whose allocated ranges cannot be asked for: how many bytes the file system
  // allocated, and how many of them the reads have shown to hold data, by allocation units.
  bool countData_ = false;
  std::uint64_t allocated_ = 0;
  std::uint64_t unit_ = 512;
  std::uint64_t dataSeen_ = 0;
  std::uint64_t lastDataUnit_ = UINT64_MAX;
};

}  // namespace qzd
