// SPDX-License-Identifier: MIT
// The element table that the build reads from the form, the field labels and the headless window.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "window/elements.h"
#include "window/field_labels.h"
#include "window/window_clicks.h"
#include "window/window_state.h"

namespace qzd::window {
namespace {

TEST(WindowElements, PagesAndClickedElementsAreWhatTheirRolesNeed) {
  for (const PageFacts& page : MainWindowFacts().pages) {
    EXPECT_EQ(page.frame.facts().kind, ElementKind::kFrame) << page.name;
    EXPECT_EQ(page.frame.facts().parent, MainWindowFacts().name) << page.name;
  }
  for (const ElementClick& click : ElementClicks()) {
    const ElementKind kind = click.element.facts().kind;
    EXPECT_TRUE(kind == ElementKind::kButton || kind == ElementKind::kFrame)
        << click.element.name();
  }
  EXPECT_EQ(ElementNamed("drai1l"), elements::drai1l);
  EXPECT_EQ(FindElement("no such element"), std::nullopt);
}

TEST(WindowElementsDeathTest, AnUnknownNameStopsTheProgram) {
  EXPECT_DEATH((void)ElementNamed("drai1x"), "the window has no element 'drai1x'");
  const WindowState window;
  EXPECT_DEATH((void)window.text("Buton1"), "the window has no element 'Buton1'");
}

TEST(FieldLabels, EveryFieldHasAUniqueLabelTheFormsCaptionWhereItHasOne) {
  std::set<std::string_view> labels;
  for (const FieldLabel& field : DisplayFieldLabels()) {
    EXPECT_EQ(field.field.facts().kind, ElementKind::kDisplayField) << field.field.name();
    EXPECT_TRUE(labels.insert(field.label).second) << field.label;
    EXPECT_FALSE(field.label.empty()) << field.field.name();
    EXPECT_EQ(field.label.find('"'), std::string_view::npos) << field.label;
  }
  const std::map<std::string_view, std::string_view> expected = {
      {"pos0", "list number"},
      {"pos1", "model type"},
      {"thr", "TH R"},
      {"Mode", "stick mode"},
      {"phases", "Use PHASES"},
      {"drai1l", "DR AI, Phase 1, DR1"},
      {"trimth3", "TRIM, Ph3, TH"},
      {"stl4", "SERVO 4, TRAVL, lower"},
      {"mixelfu", "EL-> F, upper"},
      {"fmix3dst", "free mixer 3, destination (to)"},
  };
  std::size_t found = 0;
  for (const FieldLabel& field : DisplayFieldLabels()) {
    const auto it = expected.find(field.field.name());
    if (it == expected.end()) continue;
    ++found;
    EXPECT_EQ(field.label, it->second);
  }
  EXPECT_EQ(found, expected.size());
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
  EXPECT_EQ(window.text(elements::helivar), "HELI not supported in this version!!!");
}

TEST(WindowState, AFrameHidesWhatItHoldsWithoutTheirOwnFlags) {
  WindowState window;
  EXPECT_TRUE(window.seen(elements::drai1l));
  window.SetVisible(elements::GroupBox2, false);
  EXPECT_FALSE(window.seen(elements::drai1l));
  EXPECT_TRUE(window.visible(elements::drai1l));
  window.SetVisible(elements::GroupBox2, true);
  EXPECT_TRUE(window.seen(elements::drai1l));
}

}  // namespace
}  // namespace qzd::window
