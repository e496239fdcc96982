// SPDX-License-Identifier: MIT
// Throughput of `qzd json` over many model files in one process, output to /dev/null.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/model_value_store.h"
#include "tools/qzd/qzd_cli.h"

namespace {

constexpr int kFileCount = 10'000;

// The three free-mixer input slots: a code outside 0 to 7 would stop the fill, which no model
// that a transmitter wrote holds.
constexpr std::array<int, 3> kFreeMixerInputSlots = {204, 215, 226};

// Model files of all four types with byte codes in every slot, written once per run into a
// folder of their own and removed at the end.
class GeneratedModels {
 public:
  GeneratedModels() {
    std::mt19937 random(20080201);
    folder_ = std::filesystem::temp_directory_path() /
              ("qzd-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder_);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> channel(0, 7);
    for (int n = 0; n < kFileCount; ++n) {
      std::vector<int> values(qzd::ModelValueStore::kLoadedSlotCount);
      for (int& value : values) value = byte(random);
      values[1] = n % 4;
      for (const int slot : kFreeMixerInputSlots)
        values[static_cast<std::size_t>(slot)] = channel(random);
      std::ostringstream text;
      for (const int value : values) text << value << "\r\n";
      const std::filesystem::path path = folder_ / ("model" + std::to_string(n) + ".qzd");
      std::ofstream(path, std::ios::binary) << text.str();
      args_.push_back(path.string());
    }
    args_.insert(args_.begin(), "json");
  }
  ~GeneratedModels() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  GeneratedModels(const GeneratedModels&) = delete;
  GeneratedModels& operator=(const GeneratedModels&) = delete;

  [[nodiscard]] const std::vector<std::string>& args() const { return args_; }

 private:
  std::filesystem::path folder_;
  std::vector<std::string> args_;
};

void BM_QzdJson(benchmark::State& state) {
  static const GeneratedModels models;
  std::ofstream devNull("/dev/null");
  std::ostringstream err;
  for (auto _ : state) {
    const int status = qzd::cli::RunQzd(models.args(), devNull, err);
    if (status != qzd::cli::kExitOk) state.SkipWithError("a generated model failed");
  }
  state.counters["files_per_second"] = benchmark::Counter(
      static_cast<double>(state.iterations() * kFileCount), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_QzdJson)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
