#pragma once

#include <optional>
#include <string>

namespace qzd {

// Why a read of a model file ended early. `message` is the exact text the user sees, before the
// error box adds its final period.
struct LoadFailure {
  enum class Kind { Open, Read, Number, Close };
  Kind kind;
  std::string message;
  // The system error code (the table's codes: 2 file not found, 3 invalid filename, ...) for
  // open, read and close failures; empty for a number failure.
  std::optional<int> systemErrorCode;

  friend bool operator==(const LoadFailure&, const LoadFailure&) = default;
};

}  // namespace qzd
