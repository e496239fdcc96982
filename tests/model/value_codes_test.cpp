// SPDX-License-Identifier: MIT
#include "model/value_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qzd {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using Form = WriteResult (*)(std::int32_t, std::string&);

// What a text form gives for one value: a text, no text at all, or an error.
struct Outcome {
  std::optional<std::string> text;
  std::string_view error;
  friend bool operator==(const Outcome&, const Outcome&) = default;
};
std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << (o.text ? "\"" + *o.text + "\"" : "no text") << " " << o.error;
}

Outcome OutcomeOf(Form form, std::int32_t v) {
  // A form leaves `out` as it was unless it writes a text.
  std::string out = "before";
  const WriteResult result = form(v, out);
  if (result.failed() || !result.hasText) {
    EXPECT_EQ(out, "before");
    return Outcome{std::nullopt, result.error};
  }
  return Outcome{out, {}};
}
Outcome Shows(std::string text) {
  return Outcome{std::move(text), {}};
}
Outcome Fails(std::string_view message) {
  return Outcome{std::nullopt, message};
}
const Outcome kNoText{};

TEST(ChannelNamesTable, EntriesKeepTheirBlanks) {
  const std::vector<std::string_view> expected = {" ", "AI", "EL", "RU", "TH", "SP", "F ", "PH"};
  ASSERT_EQ(ChannelNames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ChannelNames[i], expected[i]) << "entry " << i;
    EXPECT_EQ(ChannelNames[i].size(), i == 0 ? 1u : 2u) << "entry " << i;
  }
}

TEST(SwitchNamesTable, EntriesAreFourteenAndTheMiddleThirteen) {
  const std::vector<std::string_view> expected = {
      "              ", "1 CS/A-ROT |_|", "2 D-R      |_|", "3 SNAP/DTC |_|", "4 PH/AUX2  |_|",
      "1 CS/A-ROT |^|", "2 D-R      |^|", "3 SNAP/DTC |^|", "4 PH/AUX2  |^|",
  };
  ASSERT_EQ(SwitchNames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(SwitchNames[i], expected[i]) << "entry " << i;
    EXPECT_EQ(SwitchNames[i].size(), 14u) << "entry " << i;
  }
  EXPECT_EQ(kSwitchMiddleName, "4 PH/AUX2 |-|");
  EXPECT_EQ(kSwitchMiddleName.size(), 13u);
}

struct DecoderCase {
  std::int32_t code;
  std::int32_t value;
};

TEST(SignedValueDecoder, ThresholdIs146AndCodesAbove255WrapOnce) {
  const std::vector<DecoderCase> cases = {
      {0, 0},
      {1, 1},
      {145, 145},
      {146, -110},
      {156, -100},
      {200, -56},
      {255, -1},
      {256, 0},
      {300, 44},
      {-1, -1},
      {-146, -146},
      {kMin, kMin},
      {kMax, 2147483391},
      {kMin + 1, kMin + 1},
  };
  for (const DecoderCase& c : cases) EXPECT_EQ(SignedValue(c.code), c.value) << "code " << c.code;
}

TEST(ExpoValueDecoder, ClosedTableAndMinusOneOutside) {
  const std::vector<DecoderCase> cases = {
      {0, 0},     {246, -100}, {247, -90}, {248, -80}, {249, -70}, {250, -60}, {251, -50},
      {252, -40}, {253, -30},  {254, -20}, {255, -10}, {1, -1},    {245, -1},  {256, -1},
      {-10, -1},  {-1, -1},    {kMin, -1}, {kMax, -1}, {502, -1},  // 246 + 256: no wrap into the
                                                                   // table
  };
  for (const DecoderCase& c : cases) EXPECT_EQ(ExpoValue(c.code), c.value) << "code " << c.code;
}

struct TextCase {
  const char* form;
  Form textOf;
  std::int32_t v;
  Outcome expected;
};

TEST(TextForms, BothSidesOfEveryBound) {
  const std::vector<TextCase> cases = {
      {"PlainText", PlainText, 0, Shows("0")},
      {"PlainText", PlainText, 200, Shows("200")},
      {"PlainText", PlainText, kMin, Shows("-2147483648")},
      {"PlainText", PlainText, kMax, Shows("2147483647")},
      {"SignedText", SignedText, 145, Shows("145")},
      {"SignedText", SignedText, 146, Shows("-110")},
      {"SignedText", SignedText, 200, Shows("-56")},
      {"SignedText", SignedText, kMin, Shows("-2147483648")},
      {"SignedText", SignedText, kMax, Shows("2147483391")},
      {"ExpoText", ExpoText, 0, Shows("0")},
      {"ExpoText", ExpoText, 253, Shows("-30")},
      {"ExpoText", ExpoText, 100, Shows("-1")},
      {"DoubledText", DoubledText, 255, Shows("-2")},
      {"DoubledText", DoubledText, 146, Shows("-220")},
      {"DoubledText", DoubledText, 50, Shows("100")},
      {"DoubledText", DoubledText, 1073742079, Shows("2147483646")},
      {"DoubledText", DoubledText, 1073742080, Fails(kIntegerOverflow)},
      {"DoubledText", DoubledText, kMax, Fails(kIntegerOverflow)},
      {"DoubledText", DoubledText, -1073741824, Shows("-2147483648")},
      {"DoubledText", DoubledText, -1073741825, Fails(kIntegerOverflow)},
      {"DoubledText", DoubledText, kMin, Fails(kIntegerOverflow)},
      {"TimesFiveText", TimesFiveText, 0, Shows("0")},
      {"TimesFiveText", TimesFiveText, 20, Shows("100")},
      {"TimesFiveText", TimesFiveText, 255, Shows("-5")},
      {"TimesFiveText", TimesFiveText, 429496985, Shows("2147483645")},
      {"TimesFiveText", TimesFiveText, 429496986, Fails(kIntegerOverflow)},
      {"TimesFiveText", TimesFiveText, -429496729, Shows("-2147483645")},
      {"TimesFiveText", TimesFiveText, -429496730, Fails(kIntegerOverflow)},
      {"ModeText", ModeText, 0, Shows("MODE1")},
      {"ModeText", ModeText, 7, Shows("MODE8")},
      {"ModeText", ModeText, 255, Shows("MODE256")},
      {"ModeText", ModeText, -1, Shows("MODE0")},
      {"ModeText", ModeText, -2, Shows("MODE-1")},
      {"ModeText", ModeText, kMin, Shows("MODE-2147483647")},
      {"ModeText", ModeText, kMax - 1, Shows("MODE2147483647")},
      {"ModeText", ModeText, kMax, Fails(kIntegerOverflow)},
      {"ServoNumberText", ServoNumberText, 0, Shows("S0")},
      {"ServoNumberText", ServoNumberText, 3, Shows("S3")},
      {"ServoNumberText", ServoNumberText, 255, Shows("S-1")},
      {"ServoNumberText", ServoNumberText, kMin, Shows("S-2147483648")},
      {"ChannelText", ChannelText, 0, Shows(" ")},
      {"ChannelText", ChannelText, 1, Shows("AI")},
      {"ChannelText", ChannelText, 6, Shows("F ")},
      {"ChannelText", ChannelText, 7, Shows("PH")},
      {"ChannelText", ChannelText, 8, Fails(kRangeCheckError)},
      {"ChannelText", ChannelText, -1, Fails(kRangeCheckError)},
      {"ChannelText", ChannelText, kMin, Fails(kRangeCheckError)},
      {"ChannelText", ChannelText, kMax, Fails(kRangeCheckError)},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(OutcomeOf(c.textOf, c.v), c.expected) << c.form << "(" << c.v << ")";
  }
}

TEST(SwitchTextForm, NamedCodesAndNoTextForTheRest) {
  const std::vector<std::pair<std::int32_t, std::string>> named = {
      {0, "              "},  {1, "1 CS/A-ROT |_|"},  {2, "2 D-R      |_|"},
      {3, "3 SNAP/DTC |_|"},  {4, "4 PH/AUX2  |_|"},  {36, "4 PH/AUX2 |-|"},
      {65, "1 CS/A-ROT |^|"}, {66, "2 D-R      |^|"}, {67, "3 SNAP/DTC |^|"},
      {68, "4 PH/AUX2  |^|"},
  };
  for (const auto& [code, name] : named)
    EXPECT_EQ(OutcomeOf(SwitchText, code), Shows(name)) << code;

  // No text is neither the empty text nor a failure.
  for (std::int32_t code : {5, 32, 33, 35, 37, 64, 69, 100, 256, 260, 292, -1, -60, kMin, kMax}) {
    EXPECT_EQ(OutcomeOf(SwitchText, code), kNoText) << code;
  }
}

}  // namespace
}  // namespace qzd
