// SPDX-License-Identifier: MIT
// The program entry: reads the command line, sets the program title, creates the one main window
// and runs until it is closed; or writes the window as a model leaves it to a file and exits. The
// program reads no environment variable or settings of its own.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer/window_export.h"
#include "window/program_title.h"

namespace {

constexpr char kNoDisplay[] =
    "qzd-viewer: no display to open the window on; without one, run it under a virtual display: "
    "xvfb-run -a scripts/run (or xvfb-run -a qzd-viewer)\n";

// Whether the window system Qt will use has a display to talk to. Other platforms (offscreen,
// vnc) bring their own.
bool DisplayNamed() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
    return true;
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QtMessageHandler usualMessages = nullptr;

// While Qt connects to the display, a display that does not answer would end in an abort with a
// trace after several lines about platform plugins; the user gets the one line instead.
void StartUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(EXIT_FAILURE);
  }
  const bool aboutPlatform =
      context.category != nullptr && QByteArray(context.category).startsWith("qt.qpa");
  if (!aboutPlatform && usualMessages != nullptr) usualMessages(type, context, text);
}

constexpr int kUsageError = 2;

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

// An export says one line for one failure. Without XDG_RUNTIME_DIR Qt notes on stderr where it
// will keep run-time files instead; an export keeps none.
void ExportMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (usualMessages != nullptr) usualMessages(type, context, text);
}

// Writes the window without showing it anywhere: the offscreen platform needs no display.
int Export(const qzd::viewer::ExportRequest& request, char* program) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  usualMessages = qInstallMessageHandler(ExportMessages);
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::window::kProgramTitle));
  qzd::viewer::KeepNoSettings();
  int qtArgc = 1;
  QApplication application(qtArgc, &program);
  if (const std::optional<QString> failure = qzd::viewer::ExportWindow(request)) {
    Print(stderr, QStringLiteral("qzd-viewer: %1\n").arg(qzd::app::TerminalSafe(*failure)));
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Arguments are settled before any window system is asked for, so that a mistake is told at
  // once, with or without a display.
  using qzd::app::CommandLine;
  // The arguments' bytes as they are: a file name need not be UTF-8.
  const CommandLine line = qzd::app::ParseCommandLine(std::vector<std::string>(argv, argv + argc));
  switch (line.action) {
    case CommandLine::Action::kHelp:
      Print(stdout, qzd::app::HelpText());
      return EXIT_SUCCESS;
    case CommandLine::Action::kVersion:
      Print(stdout, qzd::app::VersionText());
      return EXIT_SUCCESS;
    case CommandLine::Action::kUsageError:
      Print(stderr, QStringLiteral("qzd-viewer: %1 (qzd-viewer --help lists the options)\n")
                        .arg(qzd::app::TerminalSafe(line.usageError)));
      return kUsageError;
    case CommandLine::Action::kExport:
      return Export(line.exportRequest, argv[0]);
    case CommandLine::Action::kWindow:
      break;
  }

  if (!DisplayNamed()) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  // The title names the program's task-bar entry and its message boxes. It is the application
  // name, not the display name: Qt would append a display name to the main window's own title.
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::window::kProgramTitle));
  // Ties the window to its desktop entry (Wayland app id, task bar icon and name).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.qzdviewer.QzdViewer"));
  qzd::viewer::KeepNoSettings();
  usualMessages = qInstallMessageHandler(StartUpMessages);
  // Qt reads options of its own from the arguments; they are all the program's.
  int qtArgc = 1;
  QApplication application(qtArgc, argv);
  qInstallMessageHandler(usualMessages);

  qzd::viewer::QtOpenDialog fileOpenDlg;
  qzd::viewer::QtErrorBox errorBox;
  qzd::viewer::TmainForm mainForm(fileOpenDlg, errorBox);
  mainForm.show();
  // The model named on the command line loads once the window shows, so that an error box
  // stands over it.
  if (!line.modelFile.empty())
    QTimer::singleShot(0, &mainForm, [&] { mainForm.OpenModelFile(line.modelFile); });
  return QApplication::exec();
}
