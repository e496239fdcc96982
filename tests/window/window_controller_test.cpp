// SPDX-License-Identifier: MIT
// The window's behaviour through the front-end interface, which the Qt window, the page, the
// Windows window and the tools all adapt: what is tested here holds for every one of them.
#include "window/window_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/support/model_files.h"
#include "tests/window/recording_front_end.h"
#include "window/elements.h"

namespace qzd::window {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::RecordingFrontEnd;

// The page cycle's steps when a load shows the MIXER page.
const std::vector<std::string> kMixerPage = {"show GroupBox3", "hide GroupBox5", "hide GroupBox6",
                                             "hide GroupBox7"};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

class WindowControllerTest : public ::testing::Test {
 protected:
  RecordingFrontEnd window;
  WindowController controller{window};
  qzd::testing::ModelFiles files;

  void Choose(const std::string& path) { window.answers.push_back(ChosenFile{path}); }
  void Cancel() { window.answers.push_back(std::nullopt); }
  const ModelValueStore& store() const { return controller.store(); }
};

TEST_F(WindowControllerTest, LoadShowsPathReadsThenShowsMixerAndFillsFromTheNewStore) {
  const std::string path = files.Write("a.qzd", {{0, 7}, {1, 1}, {300, -5}});
  Choose(path);
  controller.Click(elements::open);
  EXPECT_THAT(window.log,
              ElementsAreArray(Then({"dialog", "path " + path, "busy", "idle"}, kMixerPage)));
  EXPECT_EQ(store().value(0), 7);
  EXPECT_EQ(store().value(300), -5);
  EXPECT_EQ(window.text(elements::pos0), "7");
  EXPECT_EQ(window.text(elements::pos1), "GLIDER");
  EXPECT_EQ(window.text(elements::FilePath), path);
  EXPECT_EQ(controller.helpPanelState(), HelpPanelState{2});
}

TEST_F(WindowControllerTest, CancelBeforeAnyLoadFillsFromTheAllZeroStore) {
  Cancel();
  controller.FileOpenClick();
  EXPECT_THAT(window.log, ElementsAreArray(Then({"dialog"}, kMixerPage)));
  EXPECT_EQ(store(), ModelValueStore{});
  EXPECT_EQ(window.text(elements::pos1), "EASY");
}

TEST_F(WindowControllerTest, ReadFailuresStopBeforeThePageAndTheFill) {
  std::filesystem::create_directory(files.Path("folder.qzd"));
  struct Row {
    std::string path;
    std::string message;
  };
  const std::vector<Row> rows = {
      {files.Path("missing.qzd"), "File not found."},
      {files.Path("no-such-folder/a.qzd"), "Invalid filename."},
      {files.Path("folder.qzd"), "File access denied."},
      {files.WriteLines("word.qzd", {"12", "<b>12</b>"}),
       "'<b>12</b>' is not a valid integer value."},
      {files.WriteLines("blank.qzd", {"1", "2 "}), "'2 ' is not a valid integer value."},
      {files.WriteLines("empty.qzd", {}), "'' is not a valid integer value."},
  };
  for (const Row& row : rows) {
    window.log.clear();
    Choose(row.path);
    const LoadOutcome outcome = controller.FileOpenClick();
    EXPECT_THAT(window.log,
                ElementsAre("dialog", "path " + row.path, "busy", "idle", "error " + row.message));
    EXPECT_TRUE(outcome.failure.has_value()) << row.path;
  }
}

TEST_F(WindowControllerTest, FillStopDoesTheActionsBeforeItThenReportsIt) {
  const std::string path = files.Write("mode.qzd", {{0, 3}, {96, 2147483647}});
  Choose(path);
  const LoadOutcome outcome = controller.FileOpenClick();
  EXPECT_THAT(window.log,
              ElementsAreArray(Then(Then({"dialog", "path " + path, "busy", "idle"}, kMixerPage),
                                    {"error Integer overflow."})));
  EXPECT_EQ(outcome.stop, FillStop{"Integer overflow"});
  EXPECT_EQ(window.text(elements::pos0), "3");
  EXPECT_EQ(window.text(elements::Mode), "");
}

TEST_F(WindowControllerTest, FailureAtLine50ThenCancelFillsFromTheMixedStore) {
  std::map<int, std::int32_t> first;
  for (int slot = 0; slot < 301; ++slot) first[slot] = 1;
  Choose(files.Write("first.qzd", first));
  controller.FileOpenClick();

  std::vector<std::string> lines(49, "2");
  lines.push_back("x");
  Choose(files.WriteLines("second.qzd", lines));
  controller.FileOpenClick();
  Cancel();
  window.log.clear();
  controller.FileOpenClick();

  EXPECT_THAT(window.log, ElementsAreArray(Then({"dialog"}, kMixerPage)));
  for (int slot = 0; slot <= 48; ++slot) EXPECT_EQ(store().value(slot), 2) << slot;
  for (int slot = 49; slot <= 300; ++slot) EXPECT_EQ(store().value(slot), 1) << slot;
  EXPECT_EQ(window.text(elements::pos0), "2");
}

// A file named on the command line, dropped, or given to a tool takes the dialog's steps, and
// the dialog offers it next time.
TEST_F(WindowControllerTest, AFileChosenElsewhereTakesTheSameStepsAndIsOffered) {
  const std::string path = files.Write("b.qzd", {{0, 9}});
  controller.OpenFile(ChosenFile{path});
  EXPECT_THAT(window.log, ElementsAreArray(
                              Then({"offer " + path, "path " + path, "busy", "idle"}, kMixerPage)));
  EXPECT_EQ(window.text(elements::pos0), "9");
}

TEST_F(WindowControllerTest, ClicksRunTheirElementsCommand) {
  controller.Click(elements::Button1);
  EXPECT_EQ(controller.helpPanelState(), HelpPanelState{3});
  controller.Click(elements::GroupBox5);  // the page on top, where none of its elements lies
  EXPECT_EQ(controller.helpPanelState(), HelpPanelState{4});
  window.log.clear();
  controller.Click(elements::GroupBox1);  // a frame that is no page
  controller.Click(elements::Image1);
  EXPECT_TRUE(window.log.empty());
  EXPECT_EQ(controller.helpPanelState(), HelpPanelState{4});
}

// Every key a front end hands in: the command table's chords wherever the focus is, Enter only on
// a button, which the front end then presses its own way.
TEST_F(WindowControllerTest, KeysRunTheCommandTablesCommands) {
  struct Row {
    KeyChord chord;
    std::optional<ElementId> focused;
    KeyOutcome outcome;
    std::vector<std::string> log;
  };
  const KeyChord enter = KeyChord::Named(NamedKey::kEnter);
  const std::vector<Row> rows = {
      {KeyChord::Control('O'), elements::drai1l, KeyOutcome::kTaken, Then({"dialog"}, kMixerPage)},
      {KeyChord::Control('Q'), std::nullopt, KeyOutcome::kTaken, {"close"}},
      {enter, elements::Button1, KeyOutcome::kPressFocused, {}},
      {enter, elements::drai1l, KeyOutcome::kNotTaken, {}},
      {enter, std::nullopt, KeyOutcome::kNotTaken, {}},
      {{'O', false, false}, elements::open, KeyOutcome::kNotTaken, {}},
      {{'O', true, true}, elements::open, KeyOutcome::kNotTaken, {}},
      {KeyChord::Named(NamedKey::kEscape), elements::open, KeyOutcome::kNotTaken, {}},
  };
  for (const Row& row : rows) {
    window.log.clear();
    EXPECT_EQ(controller.Key(row.chord, row.focused), row.outcome) << row.chord.key;
    EXPECT_EQ(window.log, row.log) << row.chord.key;
  }
}

TEST_F(WindowControllerTest, ADropLoadsExactlyOneLocalFileAndRefusesAnythingElseWhole) {
  const std::string a = files.Write("a.qzd", {{0, 7}});
  const std::string b = files.Write("b.qzd", {{0, 8}});
  const DroppedItem fileA{DroppedItem::Kind::kLocalFile, ChosenFile{a}};
  const DroppedItem other{DroppedItem::Kind::kOther, ChosenFile{a}};
  const std::vector<std::vector<DroppedItem>> refused = {
      {},
      {fileA, {DroppedItem::Kind::kLocalFile, ChosenFile{b}}},
      {other},
      {fileA, other},
      {{DroppedItem::Kind::kLocalFile, ChosenFile{}}},
  };
  for (const std::vector<DroppedItem>& items : refused) {
    EXPECT_FALSE(controller.AcceptsDrop(items)) << items.size();
    EXPECT_FALSE(controller.Drop(items)) << items.size();
  }
  EXPECT_TRUE(window.log.empty());
  EXPECT_EQ(store(), ModelValueStore{});

  const std::vector<DroppedItem> one = {fileA};
  EXPECT_TRUE(controller.Drop(one));
  EXPECT_THAT(window.log,
              ElementsAreArray(Then({"offer " + a, "path " + a, "busy", "idle"}, kMixerPage)));
  EXPECT_EQ(store().value(0), 7);
}

// Input that arrives while a command waits on its dialog does nothing, whichever way it comes.
TEST_F(WindowControllerTest, InputWhileACommandRunsIsDropped) {
  const std::string a = files.Write("a.qzd", {{0, 7}});
  const std::vector<DroppedItem> drop = {{DroppedItem::Kind::kLocalFile, ChosenFile{a}}};
  std::vector<bool> available;
  window.duringDialog = [&] {
    for (const CommandFacts& command : WindowCommands())
      available.push_back(controller.Available(command.command));
    EXPECT_TRUE(controller.busy());
    controller.Click(elements::open);
    controller.Click(elements::Button1);
    controller.ChangeHelpScr();
    EXPECT_EQ(controller.Key(KeyChord::Control('Q'), std::nullopt), KeyOutcome::kTaken);
    EXPECT_EQ(controller.Key(KeyChord::Named(NamedKey::kEnter), elements::Button1),
              KeyOutcome::kTaken);
    EXPECT_FALSE(controller.AcceptsDrop(drop));
    EXPECT_FALSE(controller.Drop(drop));
    EXPECT_TRUE(controller.OpenFile(ChosenFile{a}).dropped);
    EXPECT_TRUE(controller.FileOpenClick().dropped);
  };
  Cancel();
  controller.Click(elements::open);
  EXPECT_THAT(window.log, ElementsAreArray(Then({"dialog"}, kMixerPage)));
  EXPECT_EQ(available, std::vector<bool>(WindowCommands().size(), false));
  EXPECT_FALSE(controller.busy());
  EXPECT_TRUE(controller.Available(WindowCommand::kLoadModel));
  EXPECT_EQ(store(), ModelValueStore{});
}

}  // namespace
}  // namespace qzd::window
