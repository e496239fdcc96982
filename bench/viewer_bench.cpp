// SPDX-License-Identifier: MIT
// Start-up of the main window against a minimal Qt Widgets program with one empty window of the
// same size, both started afresh as processes and measured alternately in the same run: time from
// the process start to the window's first painted frame, and peak resident memory (the main
// window's after applying a sample model's update). Uses the display in DISPLAY, else offscreen.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ChildRun {
  double startupSeconds = 0;
  double peakMiB = 0;
  bool ok = false;
};

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

std::vector<std::string> Environment() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) env.emplace_back(*entry);
  const char* display = std::getenv("DISPLAY");
  if ((display == nullptr || *display == '\0') && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    env.emplace_back("QT_QPA_PLATFORM=offscreen");
  }
  return env;
}

// Runs `program` with the start time and `extra` arguments.
ChildRun RunChild(const char* program, const char* extra) {
  int out[2];
  if (pipe(out) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);

  static const std::vector<std::string> env = Environment();
  std::vector<char*> envp;
  for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  const std::string started = std::to_string(MonotonicNanoseconds());
  std::vector<std::string> args = {program, started};
  if (extra != nullptr) args.emplace_back(extra);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    return {};
  }
  std::string printed;
  char buffer[256];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) printed.append(buffer, size_t(n));
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);

  ChildRun run;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !printed.empty();
  if (run.ok) run.startupSeconds = std::stod(printed) / 1e9;
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration starts the minimal program and the main window once each, in turn, so that
// both see the same machine load. The counters are the medians over all iterations.
void BM_WindowStartupAgainstMinimal(benchmark::State& state) {
  std::vector<double> minimalTime, windowTime, minimalPeak, windowPeak;
  for (auto _ : state) {
    const ChildRun minimal = RunChild(QZD_BENCH_MINIMAL, nullptr);
    const ChildRun window = RunChild(QZD_BENCH_WINDOW, QZD_BENCH_MODEL);
    if (!minimal.ok || !window.ok) {
      state.SkipWithError("a child program failed");
      return;
    }
    state.SetIterationTime(window.startupSeconds);
    minimalTime.push_back(minimal.startupSeconds);
    windowTime.push_back(window.startupSeconds);
    minimalPeak.push_back(minimal.peakMiB);
    windowPeak.push_back(window.peakMiB);
  }
  const double tMinimal = Median(minimalTime), tWindow = Median(windowTime);
  const double mMinimal = Median(minimalPeak), mWindow = Median(windowPeak);
  state.counters["minimal_ms"] = tMinimal * 1e3;
  state.counters["window_ms"] = tWindow * 1e3;
  state.counters["startup_ratio"] = tWindow / tMinimal;
  state.counters["minimal_MiB"] = mMinimal;
  state.counters["window_MiB"] = mWindow;
  state.counters["rss_ratio"] = mWindow / mMinimal;
}
BENCHMARK(BM_WindowStartupAgainstMinimal)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
