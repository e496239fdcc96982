// SPDX-License-Identifier: MIT
// The main of the tests that need Qt's widgets: offscreen, named as the program, and like the
// program keeping no settings (Qt's file dialog would read and write its own otherwise).
#include <gtest/gtest.h>

#include <QApplication>

#include "viewer/open_dialog.h"
#include "window/program_title.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qzd::viewer::KeepNoSettings();
  QCoreApplication::setApplicationName(QString::fromLatin1(qzd::window::kProgramTitle));
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
