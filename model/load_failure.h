// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzd {

// Why a read of a model file ended early. `message` is the exact text the user sees, before the
// error box adds its final period.
struct LoadFailure {
  enum class Kind { kOpen, kRead, kNumber, kClose };
  Kind kind;
  std::string message;
  // The system error code (the table's codes: 2 file not found, 3 invalid filename, ...) for
  // open, read and close failures; empty for a number failure.
  std::optional<int> systemErrorCode;

  friend bool operator==(const LoadFailure&, const LoadFailure&) = default;
};

// A failure's text as the error box shows it, and as qzd reports it: a final "." is added when the
// message is not empty and its last byte lies above "." (code 46), so letters and digits gain one
// and punctuation, blanks and control codes do not.
[[nodiscard]] inline std::string WithFinalPeriod(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace qzd
