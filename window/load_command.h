// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

#include "model/display_update.h"
#include "model/load_failure.h"
#include "model/model_value_store.h"
#include "window/front_end.h"
#include "window/page_cycle.h"

namespace qzd::window {

// Reads the chosen file into the store: from the file system on the desktop, from the page's
// stream of the file in a browser.
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

// How one run of the load command ended. The error box has shown any failure already; tools that
// report failures their own way read them here.
struct LoadOutcome {
  bool chosen = false;                 // false: the dialog was cancelled, the read skipped
  bool dropped = false;                // another command ran: this one did nothing at all
  std::optional<LoadFailure> failure;  // the read failed; no page change and no fill followed
  std::optional<FillStop> stop;        // the fill stopped early
  [[nodiscard]] bool failed() const noexcept { return failure || stop; }
};

// FillForm: one fill of the front end's elements from the store, its actions in their order.
// Returns the stop that ended it early, once the actions before it are done.
std::optional<FillStop> FillForm(const ModelValueStore& store, FrontEnd& frontEnd);

// The "load model" command: dialog, path field, read into the run's one store, the MIXER page,
// fill. A read failure ends it before the page and the fill; any failure goes to the error box.
class LoadCommand {
 public:
  LoadCommand(ModelValueStore& store, const ModelFileReader& reader, FrontEnd& frontEnd,
              PageCycle& pages)
      : store_(store), reader_(reader), frontEnd_(frontEnd), pages_(pages) {}

  // FileOpenClick.
  LoadOutcome Run();
  // The same steps for a file chosen outside the dialog (command line, drop, a tool), exactly as
  // if the dialog had returned it; the dialog offers it the next time.
  LoadOutcome Open(const ChosenFile& file);

 private:
  LoadOutcome Load(const std::optional<ChosenFile>& chosen);

  ModelValueStore& store_;
  const ModelFileReader& reader_;
  FrontEnd& frontEnd_;
  PageCycle& pages_;
};

}  // namespace qzd::window
