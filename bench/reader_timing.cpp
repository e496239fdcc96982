// SPDX-License-Identifier: MIT
// Times ReadModel over the bytes of one file, read from memory: the median over many batches, in
// nanoseconds per read. The same program builds natively (bench/) and as WebAssembly for node
// (web/), so that bench/web_bench.py compares the browser edition's reader with the desktop's on
// the same bytes.
//   reader_timing FILE
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/memory_byte_source.h"
#include "model/model_file_reader.h"

namespace {

constexpr int kReadsPerBatch = 400;

// Nanoseconds per read over one batch, or a negative number when the model does not read.
double TimeBatch(const std::string& bytes, qzd::ModelValueStore& store) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kReadsPerBatch; ++i) {
    qzd::MemoryByteSource source(bytes);
    if (qzd::ReadModel(source, store)) return -1;
  }
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / kReadsPerBatch;
}

// Called through a pointer so that no optimiser folds the batch into main(): a WebAssembly engine
// starts on quickly compiled code and moves a function to its optimised code on a later call, which
// a function that runs for the whole program never gets.
double (*volatile timeBatch)(const std::string&, qzd::ModelValueStore&) = TimeBatch;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: reader_timing FILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The first batches are not counted: they run before the engine has optimised the reader.
  constexpr int kWarmUpBatches = 40;
  constexpr int kBatches = 41;
  std::vector<double> perRead;
  qzd::ModelValueStore store;
  for (int batch = -kWarmUpBatches; batch < kBatches; ++batch) {
    const double nanoseconds = timeBatch(bytes, store);
    if (nanoseconds < 0) {
      std::fputs("reader_timing: the model does not read\n", stderr);
      return 1;
    }
    if (batch >= 0) perRead.push_back(nanoseconds);
  }
  std::nth_element(perRead.begin(), perRead.begin() + kBatches / 2, perRead.end());
  std::printf("%.0f ns per read of %zu bytes\n", perRead[kBatches / 2], bytes.size());
  return 0;
}
