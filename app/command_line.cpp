// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace qzd::app {

namespace {

using viewer::kMaxExportScale;
using viewer::kMinExportScale;

CommandLine Just(CommandLine::Action action) {
  CommandLine line;
  line.action = action;
  return line;
}

CommandLine UsageError(const QString& text) {
  CommandLine line;
  line.action = CommandLine::Action::kUsageError;
  line.usageError = text.endsWith(u'.') ? text.chopped(1) : text;
  return line;
}

}  // namespace

QString TerminalSafe(const QString& text) {
  QString safe;
  for (const QChar c : text) {
    if (c.category() == QChar::Other_Control)
      safe += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    else
      safe += c;
  }
  return safe;
}

QString HelpText() {
  return QStringLiteral(
             "Usage: qzd-viewer [FILE]\n"
             "       qzd-viewer --export OUT [--page PAGE] [--scale N] FILE\n"
             "\n"
             "Shows a Tarnell QZ model file (.qzd) in the viewer's window. With FILE, the window\n"
             "loads it as soon as it shows, as if FILE had been chosen with \"load model\".\n"
             "\n"
             "Options:\n"
             "  -h, --help     this text\n"
             "  --version      the program's name and version\n"
             "  --export OUT   load FILE, write the window as it then looks to OUT, and exit;\n"
             "                 needs no display. OUT ending in .png: the window's pixels;\n"
             "                 in .pdf: one A4 landscape page, the window as vectors with\n"
             "                 selectable text\n"
             "  --page PAGE    the right-hand page to export: %1 (default mixer)\n"
             "  --scale N      pixels per window pixel of a PNG, %2 to %3 (default 1)\n"
             "\n"
             "In the window, Ctrl+O is \"load model\" and Ctrl+Q closes it; a model file dropped\n"
             "on the window is loaded like one chosen in the dialog.\n"
             "\n"
             "Exit status: 0 on success; 1 when an export cannot load FILE or write OUT (nothing\n"
             "is then written); 2 for a usage error.\n")
      .arg(viewer::ExportPageNames())
      .arg(kMinExportScale)
      .arg(kMaxExportScale);
}

QString VersionText() {
  return QStringLiteral("qzd-viewer " QZD_VERSION "\n");
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version(QStringLiteral("version"), QString());
  const QCommandLineOption exportTo(QStringLiteral("export"), QString(), QStringLiteral("OUT"));
  const QCommandLineOption page(QStringLiteral("page"), QString(), QStringLiteral("PAGE"));
  const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("N"));
  parser.addOptions({help, version, exportTo, page, scale});
  parser.addPositionalArgument(QStringLiteral("FILE"), QString());

  if (!parser.parse(arguments)) return UsageError(parser.errorText());
  if (parser.isSet(help)) return Just(CommandLine::Action::kHelp);
  if (parser.isSet(version)) return Just(CommandLine::Action::kVersion);

  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    return UsageError(QStringLiteral("one FILE at most, not %1").arg(files.size()));
  const QString file = files.value(0);
  if (files.size() == 1 && file.isEmpty()) return UsageError(QStringLiteral("FILE is empty"));

  CommandLine line;
  if (!parser.isSet(exportTo)) {
    if (parser.isSet(page) || parser.isSet(scale))
      return UsageError(QStringLiteral("--page and --scale go with --export"));
    line.modelFile = file;
    return line;
  }

  viewer::ExportRequest& request = line.exportRequest;
  request.output = parser.value(exportTo);
  request.modelFile = file;
  if (file.isEmpty()) return UsageError(QStringLiteral("--export needs the FILE to load"));
  if (!viewer::ExportFormatOf(request.output))
    return UsageError(QStringLiteral("--export: OUT must end in .png or .pdf"));
  if (parser.isSet(page)) {
    const window::PageFacts* named = viewer::ExportPageNamed(parser.value(page));
    if (named == nullptr)
      return UsageError(QStringLiteral("--page: one of %1").arg(viewer::ExportPageNames()));
    request.page = named;
  }
  if (parser.isSet(scale)) {
    bool number = false;
    request.scale = parser.value(scale).toInt(&number);
    if (!number || request.scale < kMinExportScale || request.scale > kMaxExportScale)
      return UsageError(QStringLiteral("--scale: a whole number from %1 to %2")
                            .arg(kMinExportScale)
                            .arg(kMaxExportScale));
  }
  line.action = CommandLine::Action::kExport;
  return line;
}

}  // namespace qzd::app
