// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/fill.h"
#include "model/load_failure.h"
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
  // Takes `file` as if the user had chosen it: the next use offers it as the initial file name.
  virtual void Offer(const ChosenFile& /*file*/) {}
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
  // FillForm: one fill from the store as it stands, its actions applied in their order. Returns
  // the stop that ended it early, once the actions before it are applied.
  [[nodiscard]] virtual std::optional<FillStop> FillForm() = 0;
  // Called with true before the read of a chosen file and with false once it has ended.
  virtual void Busy(bool /*busy*/) {}
};

// Reads the chosen file into the store: from the file system on the desktop, from the page's
// stream of the file in a browser, which learns no path.
class ModelFileReader {
 public:
  virtual ~ModelFileReader() = default;
  [[nodiscard]] virtual std::optional<LoadFailure> Read(const ChosenFile& file,
                                                        ModelValueStore& store) const = 0;
};

// ReadModelFile on the chosen path.
class FileSystemReader final : public ModelFileReader {
 public:
  [[nodiscard]] std::optional<LoadFailure> Read(const ChosenFile& file,
                                                ModelValueStore& store) const override;
  static const FileSystemReader kInstance;
};

// The "load model" command. It reads into the run's one value store, which the window's fills
// then read.
class LoadCommand {
 public:
  LoadCommand(ModelValueStore& store, OpenDialog& dialog, ErrorBox& errors, LoadTarget& window)
      : LoadCommand(store, dialog, FileSystemReader::kInstance, errors, window) {}
  LoadCommand(ModelValueStore& store, OpenDialog& dialog, const ModelFileReader& reader,
              ErrorBox& errors, LoadTarget& window)
      : store_(store), dialog_(dialog), reader_(reader), errors_(errors), window_(window) {}

  // FileOpenClick: dialog, path field, read, MIXER page, fill. A read failure ends the command
  // before the page and the fill; any failure ends up in the error box.
  void Run();
  // The same steps for a file chosen outside the dialog (command line, drop), exactly as if the
  // dialog had returned it; the dialog offers it the next time.
  void Open(const ChosenFile& file);

 private:
  ModelValueStore& store_;
  OpenDialog& dialog_;
  const ModelFileReader& reader_;
  ErrorBox& errors_;
  LoadTarget& window_;
};

}  // namespace qzd::viewer
