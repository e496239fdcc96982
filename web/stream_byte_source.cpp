// SPDX-License-Identifier: MIT
#include "web/stream_byte_source.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace {

// The page's side of the stream (page_imports.js).
extern "C" {
// Starts reading the chosen file's stream.
void qzd_page_open_stream();
// Copies the next bytes into `buffer`, waiting for a chunk when none is at hand. Returns their
// count, 0 at the end of the file, or -1 when the browser failed the read.
int qzd_page_read(unsigned char* buffer, int capacity);
// The name of the DOMException of the failed read, copied into `buffer`; returns its length.
int qzd_page_read_error(char* buffer, int capacity);
// Lets go of the stream, cancelling what is left of it.
void qzd_page_close_stream();
}

struct DomErrorCode {
  std::string_view name;
  int code;
};

// The File API's read errors onto the failure table's codes (its Windows numbering):
//   NotFoundError: the file is gone or was moved since it was chosen: "File not found" (2).
//   NotReadableError, SecurityError: it may no longer be read, for example because it changed or
//   its permissions did since it was chosen: "File access denied" (5).
//   Anything else is a general failure (31), "I/O error 31", as on the desktop.
constexpr std::array<DomErrorCode, 3> kDomErrorCodes{{
    {"NotFoundError", qzd::system_error::kFileNotFound},
    {"NotReadableError", qzd::system_error::kAccessDenied},
    {"SecurityError", qzd::system_error::kAccessDenied},
}};

// Longer than any DOMException name; a longer one is cut and so maps to the general failure.
constexpr std::size_t kErrorNameCapacity = 64;

}  // namespace

namespace qzd::web {

int SystemErrorCodeForDomError(std::string_view name) noexcept {
  for (const auto& entry : kDomErrorCodes) {
    if (entry.name == name) return entry.code;
  }
  return system_error::kGeneralFailure;
}

StreamByteSource::StreamByteSource() {
  qzd_page_open_stream();
}

StreamByteSource::~StreamByteSource() {
  if (open_) qzd_page_close_stream();
}

ByteSource::ReadResult StreamByteSource::Read(std::span<unsigned char> buffer) {
  if (!open_ || buffer.empty()) return {};
  // The reader's buffer is far below 2 GB; a larger span would only be filled in part.
  const int capacity = static_cast<int>(std::min<std::size_t>(buffer.size(), 1u << 30));
  const int count = qzd_page_read(buffer.data(), capacity);
  if (count >= 0) return {static_cast<std::size_t>(std::min(count, capacity)), std::nullopt};
  std::array<char, kErrorNameCapacity> name{};
  const int length = qzd_page_read_error(name.data(), static_cast<int>(name.size()));
  const auto size = static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(name.size())));
  return {0, SystemErrorCodeForDomError(std::string_view(name.data(), size))};
}

std::optional<int> StreamByteSource::Close() {
  if (open_) {
    open_ = false;
    qzd_page_close_stream();
  }
  // Letting go of a stream cannot fail in a way the file's reader would hear of.
  return std::nullopt;
}

}  // namespace qzd::web
