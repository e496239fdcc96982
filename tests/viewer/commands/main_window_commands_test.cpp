// SPDX-License-Identifier: MIT
// The page cycle and the load command on the real main window, driven by mouse events at window
// coordinates, with a scripted open dialog and error box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/display_update.h"
#include "model/fill.h"
#include "tests/support/model_files.h"
#include "tests/viewer/commands/scripted_boxes.h"
#include "tests/viewer/commands/ui_helpers.h"
#include "viewer/error_box.h"
#include "viewer/main_window.h"
#include "viewer/widgets/display_field.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kPages = {"GroupBox3", "GroupBox5", "GroupBox6", "GroupBox7"};

// Window coordinates of points of the window.
constexpr QPoint kButton1(892, 528);
constexpr QPoint kLoadModel(464, 34);
constexpr QPoint kPageCorner(296, 96);

std::string Examples(const std::string& name) {
  return (std::filesystem::path(QZD_EXAMPLES_DIR) / name).string();
}

class MainWindowCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  // A press and release of the left button at a point of the window, delivered as the window
  // system would: to whatever visible element lies on top there.
  void ClickAt(QPoint point) {
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
  }
  void ClickOnPage(QPoint pagePoint) { ClickAt(kPageCorner + pagePoint); }

  // The page the user sees: the visible page lying on top.
  std::string SeenPage() const {
    QWidget* top = form.childAt(kPageCorner + QPoint(300, 439));
    while (top != nullptr && top->parentWidget() != &form) top = top->parentWidget();
    return top ? top->objectName().toStdString() : "";
  }
  std::vector<std::string> VisiblePages() const {
    std::vector<std::string> v;
    for (const std::string& p : kPages)
      if (form.Element(p)->isVisibleTo(&form)) v.push_back(p);
    return v;
  }
  bool Seen(std::string_view element) const { return form.Element(element)->isVisibleTo(&form); }
  std::string Text(std::string_view element) const {
    return qobject_cast<DisplayField*>(form.Element(element))->text().toStdString();
  }
  void Load(const std::string& path) {
    dialog.answers.push_back(ChosenFile{path});
    ClickAt(kLoadModel);
  }
  void Cancel() {
    dialog.answers.push_back(std::nullopt);
    ClickAt(kLoadModel);
  }
  void ShowPage(const std::string& page) {
    for (int i = 0; i < 4 && SeenPage() != page; ++i) ClickAt(kButton1);
    ASSERT_EQ(SeenPage(), page);
  }
  // Every field a fill of `store` sets shows that fill's text.
  void ExpectFilledFrom(const ModelValueStore& store) {
    for (const DisplayAction& a : BuildDisplayUpdate(store).actions) {
      if (a.kind == DisplayAction::Kind::kSetText) {
        EXPECT_EQ(Text(a.element), a.text) << a.element;
      }
    }
  }

  testing::ScriptedDialog dialog;
  testing::RecordingErrorBox errors;
  qzd::testing::ModelFiles files;
  TmainForm form{dialog, errors};
};

TEST_F(MainWindowCommands, AtStartMixerIsSeenStateZeroPathEmpty) {
  EXPECT_EQ(SeenPage(), "GroupBox3");
  EXPECT_EQ(VisiblePages(), kPages);
  EXPECT_EQ(form.Controller().helpPanelState(), window::HelpPanelState{0});
  EXPECT_EQ(Text("FilePath"), "");
  EXPECT_EQ(form.Controller().store(), ModelValueStore{});
}

TEST_F(MainWindowCommands, Button1CyclesFromStartOnePagePerClick) {
  std::vector<std::vector<std::string>> seen;
  for (int i = 0; i < 8; ++i) {
    ClickAt(kButton1);
    seen.push_back(VisiblePages());
  }
  using V = std::vector<std::string>;
  EXPECT_THAT(seen, ElementsAre(V{"GroupBox5"}, V{"GroupBox6"}, V{"GroupBox7"}, V{"GroupBox3"},
                                V{"GroupBox5"}, V{"GroupBox6"}, V{"GroupBox7"}, V{"GroupBox3"}));
}

TEST_F(MainWindowCommands, Button1AdvancesFromTheKeyboard) {
  QWidget* button = form.Element("Button1");
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  EXPECT_EQ(SeenPage(), "GroupBox5");
  QTest::keyClick(button, Qt::Key_Return);
  EXPECT_EQ(SeenPage(), "GroupBox6");
}

TEST_F(MainWindowCommands, FrameClicksAdvanceAndClicksOnVisibleElementsDoNot) {
  struct Row {
    std::string page;
    QPoint at;  // from the page's outer top-left corner
    bool advances;
    const char* what;
  };
  const std::vector<Row> rows = {
      {"GroupBox3", {20, 4}, true, "MIXER caption"},
      {"GroupBox3", {1, 200}, true, "MIXER left border"},
      {"GroupBox3", {100, 434}, true, "MIXER empty strip under the free mixers"},
      {"GroupBox3", {590, 250}, true, "MIXER empty right margin"},
      {"GroupBox3", {25, 72}, false, "field mixaiai1l"},
      {"GroupBox3", {230, 38}, false, "caption Label16"},
      {"GroupBox3", {100, 42}, false, "separator Bevel1"},
      {"GroupBox3", {20, 20}, false, "caption Phase 1"},
      {"GroupBox5", {300, 200}, false, "Servo Connection picture"},
      {"GroupBox5", {40, 5}, true, "Servo Connection caption strip"},
      {"GroupBox5", {300, 430}, true, "Servo Connection bottom margin"},
      {"GroupBox5", {3, 200}, true, "Servo Connection left margin"},
      {"GroupBox6", {100, 100}, false, "Mode picture"},
      {"GroupBox6", {500, 200}, true, "Mode empty right part"},
      {"GroupBox7", {300, 100}, false, "Heli picture"},
      {"GroupBox7", {300, 350}, true, "Heli empty lower part"},
  };
  for (const Row& row : rows) {
    ShowPage(row.page);
    const window::HelpPanelState before = form.Controller().helpPanelState();
    ClickOnPage(row.at);
    EXPECT_EQ(form.Controller().helpPanelState() != before, row.advances) << row.what;
    EXPECT_EQ(SeenPage() != row.page, row.advances) << row.what;
  }
}

TEST_F(MainWindowCommands, ClickOnTheplaceOfAHiddenFieldAdvancesAndHiddenFieldsStayHidden) {
  Load(Examples("trainer-easy.qzd"));  // EASY hides the AI->F row
  ASSERT_FALSE(Seen("mixaif1l"));
  ClickOnPage({25, 88});  // mixaif1l at (9, 80)
  EXPECT_EQ(SeenPage(), "GroupBox5");
  for (int i = 0; i < 3; ++i) ClickAt(kButton1);
  EXPECT_EQ(SeenPage(), "GroupBox3");
  EXPECT_FALSE(Seen("mixaif1l"));
  EXPECT_TRUE(Seen("mixaiai1l"));
}

TEST_F(MainWindowCommands, EachSampleModelLoadsWithMixerInFront) {
  struct Row {
    std::string file, type;
    std::vector<std::string> pictures;  // of Image4, Image5, Image6
    bool warning;
  };
  const std::vector<Row> rows = {
      {"trainer-easy.qzd", "EASY", {"Image4", "Image5"}, false},
      {"glider.qzd", "GLIDER", {"Image5"}, false},
      {"acro.qzd", "ACRO", {"Image4"}, false},
      {"heli.qzd", "HELI", {"Image6"}, true},
  };
  for (const Row& row : rows) {
    ShowPage("GroupBox7");
    Load(Examples(row.file));
    EXPECT_TRUE(errors.shown.empty()) << row.file << ": " << errors.shown.front();
    EXPECT_EQ(Text("FilePath"), Examples(row.file));
    EXPECT_EQ(Text("pos1"), row.type);
    std::vector<std::string> pictures;
    for (const char* p : {"Image4", "Image5", "Image6"})
      if (Seen(p)) pictures.emplace_back(p);
    EXPECT_EQ(pictures, row.pictures) << row.file;
    EXPECT_EQ(Seen("helivar"), row.warning) << row.file;
    EXPECT_EQ(SeenPage(), "GroupBox3") << row.file;
    EXPECT_EQ(VisiblePages(), std::vector<std::string>{"GroupBox3"}) << row.file;
    EXPECT_EQ(form.Controller().helpPanelState(), window::HelpPanelState{2}) << row.file;
    ExpectFilledFrom(form.Controller().store());
    ClickAt(kButton1);
    EXPECT_EQ(SeenPage(), "GroupBox5") << row.file;
  }
}

TEST_F(MainWindowCommands, CancelBeforeTheFirstLoadFillsFromTheZeroStore) {
  ShowPage("GroupBox6");
  Cancel();
  EXPECT_EQ(dialog.uses, 1);
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(Text("FilePath"), "");
  EXPECT_EQ(SeenPage(), "GroupBox3");
  EXPECT_EQ(form.Controller().helpPanelState(), window::HelpPanelState{2});
  EXPECT_EQ(Text("pos1"), "EASY");
  ExpectFilledFrom(ModelValueStore{});
}

// What each failure leaves: the path field shows the new path, the error box the message; a read
// failure leaves page, state and fields, a fill stop brings MIXER to the front.
TEST_F(MainWindowCommands, FailuresShowTheirMessageAndLeaveWhatTheOutcomeTableSays) {
  std::filesystem::create_directory(files.Path("folder.qzd"));
  // A terabyte hole without a line end: its first line fails at once, the hole is jumped.
  const std::string huge = files.WriteLines("huge.qzd", {});
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
  std::vector<std::string> hostile = {"1", "2", "<b>12</b>"};
  struct Row {
    std::string path;
    std::string message;
    bool readFailure;
    std::string_view keeps;  // a field that keeps the text of the fill before
  };
  const std::vector<Row> rows = {
      {files.Path("missing.qzd"), "File not found.", true, "Mode"},
      {files.Path("gone/a.qzd"), "Invalid filename.", true, "Mode"},
      {files.Path("folder.qzd"), "File access denied.", true, "Mode"},
      {files.WriteLines("markup.qzd", hostile), "'<b>12</b>' is not a valid integer value.", true,
       "Mode"},
      {files.WriteLines("picture.qzd", {"<img src=x>"}),
       "'<img src=x>' is not a valid integer value.", true, "Mode"},
      {huge, "'" + std::string(255, '\0') + "' is not a valid integer value.", true, "Mode"},
      {files.Write("mode.qzd", {{0, 9}, {96, 2147483647}}), "Integer overflow.", false, "Mode"},
      {files.Write("input.qzd", {{0, 9}, {215, -1}}), "Range check error.", false, "fmix2in"},
  };
  for (const Row& row : rows) {
    Load(Examples("glider.qzd"));
    const ModelValueStore good = form.Controller().store();
    const std::string kept = Text(row.keeps);
    ShowPage("GroupBox6");
    const window::HelpPanelState state = form.Controller().helpPanelState();
    errors.shown.clear();

    Load(row.path);
    EXPECT_THAT(errors.shown, ElementsAre(row.message)) << row.path;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << row.path;
    EXPECT_EQ(Text("FilePath"), row.path);
    EXPECT_EQ(Text(row.keeps), kept) << row.path;
    if (row.readFailure) {
      EXPECT_EQ(SeenPage(), "GroupBox6") << row.path;
      EXPECT_EQ(form.Controller().helpPanelState(), state) << row.path;
      ExpectFilledFrom(good);
      for (int slot = 2; slot < ModelValueStore::kSlotCount; ++slot)
        ASSERT_EQ(form.Controller().store().value(slot), good.value(slot))
            << row.path << " slot " << slot;
    } else {
      EXPECT_EQ(SeenPage(), "GroupBox3") << row.path;
      EXPECT_EQ(form.Controller().helpPanelState(), window::HelpPanelState{2}) << row.path;
      EXPECT_EQ(Text("pos0"), "9") << row.path;
      EXPECT_EQ(form.Controller().store().value(0), 9) << row.path;
    }
  }
}

TEST_F(MainWindowCommands, NumberFailureKeepsTheLinesBeforeItInTheStore) {
  Load(Examples("glider.qzd"));
  const ModelValueStore before = form.Controller().store();
  Load(files.WriteLines("markup.qzd", {"5", "-3", "<b>12</b>"}));
  EXPECT_EQ(form.Controller().store().value(0), 5);
  EXPECT_EQ(form.Controller().store().value(1), -3);
  for (int slot = 2; slot < ModelValueStore::kSlotCount; ++slot)
    EXPECT_EQ(form.Controller().store().value(slot), before.value(slot)) << slot;
}

TEST_F(MainWindowCommands, FailureAtLine50ThenCancelFillsFromTheMixedStore) {
  Load(Examples("acro.qzd"));
  ModelValueStore expected = form.Controller().store();
  std::vector<std::string> lines;
  for (int line = 1; line <= 49; ++line) lines.push_back(std::to_string(line % 3));
  lines.push_back("fifty");
  Load(files.WriteLines("line50.qzd", lines));
  ASSERT_THAT(errors.shown, ElementsAre("'fifty' is not a valid integer value."));
  for (int slot = 0; slot <= 48; ++slot) expected.set(slot, (slot + 1) % 3);
  Cancel();
  EXPECT_EQ(form.Controller().store(), expected);
  EXPECT_EQ(Text("FilePath"), files.Path("line50.qzd"));
  EXPECT_EQ(SeenPage(), "GroupBox3");
  ExpectFilledFrom(expected);
}

TEST_F(MainWindowCommands, VisibilityCarriesOverAfterHeliAndUnlistedTypes) {
  Load(Examples("glider.qzd"));
  Load(Examples("heli.qzd"));
  EXPECT_TRUE(Seen("fixai1"));  // as GLIDER left it
  EXPECT_FALSE(Seen("mixylead"));
  EXPECT_TRUE(Seen("helivar"));

  Load(Examples("trainer-easy.qzd"));
  Load(files.Write("unlisted.qzd", {{1, 7}}));
  EXPECT_EQ(Text("pos1"), "-?-");
  EXPECT_TRUE(Seen("Image4"));  // as EASY left them
  EXPECT_TRUE(Seen("Image5"));
  EXPECT_FALSE(Seen("Image6"));
  EXPECT_FALSE(Seen("fixai1"));
  EXPECT_FALSE(Seen("helivar"));
  ExpectFilledFrom(form.Controller().store());  // hidden fields, too, are brought up to date
}

// The real box on a window of its own: the failing line shows literally, the busy pointer of the
// read is gone before the box shows, and the window takes input again afterwards.
TEST_F(MainWindowCommands, RealErrorBoxShowsAHostileLineLiterallyWithoutTheBusyPointer) {
  QtErrorBox real;
  TmainForm window(dialog, real);
  QString text;
  bool busyWhileShown = true;
  testing::WhenModalShows([&](QWidget& box) {
    if (auto* message = box.findChild<QTextEdit*>()) text = message->toPlainText();
    busyWhileShown = QApplication::overrideCursor() != nullptr;
    QTest::keyClick(&box, Qt::Key_Return);
  });
  dialog.answers.push_back(
      ChosenFile{files.WriteLines("hostile.qzd", {"<b>12</b> \xe9t\xe9 %s%n"})});
  window.FileOpenClick();
  EXPECT_EQ(text,
            QString::fromUtf8("'<b>12</b> \u00e9t\u00e9 %s%n' is not a valid integer value."));
  EXPECT_FALSE(busyWhileShown);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(window.isEnabled());
}

}  // namespace
}  // namespace qzd::viewer
