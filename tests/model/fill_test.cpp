#include <gtest/gtest.h>

#include "model/display_update.h"

namespace qzd {
namespace {

TEST(Fill, ZeroStoreSetsEveryField) {
  const DisplayUpdate update = BuildDisplayUpdate(ModelValueStore{});
  EXPECT_FALSE(update.stop);
  std::size_t texts = 0;
  for (const DisplayAction& action : update.actions) {
    if (action.kind == DisplayAction::Kind::SetText) ++texts;
  }
  EXPECT_EQ(texts, kDisplayFieldCount);
  EXPECT_EQ(DisplayFields().size(), kDisplayFieldCount);
}

}  // namespace
}  // namespace qzd
