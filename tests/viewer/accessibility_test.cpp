// SPDX-License-Identifier: MIT
// What a screen reader finds in the window: names, descriptions, roles, texts and the keyboard
// order, read back through Qt's accessibility interfaces.
#include "viewer/accessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <set>
#include <vector>

#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "window/field_labels.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class Accessibility : public WindowTest {
 protected:
  QAccessibleInterface* Accessible(std::string_view name) {
    QWidget* widget = Get(name);
    QAccessibleInterface* accessible =
        widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
    EXPECT_NE(accessible, nullptr) << name;
    return accessible;
  }
};

TEST_F(Accessibility, EveryDisplayFieldIsAnEditableTextNamedByItsLabel) {
  std::set<QString> names;
  for (const window::FieldLabel& field : window::DisplayFieldLabels()) {
    SCOPED_TRACE(std::string(field.field.name()));
    QAccessibleInterface* accessible = Accessible(field.field.name());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), FromView(field.label));
    EXPECT_EQ(accessible->role(), QAccessible::EditableText);
    EXPECT_TRUE(accessible->state().editable);
    EXPECT_TRUE(accessible->state().focusable);
    names.insert(accessible->text(QAccessible::Name));
  }
  // A listener tells the fields apart by name alone.
  EXPECT_EQ(names.size(), window::DisplayFieldLabels().size());
  EXPECT_EQ(window::DisplayFieldLabels().size(), 140u);
}

TEST_F(Accessibility, LabelsReadLikeTheirCaptions) {
  EXPECT_EQ(Accessible("drai1l")->text(QAccessible::Name), "DR AI, Phase 1, DR1");
  EXPECT_EQ(Accessible("FilePath")->text(QAccessible::Name), "model file path");
  EXPECT_EQ(Accessible("FilePath")->role(), QAccessible::EditableText);
}

TEST_F(Accessibility, AFieldsPaintedTextIsItsValueAndReadableAsText) {
  // Bytes from a model file, blanks and markup included, are read out as they stand.
  const QString text = QStringLiteral("<b>-110</b> ");
  Get<DisplayField>("stl1")->setText(text);
  QAccessibleInterface* accessible = Accessible("stl1");
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Value), text);
  QAccessibleTextInterface* textInterface = accessible->textInterface();
  ASSERT_NE(textInterface, nullptr);
  EXPECT_EQ(textInterface->characterCount(), text.size());
  EXPECT_EQ(textInterface->text(0, static_cast<int>(text.size())), text);
  EXPECT_EQ(textInterface->text(3, 7), QStringLiteral("-110"));

  Get<DisplayField>("stl1")->setText(QString());
  EXPECT_EQ(accessible->text(QAccessible::Value), QString());
  EXPECT_EQ(textInterface->characterCount(), 0);
}

TEST_F(Accessibility, TheEditorAFieldMakesCarriesTheFieldsName) {
  auto* field = Get<DisplayField>("fmix2sw");
  ASSERT_NE(field, nullptr);
  Get<DisplayField>("fmix2sw")->setText(QStringLiteral("4 PH/AUX2  |_|"));
  field->startEditing();
  auto* editor = field->findChild<QPlainTextEdit*>();
  ASSERT_NE(editor, nullptr);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(editor);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), "free mixer 2, switch (if)");
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("4 PH/AUX2  |_|"));
  // The painted field now reads the editor's text, typing included.
  editor->appendPlainText(QStringLiteral("x"));
  EXPECT_EQ(Accessible("fmix2sw")->text(QAccessible::Value), editor->toPlainText());
}

TEST_F(Accessibility, ButtonsPicturesFramesAndPagesAreNamedAndDescribed) {
  EXPECT_EQ(Accessible("open")->text(QAccessible::Name), "load model");
  EXPECT_EQ(Accessible("open")->role(), QAccessible::Button);
  EXPECT_EQ(Accessible("Button1")->text(QAccessible::Name), "next page");
  EXPECT_EQ(Accessible("Button1")->role(), QAccessible::Button);
  for (std::string_view picture : {"Image1", "Image2", "Image3", "Image4", "Image5", "Image6"}) {
    SCOPED_TRACE(std::string(picture));
    EXPECT_EQ(Accessible(picture)->role(), QAccessible::Graphic);
    EXPECT_FALSE(Accessible(picture)->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(Accessible(picture)->text(QAccessible::Description).isEmpty());
  }
  // Frames and pages keep their captions as names.
  EXPECT_EQ(Accessible("GroupBox3")->text(QAccessible::Name), "MIXER");
  EXPECT_EQ(Accessible("GroupBox5")->text(QAccessible::Name), "Servo Connection");
  EXPECT_EQ(Accessible("GroupBox1")->text(QAccessible::Name), "SERVO");
  EXPECT_EQ(Accessible("GroupBox8")->text(QAccessible::Name), "credits");
  // A caption still reads its own text: the row caption beside the DR AI fields.
  EXPECT_EQ(Accessible("Label45")->text(QAccessible::Name), "DR AI");
  // Nothing a user meets outside the display fields goes unexplained: every button, picture and
  // frame, and the path field, has a name and a description.
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    const bool explained = qobject_cast<QPushButton*>(widget) ||
                           qobject_cast<PictureBox*>(widget) || qobject_cast<Frame*>(widget) ||
                           widget->objectName() == "FilePath";
    if (!explained) continue;
    SCOPED_TRACE(Name(widget));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty());
    EXPECT_FALSE(accessible->text(QAccessible::Description).isEmpty());
  }
}

// A screen reader that listens from start-up is told about the elements while the form sets them
// up; what it learns then must already be their own kinds.
TEST(AccessibilityFromStartUp, ElementsAreKnownByTheirKindsWhileTheFormSetsThemUp) {
  QAccessible::setActive(true);
  {
    QtOpenDialog dialog;
    QtErrorBox errors;
    const TmainForm window(dialog, errors);
    const auto role = [&](std::string_view name) {
      return QAccessible::queryAccessibleInterface(window.Element(name))->role();
    };
    EXPECT_EQ(role("Image4"), QAccessible::Graphic);
    EXPECT_EQ(role("FilePath"), QAccessible::EditableText);
  }
  QAccessible::setActive(false);
}

// The window-level element that holds `widget`, or the widget itself when it lies on the window.
std::string TopLevelElement(const QWidget* widget, const QWidget* window) {
  while (widget->parentWidget() && widget->parentWidget() != window) {
    widget = widget->parentWidget();
  }
  return widget->objectName().toStdString();
}

TEST_F(Accessibility, TabWalksTheWholeWindowInTheListedOrder) {
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  QWidget* open = Get("open");
  open->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), open);

  // One full round: from `open` until focus comes back to it.
  std::vector<std::string> visited;  // window-level elements, consecutive repeats folded
  std::set<std::string> fields;      // display fields reached
  for (int step = 0; step < 400; ++step) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    if (step > 0 && focus == open) break;
    const std::string top = TopLevelElement(focus, &window_);
    if (visited.empty() || visited.back() != top) visited.push_back(top);
    // A field hands the focus on to the editor it makes; the editor stands for the field.
    const QWidget* field = focus;
    while (field && !qobject_cast<const DisplayField*>(field)) field = field->parentWidget();
    if (field) fields.insert(field->objectName().toStdString());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  ASSERT_EQ(QApplication::focusWidget(), open) << "Tab never came back to open";

  // The listed order, less the pages and panel that hold nothing to type into or press.
  const std::vector<std::string> expected = {"open",      "FilePath", "pos0",      "pos1",
                                             "GroupBox1", "Mode",     "GroupBox2", "phases",
                                             "GroupBox4", "thr",      "Button1",   "GroupBox3"};
  EXPECT_EQ(visited, expected);

  // Every display field and the path field is reached on the way.
  std::set<std::string> all = {"FilePath"};
  for (const window::FieldLabel& field : window::DisplayFieldLabels())
    all.insert(std::string(field.field.name()));
  EXPECT_EQ(fields, all);
}

}  // namespace
}  // namespace qzd::viewer::testing
