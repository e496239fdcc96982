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

FieldText Text(std::string text) {
  return FieldText{std::move(text), {}};
}
FieldText Failure(std::string_view message) {
  return FieldText{std::nullopt, message};
}

// The decimal form after `prefix`; the whole text stays within std::string's small buffer.
FieldText DecimalText(std::int32_t n, std::string_view prefix = {}) {
  char buffer[8 + kDecimalCapacity];
  char* out = buffer + prefix.copy(buffer, 8);
  const auto result = std::to_chars(out, buffer + sizeof buffer, n);
  return Text(std::string(buffer, result.ptr));
}

FieldText ScaledText(std::int32_t v, std::int32_t factor) {
  std::int32_t product = 0;
  if (__builtin_mul_overflow(SignedValue(v), factor, &product)) return Failure(kIntegerOverflow);
  return DecimalText(product);
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

FieldText PlainText(std::int32_t v) {
  return DecimalText(v);
}

FieldText SignedText(std::int32_t v) {
  return DecimalText(SignedValue(v));
}

FieldText ExpoText(std::int32_t v) {
  return DecimalText(ExpoValue(v));
}

FieldText DoubledText(std::int32_t v) {
  return ScaledText(v, 2);
}

FieldText TimesFiveText(std::int32_t v) {
  return ScaledText(v, 5);
}

FieldText ModeText(std::int32_t v) {
  // The stick mode is kept from 0 while the Mode page numbers it from 1; no signed rule applies.
  std::int32_t mode = 0;
  if (__builtin_add_overflow(v, 1, &mode)) return Failure(kIntegerOverflow);
  return DecimalText(mode, "MODE");
}

FieldText ServoNumberText(std::int32_t v) {
  return DecimalText(SignedValue(v), "S");
}

FieldText ChannelText(std::int32_t v) {
  // Unsigned on purpose: a negative code is out of range as well.
  const auto index = static_cast<std::uint32_t>(v);
  if (index >= ChannelNames.size()) return Failure(kRangeCheckError);
  return Text(std::string(ChannelNames[index]));
}

FieldText SwitchText(std::int32_t v) {
  const auto code = static_cast<std::uint32_t>(v);
  for (const SwitchCode& entry : kSwitchCodes) {
    if (entry.code == code) return Text(std::string(entry.name));
  }
  return FieldText{};
}

}  // namespace qzd
