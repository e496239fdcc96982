// SPDX-License-Identifier: MIT
// The window as start-up leaves it, and applying updates by element name.
#include "viewer/core/window_state.h"

#include <QAccessible>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <map>

#include "model/model_file_reader.h"
#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/separator.h"
#include "viewer/widgets/window_font.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

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
  const WindowState state;
  EXPECT_EQ(window_.objectName().toStdString(), facts.name);
  EXPECT_EQ(window_.windowTitle(),
            QString::fromUtf8(facts.title.data(), qsizetype(facts.title.size())));
  EXPECT_EQ(window_.size(), QSize(facts.width, facts.height));
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
      if (sibling != nullptr && FindElement(Name(sibling)) != nullptr) siblings.append(sibling);
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
  const QString family = QFontInfo(WindowFont(kWindowFontPixels)).family();
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

// ---- applying updates ---------------------------------------------------------------------

using Kind = DisplayAction::Kind;

DisplayAction Text(std::string_view element, std::string text) {
  return {Kind::kSetText, element, std::move(text)};
}

using ApplyingAnUpdate = WindowTest;

TEST_F(ApplyingAnUpdate, SetsTextsAndVisibilityInOrderAndHiddenFieldsStillTakeTheirText) {
  const DisplayUpdate update{{
                                 {Kind::kHide, "fixai1", {}},
                                 Text("fixai1", "-25"),
                                 Text("pos0", "17"),
                                 {Kind::kShow, "Image6", {}},
                                 Text("pos0", "18"),
                                 {Kind::kHide, "Label66", {}},
                                 {Kind::kHide, "GroupBox2", {}},
                                 Text("drai1l", "100"),
                             },
                             std::nullopt};
  EXPECT_EQ(window_.Apply(update), std::nullopt);
  EXPECT_TRUE(Get("fixai1")->isHidden());
  EXPECT_EQ(Get<DisplayField>("fixai1")->text(), "-25");
  EXPECT_EQ(Get<DisplayField>("pos0")->text(), "18");
  EXPECT_FALSE(Get("Image6")->isHidden());
  EXPECT_TRUE(Get("Label66")->isHidden());
  // Hiding a frame hides what it holds without touching their own flags.
  EXPECT_FALSE(Get("drai1l")->isVisible());
  EXPECT_FALSE(Get("drai1l")->isHidden());
  EXPECT_EQ(Get<DisplayField>("drai1l")->text(), "100");
  window_.ShowElement("GroupBox2");
  EXPECT_TRUE(Get("drai1l")->isVisible());
  EXPECT_TRUE(Get("fixai1")->isHidden());
}

TEST_F(ApplyingAnUpdate, EndingInAStopLeavesTheActionsBeforeItAndReturnsTheStop) {
  window_.SetText("Mode", QStringLiteral("MODE2"));
  const DisplayUpdate update{{Text("pos0", "3"), Text("thr", "-7")}, FillStop{"Integer overflow"}};
  EXPECT_EQ(window_.Apply(update), FillStop{"Integer overflow"});
  EXPECT_EQ(Get<DisplayField>("pos0")->text(), "3");
  EXPECT_EQ(Get<DisplayField>("thr")->text(), "-7");
  EXPECT_EQ(Get<DisplayField>("Mode")->text(), "MODE2");
}

TEST_F(ApplyingAnUpdate, TextIsOneCharacterPerByteAndNeverMarkup) {
  const std::string bytes = "<b>\xA7\xFF&amp;";
  window_.Apply(DisplayUpdate{{Text("FilePath", bytes)}, std::nullopt});
  EXPECT_EQ(Get<DisplayField>("FilePath")->text(), QString::fromUtf16(u"<b>\u00A7\u00FF&amp;"));
}

TEST_F(ApplyingAnUpdate, TextReplacesWhatTheUserTyped) {
  auto* field = Get<DisplayField>("sc1");
  ClickInto(field, QPoint(10, 8));
  QTest::keyClicks(QApplication::focusWidget(), "typed");
  EXPECT_EQ(field->text(), "typed");
  window_.Apply(DisplayUpdate{{Text("sc1", "12")}, std::nullopt});
  EXPECT_EQ(field->text(), "12");
}

// ---- the sample models ----------------------------------------------------------------------

struct Sample {
  const char* file;
  const char* type;
  std::array<bool, 4> shown;  // Image4, Image5, Image6, helivar
};

constexpr std::array<Sample, 4> kSamples = {{
    {"trainer-easy.qzd", "EASY", {true, true, false, false}},
    {"glider.qzd", "GLIDER", {false, true, false, false}},
    {"acro.qzd", "ACRO", {true, false, false, false}},
    {"heli.qzd", "HELI", {false, false, true, true}},
}};

DisplayUpdate LoadSample(const char* file, ModelValueStore& store) {
  const std::string path = std::string(QZD_EXAMPLES_DIR) + "/" + file;
  const auto failure = ReadModelFile(path, store);
  EXPECT_EQ(failure, std::nullopt) << path << ": " << (failure ? failure->message : "");
  return BuildDisplayUpdate(store);
}

// The window shows what the headless window shows after the same updates: every element's own
// flag, and every field's text (a model's texts are bytes, one per character).
void ExpectWindowShows(TmainForm& window, const WindowState& state) {
  for (const ElementFacts& element : MainWindowFacts().elements) {
    const QWidget* widget = window.Element(element.name);
    ASSERT_NE(widget, nullptr) << element.name;
    EXPECT_EQ(widget->isHidden(), !state.visible(element.name)) << element.name;
    if (element.kind == ElementKind::kDisplayField) {
      const std::string& text = state.text(element.name);
      EXPECT_EQ(ShownText(widget), QString::fromLatin1(text.data(), qsizetype(text.size())))
          << element.name;
    }
  }
}

TEST_F(ApplyingAnUpdate, EachSampleModelFillsEveryFieldAndSetsItsTypesVisibility) {
  WindowState state;
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.file);
    const DisplayUpdate update = LoadSample(sample.file, window_.Store());
    ASSERT_FALSE(update.stop.has_value());
    EXPECT_EQ(window_.FillForm(), std::nullopt);
    state.Apply(update);
    ExpectWindowShows(window_, state);
    EXPECT_EQ(Get<DisplayField>("pos1")->text(), sample.type);
    const std::array<std::string_view, 4> typeElements = {"Image4", "Image5", "Image6", "helivar"};
    for (std::size_t i = 0; i < typeElements.size(); ++i) {
      EXPECT_EQ(Get(typeElements[i])->isHidden(), !sample.shown[i]) << typeElements[i];
    }
  }
}

TEST_F(ApplyingAnUpdate, AGliderThenAHeliKeepsTheGlidersFieldVisibility) {
  ModelValueStore store;
  window_.Apply(LoadSample("glider.qzd", store));
  window_.Apply(LoadSample("heli.qzd", store));
  EXPECT_TRUE(Get("mixdeltal")->isHidden());
  EXPECT_FALSE(Get("fixai1")->isHidden());
  EXPECT_FALSE(Get("Image6")->isHidden());
  EXPECT_TRUE(Get("Image5")->isHidden());
  EXPECT_FALSE(Get("helivar")->isHidden());
}

TEST_F(ApplyingAnUpdate, AnEasyModelHidesFieldsThatStillTakeTheirTexts) {
  ModelValueStore store;
  const DisplayUpdate update = LoadSample("trainer-easy.qzd", store);
  window_.Apply(update);
  for (const char* name : {"fixai1", "mixaif1l", "fmix2sw", "Label66", "Label67"}) {
    EXPECT_TRUE(Get(name)->isHidden()) << name;
  }
  const auto text = std::ranges::find_if(update.actions, [](const DisplayAction& a) {
    return a.kind == Kind::kSetText && a.element == "fmix2sw";
  });
  ASSERT_NE(text, update.actions.end());
  EXPECT_EQ(Get<DisplayField>("fmix2sw")->text(), QString::fromLatin1(text->text.c_str()));
  // The captions of the free-mixer rows' names stay.
  EXPECT_FALSE(Get("Label40")->isHidden());
}

}  // namespace
}  // namespace qzd::viewer::testing
