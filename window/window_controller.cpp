// SPDX-License-Identifier: MIT
#include "window/window_controller.h"

#include <ctime>

#include "window/model_outputs.h"
#include "window/model_sheet.h"
#include "window/window_clicks.h"

namespace qzd::window {

// Marks the controller busy for as long as one command runs, whichever way it ends.
class WindowController::Running {
 public:
  explicit Running(bool& running) : running_(running) { running_ = true; }
  ~Running() { running_ = false; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool& running_;
};

void WindowController::Click(ElementId element) {
  if (const std::optional<WindowCommand> command = ClickCommand(element)) Run(*command);
}

void WindowController::Run(WindowCommand command) {
  if (!Available(command)) return;
  switch (command) {
    case WindowCommand::kLoadModel:
      FileOpenClick();
      return;
    case WindowCommand::kAdvancePage:
      ChangeHelpScr();
      return;
    case WindowCommand::kContextMenu:
      OpenMenu(std::nullopt);
      return;
    case WindowCommand::kQuit:
      frontEnd_.Close();
      return;
    default:
      break;
  }
  frontEnd_.Announce(FactsOf(command).name);
  const Running running(running_);
  RunTaken(command);
}

void WindowController::RunTaken(WindowCommand command) {
  const ChosenFile& file = *openFile();
  switch (command) {
    case WindowCommand::kPrint: {
      PrintJob job;
      job.header = PrintHeader(file, std::time(nullptr));
      for (const PageFacts& page : MainWindowFacts().pages) {
        if (page.number == pages_.shown()) job.shownSheet = job.sheets.size();
        job.sheets.push_back(WithPageOnTop(shown(), page));
      }
      frontEnd_.Print(job);
      return;
    }
    case WindowCommand::kSaveAs:
      frontEnd_.SaveWindow(file, SavedName(file, ".png"));
      return;
    case WindowCommand::kCopySheet:
      frontEnd_.CopyText(RenderModelSheet(shown(), file.path));
      return;
    case WindowCommand::kDownloadSheet:
      frontEnd_.DownloadText(FileNameOf(SavedName(file, ".txt")),
                             RenderModelSheet(shown(), file.path));
      return;
    case WindowCommand::kReload:
      Load(ChosenFile(file));
      return;
    case WindowCommand::kNextModel:
      Step(StepDirection::kNext);
      return;
    case WindowCommand::kPreviousModel:
      Step(StepDirection::kPrevious);
      return;
    default:
      return;
  }
}

void WindowController::Step(StepDirection direction) {
  const ModelStep step = models_.Step(*openFile(), direction);
  if (!step.failure.empty()) {
    frontEnd_.ShowError(step.failure);
  } else if (step.file) {
    Load(*step.file);
  }
}

void WindowController::OpenMenu(std::optional<ElementId> atElement) {
  if (running_) return;
  // The entries say what can run once the menu has closed.
  const std::vector<MenuEntry> entries = MenuEntries();
  std::optional<WindowCommand> chosen;
  {
    const Running running(running_);
    chosen = frontEnd_.ShowMenu(entries, atElement);
  }
  if (chosen && *chosen != WindowCommand::kContextMenu) Run(*chosen);
}

bool WindowController::ContextClick(std::optional<ElementId> element) {
  if (element && element->facts().kind == ElementKind::kDisplayField) return false;
  if (Available(WindowCommand::kContextMenu)) OpenMenu(std::nullopt);
  return true;
}

bool WindowController::Offered(WindowCommand command) const {
  if (!frontEnd_.Offers(command)) return false;
  if (command == WindowCommand::kNextModel || command == WindowCommand::kPreviousModel)
    return models_.Offered();
  return true;
}

std::vector<MenuEntry> WindowController::MenuEntries() const {
  std::vector<MenuEntry> entries;
  for (const CommandFacts& facts : WindowCommands()) {
    if (facts.inMenu && Offered(facts.command))
      entries.push_back({&facts, Available(facts.command)});
  }
  return entries;
}

KeyOutcome WindowController::Key(const KeyChord& chord, std::optional<ElementId> focused) {
  if (const std::optional<WindowCommand> command = KeyCommand(chord)) {
    // A key of a command this window does not have stays the platform's (a browser's Ctrl+S).
    if (!Offered(*command)) return KeyOutcome::kNotTaken;
    if (*command == WindowCommand::kContextMenu) {
      // A display field keeps its own text menu, from the keys as from the mouse.
      if (focused && focused->facts().kind == ElementKind::kDisplayField)
        return KeyOutcome::kNotTaken;
      if (Available(*command)) OpenMenu(focused);
    } else {
      Run(*command);
    }
    return KeyOutcome::kTaken;
  }
  // A focused button answers Enter as well as Space, as the desktop's own buttons do.
  if (chord == KeyChord::Named(NamedKey::kEnter) && focused &&
      focused->facts().kind == ElementKind::kButton)
    return running_ ? KeyOutcome::kTaken : KeyOutcome::kPressFocused;
  return KeyOutcome::kNotTaken;
}

bool WindowController::Available(WindowCommand command) const {
  if (running_ || !Offered(command)) return false;
  switch (FactsOf(command).needs) {
    case CommandNeeds::kNothing:
      return true;
    case CommandNeeds::kModel:
      return modelRead_ && openFile().has_value();
    case CommandNeeds::kFile:
      return openFile().has_value();
  }
  return false;
}

LoadOutcome WindowController::Load(const ChosenFile& file) {
  const LoadOutcome outcome = load_.Open(file);
  if (outcome.chosen && !outcome.failure) modelRead_ = true;
  return outcome;
}

void WindowController::ShownWindow::SetText(ElementId field, std::string_view text) {
  state_.SetText(field, text);
  target_.SetText(field, text);
}

void WindowController::ShownWindow::SetVisible(ElementId element, bool visible) {
  state_.SetVisible(element, visible);
  target_.SetVisible(element, visible);
}

void WindowController::ShownWindow::SetFilePath(const ChosenFile& file) {
  state_.SetFilePath(file);
  file_ = file;
  target_.SetFilePath(file);
}

namespace {

LoadOutcome Dropped() {
  LoadOutcome outcome;
  outcome.dropped = true;
  return outcome;
}

}  // namespace

LoadOutcome WindowController::FileOpenClick() {
  if (running_) return Dropped();
  const Running running(running_);
  const LoadOutcome outcome = load_.Run();
  if (outcome.chosen && !outcome.failure) modelRead_ = true;
  return outcome;
}

LoadOutcome WindowController::OpenFile(const ChosenFile& file) {
  if (running_) return Dropped();
  const Running running(running_);
  return Load(file);
}

std::optional<std::size_t> WindowController::DropTarget(std::span<const DroppedItem> items) const {
  if (running_ || items.size() != 1 || items.front().kind != DroppedItem::Kind::kLocalFile ||
      items.front().file.path.empty())
    return std::nullopt;
  return 0;
}

bool WindowController::Drop(std::span<const DroppedItem> items) {
  const std::optional<std::size_t> target = DropTarget(items);
  if (!target) return false;
  OpenFile(items[*target].file);
  return true;
}

void WindowController::ChangeHelpScr() {
  if (running_) return;
  pages_.Advance();
}

void WindowController::ShowPage(const PageFacts& page) {
  if (running_) return;
  pages_.ShowPage(page);
}

}  // namespace qzd::window
