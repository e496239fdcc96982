// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QGuiApplication>

// The icon becomes a pixmap, which needs a GUI application; the offscreen platform lets the tests
// run without a display.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
