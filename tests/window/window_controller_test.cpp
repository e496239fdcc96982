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

}  // namespace
}  // namespace qzd::window
