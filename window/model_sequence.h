// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/front_end.h"

namespace qzd::window {

// The order of file names that file managers show: letters compared without case, a run of
// digits compared as the number it writes (`model2` before `model10`). Names that this leaves
// equal ("a1", "A1", "a01") fall back to their bytes, so the order is total.
[[nodiscard]] bool NaturalLess(std::string_view a, std::string_view b) noexcept;

// Whether a file name ends in `.qzd`, in any case.
[[nodiscard]] bool IsModelFileName(std::string_view name) noexcept;

// Where a step from one model to the next or previous one leads: a file, or why there is none.
struct ModelStep {
  std::optional<ChosenFile> file;
  std::string failure;  // the error box's text; empty when the step leads nowhere silently
};

enum class StepDirection { kNext, kPrevious };

// The models that Page Down and Page Up step through from the open one.
class ModelSequence {
 public:
  virtual ~ModelSequence() = default;
  // Whether this sequence has anything to step through at all.
  [[nodiscard]] virtual bool Offered() const = 0;
  // The model after or before `current`, wrapping around at the ends. `current` need not be
  // among them any more (it may have been removed): the step goes to its neighbour by name.
  [[nodiscard]] virtual ModelStep Step(const ChosenFile& current, StepDirection direction) = 0;
};

// The `.qzd` files of the open model's folder, in NaturalLess order by name. The listing is kept
// until the folder changes, so a step through a large folder lists it only once.
class FolderModels final : public ModelSequence {
 public:
  [[nodiscard]] bool Offered() const override { return true; }
  [[nodiscard]] ModelStep Step(const ChosenFile& current, StepDirection direction) override;

 private:
  std::string folder_;
  std::optional<std::filesystem::file_time_type> folderStamp_;
  std::vector<std::string> names_;  // in NaturalLess order
};

// A fixed list of files in the order given, as a page is handed several files at once. An empty
// list is not offered.
class ListedModels final : public ModelSequence {
 public:
  void Set(std::vector<ChosenFile> files) { files_ = std::move(files); }
  [[nodiscard]] bool Offered() const override { return files_.size() > 1; }
  [[nodiscard]] ModelStep Step(const ChosenFile& current, StepDirection direction) override;

 private:
  std::vector<ChosenFile> files_;
};

// The file name of a path: what follows its last slash (or, on Windows, backslash).
[[nodiscard]] std::string_view FileNameOf(std::string_view path) noexcept;

}  // namespace qzd::window
