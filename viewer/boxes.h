// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

#include "window/front_end.h"

namespace qzd::viewer {

using window::ChosenFile;

// The desktop window's open-file dialog, given to the window so that tests and the export can
// stand in for it. It keeps what it needs between uses itself.
class OpenDialog {
 public:
  virtual ~OpenDialog() = default;
  // Shows the dialog modally. Nothing when the user cancelled or the dialog failed.
  [[nodiscard]] virtual std::optional<ChosenFile> Choose() = 0;
  // Takes `file` as if the user had chosen it: the next use offers it as the initial file name.
  virtual void Offer(const ChosenFile& /*file*/) {}
};

// The desktop window's modal error message box, given to the window like the dialog.
class ErrorBox {
 public:
  virtual ~ErrorBox() = default;
  // Shows `text` exactly (bytes, one per character) and returns once the user has closed the box.
  virtual void Show(std::string_view text) = 0;
};

}  // namespace qzd::viewer
