// SPDX-License-Identifier: MIT
#include "model/fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "tests/support/model_stores.h"

namespace qzd {
namespace {

using testing::GliderStore;
using testing::StoreWith;
using Kind = DisplayAction::Kind;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The fields in the order a fill sets them: pos0, the type caption, then the control, dual rate,
// expo, fixed value, trim, servo, mixer and free-mixer steps.
const std::vector<std::string_view> kFillOrder = {
    "pos0",      "pos1",      "thr",       "Mode",      "phases",    "drai1l",    "drai2l",
    "drai3l",    "drel1l",    "drel2l",    "drel3l",    "drru1l",    "drru2l",    "drru3l",
    "drai1h",    "drai2h",    "drai3h",    "drel1h",    "drel2h",    "drel3h",    "drru1h",
    "drru2h",    "drru3h",    "expai",     "expel",     "expru",     "fixai1",    "fixai2",
    "fixai3",    "fixel1",    "fixel2",    "fixel3",    "fixru1",    "fixru2",    "fixru3",
    "trimai1",   "trimai2",   "trimai3",   "trimel1",   "trimel2",   "trimel3",   "trimru1",
    "trimru2",   "trimru3",   "trimth1",   "trimth2",   "trimth3",   "sc1",       "sc2",
    "sc3",       "sc4",       "sc5",       "sc6",       "sc7",       "stl1",      "stl2",
    "stl3",      "stl4",      "stl5",      "stl6",      "stl7",      "stu1",      "stu2",
    "stu3",      "stu4",      "stu5",      "stu6",      "stu7",      "sr1",       "sr2",
    "sr3",       "sr4",       "sr5",       "sr6",       "sr7",       "mixths4",   "mixcombi",
    "mixaiai1l", "mixaiai2l", "mixaiai3l", "mixaiai1u", "mixaiai2u", "mixaiai3u", "mixfail",
    "mixfaiu",   "mixelail",  "mixelaiu",  "mixfixf1",  "mixfixf2",  "mixfixf3",  "mixofsai",
    "mixofsf",   "mixspai",   "mixspf",    "mixaif1l",  "mixaif2l",  "mixaif3l",  "mixaif1u",
    "mixaif2u",  "mixaif3u",  "mixffl",    "mixffu",    "mixelfl",   "mixelfu",   "mixdeltal",
    "mixdeltau", "mixthco",   "mixspco",   "mixfcol",   "mixfcou",   "mixylead",  "mixvtail",
    "mixais5",   "fmix1in",   "fmix2in",   "fmix3in",   "fmix1dst",  "fmix2dst",  "fmix3dst",
    "fmix1sw",   "fmix2sw",   "fmix3sw",   "fmix11l",   "fmix11u",   "fmix21l",   "fmix21u",
    "fmix31l",   "fmix31u",   "fmix12l",   "fmix12u",   "fmix22l",   "fmix22u",   "fmix32l",
    "fmix32u",   "fmix13l",   "fmix13u",   "fmix23l",   "fmix23u",   "fmix33l",   "fmix33u"};

// Show (S), hide (H) or no action (-) for EASY, GLIDER, ACRO and HELI, in the order of the actions.
struct TypeRow {
  std::string_view element;
  std::string_view byType;
};
const std::vector<TypeRow> kTypeRows = {
    {"Image4", "SHSH"},    {"Image5", "SSHH"},   {"Image6", "HHHS"},   {"helivar", "---S"},
    {"fixai1", "HSS-"},    {"fixai2", "HSS-"},   {"fixai3", "HSS-"},   {"fixel1", "HSS-"},
    {"fixel2", "HSS-"},    {"fixel3", "HSS-"},   {"fixru1", "HSS-"},   {"fixru2", "HSS-"},
    {"fixru3", "HSS-"},    {"mixths4", "SSH-"},  {"mixaif1l", "HSH-"}, {"mixaif2l", "HSH-"},
    {"mixaif3l", "HSH-"},  {"mixaif1u", "HSH-"}, {"mixaif2u", "HSH-"}, {"mixaif3u", "HSH-"},
    {"mixspf", "HSH-"},    {"mixfail", "SSH-"},  {"mixfaiu", "SSH-"},  {"mixffl", "HSH-"},
    {"mixffu", "HSH-"},    {"mixelail", "HSS-"}, {"mixelaiu", "HSS-"}, {"mixelfl", "HSH-"},
    {"mixelfu", "HSH-"},   {"mixfixf1", "HSH-"}, {"mixfixf2", "HSH-"}, {"mixfixf3", "HSH-"},
    {"mixfcol", "SSH-"},   {"mixfcou", "SSH-"},  {"mixylead", "SHS-"}, {"mixdeltal", "SHS-"},
    {"mixdeltau", "SHS-"}, {"mixais5", "SHS-"},  {"fmix21l", "HSS-"},  {"fmix21u", "HSS-"},
    {"fmix22l", "HSS-"},   {"fmix22u", "HSS-"},  {"fmix23l", "HSS-"},  {"fmix23u", "HSS-"},
    {"fmix2in", "HSS-"},   {"fmix2sw", "HSS-"},  {"fmix2dst", "HSS-"}, {"fmix31l", "HSS-"},
    {"fmix31u", "HSS-"},   {"fmix32l", "HSS-"},  {"fmix32u", "HSS-"},  {"fmix33l", "HSS-"},
    {"fmix33u", "HSS-"},   {"fmix3in", "HSS-"},  {"fmix3sw", "HSS-"},  {"fmix3dst", "HSS-"},
    {"Label66", "HSS-"},   {"Label67", "HSS-"},
};

std::vector<std::string_view> SetTextNames(const DisplayUpdate& update) {
  std::vector<std::string_view> names;
  for (const DisplayAction& a : update.actions) {
    if (a.kind == Kind::kSetText) names.push_back(a.element);
  }
  return names;
}

std::map<std::string_view, std::string> Texts(const DisplayUpdate& update) {
  std::map<std::string_view, std::string> texts;
  for (const DisplayAction& a : update.actions) {
    if (a.kind == Kind::kSetText) texts[a.element] = a.text;
  }
  return texts;
}

std::vector<DisplayAction> VisibilityActions(const DisplayUpdate& update) {
  std::vector<DisplayAction> actions;
  for (const DisplayAction& a : update.actions) {
    if (a.kind != Kind::kSetText) actions.push_back(a);
  }
  return actions;
}

std::string TextOfField(const DisplayUpdate& update, std::string_view name) {
  for (const DisplayAction& a : update.actions) {
    if (a.kind == Kind::kSetText && a.element == name) return a.text;
  }
  ADD_FAILURE() << name << " got no text";
  return {};
}

TEST(FillOrder, CompleteFillSetsEveryFieldOnceInOrder) {
  for (const ModelValueStore& store : {ModelValueStore{}, GliderStore()}) {
    const DisplayUpdate update = BuildDisplayUpdate(store);
    EXPECT_FALSE(update.stop);
    EXPECT_EQ(SetTextNames(update), kFillOrder);
    EXPECT_EQ(std::set<std::string_view>(kFillOrder.begin(), kFillOrder.end()).size(),
              kDisplayFieldCount);
  }
  std::vector<std::string_view> listed;
  for (const DisplayFieldInfo& field : DisplayFields()) listed.push_back(field.name);
  EXPECT_EQ(listed, kFillOrder);
}

struct TypeCase {
  std::int32_t slot1;
  std::string_view caption;
  int column;  // into TypeRow::byType; -1 for an unlisted type
};

TEST(ModelTypeRules, EachColumnInRowOrderBeforeTheControlFields) {
  const std::vector<TypeCase> cases = {
      {0, "EASY", 0},  {1, "GLIDER", 1}, {2, "ACRO", 2},   {3, "HELI", 3},    {4, "-?-", -1},
      {-1, "-?-", -1}, {5, "-?-", -1},   {256, "-?-", -1}, {kMin, "-?-", -1}, {kMax, "-?-", -1},
  };
  for (const TypeCase& c : cases) {
    SCOPED_TRACE(c.slot1);
    std::vector<DisplayAction> expected = {
        {Kind::kSetText, "pos0", "0"},
        {Kind::kHide, "helivar", {}},
        {Kind::kSetText, "pos1", std::string(c.caption)},
    };
    if (c.column >= 0) {
      for (const TypeRow& row : kTypeRows) {
        const char action = row.byType[static_cast<std::size_t>(c.column)];
        if (action != '-')
          expected.push_back({action == 'S' ? Kind::kShow : Kind::kHide, row.element, {}});
      }
    }
    expected.push_back({Kind::kSetText, "thr", "0"});

    const DisplayUpdate update = BuildDisplayUpdate(StoreWith({{1, c.slot1}}));
    ASSERT_GE(update.actions.size(), expected.size());
    const std::vector<DisplayAction> head(
        update.actions.begin(), update.actions.begin() + static_cast<long>(expected.size()));
    EXPECT_EQ(head, expected);
    // No show or hide comes after the type branch.
    EXPECT_EQ(VisibilityActions(update).size(), expected.size() - 3);
    EXPECT_EQ(ModelTypeOf(c.slot1),
              c.column < 0 ? ModelType::kUnlisted : static_cast<ModelType>(c.column));
  }
}

TEST(ModelTypeRules, HeliTouchesOnlyThePicturesAndTheWarning) {
  const std::vector<DisplayAction> expected = {
      {Kind::kHide, "helivar", {}}, {Kind::kHide, "Image4", {}},  {Kind::kHide, "Image5", {}},
      {Kind::kShow, "Image6", {}},  {Kind::kShow, "helivar", {}},
  };
  EXPECT_EQ(VisibilityActions(BuildDisplayUpdate(StoreWith({{1, 3}}))), expected);
}

TEST(FieldTexts, StoreOfZerosShowsAnEasyModel) {
  const std::map<std::string_view, std::string> special = {
      {"pos1", "EASY"},
      {"Mode", "MODE1"},
      {"mixths4", "??"},
      {"mixais5", "??"},
      {"fmix1in", " "},
      {"fmix2in", " "},
      {"fmix3in", " "},
      {"fmix1dst", "S0"},
      {"fmix2dst", "S0"},
      {"fmix3dst", "S0"},
      {"fmix1sw", std::string(14, ' ')},
      {"fmix2sw", std::string(14, ' ')},
      {"fmix3sw", std::string(14, ' ')},
  };
  const std::map<std::string_view, std::string> texts =
      Texts(BuildDisplayUpdate(ModelValueStore{}));
  ASSERT_EQ(texts.size(), kDisplayFieldCount);
  for (const auto& [name, text] : texts) {
    const auto it = special.find(name);
    EXPECT_EQ(text, it == special.end() ? "0" : it->second) << name;
  }
}

struct FieldCase {
  int slot;
  std::int32_t value;
  std::string_view field;
  std::string text;
};

TEST(FieldTexts, SameCodeReadsByEachFieldsOwnRule) {
  const std::vector<FieldCase> cases = {
      {0, 200, "pos0", "200"},
      {97, 200, "thr", "-56"},
      {96, 200, "Mode", "MODE201"},
      {96, 7, "Mode", "MODE8"},
      {8, 255, "phases", "-1"},
      {142, 246, "expai", "-100"},
      {142, 255, "expai", "-10"},
      {142, 100, "expai", "-1"},
      {180, 253, "expru", "-30"},
      {98, 255, "sr1", "-1"},
      {100, 146, "sc1", "-110"},
      {125, 145, "stu7", "145"},
      {147, 70, "drai1h", "70"},
      {199, 254, "trimth1", "-2"},
      {10, 20, "mixcombi", "100"},
      {10, 255, "mixcombi", "-5"},
      {18, 146, "mixspai", "-220"},
      {18, 50, "mixspai", "100"},
      {39, 255, "mixspf", "-2"},
      {21, 246, "mixaiai1l", "-10"},
      {21, 145, "mixaiai1l", "145"},
      {204, 0, "fmix1in", " "},
      {204, 6, "fmix1in", "F "},
      {226, 7, "fmix3in", "PH"},
      {216, 3, "fmix2dst", "S3"},
      {216, 255, "fmix2dst", "S-1"},
      {225, 0, "fmix3sw", std::string(14, ' ')},
      {225, 36, "fmix3sw", "4 PH/AUX2 |-|"},
      {225, 66, "fmix3sw", "2 D-R      |^|"},
      {225, 2, "fmix3sw", "2 D-R      |_|"},
      {9, 0, "mixths4", "??"},
      {9, 1, "mixths4", "??"},
      {9, 2, "mixths4", "EL"},
      {9, 4, "mixths4", "TH"},
      {9, 6, "mixths4", "F "},
      {9, 7, "mixths4", "PH"},
      {9, 8, "mixths4", "??"},
      {9, -1, "mixths4", "??"},
      {77, 0, "mixais5", "??"},
      {77, 1, "mixais5", "AI"},
      {77, 7, "mixais5", "PH"},
      {77, 8, "mixais5", "??"},
      {77, -1, "mixais5", "??"},
  };
  for (const FieldCase& c : cases) {
    const DisplayUpdate update = BuildDisplayUpdate(StoreWith({{c.slot, c.value}}));
    EXPECT_FALSE(update.stop) << c.field;
    EXPECT_EQ(TextOfField(update, c.field), c.text) << c.field << " with " << c.value;
  }
}

TEST(FieldTexts, SwitchCodeWithoutANameShowsQuestionMarks) {
  const DisplayUpdate update = BuildDisplayUpdate(StoreWith({{203, 5}, {214, 69}, {225, -1}}));
  EXPECT_FALSE(update.stop);
  EXPECT_EQ(SetTextNames(update), kFillOrder);
  EXPECT_EQ(TextOfField(update, "fmix1sw"), "??");
  EXPECT_EQ(TextOfField(update, "fmix2sw"), "??");
  EXPECT_EQ(TextOfField(update, "fmix3sw"), "??");
}

struct StopCase {
  int slot;
  std::int32_t value;
  std::optional<std::string_view> stopsAt;  // the failing field, or none when the fill completes
  std::string_view message;
  std::string_view text;  // the field's text when the fill completes
};

TEST(FillStop, BothSidesOfEveryBound) {
  const std::vector<StopCase> cases = {
      {96, kMax - 1, std::nullopt, "", "MODE2147483647"},
      {96, kMax, "Mode", "Integer overflow", ""},
      {10, 429496985, std::nullopt, "", "2147483645"},
      {10, 429496986, "mixcombi", "Integer overflow", ""},
      {10, -429496729, std::nullopt, "", "-2147483645"},
      {10, -429496730, "mixcombi", "Integer overflow", ""},
      {18, 1073742079, std::nullopt, "", "2147483646"},
      {18, 1073742080, "mixspai", "Integer overflow", ""},
      {18, -1073741824, std::nullopt, "", "-2147483648"},
      {18, -1073741825, "mixspai", "Integer overflow", ""},
      {39, 1073742079, std::nullopt, "", "2147483646"},
      {39, 1073742080, "mixspf", "Integer overflow", ""},
      {39, -1073741824, std::nullopt, "", "-2147483648"},
      {39, -1073741825, "mixspf", "Integer overflow", ""},
      {204, 7, std::nullopt, "", "PH"},
      {204, 8, "fmix1in", "Range check error", ""},
      {204, 0, std::nullopt, "", " "},
      {204, -1, "fmix1in", "Range check error", ""},
      {215, 8, "fmix2in", "Range check error", ""},
      {215, -1, "fmix2in", "Range check error", ""},
      {226, 8, "fmix3in", "Range check error", ""},
      {226, kMin, "fmix3in", "Range check error", ""},
  };
  for (const ModelValueStore& base : {ModelValueStore{}, GliderStore()}) {
    for (const StopCase& c : cases) {
      SCOPED_TRACE(::testing::Message() << "slot " << c.slot << " = " << c.value);
      ModelValueStore store = base;
      store.set(c.slot, c.value);
      const DisplayUpdate update = BuildDisplayUpdate(store);
      if (!c.stopsAt) {
        EXPECT_FALSE(update.stop);
        for (const DisplayFieldInfo& field : DisplayFields()) {
          if (field.slot == c.slot) {
            EXPECT_EQ(TextOfField(update, field.name), c.text);
          }
        }
        continue;
      }
      ASSERT_TRUE(update.stop);
      EXPECT_EQ(update.stop->message, c.message);
      // Exactly the actions of a fill that passes the field, up to that field's text.
      ModelValueStore passing = base;
      passing.set(c.slot, 0);
      const DisplayUpdate complete = BuildDisplayUpdate(passing);
      std::size_t failing = 0;
      while (complete.actions[failing].element != *c.stopsAt ||
             complete.actions[failing].kind != Kind::kSetText) {
        ++failing;
      }
      const std::vector<DisplayAction> before(
          complete.actions.begin(), complete.actions.begin() + static_cast<long>(failing));
      EXPECT_EQ(update.actions, before);
    }
  }
}

TEST(FillStop, TheFirstFailingFieldEndsTheFill) {
  const ModelValueStore store =
      StoreWith({{226, 8}, {215, 8}, {39, kMax}, {18, kMin}, {10, kMax}, {96, kMax}});
  ModelValueStore later = store;
  const std::vector<std::pair<int, std::string_view>> failures = {
      {96, "Mode"},   {10, "mixcombi"}, {18, "mixspai"},
      {39, "mixspf"}, {215, "fmix2in"}, {226, "fmix3in"}};
  for (const auto& [slot, field] : failures) {
    const DisplayUpdate update = BuildDisplayUpdate(later);
    ASSERT_TRUE(update.stop) << field;
    const std::vector<std::string_view> names = SetTextNames(update);
    ASSERT_FALSE(names.empty());
    const auto at = std::find(kFillOrder.begin(), kFillOrder.end(), field);
    EXPECT_EQ(names, std::vector<std::string_view>(kFillOrder.begin(), at)) << field;
    later.set(slot, 0);
  }
  EXPECT_FALSE(BuildDisplayUpdate(later).stop);
}

TEST(FillPurity, SameStoreGivesSameUpdateAndStaysUnchanged) {
  static_assert(std::is_invocable_v<decltype(&BuildDisplayUpdate), const ModelValueStore&>);
  for (const ModelValueStore& store : {ModelValueStore{}, GliderStore(), StoreWith({{96, kMax}})}) {
    const ModelValueStore before = store;
    const DisplayUpdate first = BuildDisplayUpdate(store);
    EXPECT_EQ(BuildDisplayUpdate(store), first);
    EXPECT_EQ(store, before);
  }
}

TEST(FillSlots, UnshownSlotsChangeNothing) {
  std::set<int> shown;
  for (const DisplayFieldInfo& field : DisplayFields()) shown.insert(field.slot);
  const ModelValueStore base = GliderStore();
  const DisplayUpdate expected = BuildDisplayUpdate(base);
  int unshown = 0;
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    if (shown.contains(slot)) continue;
    ++unshown;
    for (std::int32_t value : {1, 255, -1, kMin, kMax}) {
      ModelValueStore store = base;
      store.set(slot, value);
      EXPECT_EQ(BuildDisplayUpdate(store), expected) << "slot " << slot << " = " << value;
    }
  }
  EXPECT_EQ(unshown, 161);
}

TEST(FillSlots, EachShownSlotChangesOnlyItsOwnField) {
  const DisplayUpdate zero = BuildDisplayUpdate(ModelValueStore{});
  const std::map<std::string_view, std::string> zeroTexts = Texts(zero);
  for (const DisplayFieldInfo& field : DisplayFields()) {
    if (field.slot == kModelTypeSlot) continue;
    const DisplayUpdate update = BuildDisplayUpdate(StoreWith({{field.slot, 2}}));
    EXPECT_EQ(VisibilityActions(update), VisibilityActions(zero)) << field.name;
    for (const auto& [name, text] : Texts(update)) {
      if (name == field.name) {
        EXPECT_NE(text, zeroTexts.at(name)) << name;
      } else {
        EXPECT_EQ(text, zeroTexts.at(name)) << field.name << " changed " << name;
      }
    }
  }
}

}  // namespace
}  // namespace qzd
