#include "viewer/load_command.h"

#include "model/model_file_reader.h"

namespace qzd::viewer {

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
    if (const std::optional<LoadFailure> failure = reader_.Read(*chosen, store_)) {
      errors_.Show(WithFinalPeriod(failure->message));
      return;
    }
  }
  window_.ShowMixerPage();
  if (const std::optional<FillStop> stop = window_.FillForm())
    errors_.Show(WithFinalPeriod(stop->message));
}

}  // namespace qzd::viewer
