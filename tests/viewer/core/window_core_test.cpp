// SPDX-License-Identifier: MIT
// The element table that the build reads from the form, and the headless window state.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/fill.h"
#include "viewer/core/window_clicks.h"
#include "viewer/core/window_state.h"
#include "viewer/help_panel_cycle.h"

namespace qzd::viewer {
namespace {

using Kind = DisplayAction::Kind;

TEST(WindowElements, EveryNameAFillThePageCycleOrAClickUsesIsAnElementOfTheRightKind) {
  for (const DisplayFieldInfo& field : DisplayFields()) {
    const ElementFacts* element = FindElement(field.name);
    ASSERT_NE(element, nullptr) << field.name;
    EXPECT_EQ(element->kind, ElementKind::kDisplayField) << field.name;
  }
  // Every element any model type shows or hides.
  for (std::int32_t type = 0; type <= 4; ++type) {
    ModelValueStore store;
    store.set(kModelTypeSlot, type);
    for (const DisplayAction& action : BuildDisplayUpdate(store).actions) {
      EXPECT_NE(FindElement(action.element), nullptr) << action.element;
    }
  }
  for (const HelpPanelStep& step : kHelpPanelSteps) {
    const ElementFacts* page = FindElement(step.show);
    ASSERT_NE(page, nullptr) << step.show;
    EXPECT_EQ(page->kind, ElementKind::kFrame);
    EXPECT_EQ(page->parent, MainWindowFacts().name);
  }
  for (const ElementClick& click : kElementClicks) {
    const ElementFacts* element = FindElement(click.element);
    ASSERT_NE(element, nullptr) << click.element;
    EXPECT_TRUE(element->kind == ElementKind::kButton || element->kind == ElementKind::kFrame)
        << click.element;
  }
}

// The rule of the window at start: every element visible except the warning and the three type
// pictures; the captions show their text and the fields are empty.
TEST(WindowState, StartsAsTheWindowOpens) {
  const WindowState window;
  const std::set<std::string_view> hidden = {"helivar", "Image4", "Image5", "Image6"};
  for (const ElementFacts& element : MainWindowFacts().elements) {
    EXPECT_EQ(window.visible(element.name), !hidden.contains(element.name)) << element.name;
    EXPECT_EQ(window.text(element.name), element.caption) << element.name;
    if (element.kind == ElementKind::kDisplayField) {
      EXPECT_EQ(window.text(element.name), "") << element.name;
    }
  }
  EXPECT_EQ(window.text("helivar"), "HELI not supported in this version!!!");
}

TEST(WindowState, AppliesAnUpdateInOrderAndAFrameHidesWhatItHoldsWithoutTheirFlags) {
  WindowState window;
  const DisplayUpdate update{{{Kind::kHide, "fixai1", {}},
                              {Kind::kSetText, "fixai1", "-25"},
                              {Kind::kSetText, "pos0", "17"},
                              {Kind::kShow, "Image6", {}},
                              {Kind::kSetText, "pos0", "18"},
                              {Kind::kHide, "no such element", {}},
                              {Kind::kSetText, "drai1l", "100"}},
                             FillStop{"Integer overflow"}};
  EXPECT_EQ(window.Apply(update), FillStop{"Integer overflow"});
  EXPECT_FALSE(window.visible("fixai1"));
  EXPECT_EQ(window.text("fixai1"), "-25");
  EXPECT_EQ(window.text("pos0"), "18");
  EXPECT_TRUE(window.seen("Image6"));
  EXPECT_FALSE(window.visible("no such element"));
  EXPECT_FALSE(window.seen("no such element"));

  EXPECT_TRUE(window.seen("drai1l"));
  window.SetPageVisible("GroupBox2", false);
  EXPECT_FALSE(window.seen("drai1l"));
  EXPECT_TRUE(window.visible("drai1l"));
  window.SetVisible("GroupBox2", true);
  EXPECT_TRUE(window.seen("drai1l"));
}

}  // namespace
}  // namespace qzd::viewer
