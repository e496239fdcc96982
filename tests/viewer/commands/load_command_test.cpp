// SPDX-License-Identifier: MIT
#include "viewer/load_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/viewer/commands/model_files.h"
#include "tests/viewer/commands/scripted_boxes.h"
#include "viewer/core/window_state.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;

// Logs the load command's calls on the window and keeps the fills in a headless window.
class RecordingWindow final : public LoadTarget {
 public:
  RecordingWindow(testing::CallLog& log, const ModelValueStore& store) : log_(log), store_(store) {}
  void SetFilePath(const ChosenFile& file) override { log_.push_back("path " + file.path); }
  void ShowMixerPage() override { log_.push_back("mixer"); }
  void Busy(bool busy) override { log_.push_back(busy ? "busy" : "idle"); }
  std::optional<FillStop> FillForm() override {
    log_.push_back("fill");
    return state.Apply(BuildDisplayUpdate(store_));
  }
  WindowState state;

 private:
  testing::CallLog& log_;
  const ModelValueStore& store_;
};

class LoadCommandTest : public ::testing::Test {
 protected:
  testing::CallLog log;
  testing::ScriptedDialog dialog{&log};
  testing::RecordingErrorBox errors{&log};
  ModelValueStore store;
  RecordingWindow window{log, store};
  LoadCommand command{store, dialog, errors, window};
  testing::ModelFiles files;

  void Choose(const std::string& path) { dialog.answers.push_back(ChosenFile{path}); }
  void Cancel() { dialog.answers.push_back(std::nullopt); }
};

TEST_F(LoadCommandTest, ReadFileShowsPathThenMixerThenFillsFromTheNewStore) {
  const std::string path = files.Write("a.qzd", {{0, 7}, {1, 1}, {300, -5}});
  Choose(path);
  command.Run();
  EXPECT_THAT(log, ElementsAre("dialog", "path " + path, "busy", "idle", "mixer", "fill"));
  EXPECT_EQ(store.value(0), 7);
  EXPECT_EQ(store.value(300), -5);
  EXPECT_EQ(window.state.text("pos0"), "7");
  EXPECT_EQ(window.state.text("pos1"), "GLIDER");
}

TEST_F(LoadCommandTest, CancelBeforeAnyLoadFillsFromTheAllZeroStore) {
  Cancel();
  command.Run();
  EXPECT_THAT(log, ElementsAre("dialog", "mixer", "fill"));
  EXPECT_EQ(store, ModelValueStore{});
  EXPECT_EQ(window.state.text("pos1"), "EASY");
}

TEST_F(LoadCommandTest, ReadFailuresStopBeforeThePageAndTheFill) {
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
    log.clear();
    Choose(row.path);
    command.Run();
    EXPECT_THAT(log,
                ElementsAre("dialog", "path " + row.path, "busy", "idle", "error " + row.message));
  }
}

TEST_F(LoadCommandTest, FillStopAppliesTheActionsBeforeItThenReportsIt) {
  const std::string path = files.Write("mode.qzd", {{0, 3}, {96, 2147483647}});
  Choose(path);
  command.Run();
  EXPECT_THAT(log, ElementsAre("dialog", "path " + path, "busy", "idle", "mixer", "fill",
                               "error Integer overflow."));
  EXPECT_EQ(window.state.text("pos0"), "3");
  EXPECT_EQ(window.state.text("Mode"), "");
}

TEST_F(LoadCommandTest, RangeCheckStopAfterACancelKeepsPathAndStore) {
  Choose(files.Write("range.qzd", {{204, 8}}));
  command.Run();
  const ModelValueStore before = store;
  log.clear();
  Cancel();
  command.Run();
  EXPECT_THAT(log, ElementsAre("dialog", "mixer", "fill", "error Range check error."));
  EXPECT_EQ(store, before);
}

TEST_F(LoadCommandTest, FailureAtLine50ThenCancelFillsFromTheMixedStore) {
  std::map<int, std::int32_t> first;
  for (int slot = 0; slot < 301; ++slot) first[slot] = 1;
  Choose(files.Write("first.qzd", first));
  command.Run();

  std::vector<std::string> lines(49, "2");
  lines.push_back("x");
  Choose(files.WriteLines("second.qzd", lines));
  command.Run();
  Cancel();
  log.clear();
  command.Run();

  EXPECT_THAT(log, ElementsAre("dialog", "mixer", "fill"));
  for (int slot = 0; slot <= 48; ++slot) EXPECT_EQ(store.value(slot), 2) << slot;
  for (int slot = 49; slot <= 300; ++slot) EXPECT_EQ(store.value(slot), 1) << slot;
  EXPECT_EQ(window.state.text("pos0"), "2");
}

}  // namespace
}  // namespace qzd::viewer
