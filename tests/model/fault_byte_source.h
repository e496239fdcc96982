// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "model/model_file_reader.h"

namespace qzd::testing {

// What a FaultByteSource does besides handing out its bytes.
struct Faults {
  // Reads stop short of this byte; the read that would hand it out reports `readErrorCode`.
  std::optional<std::size_t> readErrorAt;
  int readErrorCode = 1117;
  std::optional<int> closeErrorCode;
  std::size_t maxChunk = std::numeric_limits<std::size_t>::max();
};

// Bytes from memory with injected faults, counting what the reader asked of it.
class FaultByteSource final : public ByteSource {
 public:
  FaultByteSource(std::string bytes, Faults faults) : bytes_(std::move(bytes)), faults_(faults) {}

  ReadResult Read(std::span<unsigned char> buffer) override {
    ++readCalls;
    bytesRequested += buffer.size();
    std::size_t limit = bytes_.size();
    if (faults_.readErrorAt) {
      if (position_ >= *faults_.readErrorAt) return {0, faults_.readErrorCode};
      limit = std::min(limit, *faults_.readErrorAt);
    }
    const std::size_t count = std::min({buffer.size(), limit - position_, faults_.maxChunk});
    std::memcpy(buffer.data(), bytes_.data() + position_, count);
    position_ += count;
    return {count, std::nullopt};
  }

  std::optional<int> Close() override {
    ++closeCalls;
    return faults_.closeErrorCode;
  }

  int readCalls = 0;
  int closeCalls = 0;
  std::size_t bytesRequested = 0;

 private:
  std::string bytes_;
  Faults faults_;
  std::size_t position_ = 0;
};

// Passes another source through, counting the bytes asked for, handed out and jumped.
class CountingByteSource final : public ByteSource {
 public:
  explicit CountingByteSource(ByteSource& inner) : inner_(inner) {}
  ReadResult Read(std::span<unsigned char> buffer) override {
    bytesRequested += buffer.size();
    const ReadResult result = inner_.Read(buffer);
    bytesDelivered += result.count;
    return result;
  }
  std::uint64_t SkipZeroBytes() override {
    const std::uint64_t skipped = inner_.SkipZeroBytes();
    bytesSkipped += skipped;
    return skipped;
  }
  std::optional<int> Close() override { return inner_.Close(); }

  std::size_t bytesRequested = 0;
  std::size_t bytesDelivered = 0;
  std::uint64_t bytesSkipped = 0;

 private:
  ByteSource& inner_;
};

}  // namespace qzd::testing
