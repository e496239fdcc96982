// The element table that the build reads from the form, and the headless window state.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/fill.h"
#include "viewer/core/window_state.h"
#include "viewer/help_panel_cycle.h"

namespace qzd::viewer {
namespace {

using Kind = DisplayAction::Kind;

TEST(WindowElements, EveryNameAFillOrThePageCycleUsesIsAnElementOfTheRightKind) {
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
}

TEST(WindowElements, TheTableIsOneTreeListedParentsFirstWithItsStackingAndFocusChain) {
  const WindowFacts& window = MainWindowFacts();
  std::set<std::string_view> listed{window.name};
  std::set<int> tabOrder;
  for (const ElementFacts& element : window.elements) {
    EXPECT_TRUE(listed.contains(element.parent)) << element.name << " before its parent";
    EXPECT_TRUE(listed.insert(element.name).second) << element.name << " twice";
    const ElementFacts* parent = FindElement(element.parent);
    if (parent != nullptr) {
      EXPECT_EQ(parent->kind, ElementKind::kFrame) << element.name;
      EXPECT_EQ(element.windowPlace.x, parent->windowPlace.x + element.geometry.x);
      EXPECT_EQ(element.windowPlace.y, parent->windowPlace.y + element.geometry.y);
    }
    if (element.tabOrder >= 0) {
      EXPECT_TRUE(tabOrder.insert(element.tabOrder).second) << element.name;
    }
    EXPECT_EQ(element.picture.empty(), element.kind != ElementKind::kPictureBox) << element.name;
  }
  // Each parent's elements are numbered 0, 1, ... from the lowest up.
  for (const std::string_view parent : listed) {
    const auto children = ChildrenOf(parent);
    for (std::size_t i = 0; i < children.size(); ++i) {
      EXPECT_EQ(children[i]->stackIndex, static_cast<int>(i)) << children[i]->name;
    }
  }
  // The focus chain runs 0, 1, ... without a gap.
  EXPECT_EQ(tabOrder.size(),
            tabOrder.empty() ? 0u : static_cast<std::size_t>(*tabOrder.rbegin() + 1));
  EXPECT_EQ(FindElement("no such element"), nullptr);
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
  const DisplayUpdate update{{{Kind::Hide, "fixai1", {}},
                              {Kind::SetText, "fixai1", "-25"},
                              {Kind::SetText, "pos0", "17"},
                              {Kind::Show, "Image6", {}},
                              {Kind::SetText, "pos0", "18"},
                              {Kind::Hide, "no such element", {}},
                              {Kind::SetText, "drai1l", "100"}},
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

TEST(WindowState, ThePageCycleShowsOnePageAtATimeAndKeepsTheFieldFlagsInside) {
  WindowState window;
  window.SetVisible("mixfixf1", false);
  HelpPanelCycle cycle(window);
  cycle.Advance();
  EXPECT_TRUE(window.seen("Image1"));
  EXPECT_FALSE(window.seen("mixths4"));
  for (int i = 0; i < 3; ++i) cycle.Advance();
  EXPECT_TRUE(window.seen("mixths4"));
  EXPECT_FALSE(window.seen("mixfixf1"));
  EXPECT_FALSE(window.seen("Image1"));
}

}  // namespace
}  // namespace qzd::viewer
