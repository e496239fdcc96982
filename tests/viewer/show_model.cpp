// SPDX-License-Identifier: MIT
// Shows the main window filled from one model file, as a load of that file would leave it, so the
// window can be looked at (and screenshots taken) before and without the load command.
//   viewer_show_model [FILE.qzd]
#include <QApplication>
#include <QFileInfo>
#include <cstdio>

#include "model/model_file_reader.h"
#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer/program_title.h"

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::viewer::kProgramTitle));
  QApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();

  qzd::viewer::QtOpenDialog fileOpenDlg;
  qzd::viewer::QtErrorBox errorBox;
  qzd::viewer::TmainForm window(fileOpenDlg, errorBox);
  if (arguments.size() > 1) {
    // The path field shows the full path, as the open dialog gives it.
    const QString fullPath = QFileInfo(arguments.at(1)).absoluteFilePath();
    const std::string path = fullPath.toStdString();
    window.SetText("FilePath", fullPath);
    if (const auto failure = qzd::ReadModelFile(path, window.Store())) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), failure->message.c_str());
      return 1;
    }
    if (const auto stop = window.FillForm()) {
      std::fprintf(stderr, "%s: fill stopped: %s\n", path.c_str(), stop->message.c_str());
    }
  }
  window.show();
  return QApplication::exec();
}
