// SPDX-License-Identifier: MIT
#include "model/value_codes.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <utility>

namespace qzd {

namespace {

constexpr std::array<std::string_view, 8> kChannelNames = {
    " ", "AI", "EL", "RU", "TH", "SP", "F ", "PH",
};

constexpr std::array<std::string_view, 9> kSwitchNames = {
    "              ",  //
    "1 CS/A-ROT |_|",  //
    "2 D-R      |_|",  //
    "3 SNAP/DTC |_|",  //
    "4 PH/AUX2  |_|",  //
    "1 CS/A-ROT |^|",  //
    "2 D-R      |^|",  //
    "3 SNAP/DTC |^|",  //
    "4 PH/AUX2  |^|",  //
};

// Byte codes from 146 on stand for negative numbers: the transmitter keeps -110 to -1 there.
constexpr std::int32_t kFirstNegativeCode = 146;
constexpr std::int32_t kByteSpan = 256;

struct ExpoCode {
  std::int32_t code;
  std::int32_t value;
};
constexpr std::array<ExpoCode, 11> kExpoCodes = {{
    {0, 0},
    {246, -100},
    {247, -90},
    {248, -80},
    {249, -70},
    {250, -60},
    {251, -50},
    {252, -40},
    {253, -30},
    {254, -20},
    {255, -10},
}};
// A shown -1 marks a code outside the expo table; no listed code gives it.
constexpr std::int32_t kUnlistedExpo = -1;

// Switch codes: lever down 1 to 4, plus 64 for lever up, plus 32 for the middle position, which
// only switch 4 has.
struct SwitchCode {
  std::uint32_t code;
  std::string_view name;
};
constexpr std::array<SwitchCode, 10> kSwitchCodes = {{
    {0, kSwitchNames[0]},
    {1, kSwitchNames[1]},
    {2, kSwitchNames[2]},
    {3, kSwitchNames[3]},
    {4, kSwitchNames[4]},
    {36, kSwitchMiddleName},
    {65, kSwitchNames[5]},
    {66, kSwitchNames[6]},
    {67, kSwitchNames[7]},
    {68, kSwitchNames[8]},
}};

// Longest 32-bit decimal: "-2147483648".
constexpr std::size_t kDecimalCapacity = std::numeric_limits<std::int32_t>::digits10 + 2;

constexpr WriteResult kWritten{};
constexpr WriteResult Failure(std::string_view message) {
  return WriteResult{false, message};
}

// The decimal form after `prefix`; the whole text stays within std::string's small buffer.
WriteResult WriteDecimal(std::int32_t n, std::string& out, std::string_view prefix = {}) {
  char buffer[8 + kDecimalCapacity];
  char* digits = buffer + prefix.copy(buffer, 8);
  const auto result = std::to_chars(digits, buffer + sizeof buffer, n);
  out.assign(buffer, result.ptr);
  return kWritten;
}

WriteResult WriteScaled(std::int32_t v, std::int32_t factor, std::string& out) {
  std::int32_t product = 0;
  if (__builtin_mul_overflow(SignedValue(v), factor, &product)) return Failure(kIntegerOverflow);
  return WriteDecimal(product, out);
}

}  // namespace

const std::array<std::string_view, 8> ChannelNames = kChannelNames;
const std::array<std::string_view, 9> SwitchNames = kSwitchNames;

std::int32_t SignedValue(std::int32_t code) noexcept {
  if (code < kFirstNegativeCode) return code;
  // Cannot overflow for any code above the threshold; tested all the same, like all arithmetic
  // on decoded values.
  std::int32_t value = 0;
  if (__builtin_sub_overflow(code, kByteSpan, &value)) return code;
  return value;
}

std::int32_t ExpoValue(std::int32_t code) noexcept {
  for (const ExpoCode& entry : kExpoCodes) {
    if (entry.code == code) return entry.value;
  }
  return kUnlistedExpo;
}

WriteResult PlainText(std::int32_t v, std::string& out) {
  return WriteDecimal(v, out);
}

WriteResult SignedText(std::int32_t v, std::string& out) {
  return WriteDecimal(SignedValue(v), out);
}

WriteResult ExpoText(std::int32_t v, std::string& out) {
  return WriteDecimal(ExpoValue(v), out);
}

WriteResult DoubledText(std::int32_t v, std::string& out) {
  return WriteScaled(v, 2, out);
}

WriteResult TimesFiveText(std::int32_t v, std::string& out) {
  return WriteScaled(v, 5, out);
}

WriteResult ModeText(std::int32_t v, std::string& out) {
  // The stick mode is kept from 0 while the Mode page numbers it from 1; no signed rule applies.
  std::int32_t mode = 0;
  if (__builtin_add_overflow(v, 1, &mode)) return Failure(kIntegerOverflow);
  return WriteDecimal(mode, out, "MODE");
}

WriteResult ServoNumberText(std::int32_t v, std::string& out) {
  return WriteDecimal(SignedValue(v), out, "S");
}

WriteResult ChannelText(std::int32_t v, std::string& out) {
  // Unsigned on purpose: a negative code is out of range as well.
  const auto index = static_cast<std::uint32_t>(v);
  if (index >= ChannelNames.size()) return Failure(kRangeCheckError);
  out.assign(ChannelNames[index]);
  return kWritten;
}

WriteResult SwitchText(std::int32_t v, std::string& out) {
  const auto code = static_cast<std::uint32_t>(v);
  for (const SwitchCode& entry : kSwitchCodes) {
    if (entry.code == code) {
      out.assign(entry.name);
      return kWritten;
    }
  }
  return WriteResult{false, {}};
}

}  // namespace qzd
