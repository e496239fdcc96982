// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "model/byte_source.h"

namespace qzd::web {

// The failure table's code for the name of the DOMException with which a browser refused to read
// a file: a file gone since it was chosen is "File not found", one that may no longer be read is
// "File access denied". This is the one place the mapping is kept.
[[nodiscard]] int SystemErrorCodeForDomError(std::string_view name) noexcept;

// The bytes of the file the page's open dialog handed over, taken from its stream chunk by chunk
// as the browser delivers them, so that the reader holds no more of a file than one chunk and its
// own buffer however large the file is. A read waits for the next chunk; close() cancels the rest
// of the stream, which the reader never asks for after line 301.
class StreamByteSource final : public ByteSource {
 public:
  StreamByteSource();
  ~StreamByteSource() override;
  StreamByteSource(const StreamByteSource&) = delete;
  StreamByteSource& operator=(const StreamByteSource&) = delete;

  ReadResult Read(std::span<unsigned char> buffer) override;
  std::optional<int> Close() override;

 private:
  bool open_ = true;
};

}  // namespace qzd::web
