// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace qzd {

// The system error codes the reader and its file source name (the failure table's numbering).
namespace system_error {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kSharingViolation = 32;
inline constexpr int kBrokenPipe = 109;  // a read that reports it has reached the end of the file
}  // namespace system_error

// Where the reader's bytes come from: a file, or a memory buffer in tests and the fuzz target.
class ByteSource {
 public:
  struct ReadResult {
    std::size_t count = 0;               // bytes placed in the buffer; 0 means end of data
    std::optional<int> systemErrorCode;  // set when the read failed
  };
  virtual ~ByteSource() = default;
  virtual ReadResult read(std::span<unsigned char> buffer) = 0;
  // Called once, on every way out of a read. Returns the system error code when closing failed.
  virtual std::optional<int> close() = 0;
};

}  // namespace qzd
