// SPDX-License-Identifier: MIT
#include "window/page_cycle.h"

#include <algorithm>

namespace qzd::window {

namespace {

ElementId PageFrame(int number) {
  // The steps name pages 1 to 4, which the form's page table is checked to hold.
  return PageNumbered(number)->frame;
}

}  // namespace

void PageCycle::Advance() {
  // Before the first advance or load the MIXER page already lies on top, so the cycle starts
  // one page further on.
  if (state_.value == 0) state_ = HelpPanelState{2};
  const auto* step = std::find_if(kPageCycleSteps.begin(), kPageCycleSteps.end(),
                                  [this](const PageCycleStep& s) { return s.state == state_; });
  // The state only ever takes the table's values; should it not, start the cycle over.
  if (step == kPageCycleSteps.end()) step = kPageCycleSteps.begin();
  frontEnd_.SetVisible(PageFrame(step->show), true);
  for (int page : step->hide) frontEnd_.SetVisible(PageFrame(page), false);
  shown_ = step->show;
  state_ = step->next;
}

void PageCycle::ShowPage(const PageFacts& page) {
  for (std::size_t advances = 0; shown_ != page.number && advances < kPageCycleSteps.size();
       ++advances) {
    Advance();
  }
}

}  // namespace qzd::window
