// SPDX-License-Identifier: MIT
#include "window/window_controller.h"

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
  if (running_) return;
  switch (command) {
    case WindowCommand::kLoadModel:
      FileOpenClick();
      return;
    case WindowCommand::kAdvancePage:
      ChangeHelpScr();
      return;
    case WindowCommand::kQuit:
      frontEnd_.Close();
      return;
  }
}

KeyOutcome WindowController::Key(const KeyChord& chord, std::optional<ElementId> focused) {
  if (const std::optional<WindowCommand> command = KeyCommand(chord)) {
    Run(*command);
    return KeyOutcome::kTaken;
  }
  // A focused button answers Enter as well as Space, as the desktop's own buttons do.
  if (chord == KeyChord::Named(NamedKey::kEnter) && focused &&
      focused->facts().kind == ElementKind::kButton)
    return running_ ? KeyOutcome::kTaken : KeyOutcome::kPressFocused;
  return KeyOutcome::kNotTaken;
}

bool WindowController::Available(WindowCommand /*command*/) const noexcept {
  return !running_;
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
  return load_.Run();
}

LoadOutcome WindowController::OpenFile(const ChosenFile& file) {
  if (running_) return Dropped();
  const Running running(running_);
  return load_.Open(file);
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
