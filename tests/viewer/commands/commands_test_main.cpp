// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>

#include "viewer/open_dialog.h"

int main(int argc, char** argv) {
  // The window tests run without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // As the program does: Qt's file dialog restores and saves no settings.
  qzd::viewer::KeepNoSettings();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("DODeruzudevir"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
