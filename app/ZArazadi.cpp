// The program entry: sets the program title, creates the one main window and runs until it is
// closed. The program reads no argument, environment variable or settings of its own and writes
// nothing.
#include <QApplication>

#include "viewer/DIrudoru.h"

int main(int argc, char* argv[]) {
  // The title names the program's task-bar entry and its message boxes. It is the application
  // name, not the display name: Qt would append a display name to the main window's own title.
  QCoreApplication::setApplicationName(QStringLiteral("DODeruzudevir"));
  // Ties the window to its desktop entry (Wayland app id, task bar icon and name).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.qzdviewer.QzdViewer"));
  QApplication application(argc, argv);

  qzd::viewer::TmainForm mainForm;
  mainForm.show();
  return QApplication::exec();
}
