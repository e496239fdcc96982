// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "viewer/window_export.h"
#include "window/model_outputs.h"

class QPrinter;
class QWidget;

namespace qzd::viewer {

// The sheets a print draws: the page on top, or all four.
enum class PrintRange { kShownPage, kAllPages };

// Where and how Save as writes the window.
struct SaveChoice {
  std::string path;  // the user's bytes
  ExportFormat format = ExportFormat::kPng;
  int scale = 1;
};

// The print and save dialogs of the desktop window, given to it so that tests can stand in.
class OutputDialogs {
 public:
  virtual ~OutputDialogs() = default;
  // The print dialog on `printer`, modal over `parent`: the range chosen, or nothing when the
  // user cancelled.
  [[nodiscard]] virtual std::optional<PrintRange> ChoosePrint(QPrinter& printer,
                                                              QWidget* parent) = 0;
  // The save dialog, offering `suggested`: the choice, or nothing when the user cancelled.
  [[nodiscard]] virtual std::optional<SaveChoice> ChooseSave(const std::string& suggested,
                                                             QWidget* parent) = 0;
};

// Qt's own print dialog and the file dialog of the platform.
[[nodiscard]] OutputDialogs& SystemOutputDialogs();

// Sets up `printer` for the window's sheets: landscape, with margins, on the printer's own paper.
void PreparePrinter(QPrinter& printer);

// Draws the job's sheets in `range` on `printer`, one page each: the header line, then the
// window fitted below it, as vectors and text. The failure's text, if any.
[[nodiscard]] std::optional<QString> PrintSheets(QPrinter& printer, const window::PrintJob& job,
                                                 PrintRange range);

// Writes the window as `state` shows it, exactly as --export writes a window that shows the same,
// after the same output checks: never the model `model` itself, a folder or a special file. The
// failure's text, if any.
[[nodiscard]] std::optional<QString> SaveWindowState(const window::WindowState& state,
                                                     const SaveChoice& choice,
                                                     const std::string& model);

}  // namespace qzd::viewer
