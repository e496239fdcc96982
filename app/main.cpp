// The program entry: sets the program title, creates the one main window and runs until it is
// closed. The program reads no argument, environment variable or settings of its own and writes
// nothing.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer/program_title.h"

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

}  // namespace

int main(int argc, char* argv[]) {
  if (!DisplayNamed()) {
    std::fputs(kNoDisplay, stderr);
    return EXIT_FAILURE;
  }
  // The title names the program's task-bar entry and its message boxes. It is the application
  // name, not the display name: Qt would append a display name to the main window's own title.
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::viewer::kProgramTitle));
  // Ties the window to its desktop entry (Wayland app id, task bar icon and name).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.qzdviewer.QzdViewer"));
  qzd::viewer::KeepNoSettings();
  usualMessages = qInstallMessageHandler(StartUpMessages);
  QApplication application(argc, argv);
  qInstallMessageHandler(usualMessages);

  qzd::viewer::QtOpenDialog fileOpenDlg;
  qzd::viewer::QtErrorBox errorBox;
  qzd::viewer::TmainForm mainForm(fileOpenDlg, errorBox);
  mainForm.show();
  return QApplication::exec();
}
