// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "model/system_error.h"

namespace qzd {

// Where the reader's bytes come from: a file, or a memory buffer in tests and the fuzz target.
class ByteSource {
 public:
  struct ReadResult {
    std::size_t count = 0;               // bytes placed in the buffer; 0 means end of data
    std::optional<int> systemErrorCode;  // set when the read failed
  };
  virtual ~ByteSource() = default;
  virtual ReadResult Read(std::span<unsigned char> buffer) = 0;
  // Moves past the bytes, from the next one Read would hand out, that the source knows to be zero
  // bytes without reading them (a hole of a sparse file), and returns how many it passed over. The
  // reader asks only while it skips the rest of a line, where a zero byte is skipped like any
  // other; a source that knows of no such bytes passes over none and is simply read on.
  virtual std::uint64_t SkipZeroBytes() { return 0; }
  // Called once, on every way out of a read. Returns the system error code when closing failed.
  virtual std::optional<int> Close() = 0;
};

}  // namespace qzd
