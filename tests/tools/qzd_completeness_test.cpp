#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/display_update.h"
#include "tests/tools/qzd_test_support.h"

namespace qzd::cli::testing {
namespace {

struct SlotRange {
  int first;
  int last;
};

// The loaded slots that no field of the window shows.
constexpr std::array<SlotRange, 27> kUnshownSlots = {{
    {2, 7},     {11, 12},   {19, 20},   {29, 32},   {35, 38},   {40, 41},   {50, 53},
    {56, 59},   {61, 62},   {64, 65},   {68, 71},   {76, 76},   {78, 95},   {126, 141},
    {143, 145}, {152, 153}, {160, 160}, {162, 164}, {171, 172}, {179, 179}, {181, 183},
    {190, 191}, {198, 198}, {202, 202}, {212, 213}, {223, 224}, {234, 300},
}};

bool Unshown(int slot) {
  for (const SlotRange& range : kUnshownSlots) {
    if (slot >= range.first && slot <= range.last) return true;
  }
  return false;
}

std::string_view LabelOfSlot(int slot) {
  for (const DisplayFieldInfo& field : DisplayFields()) {
    if (field.slot == slot) return field.label;
  }
  return {};
}

TEST(Completeness, UnshownSlotTableHas161Slots) {
  int count = 0;
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) count += Unshown(slot);
  EXPECT_EQ(count, 161);
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
