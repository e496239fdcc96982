// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/byte_source.h"

namespace qzd {

// Bytes from memory. `maxChunk` caps what one read hands out, so that line ends, CR LF pairs and
// the 255th character can be made to fall across the reader's buffer refills.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes,
                            std::size_t maxChunk = std::numeric_limits<std::size_t>::max()) noexcept
      : remaining_(bytes), maxChunk_(std::max<std::size_t>(maxChunk, 1)) {}
  // The source only looks at its bytes; they must outlive it.
  MemoryByteSource(std::string&&, std::size_t = 0) = delete;

  ReadResult Read(std::span<unsigned char> buffer) override {
    const std::size_t count = std::min({buffer.size(), remaining_.size(), maxChunk_});
    if (count != 0) std::memcpy(buffer.data(), remaining_.data(), count);
    remaining_.remove_prefix(count);
    return {count, std::nullopt};
  }
  std::optional<int> Close() override { return std::nullopt; }

 private:
  std::string_view remaining_;
  std::size_t maxChunk_;
};

}  // namespace qzd
