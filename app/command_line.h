// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "viewer/window_export.h"

namespace qzd::app {

// What the program was asked to do by its arguments.
struct CommandLine {
  enum class Action { kWindow, kHelp, kVersion, kExport, kUsageError };
  Action action = Action::kWindow;
  // Window: the model file to load once the window shows, as the argument's bytes; empty for
  // none.
  std::string modelFile;
  // Export: what to load and where to write it.
  viewer::ExportRequest exportRequest;
  // UsageError: what is wrong, one line without the program's name.
  QString usageError;
};

// Reads the arguments, the program's own name first. They are bytes: a file name is kept as it
// is, whether or not it is UTF-8.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// `text` made safe to print on a terminal as one line: each control character, which a model's
// bytes or an argument may hold, is written as \xhh.
[[nodiscard]] QString TerminalSafe(const QString& text);

// The texts of --help and --version, each ending in a line end.
[[nodiscard]] QString HelpText();
[[nodiscard]] QString VersionText();

}  // namespace qzd::app
