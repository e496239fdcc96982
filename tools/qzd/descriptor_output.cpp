// SPDX-License-Identifier: MIT
#include "tools/qzd/descriptor_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>

#include "tools/qzd/qzd_cli.h"

namespace qzd::cli {

DescriptorOutput::DescriptorOutput(int fd) noexcept : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type ch) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  *pptr() = traits_type::to_char_type(ch);
  pbump(1);
  return ch;
}

int DescriptorOutput::sync() {
  return Drain() ? 0 : -1;
}

bool DescriptorOutput::Drain() noexcept {
  if (error_ != 0) return false;
  const char* next = pbase();
  while (next < pptr()) {
    const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
    if (written < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      // Nothing more is written; the put area stays empty so that every later write overflows.
      setp(buffer_.data(), buffer_.data());
      return false;
    }
    next += written;
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return true;
}

int StatusAfterOutput(int status, int writeError, std::ostream& err) {
  if (writeError == 0) return status;
  if (writeError != EPIPE) err << "qzd: write error: " << std::strerror(writeError) << '\n';
  return kExitTrouble;
}

}  // namespace qzd::cli
