// SPDX-License-Identifier: MIT
#include "window/page_cycle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/window/recording_front_end.h"

namespace qzd::window {
namespace {

using ::testing::ElementsAre;
using testing::RecordingFrontEnd;

// The page frames seen now, in page order.
std::vector<std::string> SeenPages(const WindowState& window) {
  std::vector<std::string> seen;
  for (const PageFacts& page : MainWindowFacts().pages) {
    if (window.seen(page.frame)) seen.emplace_back(page.frame.name());
  }
  return seen;
}

TEST(PageCycle, StartsAtZeroAndTouchesNothingUntilAdvanced) {
  RecordingFrontEnd window;
  PageCycle cycle(window);
  EXPECT_EQ(cycle.state(), HelpPanelState{0});
  EXPECT_TRUE(window.log.empty());
}

TEST(PageCycle, EachStateShowsItsPageAndHidesTheRestInTableOrder) {
  struct Row {
    int state;
    std::vector<std::string> calls;
    int next;
  };
  const std::vector<Row> rows = {
      {0, {"show GroupBox5", "hide GroupBox3", "hide GroupBox6", "hide GroupBox7"}, 3},
      {1, {"show GroupBox3", "hide GroupBox5", "hide GroupBox6", "hide GroupBox7"}, 2},
      {2, {"show GroupBox5", "hide GroupBox3", "hide GroupBox6", "hide GroupBox7"}, 3},
      {3, {"show GroupBox6", "hide GroupBox5", "hide GroupBox3", "hide GroupBox7"}, 4},
      {4, {"show GroupBox7", "hide GroupBox5", "hide GroupBox3", "hide GroupBox6"}, 1},
  };
  for (const Row& row : rows) {
    RecordingFrontEnd window;
    PageCycle cycle(window);
    if (row.state != 0) {
      cycle.Reset();
      while (cycle.state() != HelpPanelState{row.state}) cycle.Advance();
    }
    window.log.clear();
    cycle.Advance();
    EXPECT_EQ(window.log, row.calls) << "state " << row.state;
    EXPECT_EQ(cycle.state(), HelpPanelState{row.next}) << "state " << row.state;
    EXPECT_EQ(SeenPages(window), std::vector<std::string>{row.calls.front().substr(5)});
  }
}

TEST(PageCycle, ResetFromAnyPageShowsMixerAndLeavesStateTwo) {
  for (int advances = 0; advances < 5; ++advances) {
    RecordingFrontEnd window;
    PageCycle cycle(window);
    for (int i = 0; i < advances; ++i) cycle.Advance();
    cycle.Reset();
    cycle.Advance();
    EXPECT_THAT(SeenPages(window), ElementsAre("GroupBox3")) << advances;
    EXPECT_EQ(cycle.state(), HelpPanelState{2}) << advances;
  }
}

// The export asks for a page by name; it must get there as clicks on `>>` would, from any page.
TEST(PageCycle, ShowPageAdvancesUntilThePageLiesOnTop) {
  for (const PageFacts& from : MainWindowFacts().pages) {
    for (const PageFacts& to : MainWindowFacts().pages) {
      RecordingFrontEnd window;
      PageCycle cycle(window);
      cycle.Reset();  // as a load leaves the window: MIXER alone
      cycle.Advance();
      cycle.ShowPage(from);
      window.log.clear();
      cycle.ShowPage(to);
      EXPECT_THAT(SeenPages(window), ElementsAre(std::string(to.frame.name())));
      const int advances = (to.number - from.number + 4) % 4;
      EXPECT_EQ(window.log.size(), 4u * static_cast<std::size_t>(advances)) << from.name << to.name;
    }
  }
}

}  // namespace
}  // namespace qzd::window
