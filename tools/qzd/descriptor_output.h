// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <iosfwd>
#include <streambuf>

namespace qzd::cli {

// A buffered output stream buffer on a file descriptor that keeps the errno of its first failed
// write. std::cout only sets a failbit and loses the reason, yet the tool must say why its output
// was lost ("No space left on device", "Bad file descriptor"). After a failure nothing more is
// written and the stream reports every further write as failed.
class DescriptorOutput final : public std::streambuf {
 public:
  explicit DescriptorOutput(int fd) noexcept;
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  // The errno of the first failed write, or 0 while every write has succeeded.
  [[nodiscard]] int error() const noexcept { return error_; }

 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  bool Drain() noexcept;

  int fd_;
  int error_ = 0;
  std::array<char, 64 * 1024> buffer_{};
};

// The tool's exit status once its output has been flushed: `status` when every write succeeded.
// A failed write is reported in one line on `err` and gives the trouble status, except a broken
// pipe: a reader that stopped reading (as `head` does) needs no message.
[[nodiscard]] int StatusAfterOutput(int status, int writeError, std::ostream& err);

}  // namespace qzd::cli
