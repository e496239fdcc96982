// SPDX-License-Identifier: MIT
#include "viewer/help_panel_cycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/core/window_state.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;

// Records every show and hide in order, and applies them to the window without a screen, which
// opens as the form says.
class RecordingPages final : public PageFrames {
 public:
  void SetPageVisible(std::string_view frame, bool visible) override {
    calls.push_back((visible ? "show " : "hide ") + std::string(frame));
    window.SetPageVisible(frame, visible);
  }
  // The pages seen now, in the order of the cycle's table.
  std::vector<std::string> Visible() const {
    std::vector<std::string> v;
    for (const HelpPanelStep& step : kHelpPanelSteps) {
      if (window.seen(step.show)) v.emplace_back(step.show);
    }
    return v;
  }
  std::vector<std::string> calls;
  WindowState window;
};

TEST(HelpPanelCycle, StartsAtZeroAndTouchesNothingUntilAdvanced) {
  RecordingPages pages;
  HelpPanelCycle cycle(pages);
  EXPECT_EQ(cycle.state(), HelpPanelState{0});
  EXPECT_TRUE(pages.calls.empty());
}

TEST(HelpPanelCycle, FirstAdvanceShowsServoConnectionThenHidesTheOthersInOrder) {
  RecordingPages pages;
  HelpPanelCycle cycle(pages);
  cycle.Advance();
  EXPECT_THAT(pages.calls,
              ElementsAre("show GroupBox5", "hide GroupBox3", "hide GroupBox6", "hide GroupBox7"));
  EXPECT_THAT(pages.Visible(), ElementsAre("GroupBox5"));
  EXPECT_EQ(cycle.state(), HelpPanelState{3});
}

TEST(HelpPanelCycle, EachStateShowsItsPageAndHidesTheRestInTableOrder) {
  struct Row {
    int state;
    std::vector<std::string> calls;
    int next;
  };
  const std::vector<Row> rows = {
      {1, {"show GroupBox3", "hide GroupBox5", "hide GroupBox6", "hide GroupBox7"}, 2},
      {2, {"show GroupBox5", "hide GroupBox3", "hide GroupBox6", "hide GroupBox7"}, 3},
      {3, {"show GroupBox6", "hide GroupBox5", "hide GroupBox3", "hide GroupBox7"}, 4},
      {4, {"show GroupBox7", "hide GroupBox5", "hide GroupBox3", "hide GroupBox6"}, 1},
  };
  RecordingPages pages;
  HelpPanelCycle cycle(pages);
  cycle.ResetToMixer();
  for (const Row& row : rows) {
    ASSERT_EQ(cycle.state(), HelpPanelState{row.state});
    pages.calls.clear();
    cycle.Advance();
    EXPECT_EQ(pages.calls, row.calls) << "state " << row.state;
    EXPECT_EQ(cycle.state(), HelpPanelState{row.next}) << "state " << row.state;
  }
}

TEST(HelpPanelCycle, FromStartTheUserSeesEveryPageOnceInFourAdvances) {
  RecordingPages pages;
  HelpPanelCycle cycle(pages);
  std::vector<std::vector<std::string>> seen;
  for (int i = 0; i < 8; ++i) {
    cycle.Advance();
    seen.push_back(pages.Visible());
  }
  using V = std::vector<std::string>;
  EXPECT_THAT(seen, ElementsAre(V{"GroupBox5"}, V{"GroupBox6"}, V{"GroupBox7"}, V{"GroupBox3"},
                                V{"GroupBox5"}, V{"GroupBox6"}, V{"GroupBox7"}, V{"GroupBox3"}));
}

TEST(HelpPanelCycle, ResetFromAnyPageShowsMixerAndLeavesStateTwo) {
  for (int advances = 0; advances < 5; ++advances) {
    RecordingPages pages;
    HelpPanelCycle cycle(pages);
    for (int i = 0; i < advances; ++i) cycle.Advance();
    cycle.ResetToMixer();
    cycle.Advance();
    EXPECT_THAT(pages.Visible(), ElementsAre("GroupBox3")) << advances;
    EXPECT_EQ(cycle.state(), HelpPanelState{2}) << advances;
    cycle.Advance();
    EXPECT_THAT(pages.Visible(), ElementsAre("GroupBox5")) << advances;
  }
}

}  // namespace
}  // namespace qzd::viewer
