// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qzd {

inline constexpr std::string_view kIntegerOverflow = "Integer overflow";
inline constexpr std::string_view kRangeCheckError = "Range check error";

extern const std::array<std::string_view, 8> ChannelNames;
extern const std::array<std::string_view, 9> SwitchNames;
inline constexpr std::string_view kSwitchMiddleName = "4 PH/AUX2 |-|";

[[nodiscard]] std::int32_t SignedValue(std::int32_t code) noexcept;
[[nodiscard]] std::int32_t ExpoValue(std::int32_t code) noexcept;

// The text forms. Each writes a stored value's text into `out`, so that a fill can write every
// text straight into its action; `out` is replaced on success and left as it was otherwise. The
// result says whether there is a text and names the error ("Integer overflow" or "Range check
// error") of a form that failed.
struct WriteResult {
  bool hasText = true;     // false for SwitchText of a code without a name
  std::string_view error;  // empty unless the form failed

  [[nodiscard]] bool failed() const noexcept { return !error.empty(); }
};

WriteResult PlainText(std::int32_t v, std::string& out);
WriteResult SignedText(std::int32_t v, std::string& out);
WriteResult ExpoText(std::int32_t v, std::string& out);
WriteResult DoubledText(std::int32_t v, std::string& out);
WriteResult TimesFiveText(std::int32_t v, std::string& out);
WriteResult ModeText(std::int32_t v, std::string& out);
WriteResult ServoNumberText(std::int32_t v, std::string& out);
WriteResult ChannelText(std::int32_t v, std::string& out);
WriteResult SwitchText(std::int32_t v, std::string& out);

}  // namespace qzd
