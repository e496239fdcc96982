// The window as start-up leaves it, and applying updates by element name.
#include <QAccessible>
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <map>

#include "model/model_file_reader.h"
#include "viewer/widgets/caption.h"
#include "viewer/widgets/display_field.h"
#include "viewer/widgets/frame.h"
#include "viewer/widgets/picture_box.h"
#include "viewer/widgets/window_font.h"
#include "window_test_support.h"

namespace qzd::viewer::testing {
namespace {

constexpr std::array<std::string_view, 4> kHiddenAtStart = {"helivar", "Image4", "Image5",
                                                            "Image6"};

using WindowAtStart = WindowTest;

TEST_F(WindowAtStart, EveryFieldIsEmpty) {
  const auto fields = window_.findChildren<DisplayField*>();
  EXPECT_EQ(fields.size(), 141);
  for (const DisplayField* field : fields) EXPECT_EQ(field->text(), QString()) << Name(field);
}

TEST_F(WindowAtStart, OnlyTheWarningAndTheTypePicturesAreHidden) {
  for (const QWidget* widget : window_.findChildren<QWidget*>()) {
    const bool hidden = std::ranges::find(kHiddenAtStart, Name(widget)) != kHiddenAtStart.end();
    EXPECT_EQ(widget->isHidden(), hidden) << Name(widget);
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

TEST_F(WindowAtStart, TheWindowHasItsTitleSizePlaceAndIcon) {
  EXPECT_EQ(window_.objectName(), "mainForm");
  EXPECT_EQ(window_.windowTitle(), "Tarnell QZ Model data viewer");
  EXPECT_EQ(window_.size(), QSize(916, 547));
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
  const std::map<std::string_view, PictureId> pictures = {{"Image1", PictureId::ServoConnection},
                                                          {"Image2", PictureId::Mode},
                                                          {"Image3", PictureId::Heli},
                                                          {"Image4", PictureId::Aeroplane},
                                                          {"Image5", PictureId::Glider},
                                                          {"Image6", PictureId::Helicopter}};
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
  return {Kind::SetText, element, std::move(text)};
}

using ApplyingAnUpdate = WindowTest;

TEST_F(ApplyingAnUpdate, SetsTextsAndVisibilityInOrderAndHiddenFieldsStillTakeTheirText) {
  const DisplayUpdate update{{
                                 {Kind::Hide, "fixai1", {}},
                                 Text("fixai1", "-25"),
                                 Text("pos0", "17"),
                                 {Kind::Show, "Image6", {}},
                                 Text("pos0", "18"),
                                 {Kind::Hide, "Label66", {}},
                                 {Kind::Hide, "GroupBox2", {}},
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

// The state an element ends in: its last text and its last show or hide in the update.
void ExpectWindowShows(TmainForm& window, const DisplayUpdate& update) {
  std::map<std::string_view, std::string> texts;
  std::map<std::string_view, bool> shown;
  for (const DisplayAction& action : update.actions) {
    if (action.kind == Kind::SetText) texts[action.element] = action.text;
    if (action.kind != Kind::SetText) shown[action.element] = action.kind == Kind::Show;
  }
  for (const auto& [name, text] : texts) {
    const auto* field = qobject_cast<DisplayField*>(window.Element(name));
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->text(), QString::fromLatin1(text.data(), qsizetype(text.size()))) << name;
  }
  for (const auto& [name, visible] : shown) {
    EXPECT_EQ(window.Element(name)->isHidden(), !visible) << name;
  }
}

TEST_F(ApplyingAnUpdate, EachSampleModelFillsEveryFieldAndSetsItsTypesVisibility) {
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.file);
    const DisplayUpdate update = LoadSample(sample.file, window_.Store());
    ASSERT_FALSE(update.stop.has_value());
    EXPECT_EQ(window_.FillForm(), std::nullopt);
    ExpectWindowShows(window_, update);
    EXPECT_EQ(Get<DisplayField>("pos1")->text(), sample.type);
    const std::array<std::string_view, 4> typeElements = {"Image4", "Image5", "Image6", "helivar"};
    for (std::size_t i = 0; i < typeElements.size(); ++i) {
      EXPECT_EQ(Get(typeElements[i])->isHidden(), !sample.shown[i]) << typeElements[i];
    }
    for (const DisplayFieldInfo& info : DisplayFields()) {
      EXPECT_NE(qobject_cast<DisplayField*>(window_.Element(info.name)), nullptr) << info.name;
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
    return a.kind == Kind::SetText && a.element == "fmix2sw";
  });
  ASSERT_NE(text, update.actions.end());
  EXPECT_EQ(Get<DisplayField>("fmix2sw")->text(), QString::fromLatin1(text->text.c_str()));
  // The captions of the free-mixer rows' names stay.
  EXPECT_FALSE(Get("Label40")->isHidden());
}

}  // namespace
}  // namespace qzd::viewer::testing
