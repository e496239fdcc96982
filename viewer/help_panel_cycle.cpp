// SPDX-License-Identifier: MIT
#include "viewer/help_panel_cycle.h"

#include <algorithm>

namespace qzd::viewer {

void HelpPanelCycle::Advance() {
  // Before the first advance or load the MIXER page already lies on top, so the cycle starts
  // one page further on.
  if (state_.value == 0) state_ = HelpPanelState{2};
  const auto* step = std::find_if(kHelpPanelSteps.begin(), kHelpPanelSteps.end(),
                                  [this](const HelpPanelStep& s) { return s.state == state_; });
  // The state only ever takes the table's values; should it not, start the cycle over.
  if (step == kHelpPanelSteps.end()) step = kHelpPanelSteps.begin();
  frames_.SetPageVisible(step->show, true);
  for (std::string_view frame : step->hide) frames_.SetPageVisible(frame, false);
  state_ = step->next;
}

}  // namespace qzd::viewer
