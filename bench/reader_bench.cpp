// SPDX-License-Identifier: MIT
// The model file reader: a complete read of a cached file against the cheapest plain read of
// the same file, and the parse alone from memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/memory_byte_source.h"
#include "model/model_file_reader.h"

namespace {

namespace fs = std::filesystem;

// Byte codes as a transmitter writes them, with CR LF line ends.
std::string TypicalModel() {
  std::string text;
  for (int line = 1; line <= qzd::ModelValueStore::kLoadedSlotCount; ++line) {
    text += std::to_string((line * 37 + 11) % 256) + "\r\n";
  }
  return text;
}

// Every line as long as `lineLength`: its first 255 characters are the number, the rest is
// skipped, so nearly every byte goes through the skip.
std::string LongLineModel(std::size_t lineLength) {
  std::string line = std::string(250, '0') + "17" + std::string(lineLength - 252, '5');
  line += "\r\n";
  std::string text;
  for (int n = 0; n < qzd::ModelValueStore::kLoadedSlotCount; ++n) text += line;
  return text;
}

// A model file on disk for the whole run, read once so that it sits in the page cache.
class CachedModelFile {
 public:
  CachedModelFile() {
    std::string pattern = (fs::temp_directory_path() / "qzd-reader-bench-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) ::close(fd);
    path_ = pattern;
    std::ofstream(path_, std::ios::binary) << TypicalModel();
    qzd::ModelValueStore store;
    (void)qzd::ReadModelFile(path_, store);
  }
  ~CachedModelFile() { fs::remove(path_); }
  CachedModelFile(const CachedModelFile&) = delete;
  CachedModelFile& operator=(const CachedModelFile&) = delete;
  [[nodiscard]] const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const CachedModelFile& ModelFile() {
  static const CachedModelFile file;
  return file;
}

// The baseline: open, read(2) into a buffer until the end of the file, close.
std::size_t PlainRead(const std::string& path) {
  static std::array<unsigned char, qzd::kModelReadBufferSize> buffer;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  std::size_t total = 0;
  for (ssize_t count; (count = ::read(fd, buffer.data(), buffer.size())) > 0;) {
    total += static_cast<std::size_t>(count);
  }
  ::close(fd);
  benchmark::DoNotOptimize(buffer.data());
  return total;
}

void BM_ReadModelFile(benchmark::State& state) {
  const std::string& path = ModelFile().path();
  qzd::ModelValueStore store;
  for (auto _ : state) {
    if (qzd::ReadModelFile(path, store)) state.SkipWithError("the model file failed to read");
    benchmark::DoNotOptimize(store);
  }
}
BENCHMARK(BM_ReadModelFile);

void BM_PlainRead(benchmark::State& state) {
  const std::string& path = ModelFile().path();
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(path));
}
BENCHMARK(BM_PlainRead);

// This thread's processor time, kernel time included: on a machine shared with other work, the
// time the thread waited for a processor would otherwise land on whichever read it interrupted.
double ThreadSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both reads in one loop, in alternating batches, so that the ratio compares like with like; the
// batches keep the clock's own cost out of the figures.
void BM_ReadModelFileOverPlainRead(benchmark::State& state) {
  constexpr int kBatch = 64;
  const std::string& path = ModelFile().path();
  qzd::ModelValueStore store;
  double reader = 0;
  double plain = 0;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    for (int i = 0; i < kBatch; ++i) {
      if (qzd::ReadModelFile(path, store)) state.SkipWithError("the model file failed to read");
    }
    const double middle = ThreadSeconds();
    for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(PlainRead(path));
    const double end = ThreadSeconds();
    reader += middle - start;
    plain += end - middle;
  }
  state.counters["ratio"] = reader / plain;
}
BENCHMARK(BM_ReadModelFileOverPlainRead);

void ParseFromMemory(benchmark::State& state, const std::string& bytes) {
  qzd::ModelValueStore store;
  for (auto _ : state) {
    qzd::MemoryByteSource source(bytes);
    if (qzd::ReadModel(source, store)) state.SkipWithError("the model failed to read");
    benchmark::DoNotOptimize(store);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes.size()));
}

void BM_ParseTypicalModelFromMemory(benchmark::State& state) {
  static const std::string bytes = TypicalModel();
  ParseFromMemory(state, bytes);
}
BENCHMARK(BM_ParseTypicalModelFromMemory);

void BM_ParseLongLinesFromMemory(benchmark::State& state) {
  static const std::string bytes = LongLineModel(64 * 1024);
  ParseFromMemory(state, bytes);
}
BENCHMARK(BM_ParseLongLinesFromMemory);

}  // namespace
