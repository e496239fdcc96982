// SPDX-License-Identifier: MIT
// The window as start-up leaves it, and applying updates by element name.
#include "window/window_state.h"

#include <QAccessible>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <map>

#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"
#include "viewer/widgets/window_font.h"
#include "window/elements.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

using window::ElementFacts;
using window::ElementKind;
using window::FindElement;
using window::MainWindowFacts;
using window::WindowFacts;

using WindowAtStart = WindowTest;

// What the window shows as an element's text: a caption's or field's text, a frame's title.
QString ShownText(const QWidget* widget) {
  if (const auto* caption = qobject_cast<const Caption*>(widget)) return caption->text();
  if (const auto* field = qobject_cast<const DisplayField*>(widget)) return field->text();
  if (const auto* frame = qobject_cast<const Frame*>(widget)) return frame->title();
  if (const auto* button = qobject_cast<const QPushButton*>(widget)) return button->text();
  return {};
}

bool IsOfKind(const QWidget* widget, ElementKind kind) {
  switch (kind) {
    case ElementKind::kCaption:
      return qobject_cast<const Caption*>(widget) != nullptr;
    case ElementKind::kDisplayField:
      return qobject_cast<const DisplayField*>(widget) != nullptr;
    case ElementKind::kFrame:
      return qobject_cast<const Frame*>(widget) != nullptr;
    case ElementKind::kPictureBox:
      return qobject_cast<const PictureBox*>(widget) != nullptr;
    case ElementKind::kSeparator:
      return qobject_cast<const Separator*>(widget) != nullptr;
    case ElementKind::kButton:
      return qobject_cast<const QPushButton*>(widget) != nullptr;
  }
  return false;
}

// The window uic builds from the form is the one that the build's table of the form and the
// headless window describe: the same elements, kinds, parents, places, texts, flags and stacking.
TEST_F(WindowAtStart, IsTheWindowThatTheFormsTableDescribes) {
  const WindowFacts& facts = MainWindowFacts();
  const window::WindowState state;
  EXPECT_EQ(window_.objectName().toStdString(), facts.name);
  EXPECT_EQ(window_.windowTitle(),
            QString::fromUtf8(facts.title.data(), qsizetype(facts.title.size())));
  EXPECT_EQ(window_.size(), QSize(facts.place.width, facts.place.height));
  EXPECT_EQ(window_.pos(), QPoint(facts.place.x, facts.place.y));
  std::size_t named = 0;
  for (const QWidget* widget : window_.findChildren<QWidget*>()) {
    if (!widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_")) ++named;
  }
  EXPECT_EQ(named, facts.elements.size());
  for (const ElementFacts& element : facts.elements) {
    SCOPED_TRACE(std::string(element.name));
    const QWidget* widget = window_.Element(element.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(IsOfKind(widget, element.kind));
    EXPECT_EQ(Name(widget->parentWidget()), element.parent);
    EXPECT_EQ(widget->pos(), QPoint(element.geometry.x, element.geometry.y));
    EXPECT_EQ(widget->mapTo(&window_, QPoint()),
              QPoint(element.windowPlace.x, element.windowPlace.y));
    // Captions are as wide as their text in the font in use; every other element keeps its size.
    if (element.kind != ElementKind::kCaption) {
      EXPECT_EQ(widget->size(), QSize(element.geometry.width, element.geometry.height));
    }
    EXPECT_EQ(widget->isHidden(), !state.visible(element.name));
    EXPECT_EQ(ShownText(widget), QString::fromStdString(state.text(element.name)));
    // Qt stacks a parent's widgets in the order of its children, the last on top.
    QList<const QWidget*> siblings;
    for (const QObject* child : widget->parentWidget()->children()) {
      const auto* sibling = qobject_cast<const QWidget*>(child);
      if (sibling != nullptr && FindElement(Name(sibling))) siblings.append(sibling);
    }
    EXPECT_EQ(siblings.indexOf(widget), element.stackIndex);
  }
}

TEST_F(WindowAtStart, AllFourPagesAreVisibleWithTheMixerPageOnTop) {
  for (const char* page : {"GroupBox3", "GroupBox5", "GroupBox6", "GroupBox7"}) {
    EXPECT_TRUE(Get(page)->isVisible()) << page;
  }
  // Points of each page picture's place all belong to the MIXER page or its elements.
  const QWidget* mixer = Get("GroupBox3");
  for (const QPoint point : {QPoint(310, 120), QPoint(600, 500), QPoint(890, 400)}) {
    const QWidget* top = window_.childAt(point);
    EXPECT_TRUE(top == mixer || mixer->isAncestorOf(top)) << Name(top);
  }
}

TEST_F(WindowAtStart, TheWindowHasItsFixedSizePlaceAndIcon) {
  // Fixed: the border cannot be dragged to another size.
  EXPECT_EQ(window_.minimumSize(), QSize(916, 547));
  EXPECT_EQ(window_.maximumSize(), QSize(916, 547));
  EXPECT_EQ(window_.pos(), QPoint(37, 86));
  EXPECT_FALSE(window_.windowIcon().isNull());
  EXPECT_EQ(QCoreApplication::applicationName(), "DODeruzudevir");
  EXPECT_TRUE(QGuiApplication::applicationDisplayName() == "DODeruzudevir")
      << "the display name must stay the application name, or Qt adds it to the title";
}

TEST_F(WindowAtStart, EveryElementButTheWarningUsesTheWindowFont) {
  const QString family = QFontInfo(WindowFont()).family();
  EXPECT_TRUE(family == "MS Sans Serif" || family == "Liberation Sans") << family.toStdString();
  for (const QWidget* widget : window_.findChildren<QWidget*>()) {
    if (Name(widget) == "helivar") continue;
    EXPECT_EQ(QFontInfo(widget->font()).family(), family) << Name(widget);
    EXPECT_EQ(widget->font().pixelSize(), 11) << Name(widget);
    EXPECT_FALSE(widget->font().bold()) << Name(widget);
  }
  const auto* warning = Get<Caption>("helivar");
  EXPECT_EQ(QFontInfo(warning->font()).family(), family);
  EXPECT_EQ(warning->font().pixelSize(), 13);
  EXPECT_EQ(warning->palette().color(QPalette::WindowText),
            window_.palette().color(QPalette::Highlight));
}

TEST_F(WindowAtStart, ThePagesShowTheirPictures) {
  const std::map<std::string_view, PictureId> pictures = {{"Image1", PictureId::kServoConnection},
                                                          {"Image2", PictureId::kMode},
                                                          {"Image3", PictureId::kHeli},
                                                          {"Image4", PictureId::kAeroplane},
                                                          {"Image5", PictureId::kGlider},
                                                          {"Image6", PictureId::kHelicopter}};
  for (const auto& [name, id] : pictures) EXPECT_EQ(Get<PictureBox>(name)->picture(), id) << name;
}

TEST_F(WindowAtStart, ScreenReadersReadACaptionsTextAsItsName) {
  auto* caption = Get<Caption>("Label16");
  QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(caption);
  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(seen->role(), QAccessible::StaticText);
  EXPECT_EQ(seen->text(QAccessible::Name), caption->text());
  caption->setAccessibleName(QStringLiteral("channel 4 assignment"));
  EXPECT_EQ(seen->text(QAccessible::Name), "channel 4 assignment");
}

// ---- the window as the controller's front end ------------------------------------------------

namespace e = window::elements;
using FrontEndCalls = WindowTest;

TEST_F(FrontEndCalls, HidingAFrameHidesWhatItHoldsWithoutTheirOwnFlags) {
  window::FrontEnd& frontEnd = window_;
  frontEnd.SetVisible(e::fixai1, false);
  frontEnd.SetVisible(e::GroupBox2, false);
  EXPECT_FALSE(Get("drai1l")->isVisible());
  EXPECT_FALSE(Get("drai1l")->isHidden());
  frontEnd.SetVisible(e::GroupBox2, true);
  EXPECT_TRUE(Get("drai1l")->isVisible());
  EXPECT_TRUE(Get("fixai1")->isHidden());
}

TEST_F(FrontEndCalls, TextIsOneCharacterPerByteAndNeverMarkup) {
  static_cast<window::FrontEnd&>(window_).SetText(e::pos0, "<b>\xA7\xFF&amp;");
  EXPECT_EQ(Get<DisplayField>("pos0")->text(), QString::fromUtf16(u"<b>\u00A7\u00FF&amp;"));
}

TEST_F(FrontEndCalls, TextReplacesWhatTheUserTyped) {
  auto* field = Get<DisplayField>("sc1");
  ClickInto(field, QPoint(10, 8));
  QTest::keyClicks(QApplication::focusWidget(), "typed");
  EXPECT_EQ(field->text(), "typed");
  static_cast<window::FrontEnd&>(window_).SetText(e::sc1, "12");
  EXPECT_EQ(field->text(), "12");
}

// The window shows what the headless window shows after the same loads: every element's own
// flag, and every field's text (a model's texts are bytes, one per character).
void ExpectWindowShows(TmainForm& window, const window::WindowState& state) {
  for (const ElementFacts& element : MainWindowFacts().elements) {
    const QWidget* widget = window.Element(element.name);
    EXPECT_EQ(widget->isHidden(), !state.visible(element.name)) << element.name;
    if (element.kind == ElementKind::kDisplayField && element.name != "FilePath") {
      const std::string& text = state.text(element.name);
      EXPECT_EQ(ShownText(widget), QString::fromLatin1(text.data(), qsizetype(text.size())))
          << element.name;
    }
  }
}

TEST_F(FrontEndCalls, SuccessiveSampleLoadsShowWhatTheHeadlessWindowShows) {
  window::WindowState state;
  window::WindowController headless(state);
  for (const char* file : {"trainer-easy.qzd", "glider.qzd", "heli.qzd", "acro.qzd", "heli.qzd"}) {
    SCOPED_TRACE(file);
    const std::string path = std::string(QZD_EXAMPLES_DIR) + "/" + file;
    EXPECT_FALSE(window_.Controller().OpenFile(ChosenFile{path}).failed());
    headless.OpenFile(ChosenFile{path});
    ExpectWindowShows(window_, state);
  }
}

}  // namespace
}  // namespace qzd::viewer::testing
