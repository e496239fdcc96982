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

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: reader_timing FILE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  constexpr int kBatches = 41;
  constexpr int kReadsPerBatch = 400;
  std::vector<double> perRead;
  qzd::ModelValueStore store;
  long long checksum = 0;
  for (int batch = 0; batch < kBatches; ++batch) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kReadsPerBatch; ++i) {
      qzd::MemoryByteSource source(bytes);
      if (qzd::ReadModel(source, store)) {
        std::fputs("reader_timing: the model does not read\n", stderr);
        return 1;
      }
      checksum += store.value(300);
    }
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    perRead.push_back(spent.count() / kReadsPerBatch);
  }
  std::nth_element(perRead.begin(), perRead.begin() + kBatches / 2, perRead.end());
  std::printf("%.0f ns per read of %zu bytes (checksum %lld)\n", perRead[kBatches / 2],
              bytes.size(), checksum);
  return 0;
}
