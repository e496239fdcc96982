// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "window/window_commands.h"
#include "window/window_elements.h"

namespace qzd::window {

// A file the user chose: its full path as the platform spells it (the bytes of a Linux file name,
// UTF-8 on Windows and in a browser, which learns only the file's name).
struct ChosenFile {
  std::string path;
  friend bool operator==(const ChosenFile&, const ChosenFile&) = default;
};

struct PrintJob;

// One line of the context menu: the command's row and whether it can run now; a menu shows the
// others greyed out.
struct MenuEntry {
  const CommandFacts* command;
  bool enabled;
};

// What the window controller asks of a front end: the Qt window, the browser page, the Windows
// window, or the headless window of the tools and tests. A front end only does what it is told;
// which text, which element and when are the controller's business.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Replaces the whole text of a display field. Model texts are bytes, one character per byte.
  virtual void SetText(ElementId field, std::string_view text) = 0;
  // Sets only the element's own visibility flag; the elements inside a frame keep theirs.
  virtual void SetVisible(ElementId element, bool visible) = 0;
  // Replaces the whole text of the path field with the file's full path.
  virtual void SetFilePath(const ChosenFile& file) = 0;
  // The open-file dialog, shown modally: the chosen file, or nothing when the user cancelled or
  // the dialog failed.
  [[nodiscard]] virtual std::optional<ChosenFile> ChooseFile() = 0;
  // Takes `file` as if the user had chosen it in the dialog: its next use offers it.
  virtual void OfferFile(const ChosenFile& /*file*/) {}
  // The modal error box: shows `text` exactly (bytes, one per character) and returns once the
  // user has closed it.
  virtual void ShowError(std::string_view text) = 0;
  // Called with true before the read of a chosen file and with false once it has ended.
  virtual void Busy(bool /*busy*/) {}
  // Closes the window, which ends the program; a front end that cannot close itself (a page)
  // does nothing.
  virtual void Close() {}

  // The commands beyond the form's own: which of them this front end offers at all (a menu
  // lists only those), and what each asks of it. A front end offers the load, the advance and
  // the reload, and whatever more it overrides.
  [[nodiscard]] virtual bool Offers(WindowCommand command) const {
    return command == WindowCommand::kLoadModel || command == WindowCommand::kAdvancePage ||
           command == WindowCommand::kReload || command == WindowCommand::kContextMenu ||
           command == WindowCommand::kQuit;
  }
  // The platform's print dialog, then the sheets the user picked.
  virtual void Print(const PrintJob& /*job*/) {}
  // The platform's save dialog, offering `suggested`, then the window written as the user asked.
  // `model` is the open model, which the saved file must never replace.
  virtual void SaveWindow(const ChosenFile& /*model*/, const std::string& /*suggested*/) {}
  // The clipboard's whole content becomes `text` (UTF-8).
  virtual void CopyText(std::string_view /*text*/) {}
  // Offers `text` (UTF-8) as a download named `name`.
  virtual void DownloadText(std::string_view /*name*/, std::string_view /*text*/) {}
  // The context menu, at the mouse (`atElement` none) or, opened by a key, at that element: the
  // command of the entry the user chose, or none.
  [[nodiscard]] virtual std::optional<WindowCommand> ShowMenu(
      std::span<const MenuEntry> /*entries*/, std::optional<ElementId> /*atElement*/) {
    return std::nullopt;
  }
  // Tells a screen reader the command that runs, by its name.
  virtual void Announce(std::string_view /*text*/) {}
};

}  // namespace qzd::window
