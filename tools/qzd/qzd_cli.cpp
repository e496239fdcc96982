// SPDX-License-Identifier: MIT
#include "tools/qzd/qzd_cli.h"

#include <algorithm>
#include <array>
#include <exception>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

#include "model/fill.h"
#include "model/model_file_reader.h"
#include "model/model_value_store.h"
#include "tools/qzd/json_report.h"
#include "tools/qzd/model_diff.h"
#include "tools/qzd/usage_texts.h"
#include "window/model_sheet.h"
#include "window/text_forms.h"
#include "window/window_controller.h"
#include "window/window_state.h"

namespace qzd::cli {

using window::RenderModelSheet;
using window::TerminalText;

namespace {

struct Invocation {
  std::vector<std::string> files;
  bool all = false;
};

using Handler = int (*)(const Invocation&, std::ostream& out, std::ostream& err);

struct Subcommand {
  std::string_view name;
  std::string_view usage;
  std::string_view help;
  std::size_t minFiles;
  std::size_t maxFiles;
  bool takesAll;
  Handler run;
};

// A failure of one file, as the tool reports it on stderr.
void ReportFailure(std::ostream& err, std::string_view path, std::string_view message) {
  err << "qzd: " << TerminalText(path) << ": " << TerminalText(WithFinalPeriod(message)) << '\n';
}

int RunJson(const Invocation& invocation, std::ostream& out, std::ostream& /*err*/) {
  ModelValueStore store;
  JsonReportWriter writer;
  int status = kExitOk;
  for (const std::string& path : invocation.files) {
    if (!out) break;  // the output is lost: reading on would only keep the caller waiting
    std::optional<LoadFailure> failure = ReadModelFile(path, store);
    std::optional<DisplayUpdate> update;
    if (!failure) update = BuildDisplayUpdate(store);
    if (failure || update->stop) status = kExitFailed;
    out << writer.Line(path, failure, update) << '\n';
  }
  return status;
}

// The window's load command on each file in turn, as if the user had chosen them one after the
// other; each failure is reported with its file.
class HeadlessWindow {
 public:
  window::LoadOutcome Load(const std::string& path, std::ostream& err) {
    const window::LoadOutcome outcome = controller_.OpenFile(window::ChosenFile{path});
    if (outcome.failed()) ReportFailure(err, path, state_.errors().back());
    return outcome;
  }
  [[nodiscard]] const window::WindowState& state() const noexcept { return state_; }
  [[nodiscard]] const ModelValueStore& store() const noexcept { return controller_.store(); }

 private:
  window::WindowState state_;
  window::WindowController controller_{state_};
};

int RunShow(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  HeadlessWindow window;
  bool filled = false;
  int status = kExitOk;
  for (const std::string& path : invocation.files) {
    const window::LoadOutcome outcome = window.Load(path, err);
    // A fill stop leaves the window filled up to it.
    if (!outcome.failure) filled = true;
    if (outcome.failed()) status = kExitFailed;
  }
  // The path field shows the path last chosen, even when its load failed.
  if (filled) out << RenderModelSheet(window.state(), invocation.files.back());
  return status;
}

int RunDiff(const Invocation& invocation, std::ostream& out, std::ostream& err) {
  std::array<HeadlessWindow, 2> sides;
  bool bothRead = true;
  for (std::size_t i = 0; i < sides.size(); ++i) {
    if (sides[i].Load(invocation.files[i], err).failure) bothRead = false;
  }
  if (!bothRead) return kExitTrouble;
  const DiffResult result =
      DiffModels({invocation.files[0], sides[0].store(), sides[0].state()},
                 {invocation.files[1], sides[1].store(), sides[1].state()}, invocation.all);
  out << result.report;
  return result.valuesDiffer ? kExitFailed : kExitOk;
}

constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

const std::array<Subcommand, 3> kSubcommands = {{
    {"json", "qzd json [--] FILE...", kJsonHelp, 1, kNoLimit, false, &RunJson},
    {"show", "qzd show [--] FILE...", kShowHelp, 1, kNoLimit, false, &RunShow},
    {"diff", "qzd diff [--all] [--] A B", kDiffHelp, 2, 2, true, &RunDiff},
}};

const Subcommand* FindSubcommand(std::string_view name) {
  const auto it = std::find_if(kSubcommands.begin(), kSubcommands.end(),
                               [&](const Subcommand& s) { return s.name == name; });
  return it == kSubcommands.end() ? nullptr : &*it;
}

bool IsHelpOption(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

// A usage error is one line on stderr; the problem names no more than the offending argument.
int UsageError(std::ostream& err, std::string_view problem, std::string_view hint) {
  err << "qzd: " << problem << " (" << hint << ")\n";
  return kExitTrouble;
}

std::string Argument(std::string_view arg) {
  std::string quoted = "'";
  quoted += TerminalText(arg);
  quoted += '\'';
  return quoted;
}

std::string UsageHint(const Subcommand& subcommand) {
  return "usage: " + std::string(subcommand.usage);
}

constexpr std::string_view kGeneralHint = "try 'qzd --help'";

int RunHelp(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    out << kGeneralHelp;
    return kExitOk;
  }
  if (args.size() > 1) return UsageError(err, "help takes one subcommand", kGeneralHint);
  const Subcommand* subcommand = FindSubcommand(args[0]);
  if (subcommand == nullptr) {
    return UsageError(err, "no help for " + Argument(args[0]), kGeneralHint);
  }
  out << subcommand->help;
  return kExitOk;
}

int RunSubcommand(const Subcommand& subcommand, std::span<const std::string> args,
                  std::ostream& out, std::ostream& err) {
  Invocation invocation;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      invocation.files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (IsHelpOption(arg)) {
      out << subcommand.help;
      return kExitOk;
    } else if (arg == "--all" && subcommand.takesAll) {
      invocation.all = true;
    } else {
      return UsageError(err, std::string(subcommand.name) + ": unknown option " + Argument(arg),
                        UsageHint(subcommand));
    }
  }
  if (invocation.files.size() < subcommand.minFiles) {
    return UsageError(err, std::string(subcommand.name) + ": missing file", UsageHint(subcommand));
  }
  if (invocation.files.size() > subcommand.maxFiles) {
    return UsageError(err, std::string(subcommand.name) + ": too many files",
                      UsageHint(subcommand));
  }
  return subcommand.run(invocation, out, err);
}

}  // namespace

int RunQzd(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  try {
    if (args.empty()) return UsageError(err, "missing subcommand", kGeneralHint);
    const std::string_view first = args[0];
    if (IsHelpOption(first)) {
      out << kGeneralHelp;
      return kExitOk;
    }
    if (first == "--version") {
      out << kVersionText;
      return kExitOk;
    }
    if (first == "help") return RunHelp(args.subspan(1), out, err);
    if (const Subcommand* subcommand = FindSubcommand(first)) {
      return RunSubcommand(*subcommand, args.subspan(1), out, err);
    }
    if (first.size() > 1 && first[0] == '-') {
      return UsageError(err, "unknown option " + Argument(first), kGeneralHint);
    }
    return UsageError(err, "unknown subcommand " + Argument(first), kGeneralHint);
  } catch (const std::exception& e) {
    err << "qzd: " << TerminalText(e.what()) << '\n';
    return kExitTrouble;
  }
}

}  // namespace qzd::cli
