// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "model/model_file_reader.h"
#include "tests/tools/qzd_test_support.h"
#include "window/text_forms.h"

namespace qzd::cli::testing {

using window::Latin1ToUtf8;
namespace {

using Args = std::vector<std::string>;

std::size_t LineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool HasControlBytes(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b < 0x20 && b != '\n') || b == 0x7F;
  });
}

// The first line of `text` that holds `needle`, or nothing.
std::string LineWith(const std::string& text, std::string_view needle) {
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (line.find(needle) != std::string::npos) return line;
  }
  return {};
}

class QzdTool : public ::testing::Test {
 protected:
  const std::string heliPath = (kSourceDir / "examples/heli.qzd").string();
  const std::string gliderPath = (kSourceDir / "examples/glider.qzd").string();
  const std::string trainerPath = (kSourceDir / "examples/trainer-easy.qzd").string();
  const ModelValues heli = LoadValues(heliPath);
  TempDir dir;

  // The heli sample with one slot changed.
  std::string HeliWith(const std::string& name, int slot, std::int32_t value) {
    ModelValues values = heli;
    values[static_cast<std::size_t>(slot)] = value;
    return dir.WriteModel(name, values);
  }
  std::string Missing() const { return (dir.path() / "missing.qzd").string(); }
};

// ---- usage errors and help ----------------------------------------------------------------------

TEST_F(QzdTool, UsageErrorsAreOneLineOnStderrAndExitTwo) {
  const std::vector<Args> cases = {
      {},
      {"frob"},
      {"--frob"},
      {"-x"},
      {"JSON", "f"},
      {"json"},
      {"show"},
      {"diff"},
      {"diff", "a"},
      {"diff", "a", "b", "c"},
      {"json", "--all", "f"},
      {"show", "--all", "f"},
      {"json", "-x", "f"},
      {"diff", "--al", "a", "b"},
      {"json", "--"},
      {"help", "frob"},
      {"help", "json", "show"},
      {"\x1b[2J\x1b]0;owned\x07"},
      {"json", std::string("--\xff\x01", 4), "f"},
  };
  for (const Args& args : cases) {
    const RunResult result = RunTool(args);
    const std::string where = args.empty() ? "(no arguments)" : args[0];
    EXPECT_EQ(result.status, 2) << where;
    EXPECT_EQ(result.out, "") << where;
    EXPECT_EQ(LineCount(result.err), 1u) << where << ": " << result.err;
    EXPECT_TRUE(result.err.starts_with("qzd: ")) << result.err;
    EXPECT_FALSE(HasControlBytes(result.err)) << where;
  }
}

TEST_F(QzdTool, HelpGoesToStdoutAndExitsZero) {
  const std::vector<std::pair<Args, std::string>> cases = {
      {{"--help"}, "Usage: qzd SUBCOMMAND"},
      {{"-h"}, "Usage: qzd SUBCOMMAND"},
      {{"help"}, "Usage: qzd SUBCOMMAND"},
      {{"help", "json"}, "Usage: qzd json"},
      {{"help", "show"}, "Usage: qzd show"},
      {{"help", "diff"}, "Usage: qzd diff"},
      {{"json", "--help"}, "Usage: qzd json"},
      {{"show", "f", "-h"}, "Usage: qzd show"},
      {{"diff", "--all", "a", "--help"}, "Usage: qzd diff"},
  };
  for (const auto& [args, start] : cases) {
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, 0) << args[0];
    EXPECT_TRUE(result.out.starts_with(start)) << result.out;
    EXPECT_NE(result.out.find("Exit status"), std::string::npos) << args[0];
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(QzdTool, DoubleDashMakesTheRestFiles) {
  const RunResult result = RunTool({"json", "--", "--all"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out,
            R"({"file":"--all","load_error":"File not found","actions":null,"stop":null})"
            "\n");
}

// ---- json -----------------------------------------------------------------------------------

TEST_F(QzdTool, JsonReportsEveryFileOnItsOwnLineAndExitsOneOnAnyFailure) {
  const std::string stop = HeliWith("stop.qzd", 96, 2147483647);
  const std::string badLine = dir.WriteBytes("bad.qzd", "1\n2\n12 \n");

  const RunResult good = RunTool({"json", heliPath, gliderPath});
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(LineCount(good.out), 2u);
  EXPECT_EQ(good.err, "");

  const RunResult mixed = RunTool({"json", heliPath, Missing(), badLine, stop, gliderPath});
  EXPECT_EQ(mixed.status, 1);
  EXPECT_EQ(mixed.err, "") << "json reports failures in its output only";
  std::vector<nlohmann::json> lines;
  std::istringstream stream(mixed.out);
  for (std::string line; std::getline(stream, line);) lines.push_back(nlohmann::json::parse(line));
  ASSERT_EQ(lines.size(), 5u);

  EXPECT_EQ(lines[1]["file"], Missing());
  EXPECT_EQ(lines[1]["load_error"], "File not found");
  EXPECT_TRUE(lines[1]["actions"].is_null());
  EXPECT_TRUE(lines[1]["stop"].is_null());

  EXPECT_EQ(lines[2]["load_error"], "'12 ' is not a valid integer value");
  EXPECT_TRUE(lines[2]["actions"].is_null());

  // The fill stops at Mode: pos0, the model type's actions and thr come before it.
  EXPECT_TRUE(lines[3]["load_error"].is_null());
  EXPECT_EQ(lines[3]["stop"], "Integer overflow");
  EXPECT_EQ(lines[3]["actions"].back(), nlohmann::json::array({"set", "thr", "0"}));
  EXPECT_EQ(lines[3]["actions"].front(), nlohmann::json::array({"set", "pos0", "4"}));

  EXPECT_TRUE(lines[4]["stop"].is_null());
  const auto keys = [](const nlohmann::ordered_json& j) {
    std::vector<std::string> names;
    for (const auto& item : j.items()) names.push_back(item.key());
    return names;
  };
  EXPECT_EQ(keys(nlohmann::ordered_json::parse(good.out.substr(0, good.out.find('\n')))),
            (std::vector<std::string>{"file", "load_error", "actions", "stop"}));
}

TEST_F(QzdTool, JsonWritesEveryByteOfAHostileTextAsTheCharacterOfItsCode) {
  const std::string line = std::string("\x1b]0;pwn\x07\"\\\x7f\xe9\xff\x00z", 15);
  std::string bytes;
  for (int n = 1; n <= 301; ++n) bytes += (n == 5 ? line : "1") + "\r\n";
  const std::string path = dir.WriteBytes("hostile.qzd", bytes);
  ModelValueStore store;
  const auto failure = ReadModelFile(path, store);
  ASSERT_TRUE(failure.has_value());
  ASSERT_NE(failure->message.find('\0'), std::string::npos);

  const RunResult result = RunTool({"json", path});
  EXPECT_EQ(result.status, 1);
  ASSERT_EQ(LineCount(result.out), 1u);
  EXPECT_TRUE(std::all_of(result.out.begin(), result.out.end() - 1, [](char c) {
    return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F;
  })) << "the JSON line is plain printable ASCII";
  EXPECT_NE(result.out.find(R"(\u0000z)"), std::string::npos);
  EXPECT_NE(result.out.find(R"(\u00e9\u00ff)"), std::string::npos);
  const nlohmann::json parsed = nlohmann::json::parse(result.out);
  EXPECT_EQ(parsed["load_error"].get<std::string>(), Latin1ToUtf8(failure->message));
}

// A terabyte hole without a line end is one over-long line: its text fails at once, the rest of it
// is jumped, not read.
TEST_F(QzdTool, JsonOfAHugeSparseFileFailsAtItsFirstLine) {
  const std::string huge = dir.WriteBytes("huge.qzd", "");
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 40);
  const RunResult result = RunTool({"json", huge});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(nlohmann::json::parse(result.out)["load_error"],
            "'" + std::string(255, '\0') + "' is not a valid integer value");
}

TEST_F(QzdTool, JsonWritesEveryFileNameAsAStringOfItsOwn) {
  struct Case {
    std::string name;
    std::string json;
  };
  const std::vector<Case> cases = {
      {"glider.qzd", R"("glider.qzd")"},
      {"a\"b\\c\td", R"("a\"b\\c\td")"},
      {"bad\xc3\xbf\xc3\xbe", R"("bad\u00ff\u00fe")"},        // UTF-8 for U+00FF U+00FE
      {"bad\xff\xfe", R"("bad\udcff\udcfe")"},                // the same codes as single bytes
      {"\xf0\x9f\x9b\xa9.qzd", R"("\ud83d\udee9.qzd")"},      // beyond U+FFFF: a surrogate pair
      {"\xc0\xaf", R"("\udcc0\udcaf")"},                      // overlong "/"
      {"\xed\xb3\xbf", R"("\udced\udcb3\udcbf")"},            // U+DCFF itself, encoded
      {"\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},  // beyond U+10FFFF
      {"\xe2\x82x", R"("\udce2\udc82x")"},                    // a sequence cut short
  };
  for (const Case& c : cases) {
    const RunResult result = RunTool({"json", c.name});
    EXPECT_EQ(result.out.substr(0, result.out.find(",\"load_error\"")), "{\"file\":" + c.json)
        << c.json;
  }
}

// ---- show -----------------------------------------------------------------------------------

TEST_F(QzdTool, ShowReportsFailuresOnStderrWithTheFinalPeriod) {
  const RunResult missing = RunTool({"show", Missing()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "") << "no fill ran, so there is no sheet";
  EXPECT_EQ(missing.err, "qzd: " + Missing() + ": File not found.\n");

  const std::string hostile = dir.WriteBytes("hostile.qzd", "\x1b[2J\x07\n");
  const RunResult bad = RunTool({"show", hostile});
  EXPECT_EQ(bad.err, "qzd: " + hostile + ": '\\x1b[2J\\x07' is not a valid integer value.\n");

  const RunResult stopped = RunTool({"show", HeliWith("stop.qzd", 215, 8)});
  EXPECT_EQ(stopped.status, 1);
  EXPECT_TRUE(stopped.err.ends_with(": Range check error.\n")) << stopped.err;
  // Fields up to fmix1in have their text; from fmix2in on they keep the empty start text.
  EXPECT_NE(LineWith(stopped.out, "->S5").find(R"("PH")"), std::string::npos) << stopped.out;
  EXPECT_NE(stopped.out.find(R"(from "" if "" to "" Free mix2)"), std::string::npos) << stopped.out;
  EXPECT_NE(stopped.out.find(R"(from "TH" if "" to "" Free mix1)"), std::string::npos)
      << stopped.out;
}

TEST_F(QzdTool, ShowLeavesOutWhatTheModelTypeHidesWithVisibilityCarriedOver) {
  const RunResult heliAlone = RunTool({"show", heliPath});
  EXPECT_EQ(heliAlone.status, 0);
  EXPECT_EQ(heliAlone.err, "");
  EXPECT_NE(heliAlone.out.find("HELI not supported in this version!!!"), std::string::npos);
  EXPECT_NE(heliAlone.out.find("Type \"HELI\" [helicopter]"), std::string::npos);
  EXPECT_NE(heliAlone.out.find("\nFIX AI "), std::string::npos);
  EXPECT_NE(heliAlone.out.find("Y-LEAD  from channel"), std::string::npos);

  const RunResult afterGlider = RunTool({"show", gliderPath, heliPath});
  EXPECT_EQ(afterGlider.status, 0);
  EXPECT_NE(afterGlider.out.find("\nFIX AI "), std::string::npos);
  EXPECT_EQ(afterGlider.out.find("Y-LEAD"), std::string::npos);
  EXPECT_EQ(afterGlider.out.find("[glider]"), std::string::npos);

  const RunResult afterTrainer = RunTool({"show", trainerPath, heliPath});
  EXPECT_EQ(afterTrainer.out.find("FIX AI"), std::string::npos);
  EXPECT_EQ(afterTrainer.out.find("Free mix2"), std::string::npos);
  EXPECT_NE(afterTrainer.out.find("Free mix1"), std::string::npos);

  // An unlisted type changes no flag at all, not even the type pictures'.
  const std::string unlisted = HeliWith("unlisted.qzd", 1, 4);
  const RunResult unlistedAfterTrainer = RunTool({"show", trainerPath, unlisted});
  EXPECT_NE(unlistedAfterTrainer.out.find("Type \"-?-\" [aeroplane] [glider]   \"MODE2\""),
            std::string::npos)
      << unlistedAfterTrainer.out;
  EXPECT_EQ(unlistedAfterTrainer.out.find("HELI not supported"), std::string::npos);
}

TEST_F(QzdTool, ShowKeepsThePreviousSheetWhenALaterLoadFails) {
  const RunResult result = RunTool({"show", gliderPath, Missing()});
  EXPECT_EQ(result.status, 1);
  // The path field shows the path last chosen, the fields the model last filled.
  EXPECT_TRUE(result.out.starts_with("file  \"" + Missing() + "\"\n")) << result.out;
  EXPECT_NE(result.out.find("Type \"GLIDER\""), std::string::npos);
  EXPECT_EQ(result.err, "qzd: " + Missing() + ": File not found.\n");
}

TEST_F(QzdTool, ShowQuotesTextsSoBlanksStayVisible) {
  const RunResult result = RunTool({"show", HeliWith("blanks.qzd", 203, 0)});
  EXPECT_NE(result.out.find("from \"TH\" if \"              \" to \"S4\""), std::string::npos)
      << result.out;
}

// ---- diff -----------------------------------------------------------------------------------

TEST_F(QzdTool, DiffOfEqualFilesExitsZero) {
  const std::string copy = dir.WriteModel("copy.qzd", heli);
  const RunResult result = RunTool({"diff", heliPath, copy});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "--- " + heliPath + "\n+++ " + copy +
                            "\n0 fields differ; 0 slots that no field shows differ\n");
}

TEST_F(QzdTool, DiffListsDifferingFieldsByLabelWithBothValuesAndVisibility) {
  const std::string easy = HeliWith("easy.qzd", 1, 0);
  const RunResult result = RunTool({"diff", heliPath, easy});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("\nmodel type: \"HELI\" -> \"EASY\"\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("\nFIX AI, Phase 1: \"0\" -> \"0\" (hidden)\n"), std::string::npos);
  EXPECT_NE(result.out.find("\nfree mixer 2, switch (if): \"4 PH/AUX2 |-|\" -> "
                            "\"4 PH/AUX2 |-|\" (hidden)\n"),
            std::string::npos);
  EXPECT_EQ(result.out.find("DR AI"), std::string::npos);
}

TEST_F(QzdTool, DiffCountsAndOnRequestListsSlotsThatNoFieldShows) {
  const std::string other = HeliWith("other.qzd", 300, 5);
  const RunResult counted = RunTool({"diff", heliPath, other});
  EXPECT_EQ(counted.status, 1);
  EXPECT_TRUE(counted.out.ends_with(
      "\n0 fields differ; 1 slot that no field shows differs (--all lists them)\n"))
      << counted.out;

  const RunResult listed = RunTool({"diff", "--all", heliPath, other});
  EXPECT_EQ(listed.status, 1);
  EXPECT_TRUE(listed.out.ends_with(
      "\nslot 300: 0 -> 5\n0 fields differ; 1 slot that no field shows differs\n"))
      << listed.out;
}

TEST_F(QzdTool, DiffOfAFileThatCannotBeLoadedIsTrouble) {
  const std::string shortFile = dir.WriteBytes("short.qzd", "1\n2\n");
  for (const Args& args : std::vector<Args>{{"diff", Missing(), heliPath},
                                            {"diff", heliPath, Missing()},
                                            {"diff", heliPath, shortFile}}) {
    const RunResult result = RunTool(args);
    EXPECT_EQ(result.status, 2) << args[2];
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(LineCount(result.err), 1u);
    EXPECT_TRUE(result.err.ends_with(".\n")) << result.err;
  }
}

TEST_F(QzdTool, DiffComparesValuesEvenWhenAFillStops) {
  const std::string stop = HeliWith("stop.qzd", 10, 429496986);
  const RunResult result = RunTool({"diff", heliPath, stop});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "qzd: " + stop + ": Integer overflow.\n");
  EXPECT_NE(result.out.find("\nCOMBI: \"0\" -> \"\"\n"), std::string::npos) << result.out;
}

// ---- the built binary -----------------------------------------------------------------------

TEST_F(QzdTool, BinaryGivesTheSameOutputAndExitCodes) {
  const RunResult json = RunBinary({"json", heliPath, gliderPath});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(json.out, RunTool({"json", heliPath, gliderPath}).out);
  EXPECT_EQ(RunBinary({"json", Missing()}).status, 1);
  EXPECT_EQ(RunBinary({"frob"}).status, 2);
  EXPECT_EQ(RunBinary({}).status, 2);
  EXPECT_EQ(RunBinary({"diff", heliPath, gliderPath}).status, 1);
}

}  // namespace
}  // namespace qzd::cli::testing
