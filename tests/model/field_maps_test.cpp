#include "model/field_maps.h"

#include <gtest/gtest.h>

namespace qzd {
namespace {

TEST(FieldMaps, Sizes) {
  EXPECT_EQ(ControlSettingsMap().size(), 74u);
  EXPECT_EQ(MixerSettingsMap().size(), 65u);
}

}  // namespace
}  // namespace qzd
