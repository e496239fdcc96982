// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "model/model_value_store.h"
#include "window/front_end.h"
#include "window/load_command.h"
#include "window/model_sequence.h"
#include "window/page_cycle.h"
#include "window/window_commands.h"
#include "window/window_elements.h"
#include "window/window_state.h"

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
  // `frontEnd`, `reader` and `models` must outlive the controller. Without `models`, Page Down
  // and Page Up step through the open model's folder.
  explicit WindowController(FrontEnd& frontEnd,
                            const ModelFileReader& reader = FileSystemReader::kInstance,
                            ModelSequence* models = nullptr)
      : frontEnd_(frontEnd),
        shown_(frontEnd),
        load_(store_, reader, shown_, pages_),
        models_(models ? *models : folder_) {}
  WindowController(const WindowController&) = delete;
  WindowController& operator=(const WindowController&) = delete;

  // A click on `element`: the load command, an advance, or nothing, as the click table says.
  void Click(ElementId element);
  // A command of the command table, from its key or a menu; dropped while another runs.
  void Run(WindowCommand command);
  // A key chord pressed while the window has the focus, `focused` the element that holds it.
  KeyOutcome Key(const KeyChord& chord, std::optional<ElementId> focused);
  // Whether `command` can run now: a menu shows the others greyed out.
  [[nodiscard]] bool Available(WindowCommand command) const;
  // Whether this window has `command` at all: the front end offers it, and a step through models
  // has models to step through.
  [[nodiscard]] bool Offered(WindowCommand command) const;
  // The context menu's entries: the offered commands of the menu, in the table's order.
  [[nodiscard]] std::vector<MenuEntry> MenuEntries() const;
  // A right-click on `element` (none: the window outside every element). A display field keeps
  // its own text menu: false, and the front end shows that one.
  bool ContextClick(std::optional<ElementId> element);

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
  // The window as it shows now, element by element.
  [[nodiscard]] const WindowState& shown() const noexcept { return shown_.state(); }
  // The file whose path the path field shows: the one last chosen, even when its read failed.
  [[nodiscard]] const std::optional<ChosenFile>& openFile() const noexcept { return shown_.file(); }

 private:
  class Running;

  // The front end as the load command and the page cycle see it: everything they show is kept
  // too, so that the model sheet and a print show exactly what the window shows.
  class ShownWindow final : public FrontEnd {
   public:
    explicit ShownWindow(FrontEnd& target) : target_(target) {}
    void SetText(ElementId field, std::string_view text) override;
    void SetVisible(ElementId element, bool visible) override;
    void SetFilePath(const ChosenFile& file) override;
    [[nodiscard]] std::optional<ChosenFile> ChooseFile() override { return target_.ChooseFile(); }
    void OfferFile(const ChosenFile& file) override { target_.OfferFile(file); }
    void ShowError(std::string_view text) override { target_.ShowError(text); }
    void Busy(bool busy) override { target_.Busy(busy); }
    [[nodiscard]] const WindowState& state() const noexcept { return state_; }
    [[nodiscard]] const std::optional<ChosenFile>& file() const noexcept { return file_; }

   private:
    FrontEnd& target_;
    WindowState state_;
    std::optional<ChosenFile> file_;
  };

  void RunTaken(WindowCommand command);
  LoadOutcome Load(const ChosenFile& file);
  void Step(StepDirection direction);
  void OpenMenu(std::optional<ElementId> atElement);

  FrontEnd& frontEnd_;
  ShownWindow shown_;
  ModelValueStore store_;
  PageCycle pages_{shown_};
  LoadCommand load_;
  FolderModels folder_;
  ModelSequence& models_;
  bool modelRead_ = false;
  bool running_ = false;
};

}  // namespace qzd::window
