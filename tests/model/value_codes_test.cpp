#include "model/value_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace qzd {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

FieldText Shows(std::string text) {
  return FieldText{std::move(text), {}};
}
FieldText Fails(std::string_view message) {
  return FieldText{std::nullopt, message};
}

TEST(ValueCodes, SignedValue) {
  EXPECT_EQ(SignedValue(145), 145);
  EXPECT_EQ(SignedValue(146), -110);
  EXPECT_EQ(SignedValue(255), -1);
  EXPECT_EQ(SignedValue(256), 0);
  EXPECT_EQ(SignedValue(kMax), 2147483391);
  EXPECT_EQ(SignedValue(kMin), kMin);
}

TEST(ValueCodes, TextForms) {
  EXPECT_EQ(ModeText(0), Shows("MODE1"));
  EXPECT_EQ(ModeText(kMax), Fails(kIntegerOverflow));
  EXPECT_EQ(ChannelText(8), Fails(kRangeCheckError));
  EXPECT_EQ(SwitchText(5), FieldText{});
  EXPECT_EQ(SwitchText(36), Shows("4 PH/AUX2 |-|"));
}

}  // namespace
}  // namespace qzd
