// SPDX-License-Identifier: MIT
#include "window/load_command.h"

#include "model/fill.h"
#include "model/model_file_reader.h"

namespace qzd::window {

namespace {

// Tells the front end that a read runs, for as long as it runs, whichever way it ends.
class BusyWhileReading {
 public:
  explicit BusyWhileReading(FrontEnd& frontEnd) : frontEnd_(frontEnd) { frontEnd_.Busy(true); }
  ~BusyWhileReading() { frontEnd_.Busy(false); }
  BusyWhileReading(const BusyWhileReading&) = delete;
  BusyWhileReading& operator=(const BusyWhileReading&) = delete;

 private:
  FrontEnd& frontEnd_;
};

// The front end's elements, addressed by the names a display update carries.
class FrontEndElements {
 public:
  explicit FrontEndElements(FrontEnd& frontEnd) : frontEnd_(frontEnd) {}
  void SetText(std::string_view element, std::string_view text) {
    frontEnd_.SetText(ElementNamed(element), text);
  }
  void SetVisible(std::string_view element, bool visible) {
    frontEnd_.SetVisible(ElementNamed(element), visible);
  }

 private:
  FrontEnd& frontEnd_;
};

}  // namespace

const FileSystemReader FileSystemReader::kInstance;

std::optional<LoadFailure> FileSystemReader::Read(const ChosenFile& file,
                                                  ModelValueStore& store) const {
  return ReadModelFile(file.path, store);
}

std::optional<FillStop> FillForm(const ModelValueStore& store, FrontEnd& frontEnd) {
  FrontEndElements elements(frontEnd);
  return ApplyDisplayUpdate(BuildDisplayUpdate(store), elements);
}

LoadOutcome LoadCommand::Run() {
  return Load(frontEnd_.ChooseFile());
}

LoadOutcome LoadCommand::Open(const ChosenFile& file) {
  frontEnd_.OfferFile(file);
  return Load(file);
}

LoadOutcome LoadCommand::Load(const std::optional<ChosenFile>& chosen) {
  LoadOutcome outcome;
  // A cancelled dialog skips the read, but the page reset and the fill still run.
  if (chosen) {
    outcome.chosen = true;
    // The path shows before the file is opened, so it stays even when the read fails.
    frontEnd_.SetFilePath(*chosen);
    {
      const BusyWhileReading busy(frontEnd_);
      outcome.failure = reader_.Read(*chosen, store_);
    }
    if (outcome.failure) {
      frontEnd_.ShowError(WithFinalPeriod(outcome.failure->message));
      return outcome;
    }
  }
  pages_.Reset();
  pages_.Advance();
  outcome.stop = FillForm(store_, frontEnd_);
  if (outcome.stop) frontEnd_.ShowError(WithFinalPeriod(outcome.stop->message));
  return outcome;
}

}  // namespace qzd::window
