#include "viewer/load_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tests/viewer/commands/model_files.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;

TEST(WithFinalPeriod, AddsAPeriodOnlyAfterABytAboveThePeriod) {
  struct Row {
    std::string message;
    std::string shown;
  };
  const std::vector<Row> rows = {
      {"File not found", "File not found."},
      {"I/O error 32", "I/O error 32."},
      {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
      {"", ""},
      {"ends.", "ends."},
      {"ends)", "ends)"},
      {"ends'", "ends'"},
      {"ends-", "ends-"},
      {"ends ", "ends "},
      {"ends,", "ends,"},
      {"ends/", "ends/."},        // "/" is 47, just above "."
      {"ends\xe9", "ends\xe9."},  // a byte above 127 counts as above "."
      {std::string("x\0", 2), std::string("x\0", 2)},
  };
  for (const Row& row : rows) EXPECT_EQ(WithFinalPeriod(row.message), row.shown) << row.message;
}

// Writes the calls the load command makes, in order, into one log.
struct Log {
  std::vector<std::string> calls;
};

class ScriptedDialog final : public OpenDialog {
 public:
  explicit ScriptedDialog(Log& log) : log_(log) {}
  std::optional<ChosenFile> Choose() override {
    log_.calls.push_back("dialog");
    auto answer = answers.empty() ? std::nullopt : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::optional<ChosenFile>> answers;

 private:
  Log& log_;
};

class RecordingErrorBox final : public ErrorBox {
 public:
  explicit RecordingErrorBox(Log& log) : log_(log) {}
  void Show(std::string_view text) override { log_.calls.push_back("error " + std::string(text)); }

 private:
  Log& log_;
};

class RecordingWindow final : public LoadTarget {
 public:
  RecordingWindow(Log& log, const ModelValueStore& store) : log_(log), store_(store) {}
  void SetFilePath(const ChosenFile& file) override { log_.calls.push_back("path " + file.path); }
  void ShowMixerPage() override { log_.calls.push_back("mixer"); }
  void Busy(bool busy) override { log_.calls.push_back(busy ? "busy" : "idle"); }
  std::optional<FillStop> FillForm() override {
    log_.calls.push_back("fill");
    const DisplayUpdate update = BuildDisplayUpdate(store_);
    for (const DisplayAction& a : update.actions)
      if (a.kind == DisplayAction::Kind::SetText) texts[std::string(a.element)] = a.text;
    return update.stop;
  }
  std::map<std::string, std::string> texts;

 private:
  Log& log_;
  const ModelValueStore& store_;
};

class LoadCommandTest : public ::testing::Test {
 protected:
  Log log;
  ScriptedDialog dialog{log};
  RecordingErrorBox errors{log};
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
  EXPECT_THAT(log.calls, ElementsAre("dialog", "path " + path, "busy", "idle", "mixer", "fill"));
  EXPECT_EQ(command.store().value(0), 7);
  EXPECT_EQ(command.store().value(300), -5);
  EXPECT_EQ(window.texts["pos0"], "7");
  EXPECT_EQ(window.texts["pos1"], "GLIDER");
}

TEST_F(LoadCommandTest, CancelBeforeAnyLoadFillsFromTheAllZeroStore) {
  Cancel();
  command.Run();
  EXPECT_THAT(log.calls, ElementsAre("dialog", "mixer", "fill"));
  EXPECT_EQ(command.store(), ModelValueStore{});
  EXPECT_EQ(window.texts["pos1"], "EASY");
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
    log.calls.clear();
    Choose(row.path);
    command.Run();
    EXPECT_THAT(log.calls,
                ElementsAre("dialog", "path " + row.path, "busy", "idle", "error " + row.message));
  }
}

TEST_F(LoadCommandTest, FillStopAppliesTheActionsBeforeItThenReportsIt) {
  const std::string path = files.Write("mode.qzd", {{0, 3}, {96, 2147483647}});
  Choose(path);
  command.Run();
  EXPECT_THAT(log.calls, ElementsAre("dialog", "path " + path, "busy", "idle", "mixer", "fill",
                                     "error Integer overflow."));
  EXPECT_EQ(window.texts["pos0"], "3");
  EXPECT_EQ(window.texts.count("Mode"), 0u);
}

TEST_F(LoadCommandTest, RangeCheckStopAfterACancelKeepsPathAndStore) {
  Choose(files.Write("range.qzd", {{204, 8}}));
  command.Run();
  const ModelValueStore before = command.store();
  log.calls.clear();
  Cancel();
  command.Run();
  EXPECT_THAT(log.calls, ElementsAre("dialog", "mixer", "fill", "error Range check error."));
  EXPECT_EQ(command.store(), before);
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
  log.calls.clear();
  command.Run();

  EXPECT_THAT(log.calls, ElementsAre("dialog", "mixer", "fill"));
  for (int slot = 0; slot <= 48; ++slot) EXPECT_EQ(command.store().value(slot), 2) << slot;
  for (int slot = 49; slot <= 300; ++slot) EXPECT_EQ(command.store().value(slot), 1) << slot;
  EXPECT_EQ(window.texts["pos0"], "2");
}

}  // namespace
}  // namespace qzd::viewer
