// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"
#include "window/window_elements.h"
#include "window/window_state.h"

namespace qzd::window {

// What a print of the window draws: one sheet for each right-hand page the user picks, the one
// shown by default or all four, each under the header line. A sheet is the window as it shows
// now, with that page on top; nothing is read again.
struct PrintJob {
  std::string header;
  std::vector<WindowState> sheets;  // one per page, in cycle order
  std::size_t shownSheet = 0;       // the sheet of the page on top
};

// The header line of a printed sheet: the model's file name, its full path and the date and
// time of the print, in the machine's local time: "glider.qzd  /home/me/glider.qzd  2026-12-11
// 14:05".
[[nodiscard]] std::string PrintHeader(const ChosenFile& model, std::time_t printed);

// `state` with `page` on top: its frame shown, the other pages' frames hidden.
[[nodiscard]] WindowState WithPageOnTop(WindowState state, const PageFacts& page);

// The name a save dialog offers: the model's path with `extension` (".png") in place of its own.
[[nodiscard]] std::string SavedName(const ChosenFile& model, std::string_view extension);

// Tells `frontEnd` every element's text and visibility as `state` holds them, so that a window
// of its own (one that prints or saves) shows what the user's window shows. Given what it shows
// now, `shown`, only what differs is told: a window whose every show costs (Wine's) keeps a
// second sheet cheap.
void ShowState(const WindowState& state, FrontEnd& frontEnd, const WindowState* shown = nullptr);

}  // namespace qzd::window
