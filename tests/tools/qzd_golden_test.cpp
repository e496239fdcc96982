// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/tools/qzd_test_support.h"

namespace qzd::cli::testing {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream stream(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The golden files hold `qzd json examples/NAME.qzd` as run from the source folder; after a
// deliberate change, scripts/maintainer/update-golden.sh writes them anew.
class GoldenJson : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(kSourceDir);
  }
  void TearDown() override { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST_P(GoldenJson, SampleModelGivesTheCheckedInOutput) {
  const std::string sample = "examples/" + GetParam() + ".qzd";
  const std::string golden = ReadFile(kSourceDir / "tests/tools/golden" / (GetParam() + ".jsonl"));
  ASSERT_FALSE(golden.empty());

  const RunResult result = RunTool({"json", sample});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, golden);

  // A sample is a complete model: read, and filled to the end with a text for every field.
  const nlohmann::json line = nlohmann::json::parse(result.out);
  EXPECT_TRUE(line["load_error"].is_null());
  EXPECT_TRUE(line["stop"].is_null());
  int texts = 0;
  for (const auto& action : line["actions"]) texts += action[0] == "set" ? 1 : 0;
  EXPECT_EQ(texts, 140);
}

INSTANTIATE_TEST_SUITE_P(Samples, GoldenJson,
                         ::testing::Values("trainer-easy", "glider", "acro", "heli"),
                         [](const ::testing::TestParamInfo<std::string>& sample) {
                           std::string name = sample.param;
                           std::erase(name, '-');
                           return name;
                         });

}  // namespace
}  // namespace qzd::cli::testing
