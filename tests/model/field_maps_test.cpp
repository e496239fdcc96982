// SPDX-License-Identifier: MIT
#include "model/field_maps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/fill.h"
#include "tests/model/unshown_slots.h"

namespace qzd {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::vector<FieldMapRow> AllRows() {
  std::vector<FieldMapRow> rows(ControlSettingsMap().begin(), ControlSettingsMap().end());
  rows.insert(rows.end(), MixerSettingsMap().begin(), MixerSettingsMap().end());
  return rows;
}

// Every field's slot worked out from the store layout (blocks, strides, offsets), not from the
// maps' own rows.
std::map<std::string, int> SlotsByLayout() {
  std::map<std::string, int> slots = {
      {"pos0", 0},      {"phases", 8},    {"Mode", 96},     {"thr", 97},      {"mixths4", 9},
      {"mixcombi", 10}, {"mixofsai", 16}, {"mixofsf", 17},  {"mixspai", 18},  {"mixspf", 39},
      {"mixthco", 60},  {"mixspco", 63},  {"mixvtail", 74}, {"mixylead", 75}, {"mixais5", 77},
  };
  for (int k = 1; k <= 7; ++k) {
    const int block = 98 + 4 * (k - 1);
    const std::string n = std::to_string(k);
    slots["sr" + n] = block;
    slots["stl" + n] = block + 1;
    slots["sc" + n] = block + 2;
    slots["stu" + n] = block + 3;
  }
  const std::vector<std::pair<std::string, int>> axes = {{"ai", 142}, {"el", 161}, {"ru", 180}};
  for (const auto& [axis, base] : axes) {
    slots["exp" + axis] = base;
    for (int p = 1; p <= 3; ++p) {
      const std::string n = std::to_string(p);
      slots["dr" + axis + n + "l"] = base + 2 + 2 * p;
      slots["dr" + axis + n + "h"] = base + 3 + 2 * p;
      slots["fix" + axis + n] = base + 11 + p;
      slots["trim" + axis + n] = base + 14 + p;
    }
  }
  for (int p = 1; p <= 3; ++p) {
    const std::string n = std::to_string(p);
    slots["trimth" + n] = 198 + p;
    slots["mixaiai" + n + "l"] = 19 + 2 * p;
    slots["mixaiai" + n + "u"] = 20 + 2 * p;
    slots["mixaif" + n + "l"] = 40 + 2 * p;
    slots["mixaif" + n + "u"] = 41 + 2 * p;
    slots["mixfixf" + n] = 12 + p;
  }
  const std::vector<std::pair<std::string, int>> pairs = {
      {"mixfai", 27}, {"mixelai", 33}, {"mixff", 48},
      {"mixelf", 54}, {"mixfco", 66},  {"mixdelta", 72},
  };
  for (const auto& [name, lower] : pairs) {
    slots[name + "l"] = lower;
    slots[name + "u"] = lower + 1;
  }
  for (int m = 1; m <= 3; ++m) {
    const int record = 203 + 11 * (m - 1);
    const std::string n = std::to_string(m);
    slots["fmix" + n + "sw"] = record;
    slots["fmix" + n + "in"] = record + 1;
    slots["fmix" + n + "dst"] = record + 2;
    for (int p = 1; p <= 3; ++p) {
      slots["fmix" + n + std::to_string(p) + "l"] = record + 1 + 2 * p;
      slots["fmix" + n + std::to_string(p) + "u"] = record + 2 + 2 * p;
    }
  }
  return slots;
}

TEST(FieldMaps, EveryFieldReadsTheSlotOfTheStoreLayout) {
  const std::map<std::string, int> expected = SlotsByLayout();
  const std::vector<FieldMapRow> rows = AllRows();
  EXPECT_EQ(ControlSettingsMap().size(), 74u);
  EXPECT_EQ(MixerSettingsMap().size(), 65u);
  ASSERT_EQ(expected.size(), rows.size());
  for (const FieldMapRow& row : rows) {
    const auto it = expected.find(std::string(row.name));
    ASSERT_NE(it, expected.end()) << row.name;
    EXPECT_EQ(row.slot, it->second) << row.name;
  }
}

TEST(FieldMaps, TextFormByField) {
  const std::map<std::string, TextForm> special = {
      {"pos0", TextForm::kPlain},           {"Mode", TextForm::kMode},
      {"expai", TextForm::kExpo},           {"expel", TextForm::kExpo},
      {"expru", TextForm::kExpo},           {"mixcombi", TextForm::kTimesFive},
      {"mixspai", TextForm::kDoubled},      {"mixspf", TextForm::kDoubled},
      {"mixths4", TextForm::kChannelToS4},  {"mixais5", TextForm::kChannelToS5},
      {"fmix1in", TextForm::kChannel},      {"fmix2in", TextForm::kChannel},
      {"fmix3in", TextForm::kChannel},      {"fmix1sw", TextForm::kSwitch},
      {"fmix2sw", TextForm::kSwitch},       {"fmix3sw", TextForm::kSwitch},
      {"fmix1dst", TextForm::kServoNumber}, {"fmix2dst", TextForm::kServoNumber},
      {"fmix3dst", TextForm::kServoNumber},
  };
  for (const FieldMapRow& row : AllRows()) {
    const auto it = special.find(std::string(row.name));
    EXPECT_EQ(row.form, it == special.end() ? TextForm::kSigned : it->second) << row.name;
  }
}

TEST(FieldMaps, ShownAndUnshownSlotsSplitTheFile) {
  int unshown = 0;
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot)
    unshown += testing::Unshown(slot);
  EXPECT_EQ(unshown, 161);
  std::set<int> shown;
  for (const DisplayFieldInfo& field : DisplayFields()) {
    EXPECT_TRUE(shown.insert(field.slot).second) << "slot " << field.slot << " shown twice";
    EXPECT_FALSE(testing::Unshown(field.slot)) << field.name;
  }
  EXPECT_EQ(shown.size() + static_cast<std::size_t>(unshown), 301u);
}

// Their labels, some of which the window's captions give, are the window core's; see
// FieldLabels there.
TEST(DisplayFieldList, NamesAreUnique) {
  ASSERT_EQ(DisplayFields().size(), kDisplayFieldCount);
  std::set<std::string_view> names;
  for (const DisplayFieldInfo& field : DisplayFields()) {
    EXPECT_TRUE(names.insert(field.name).second) << field.name;
  }
}

struct GuardCase {
  std::int32_t code;
  std::string toS4;
  std::string toS5;
};

TEST(GuardedChannelFields, ShowQuestionMarksOutsideTheirOwnRange) {
  const std::vector<GuardCase> cases = {
      {kMin, "??", "??"}, {-1, "??", "??"}, {0, "??", "??"}, {1, "??", "AI"},
      {2, "EL", "EL"},    {3, "RU", "RU"},  {4, "TH", "TH"}, {5, "SP", "SP"},
      {6, "F ", "F "},    {7, "PH", "PH"},  {8, "??", "??"}, {kMax, "??", "??"},
  };
  for (const GuardCase& c : cases) {
    std::string toS4;
    std::string toS5;
    EXPECT_FALSE(TextOf(TextForm::kChannelToS4, c.code, toS4).failed());
    EXPECT_FALSE(TextOf(TextForm::kChannelToS5, c.code, toS5).failed());
    EXPECT_EQ(toS4, c.toS4) << c.code;
    EXPECT_EQ(toS5, c.toS5) << c.code;
  }
}

}  // namespace
}  // namespace qzd
