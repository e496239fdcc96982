// SPDX-License-Identifier: MIT
// Feeds any bytes to the model reader as a model file. Besides the sanitizers' own checks, the
// outcome must not depend on how the bytes arrive: a read of the whole buffer at once and one
// in small pieces (line ends, CR LF pairs and the 255th character falling across refills), and one
// from a source that passes over every run of zero bytes it is asked to, as a sparse file's holes
// are jumped, must fill the store alike and fail alike.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include "model/memory_byte_source.h"
#include "model/model_file_reader.h"

namespace {

constexpr std::string_view kNumberFailureTail = "' is not a valid integer value";

qzd::ModelValueStore PriorStore() {
  qzd::ModelValueStore store;
  for (int slot = 0; slot < qzd::ModelValueStore::kLoadedSlotCount; ++slot) {
    store.set(slot, -7 - slot);
  }
  return store;
}

// Memory in pieces of at most `maxChunk` bytes whose every run of zero bytes counts as a hole,
// which the reader may jump unread.
class HoleySource final : public qzd::ByteSource {
 public:
  HoleySource(std::string_view bytes, std::size_t maxChunk)
      : remaining_(bytes), maxChunk_(maxChunk) {}
  ReadResult Read(std::span<unsigned char> buffer) override {
    const std::size_t count = std::min({buffer.size(), remaining_.size(), maxChunk_});
    std::copy_n(remaining_.begin(), count, buffer.begin());
    remaining_.remove_prefix(count);
    return {count, std::nullopt};
  }
  std::uint64_t SkipZeroBytes() override {
    const std::size_t zeros = std::min(remaining_.find_first_not_of('\0'), remaining_.size());
    remaining_.remove_prefix(zeros);
    return zeros;
  }
  std::optional<int> Close() override { return std::nullopt; }

 private:
  std::string_view remaining_;
  std::size_t maxChunk_;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  qzd::ModelValueStore whole = PriorStore();
  qzd::MemoryByteSource wholeSource(bytes);
  const auto failure = qzd::ReadModel(wholeSource, whole);

  qzd::ModelValueStore pieces = PriorStore();
  qzd::MemoryByteSource pieceSource(bytes, 1 + size % 7);
  Check(qzd::ReadModel(pieceSource, pieces) == failure);
  Check(pieces == whole);

  qzd::ModelValueStore holes = PriorStore();
  HoleySource holeySource(bytes, 1 + size % 5);
  Check(qzd::ReadModel(holeySource, holes) == failure);
  Check(holes == whole);

  for (int slot = qzd::ModelValueStore::kLoadedSlotCount; slot < qzd::ModelValueStore::kSlotCount;
       ++slot) {
    Check(whole.value(slot) == 0);
  }
  if (failure) {
    // Bytes from memory never fail to read or close; only a line can fail.
    Check(failure->kind == qzd::LoadFailure::Kind::kNumber && !failure->systemErrorCode);
    const std::string_view message = failure->message;
    Check(message.size() >= 1 + kNumberFailureTail.size() && message.front() == '\'' &&
          message.ends_with(kNumberFailureTail));
    const std::string_view text = message.substr(1, message.size() - 1 - kNumberFailureTail.size());
    Check(text.size() <= 255);
    Check(text.find_first_of(std::string_view("\n\r\x1a", 3)) == std::string_view::npos);
  }
  return 0;
}
