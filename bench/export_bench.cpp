// SPDX-License-Identifier: MIT
// One PNG export of a sample model (`qzd-viewer --export OUT.png FILE`) against `qzd show` of the
// same file, each the whole process from start to exit, run alternately so that both see the same
// machine load. Reports the medians and their ratio.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs `args` to its end with stdout and stderr on /dev/null; its wall time in seconds, or a
// negative number when it failed.
double RunSeconds(std::vector<std::string> args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took.count() : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_PngExportAgainstQzdShow(benchmark::State& state) {
  const std::string out = (std::filesystem::temp_directory_path() /
                           ("qzd-export-bench-" + std::to_string(getpid()) + ".png"))
                              .string();
  std::vector<double> exportTimes, showTimes;
  for (auto _ : state) {
    const double exported = RunSeconds({QZD_BENCH_VIEWER, "--export", out, QZD_BENCH_MODEL});
    const double shown = RunSeconds({QZD_BENCH_QZD, "show", QZD_BENCH_MODEL});
    if (exported < 0 || shown < 0) {
      state.SkipWithError("a child program failed");
      break;
    }
    state.SetIterationTime(exported);
    exportTimes.push_back(exported);
    showTimes.push_back(shown);
  }
  std::filesystem::remove(out);
  if (exportTimes.empty()) return;
  const double tExport = Median(exportTimes), tShow = Median(showTimes);
  state.counters["export_ms"] = tExport * 1e3;
  state.counters["qzd_show_ms"] = tShow * 1e3;
  state.counters["ratio"] = tExport / tShow;
}
BENCHMARK(BM_PngExportAgainstQzdShow)
    ->UseManualTime()
    ->Iterations(21)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
