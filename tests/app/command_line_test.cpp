// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qzd::app {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, ReadsWhatTheArgumentsAsk) {
  struct Row {
    QStringList args;
    Action action;
    QString file;     // Window and Export: the model file
    QString outcome;  // Export: the output; UsageError: a part of the message
    std::string_view page = "mixer";
    int scale = 1;
  };
  const std::vector<Row> rows = {
      {{}, Action::kWindow, "", ""},
      {{"glider.qzd"}, Action::kWindow, "glider.qzd", ""},
      {{"--", "-odd.qzd"}, Action::kWindow, "-odd.qzd", ""},
      {{"-h"}, Action::kHelp, "", ""},
      {{"--help", "a", "b"}, Action::kHelp, "", ""},
      {{"--help", "--frob"}, Action::kUsageError, "", "Unknown option 'frob'"},
      {{"--version"}, Action::kVersion, "", ""},
      {{"--export", "OUT.PNG", "m.qzd"}, Action::kExport, "m.qzd", "OUT.PNG"},
      {{"--export=o.pdf", "--page", "heli", "m.qzd"}, Action::kExport, "m.qzd", "o.pdf", "heli"},
      {{"m.qzd", "--scale", "3", "--page=servo", "--export", "o.png"},
       Action::kExport,
       "m.qzd",
       "o.png",
       "servo",
       3},
      {{"--frob"}, Action::kUsageError, "", "Unknown option 'frob'"},
      {{"-x"}, Action::kUsageError, "", "Unknown option 'x'"},
      {{"a.qzd", "b.qzd"}, Action::kUsageError, "", "one FILE at most"},
      {{""}, Action::kUsageError, "", "FILE is empty"},
      {{"--page", "heli", "m.qzd"}, Action::kUsageError, "", "go with --export"},
      {{"--scale", "2", "m.qzd"}, Action::kUsageError, "", "go with --export"},
      {{"--export"}, Action::kUsageError, "", "Missing value after '--export'"},
      {{"--export", "o.png"}, Action::kUsageError, "", "needs the FILE"},
      {{"--export", "o.png", "a", "b"}, Action::kUsageError, "", "one FILE at most"},
      {{"--export", "o.jpg", "m.qzd"}, Action::kUsageError, "", "end in .png or .pdf"},
      {{"--export", "png", "m.qzd"}, Action::kUsageError, "", "end in .png or .pdf"},
      {{"--export", "o.png", "--page", "MIXER", "m.qzd"},
       Action::kUsageError,
       "",
       "one of mixer|servo|mode|heli"},
      {{"--export", "o.png", "--scale", "0", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", "5", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", "2x", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", " 2", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", "2 ", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", "+2", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.png", "--scale", "02", "m.qzd"}, Action::kUsageError, "", "1 to 4"},
      {{"--export", "o.pdf", "--scale", "2", "m.qzd"}, Action::kUsageError, "", "with a PNG"},
      {{"--export", "p.png", "-platform", "xcb", "m.qzd"},
       Action::kUsageError,
       "",
       "Unknown option '-platform': Qt's own options are not taken"},
      {{"-style=fusion"}, Action::kUsageError, "", "Unknown option '-style'"},
  };
  for (const Row& row : rows) {
    const QString shown = row.args.join(u' ');
    std::vector<std::string> args = {"qzd-viewer"};
    for (const QString& arg : row.args) args.push_back(arg.toStdString());
    const CommandLine line = ParseCommandLine(args);
    ASSERT_EQ(line.action, row.action)
        << shown.toStdString() << ": " << line.usageError.toStdString();
    switch (row.action) {
      case Action::kWindow:
        EXPECT_EQ(line.modelFile, row.file.toStdString()) << shown.toStdString();
        break;
      case Action::kExport:
        EXPECT_EQ(line.exportRequest.modelFile, row.file.toStdString()) << shown.toStdString();
        EXPECT_EQ(line.exportRequest.output, row.outcome.toStdString()) << shown.toStdString();
        EXPECT_EQ(line.exportRequest.page->name, row.page) << shown.toStdString();
        EXPECT_EQ(line.exportRequest.scale, row.scale) << shown.toStdString();
        break;
      case Action::kUsageError:
        EXPECT_TRUE(line.usageError.contains(row.outcome))
            << shown.toStdString() << ": " << line.usageError.toStdString();
        break;
      default:
        break;
    }
  }
}

TEST(TerminalSafe, WritesControlCharactersAsEscapesAndKeepsTheRest) {
  EXPECT_EQ(TerminalSafe(QString::fromLatin1("a\nb\x1b[31m\x7f\x9b\xe9 <b>%s")),
            QString::fromLatin1("a\\x0ab\\x1b[31m\\x7f\\x9b\xe9 <b>%s"));
}

}  // namespace
}  // namespace qzd::app
