// SPDX-License-Identifier: MIT
#include "viewer/load_command.h"

#include "model/model_file_reader.h"

namespace qzd::viewer {

namespace {

// Tells the window that a read runs, for as long as it runs, whichever way it ends.
class BusyWhileReading {
 public:
  explicit BusyWhileReading(LoadTarget& window) : window_(window) { window_.Busy(true); }
  ~BusyWhileReading() { window_.Busy(false); }
  BusyWhileReading(const BusyWhileReading&) = delete;
  BusyWhileReading& operator=(const BusyWhileReading&) = delete;

 private:
  LoadTarget& window_;
};

std::optional<LoadFailure> Read(const ModelFileReader& reader, const ChosenFile& file,
                                ModelValueStore& store, LoadTarget& window) {
  const BusyWhileReading busy(window);
  return reader.Read(file, store);
}

}  // namespace

const FileSystemReader FileSystemReader::kInstance;

std::optional<LoadFailure> FileSystemReader::Read(const ChosenFile& file,
                                                  ModelValueStore& store) const {
  return ReadModelFile(file.path, store);
}

void LoadCommand::Run() {
  // A cancelled dialog skips the read, but the page reset and the fill still run.
  if (const std::optional<ChosenFile> chosen = dialog_.Choose()) {
    // The path shows before the file is opened, so it stays even when the read fails.
    window_.SetFilePath(*chosen);
    if (const std::optional<LoadFailure> failure = Read(reader_, *chosen, store_, window_)) {
      errors_.Show(WithFinalPeriod(failure->message));
      return;
    }
  }
  window_.ShowMixerPage();
  if (const std::optional<FillStop> stop = window_.FillForm())
    errors_.Show(WithFinalPeriod(stop->message));
}

namespace {

// A dialog that returns one given file, so that a file chosen elsewhere takes the very steps a
// choice in the dialog takes.
class GivenFile final : public OpenDialog {
 public:
  explicit GivenFile(const ChosenFile& file) : file_(file) {}
  std::optional<ChosenFile> Choose() override { return file_; }

 private:
  const ChosenFile& file_;
};

}  // namespace

void LoadCommand::Open(const ChosenFile& file) {
  dialog_.Offer(file);
  GivenFile given(file);
  LoadCommand(store_, given, reader_, errors_, window_).Run();
}

}  // namespace qzd::viewer
