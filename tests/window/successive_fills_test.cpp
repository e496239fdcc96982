// SPDX-License-Identifier: MIT
// Fills one after another on the headless window, which starts as the form opens it: what a fill
// does not set carries over from the one before.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "model/field_maps.h"
#include "model/fill.h"
#include "tests/support/model_stores.h"
#include "window/load_command.h"
#include "window/window_state.h"

namespace qzd {
namespace {

using testing::GliderStore;
using testing::StoreWith;

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// What the window shows after fills one after another: the headless window, as the form opens it.
class Screen {
 public:
  // Returns the stop message, as the load command would get it.
  std::optional<std::string> Fill(const ModelValueStore& store) {
    const std::optional<FillStop> stop = window::FillForm(store, window_);
    if (stop) return stop->message;
    return std::nullopt;
  }
  const std::string& text(std::string_view name) const { return window_.text(name); }
  bool visible(std::string_view name) const { return window_.visible(name); }
  // Every element's own visibility flag, by name.
  std::map<std::string_view, bool> visibility() const {
    std::map<std::string_view, bool> flags;
    for (const window::ElementFacts& e : window::MainWindowFacts().elements) {
      flags[e.name] = window_.visible(e.name);
    }
    return flags;
  }

 private:
  window::WindowState window_;
};

TEST(SuccessiveFills, HeliKeepsTheFieldVisibilityOfTheGliderBefore) {
  Screen screen;
  screen.Fill(GliderStore());
  std::map<std::string_view, bool> afterGlider = screen.visibility();
  ModelValueStore heli = GliderStore();
  heli.set(1, 3);
  heli.set(206, 99);
  EXPECT_FALSE(screen.Fill(heli));
  afterGlider["Image4"] = false;
  afterGlider["Image5"] = false;
  afterGlider["Image6"] = true;
  afterGlider["helivar"] = true;
  EXPECT_EQ(screen.visibility(), afterGlider);
  EXPECT_EQ(screen.text("pos1"), "HELI");
  EXPECT_EQ(screen.text("fmix11l"), "99");
}

TEST(SuccessiveFills, UnlistedTypeKeepsWhatEasyHidAndUpdatesItsText) {
  Screen screen;
  screen.Fill(ModelValueStore{});
  const std::map<std::string_view, bool> afterEasy = screen.visibility();
  EXPECT_FALSE(screen.visible("fixai1"));
  EXPECT_TRUE(screen.visible("Image4"));
  EXPECT_TRUE(screen.visible("Image5"));
  EXPECT_FALSE(screen.Fill(StoreWith({{1, 4}, {154, 12}})));
  EXPECT_EQ(screen.visibility(), afterEasy);
  EXPECT_EQ(screen.text("pos1"), "-?-");
  EXPECT_EQ(screen.text("fixai1"), "12");
  // The same store as a glider shows the field with the text it already had.
  EXPECT_FALSE(screen.Fill(StoreWith({{1, 1}, {154, 12}})));
  EXPECT_TRUE(screen.visible("fixai1"));
  EXPECT_EQ(screen.text("fixai1"), "12");
}

TEST(SuccessiveFills, StoppedFillLeavesLaterFieldsWithThePreviousText) {
  Screen screen;
  screen.Fill(GliderStore());
  const Screen before = screen;
  ModelValueStore next = StoreWith({{0, 9}, {1, 2}, {97, 10}, {96, kMax}, {8, 3}, {206, 7}});
  EXPECT_EQ(screen.Fill(next), "Integer overflow");
  EXPECT_EQ(screen.text("pos0"), "9");
  EXPECT_EQ(screen.text("pos1"), "ACRO");
  EXPECT_EQ(screen.text("thr"), "10");
  EXPECT_FALSE(screen.visible("mixths4"));  // the ACRO column applied in full
  for (const DisplayFieldInfo& field : DisplayFields()) {
    const std::string_view name = field.name;
    if (name == "pos0" || name == "pos1" || name == "thr") continue;
    EXPECT_EQ(screen.text(name), before.text(name)) << name;
  }

  next.set(96, 0);
  next.set(215, -1);
  EXPECT_EQ(screen.Fill(next), "Range check error");
  EXPECT_EQ(screen.text("fmix1in"), " ");
  EXPECT_EQ(screen.text("Mode"), "MODE1");
  for (std::string_view name :
       {"fmix2in", "fmix3in", "fmix1dst", "fmix1sw", "fmix11l", "fmix33u"}) {
    EXPECT_EQ(screen.text(name), before.text(name)) << name;
  }
}

}  // namespace
}  // namespace qzd
