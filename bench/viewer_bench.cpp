// SPDX-License-Identifier: MIT
// Start-up of the main window against minimal Qt Widgets programs with one window of the same size,
// empty or with one line of text in the window's font, all started afresh as processes and
// measured in turn in the same run: time from the process start to the first frame painted with
// a sample model filled in (the yardsticks' first frame), and peak resident memory. Then the first
// paint of each page after a click to it, in a window started afresh each time. Uses the display
// in DISPLAY, else offscreen.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ChildRun {
  double startupSeconds = 0;
  std::vector<double> laterSeconds;  // what the child printed after the start-up
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
ChildRun RunChild(const char* program, const std::vector<std::string>& extra = {}) {
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
  args.insert(args.end(), extra.begin(), extra.end());
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
  std::istringstream numbers(printed);
  for (double nanoseconds = 0; numbers >> nanoseconds;) {
    if (run.startupSeconds == 0) {
      run.startupSeconds = nanoseconds / 1e9;
    } else {
      run.laterSeconds.push_back(nanoseconds / 1e9);
    }
  }
  run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each iteration starts the empty window, the text window and the main window once each, in
// turn, so that all see the same machine load. The counters are the medians over all iterations.
void BM_WindowStartupAgainstMinimal(benchmark::State& state) {
  std::vector<double> minimalTime, textTime, windowTime, minimalPeak, windowPeak;
  for (auto _ : state) {
    const ChildRun minimal = RunChild(QZD_BENCH_MINIMAL);
    const ChildRun text = RunChild(QZD_BENCH_MINIMAL, {"text"});
    const ChildRun window = RunChild(QZD_BENCH_WINDOW, {QZD_BENCH_MODEL});
    if (!minimal.ok || !text.ok || !window.ok) {
      state.SkipWithError("a child program failed");
      return;
    }
    state.SetIterationTime(window.startupSeconds);
    minimalTime.push_back(minimal.startupSeconds);
    textTime.push_back(text.startupSeconds);
    windowTime.push_back(window.startupSeconds);
    minimalPeak.push_back(minimal.peakMiB);
    windowPeak.push_back(window.peakMiB);
  }
  const double tMinimal = Median(minimalTime), tText = Median(textTime);
  const double tWindow = Median(windowTime);
  const double mMinimal = Median(minimalPeak), mWindow = Median(windowPeak);
  state.counters["minimal_ms"] = tMinimal * 1e3;
  state.counters["text_ms"] = tText * 1e3;
  state.counters["window_ms"] = tWindow * 1e3;
  state.counters["startup_ratio"] = tWindow / tMinimal;
  state.counters["text_ratio"] = tWindow / tText;
  state.counters["minimal_MiB"] = mMinimal;
  state.counters["window_MiB"] = mWindow;
  state.counters["rss_ratio"] = mWindow / mMinimal;
}
BENCHMARK(BM_WindowStartupAgainstMinimal)
    ->UseManualTime()
    ->Iterations(15)
    ->Unit(benchmark::kMillisecond);

// A fresh window each iteration, clicked through Servo Connection, Mode and Heli a while after it
// appeared: the time from each click to the end of the page's paint, medians in milliseconds.
void BM_FirstPaintOfEachPage(benchmark::State& state) {
  std::vector<std::vector<double>> paints(3);
  for (auto _ : state) {
    const ChildRun window = RunChild(QZD_BENCH_WINDOW, {QZD_BENCH_MODEL, "pages"});
    if (!window.ok || window.laterSeconds.size() != paints.size()) {
      state.SkipWithError("the window failed");
      return;
    }
    state.SetIterationTime(window.laterSeconds[0]);
    for (std::size_t page = 0; page < paints.size(); ++page)
      paints[page].push_back(window.laterSeconds[page]);
  }
  state.counters["servo_ms"] = Median(paints[0]) * 1e3;
  state.counters["mode_ms"] = Median(paints[1]) * 1e3;
  state.counters["heli_ms"] = Median(paints[2]) * 1e3;
}
BENCHMARK(BM_FirstPaintOfEachPage)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
