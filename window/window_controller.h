// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>

#include "model/model_value_store.h"
#include "window/front_end.h"
#include "window/load_command.h"
#include "window/page_cycle.h"
#include "window/window_commands.h"
#include "window/window_elements.h"

namespace qzd::window {

// One item of a drag that reached the window: a file of this machine (its path as the platform
// spells it) or anything else (text, a web address, a file of another machine).
struct DroppedItem {
  enum class Kind { kLocalFile, kOther };
  Kind kind = Kind::kOther;
  ChosenFile file;
};

// What a key did in the window.
enum class KeyOutcome {
  kNotTaken,      // no command of the window's: the focused element or the system has it
  kTaken,         // a command ran, or was dropped while another ran
  kPressFocused,  // the focused button is pressed, as the front end presses a button
};

// The main window's behaviour, once for every front end: it owns the run's one value store, the
// page cycle and the load command, and tells its front end what to show. A front end hands in
// the user's clicks, keys and files and does what it is told.
//
// Everything runs on the one user-interface thread, but a command waits on modal dialogs (the
// open dialog, the error box) and a browser's reads, during which the front end's events still
// arrive: input that arrives while a command runs is dropped, in every front end alike.
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
  // A command of the command table, from its key or a menu; dropped while another runs.
  void Run(WindowCommand command);
  // A key chord pressed while the window has the focus, `focused` the element that holds it.
  KeyOutcome Key(const KeyChord& chord, std::optional<ElementId> focused);
  // Whether `command` can run now: a menu shows the others greyed out.
  [[nodiscard]] bool Available(WindowCommand command) const noexcept;

  // The load command: a click on "load model".
  LoadOutcome FileOpenClick();
  // The load command's steps for a file chosen outside the dialog: named on the command line,
  // or given to a tool.
  LoadOutcome OpenFile(const ChosenFile& file);
  // A drop loads exactly one model file, as if chosen in the dialog: the drag must carry one
  // file of this machine and nothing else. Anything else is refused whole and changes nothing,
  // as is a drop while a command runs. AcceptsDrop answers a drag still under way.
  // DropTarget names the item a drop of `items` loads, or none.
  [[nodiscard]] std::optional<std::size_t> DropTarget(std::span<const DroppedItem> items) const;
  [[nodiscard]] bool AcceptsDrop(std::span<const DroppedItem> items) const {
    return DropTarget(items).has_value();
  }
  // True when the drop was taken and its load ran.
  bool Drop(std::span<const DroppedItem> items);
  // The advance of the page area: a click on `>>` or on a page's frame.
  void ChangeHelpScr();
  // Advances until `page` lies on top, as that many clicks on `>>` would.
  void ShowPage(const PageFacts& page);

  // True while a command runs; input meanwhile is dropped.
  [[nodiscard]] bool busy() const noexcept { return running_; }
  [[nodiscard]] const ModelValueStore& store() const noexcept { return store_; }
  [[nodiscard]] HelpPanelState helpPanelState() const noexcept { return pages_.state(); }

 private:
  class Running;

  FrontEnd& frontEnd_;
  ModelValueStore store_;
  PageCycle pages_{frontEnd_};
  LoadCommand load_;
  bool running_ = false;
};

}  // namespace qzd::window
