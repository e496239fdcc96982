// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <optional>

namespace qzd::app {

namespace {

using viewer::kMaxExportScale;
using viewer::kMinExportScale;

CommandLine Just(CommandLine::Action action) {
  CommandLine line;
  line.action = action;
  return line;
}

// The parser is given each argument's bytes as Latin-1 characters, one per byte, so that a name
// comes back byte for byte; the options themselves are ASCII.
QString AsChars(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
std::string AsBytes(const QString& chars) {
  return chars.toLatin1().toStdString();
}

CommandLine UsageError(const QString& text) {
  CommandLine line;
  line.action = CommandLine::Action::kUsageError;
  // The message may quote an argument: shown as the UTF-8 it is meant to be.
  const QByteArray bytes = (text.endsWith(u'.') ? text.chopped(1) : text).toLatin1();
  line.usageError = QString::fromUtf8(bytes);
  return line;
}

// One of the digits, nothing else: no sign, blank or leading zero.
std::optional<int> ScaleNamed(const QString& text) {
  if (text.size() != 1) return std::nullopt;
  const int digit = text.front().unicode() - u'0';
  if (digit < kMinExportScale || digit > kMaxExportScale) return std::nullopt;
  return digit;
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
             "                 selectable text. OUT is a new file or replaces a regular\n"
             "                 file, never FILE itself: a link to a regular file replaces\n"
             "                 the file it leads to and stays a link; a folder, FIFO,\n"
             "                 device or socket, or a link to one or to no file, is refused\n"
             "  --page PAGE    the right-hand page to export: %1 (default mixer)\n"
             "  --scale N      pixels per window pixel of a PNG: one digit, %2 to %3 (default 1)\n"
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

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  QCommandLineParser parser;
  // "-platform" is one unknown option, not the unknown options p, l, a, t, f, o, r and m.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  const QCommandLineOption version(QStringLiteral("version"), QString());
  const QCommandLineOption exportTo(QStringLiteral("export"), QString(), QStringLiteral("OUT"));
  const QCommandLineOption page(QStringLiteral("page"), QString(), QStringLiteral("PAGE"));
  const QCommandLineOption scale(QStringLiteral("scale"), QString(), QStringLiteral("N"));
  parser.addOptions({help, version, exportTo, page, scale});
  parser.addPositionalArgument(QStringLiteral("FILE"), QString());

  QStringList chars;
  for (const std::string& argument : arguments) chars << AsChars(argument);
  if (!parser.parse(chars)) {
    const QStringList unknown = parser.unknownOptionNames();
    // Qt's own options (-platform, -style, ...) are single-dash words.
    const QString dashed = u'-' + unknown.value(0);
    const auto singleDash = [&dashed](const QString& argument) {
      return argument == dashed || argument.startsWith(dashed + u'=');
    };
    if (unknown.size() == 1 && dashed.size() > 2 &&
        std::any_of(chars.begin(), chars.end(), singleDash))
      return UsageError(QStringLiteral("Unknown option '-%1': Qt's own options are not taken")
                            .arg(unknown.front()));
    return UsageError(parser.errorText());
  }
  if (parser.isSet(help)) return Just(CommandLine::Action::kHelp);
  if (parser.isSet(version)) return Just(CommandLine::Action::kVersion);

  const QStringList files = parser.positionalArguments();
  if (files.size() > 1)
    return UsageError(QStringLiteral("one FILE at most, not %1").arg(files.size()));
  const std::string file = AsBytes(files.value(0));
  if (files.size() == 1 && file.empty()) return UsageError(QStringLiteral("FILE is empty"));

  CommandLine line;
  if (!parser.isSet(exportTo)) {
    if (parser.isSet(page) || parser.isSet(scale))
      return UsageError(QStringLiteral("--page and --scale go with --export"));
    line.modelFile = file;
    return line;
  }

  viewer::ExportRequest& request = line.exportRequest;
  request.output = AsBytes(parser.value(exportTo));
  request.modelFile = file;
  if (file.empty()) return UsageError(QStringLiteral("--export needs the FILE to load"));
  if (!viewer::ExportFormatOf(request.output))
    return UsageError(QStringLiteral("--export: OUT must end in .png or .pdf"));
  if (parser.isSet(page)) {
    const window::PageFacts* named = viewer::ExportPageNamed(parser.value(page));
    if (named == nullptr)
      return UsageError(QStringLiteral("--page: one of %1").arg(viewer::ExportPageNames()));
    request.page = named;
  }
  if (parser.isSet(scale)) {
    const std::optional<int> named = ScaleNamed(parser.value(scale));
    if (!named)
      return UsageError(QStringLiteral("--scale: one of the digits %1 to %2")
                            .arg(kMinExportScale)
                            .arg(kMaxExportScale));
    if (*viewer::ExportFormatOf(request.output) != viewer::ExportFormat::kPng)
      return UsageError(QStringLiteral("--scale goes with a PNG; a PDF is drawn as vectors"));
    request.scale = *named;
  }
  line.action = CommandLine::Action::kExport;
  return line;
}

}  // namespace qzd::app
