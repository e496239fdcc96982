#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/display_update.h"
#include "model/model_value_store.h"

namespace qzd::viewer {

// The full path of a file the user chose, spelled as the file system spells it.
struct ChosenFile {
  std::string path;
  friend bool operator==(const ChosenFile&, const ChosenFile&) = default;
};

// The open-file dialog of the load command. It keeps what it needs between uses itself.
class OpenDialog {
 public:
  virtual ~OpenDialog() = default;
  // Shows the dialog modally. Nothing when the user cancelled or the dialog failed.
  [[nodiscard]] virtual std::optional<ChosenFile> Choose() = 0;
};

// The modal error message box.
class ErrorBox {
 public:
  virtual ~ErrorBox() = default;
  // Shows `text` exactly (bytes, one per character) and returns once the user has closed the box.
  virtual void Show(std::string_view text) = 0;
};

// What the load command changes on the main window.
class LoadTarget {
 public:
  virtual ~LoadTarget() = default;
  // Replaces the whole text of the path field.
  virtual void SetFilePath(const ChosenFile& file) = 0;
  // Resets the page cycle so that its next advance shows MIXER, then advances once.
  virtual void ShowMixerPage() = 0;
  // Applies the actions of one fill in their order, up to any stop.
  virtual void Apply(const DisplayUpdate& update) = 0;
};

// The box's text for a failure message: a final "." is added when the message is not empty and
// its last byte lies above "." (code 46), so letters and digits gain one and punctuation does not.
[[nodiscard]] std::string WithFinalPeriod(std::string_view message);

// The "load model" command and the fill it ends with. Holds the one value store of the run.
class LoadCommand {
 public:
  LoadCommand(OpenDialog& dialog, ErrorBox& errors, LoadTarget& window)
      : dialog_(dialog), errors_(errors), window_(window) {}

  // FileOpenClick: dialog, path field, read, MIXER page, fill. A read failure ends the command
  // before the page and the fill; any failure ends up in the error box.
  void Run();

  // FillForm: one fill of the window from the store as it stands. Returns the stop, if the fill
  // ended early, after the actions before it have been applied.
  [[nodiscard]] std::optional<FillStop> Fill();

  [[nodiscard]] const ModelValueStore& store() const noexcept { return store_; }

 private:
  OpenDialog& dialog_;
  ErrorBox& errors_;
  LoadTarget& window_;
  ModelValueStore store_;
};

}  // namespace qzd::viewer
