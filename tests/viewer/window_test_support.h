// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <string>
#include <string_view>

#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"

namespace qzd::viewer::testing {

// A main window as start-up leaves it, shown offscreen.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_.StartUpDone(); }));
  }

  template <class Widget = QWidget>
  Widget* Get(std::string_view name) {
    auto* widget = qobject_cast<Widget*>(window_.Element(name));
    EXPECT_NE(widget, nullptr) << "no element " << name << " of the wanted kind";
    return widget;
  }

  // A real click at `point` of the client area: through the window system, so that the topmost
  // visible element under the point gets it and hands it on as Qt would.
  void ClickAt(QPoint point) {
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, point);
  }
  void DoubleClickAt(QPoint point) {
    QTest::mouseDClick(window_.windowHandle(), Qt::LeftButton, {}, point);
  }
  void ClickInto(const QWidget* widget, QPoint local) { ClickAt(widget->mapTo(&window_, local)); }

  QtOpenDialog dialog_;
  QtErrorBox errors_;
  TmainForm window_{dialog_, errors_};
};

inline std::string Name(const QObject* object) {
  return object == nullptr ? std::string("(none)") : object->objectName().toStdString();
}

}  // namespace qzd::viewer::testing
