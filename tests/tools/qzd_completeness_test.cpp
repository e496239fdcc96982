// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/fill.h"
#include "tests/model/unshown_slots.h"
#include "tests/tools/qzd_test_support.h"
#include "window/field_labels.h"

namespace qzd::cli::testing {
namespace {

using qzd::testing::Unshown;

// The fields and their labels come in the same order, the fill's.
std::string_view LabelOfSlot(int slot) {
  const auto fields = DisplayFields();
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].slot == slot) return window::DisplayFieldLabels()[i].label;
  }
  return {};
}

// For every slot, changing that one value changes the JSON output, the sheet and the diff's field
// lines exactly when a field shows the slot; the diff still counts a changed unshown slot and
// exits 1. The base is the HELI sample in a fresh window, where every field is visible.
TEST(Completeness, EverySlotReachesJsonSheetAndDiffExactlyWhenAFieldShowsIt) {
  const ModelValues base = LoadValues(kSourceDir / "examples/heli.qzd");
  TempDir dir;
  const std::string basePath = dir.WriteModel("base.qzd", base);
  const std::string variantPath = dir.WriteModel("variant.qzd", base);
  const RunResult baseJson = RunTool({"json", variantPath});
  const RunResult baseSheet = RunTool({"show", variantPath});
  ASSERT_EQ(baseJson.status, 0);
  ASSERT_EQ(baseSheet.status, 0);
  const std::string noFieldLines = "+++ " + variantPath + "\n0 fields differ; ";

  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    const bool shown = !Unshown(slot);
    const std::int32_t old = base[static_cast<std::size_t>(slot)];
    std::vector<std::int32_t> changes = {old == 0 ? 1 : 0};
    // An unshown slot must change nothing whatever it holds.
    if (!shown) changes.insert(changes.end(), {2147483647, -2147483647 - 1});

    for (const std::int32_t value : changes) {
      SCOPED_TRACE("slot " + std::to_string(slot) + " = " + std::to_string(value));
      ModelValues values = base;
      values[static_cast<std::size_t>(slot)] = value;
      dir.WriteModel("variant.qzd", values);

      EXPECT_EQ(RunTool({"json", variantPath}).out != baseJson.out, shown);
      EXPECT_EQ(RunTool({"show", variantPath}).out != baseSheet.out, shown);

      const RunResult diff = RunTool({"diff", basePath, variantPath});
      EXPECT_EQ(diff.status, 1);
      EXPECT_EQ(diff.out.find(noFieldLines) == std::string::npos, shown) << diff.out;
      if (shown) {
        EXPECT_NE(diff.out.find("\n" + std::string(LabelOfSlot(slot)) + ": "), std::string::npos)
            << diff.out;
        EXPECT_TRUE(diff.out.ends_with("; 0 slots that no field shows differ\n")) << diff.out;
      } else {
        EXPECT_TRUE(diff.out.ends_with("; 1 slot that no field shows differs (--all lists them)\n"))
            << diff.out;
      }
    }
  }
}

}  // namespace
}  // namespace qzd::cli::testing
