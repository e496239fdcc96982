// SPDX-License-Identifier: MIT
// The commands that take the model away or step to another one, through the front-end interface:
// when each may run, the steps through a folder and its order, and the context menu. What a print,
// a save and the sheet hand over is tried on each real window (viewer, windows and web tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/model_files.h"
#include "tests/window/recording_front_end.h"
#include "window/elements.h"
#include "window/model_sequence.h"
#include "window/window_controller.h"

namespace qzd::window {
namespace {

using testing::RecordingFrontEnd;
using enum WindowCommand;

class WindowCommandsTest : public ::testing::Test {
 protected:
  RecordingFrontEnd window;
  WindowController controller{window};
  qzd::testing::ModelFiles files;

  std::vector<WindowCommand> Available() const {
    std::vector<WindowCommand> available;
    for (const CommandFacts& facts : WindowCommands()) {
      if (controller.Available(facts.command)) available.push_back(facts.command);
    }
    return available;
  }
};

TEST(NaturalOrder, SortsAsFileManagersDo) {
  std::vector<std::string> names = {"a10.qzd", "B3.qzd", "a2.qzd",
                                    "a1.qzd",  "A1.qzd", "a01.qzd",
                                    "a.qzd",   "b.qzd",  "a100000000000000000009.qzd"};
  std::sort(names.begin(), names.end(), NaturalLess);
  EXPECT_EQ(names,
            (std::vector<std::string>{"a.qzd", "A1.qzd", "a01.qzd", "a1.qzd", "a2.qzd", "a10.qzd",
                                      "a100000000000000000009.qzd", "b.qzd", "B3.qzd"}));
  for (const auto& [name, model] : std::vector<std::pair<std::string, bool>>{
           {"x.qzd", true}, {"X.QzD", true}, {".qzd", false}, {"x.qzd.txt", false}, {"qzd", false}})
    EXPECT_EQ(IsModelFileName(name), model) << name;
}

TEST_F(WindowCommandsTest, EachCommandWaitsForWhatItNeeds) {
  const std::vector<WindowCommand> always = {kLoadModel, kAdvancePage, kContextMenu, kQuit};
  EXPECT_EQ(Available(), always);
  // A file whose read failed can be read again, or left for its neighbours, but not printed.
  controller.OpenFile(ChosenFile{files.Path("missing.qzd")});
  EXPECT_EQ(Available(), (std::vector{kLoadModel, kAdvancePage, kReload, kNextModel, kPreviousModel,
                                      kContextMenu, kQuit}));
  controller.OpenFile(ChosenFile{files.Write("a.qzd", {{0, 7}})});
  EXPECT_EQ(Available().size(), WindowCommands().size());
  // A front end that lacks a command neither lists it nor takes its key.
  window.offersAll = false;
  EXPECT_FALSE(controller.Available(kPrint));
  EXPECT_EQ(controller.Key(KeyChord::Control('S'), std::nullopt), KeyOutcome::kNotTaken);
  EXPECT_EQ(controller.MenuEntries().size(), 4U);  // load, advance, reload, quit
}

TEST_F(WindowCommandsTest, PageDownStepsThroughTheFolderInNaturalOrderAndWraps) {
  for (const char* name : {"a10.qzd", "B3.qzd", "a2.qzd", "a1.qzd"}) files.Write(name, {{0, 7}});
  files.Write("notes.txt", {{0, 7}});
  std::filesystem::create_directory(files.Path("folder.qzd"));
  controller.OpenFile(ChosenFile{files.Path("a1.qzd")});
  std::vector<std::string> visited;
  for (int step = 0; step < 4; ++step) {
    controller.Key(KeyChord::Named(NamedKey::kPageDown), std::nullopt);
    visited.push_back(std::string(FileNameOf(controller.openFile()->path)));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"a2.qzd", "a10.qzd", "B3.qzd", "a1.qzd"}));
  controller.Key(KeyChord::Named(NamedKey::kPageUp), std::nullopt);
  EXPECT_EQ(FileNameOf(controller.openFile()->path), "B3.qzd");

  // A file that has gone steps to its neighbours by name; reloading it is the load's failure.
  std::filesystem::remove(files.Path("B3.qzd"));
  controller.Run(kReload);
  ASSERT_FALSE(window.errors().empty());
  controller.Run(kNextModel);
  EXPECT_EQ(FileNameOf(controller.openFile()->path), "a1.qzd");
  controller.OpenFile(ChosenFile{files.Path("a3.qzd")});
  controller.Run(kPreviousModel);
  EXPECT_EQ(FileNameOf(controller.openFile()->path), "a2.qzd");
}

TEST_F(WindowCommandsTest, ReloadShowsTheFileAsItIsNowAndAnUnlistableFolderIsAnError) {
  const std::string path = files.Write("a.qzd", {{0, 7}});
  controller.OpenFile(ChosenFile{path});
  files.Write("a.qzd", {{0, 9}});
  controller.Key(KeyChord::Named(NamedKey::kF5), std::nullopt);
  EXPECT_EQ(window.text(elements::pos0), "9");

  controller.OpenFile(ChosenFile{files.Path("gone/b.qzd")});
  const std::size_t errors = window.errors().size();
  controller.Run(kNextModel);
  ASSERT_EQ(window.errors().size(), errors + 1);
  EXPECT_EQ(window.errors().back().rfind("The model's folder cannot be listed: ", 0), 0U);
}

TEST_F(WindowCommandsTest, TheContextMenuRunsTheChosenCommandButAFieldKeepsItsOwn) {
  controller.OpenFile(ChosenFile{files.Write("a.qzd", {{0, 7}})});
  EXPECT_FALSE(controller.ContextClick(elements::pos0));
  EXPECT_TRUE(window.menu.empty());
  window.menuChoice = kCopySheet;
  EXPECT_TRUE(controller.ContextClick(elements::Button1));
  EXPECT_FALSE(window.copied.empty());
  ASSERT_EQ(window.menu.size(), controller.MenuEntries().size());
  EXPECT_TRUE(std::all_of(window.menu.begin(), window.menu.end(),
                          [](const MenuEntry& entry) { return entry.enabled; }));
  EXPECT_EQ(controller.Key(KeyChord::Named(NamedKey::kF10, true), elements::open),
            KeyOutcome::kTaken);
  EXPECT_FALSE(controller.busy());
}

}  // namespace
}  // namespace qzd::window
