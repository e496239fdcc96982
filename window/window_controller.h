// SPDX-License-Identifier: MIT
#pragma once

#include "model/model_value_store.h"
#include "window/front_end.h"
#include "window/load_command.h"
#include "window/page_cycle.h"
#include "window/window_elements.h"

namespace qzd::window {

// The main window's behaviour, once for every front end: it owns the run's one value store, the
// page cycle and the load command, and tells its front end what to show. A front end hands in
// the user's clicks and files and does what it is told.
class WindowController {
 public:
  // `frontEnd` and `reader` must outlive the controller.
  explicit WindowController(FrontEnd& frontEnd,
                            const ModelFileReader& reader = FileSystemReader::kInstance)
      : frontEnd_(frontEnd), load_(store_, reader, frontEnd, pages_) {}
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;

  // A click on `element`: the load command, an advance, or nothing, as the click table says.
  void Click(ElementId element);
  // The load command: a click on "load model".
  LoadOutcome FileOpenClick() { return load_.Run(); }
  // The load command's steps for a file chosen outside the dialog: named on the command line,
  // dropped on the window, or given to a tool.
  LoadOutcome OpenFile(const ChosenFile& file) { return load_.Open(file); }
  // The advance of the page area: a click on `>>` or on a page's frame.
  void ChangeHelpScr() { pages_.Advance(); }
  // Advances until `page` lies on top, as that many clicks on `>>` would.
  void ShowPage(const PageFacts& page) { pages_.ShowPage(page); }

  [[nodiscard]] const ModelValueStore& store() const noexcept { return store_; }
  [[nodiscard]] HelpPanelState helpPanelState() const noexcept { return pages_.state(); }

 private:
  FrontEnd& frontEnd_;
  ModelValueStore store_;
  PageCycle pages_{frontEnd_};
  LoadCommand load_;
};

}  // namespace qzd::window
