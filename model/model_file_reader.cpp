// SPDX-License-Identifier: MIT
#include "model/model_file_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#ifdef _WIN32
#include "model/windows_file_byte_source.h"
#else
#include "model/file_byte_source.h"
#endif

namespace qzd {
namespace {

constexpr std::size_t kMaxTextLength = 255;
constexpr unsigned char kLineFeed = 10;
constexpr unsigned char kCarriageReturn = 13;
constexpr unsigned char kEndMark = 26;  // Ctrl-Z

// A line's text as taken: at most 255 characters, lone CRs already dropped.
class LineText {
 public:
  void clear() noexcept { size_ = 0; }
  void push(unsigned char c) noexcept { chars_[size_++] = static_cast<char>(c); }
  [[nodiscard]] bool full() const noexcept { return size_ == kMaxTextLength; }
  [[nodiscard]] std::string_view view() const noexcept { return {chars_.data(), size_}; }

 private:
  std::array<char, kMaxTextLength> chars_;
  std::size_t size_ = 0;
};

// Walks the source once, front to back, through one fixed buffer. It never asks for a byte again
// and never asks for more once the caller stops taking lines.
class LineReader {
 public:
  explicit LineReader(ByteSource& source) noexcept : source_(source) {}

  // Takes the next line's text and skips the rest of its line. At the end of the data the text is
  // empty. After a read error the text is what was taken before it; see readError(). The text
  // stays valid until the next call.
  std::string_view next() {
    if (pos_ == end_) (void)refill(buffer_);
    if (const auto text = nextShortLine()) return *text;
    text_.clear();
    for (;;) {
      if (pos_ == end_ && !refill(buffer_)) return text_.view();
      while (pos_ != end_) {
        const unsigned char c = *pos_++;
        if (c == kLineFeed) return text_.view();
        // Dropping every CR is the same as ending the line at CR LF and dropping lone CRs.
        if (c == kCarriageReturn) continue;
        if (c == kEndMark) {
          // A stray byte 26 must not fail the next line with an empty text, so the rest of a line
          // whose text it ended is skipped to the line end, further 26s included.
          skipThroughLineEnd();
          return text_.view();
        }
        text_.push(c);
        if (text_.full()) {
          skipRestOfLongLine();
          return text_.view();
        }
      }
    }
  }

  [[nodiscard]] std::optional<int> readError() const noexcept { return readError_; }

  // The line a transmitter writes, read straight to its value: at most nine decimal digits after
  // an optional minus sign, ended by LF or CR LF, wholly in the buffer. Such a text is a valid
  // number under every rule and cannot leave the 32-bit range. Any other line is left untouched
  // for next() and the full number syntax.
  std::optional<std::int32_t> nextPlainNumber() noexcept {
    const unsigned char* p = pos_;
    if (p == end_) return std::nullopt;
    const bool negative = *p == '-';
    if (negative) ++p;
    const unsigned char* const digits = p;
    const unsigned char* const limit = digits + std::min<std::ptrdiff_t>(end_ - digits, 9);
    std::int32_t value = 0;
    for (; p != limit && static_cast<unsigned char>(*p - '0') < 10; ++p)
      value = value * 10 + (*p - '0');
    if (p == digits || p == end_) return std::nullopt;
    if (*p == kLineFeed) {
      pos_ = p + 1;
    } else if (*p == kCarriageReturn && p + 1 != end_ && p[1] == kLineFeed) {
      pos_ = p + 2;
    } else {
      return std::nullopt;
    }
    return negative ? -value : value;
  }

 private:
  // The common line, taken in place: wholly in the buffer, shorter than 255 characters, ended by
  // LF or CR LF, and free of any other byte below 27. Anything else is left to next().
  std::optional<std::string_view> nextShortLine() noexcept {
    const unsigned char* const start = pos_;
    const unsigned char* const limit =
        start + std::min<std::size_t>(static_cast<std::size_t>(end_ - start), kMaxTextLength);
    const unsigned char* p = start;
    while (p != limit && *p > kEndMark) ++p;
    if (p == limit) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(start),
                                static_cast<std::size_t>(p - start));
    if (*p == kLineFeed) {
      pos_ = p + 1;
      return text;
    }
    if (*p == kCarriageReturn && p + 1 != end_ && p[1] == kLineFeed) {
      pos_ = p + 2;
      return text;
    }
    return std::nullopt;
  }

  // The part of a line after its 255th character: up to and including the LF. A byte 26 stops
  // the skip and is left in place, so the next line's text ends at once and reads as empty.
  void skipRestOfLongLine() {
    for (int refills = 0;;) {
      if (pos_ == end_ && !refillWhileSkipping(refills++)) return;
      const auto* lineFeed = Find(pos_, end_, kLineFeed);
      const auto* mark = Find(pos_, lineFeed, kEndMark);
      if (mark != lineFeed) {
        pos_ = mark;
        return;
      }
      if (lineFeed != end_) {
        pos_ = lineFeed + 1;
        return;
      }
      pos_ = end_;
    }
  }

  void skipThroughLineEnd() {
    for (int refills = 0;;) {
      if (pos_ == end_ && !refillWhileSkipping(refills++)) return;
      const auto* lineFeed = Find(pos_, end_, kLineFeed);
      if (lineFeed != end_) {
        pos_ = lineFeed + 1;
        return;
      }
      pos_ = end_;
    }
  }

  // A skip stops only at a LF or a byte 26, or at the end of the data, so the zero bytes of a
  // hole, which the source passes over unread, are bytes the skip would have passed over anyway.
  // A skip that outruns its first buffer goes on in large blocks, which a file of gigabytes
  // without a line end needs far fewer reads for.
  bool refillWhileSkipping(int earlierRefills) {
    if (finished_) return false;
    (void)source_.SkipZeroBytes();
    if (earlierRefills == 0) return refill(buffer_);
    if (!skipBuffer_)
      skipBuffer_.reset(new unsigned char[kSkipReadBufferSize]);  // left uninitialised: read into
    return refill({skipBuffer_.get(), kSkipReadBufferSize});
  }

  static const unsigned char* Find(const unsigned char* from, const unsigned char* to,
                                   unsigned char byte) noexcept {
    if (from == to) return to;
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(to - from));
    return found != nullptr ? static_cast<const unsigned char*>(found) : to;
  }

  // Returns false at the end of the data or on a read error; neither asks the source again.
  bool refill(std::span<unsigned char> into) {
    if (finished_) return false;
    const ByteSource::ReadResult result = source_.Read(into);
    if (result.systemErrorCode && *result.systemErrorCode != system_error::kBrokenPipe) {
      readError_ = result.systemErrorCode;
    }
    if (result.systemErrorCode || result.count == 0) {
      finished_ = true;
      return false;
    }
    pos_ = into.data();
    end_ = pos_ + std::min(result.count, into.size());
    return true;
  }

  ByteSource& source_;
  LineText text_;
  std::array<unsigned char, kModelReadBufferSize> buffer_;
  std::unique_ptr<unsigned char[]> skipBuffer_;
  const unsigned char* pos_ = nullptr;
  const unsigned char* end_ = nullptr;
  bool finished_ = false;
  std::optional<int> readError_;
};

// The number syntax of one line: blanks, one sign, then decimal digits or a hexadecimal prefix
// and digits, and nothing after them but what follows a NUL.
std::optional<std::int32_t> ParseLineNumber(std::string_view text) noexcept {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);

  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
    base = 16;
    text.remove_prefix(1);
  }

  // Unsigned from_chars takes digits only (no sign, blank or prefix); leading zeros never
  // overflow it, and more digits than fit come back as out of range. A NUL ends the number's text,
  // so the digits may stop at one; a NUL before any digit leaves none and fails like an empty text.
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
  if (error != std::errc{} || (stop != end && *stop != '\0')) return std::nullopt;

  if (base == 16) {
    if (magnitude > 0xFFFF'FFFFu) return std::nullopt;
    // The eight hex digits are the 32 bits of a two's-complement value; a minus negates those bits.
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative) bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
  }
  if (negative) {
    if (magnitude > 2147483648u) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  }
  if (magnitude > 2147483647u) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

// Built by concatenation: the line's bytes are data, never a format.
std::string NumberFailureMessage(std::string_view text) {
  constexpr std::string_view kTail = "' is not a valid integer value";
  std::string message;
  message.reserve(1 + text.size() + kTail.size());
  message += '\'';
  message += text;
  message += kTail;
  return message;
}

LoadFailure SystemFailure(LoadFailure::Kind kind, int code) {
  return LoadFailure{kind, system_error::Message(code), code};
}

std::optional<LoadFailure> ReadLines(ByteSource& source, ModelValueStore& store) {
  LineReader lines(source);
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    if (const auto plain = lines.nextPlainNumber()) {
      store.set(slot, *plain);
      continue;
    }
    const std::string_view text = lines.next();
    if (const auto code = lines.readError()) return SystemFailure(LoadFailure::Kind::kRead, *code);
    const auto value = ParseLineNumber(text);
    if (!value) return LoadFailure{LoadFailure::Kind::kNumber, NumberFailureMessage(text), {}};
    store.set(slot, *value);
  }
  return std::nullopt;
}

// Closes the source on every way out, an exception included.
class CloseOnExit {
 public:
  explicit CloseOnExit(ByteSource& source) noexcept : source_(source) {}
  CloseOnExit(const CloseOnExit&) = delete;
  CloseOnExit& operator=(const CloseOnExit&) = delete;
  ~CloseOnExit() {
    if (!closed_) (void)source_.Close();
  }
  std::optional<int> Close() {
    closed_ = true;
    return source_.Close();
  }

 private:
  ByteSource& source_;
  bool closed_ = false;
};

}  // namespace

std::optional<LoadFailure> ReadModel(ByteSource& source, ModelValueStore& store) {
  CloseOnExit closer(source);
  std::optional<LoadFailure> failure = ReadLines(source, store);
  const std::optional<int> closeError = closer.Close();
  // A failure while reading outranks one on closing: it is the one that stopped the read.
  if (failure) return failure;
  if (closeError) return SystemFailure(LoadFailure::Kind::kClose, *closeError);
  return std::nullopt;
}

std::optional<LoadFailure> ReadModelFile(const std::string& path, ModelValueStore& store) {
  FileByteSource file(path);
  if (const auto code = file.openFailure()) return SystemFailure(LoadFailure::Kind::kOpen, *code);
  return ReadModel(file, store);
}

}  // namespace qzd
