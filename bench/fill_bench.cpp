// SPDX-License-Identifier: MIT
// One fill of a typical model: the sample glider with flaps and crow.
#include <benchmark/benchmark.h>

#include "model/fill.h"
#include "model/model_file_reader.h"
#include "model/model_value_store.h"

namespace {

void BM_BuildDisplayUpdate(benchmark::State& state) {
  qzd::ModelValueStore store;
  if (const auto failure = qzd::ReadModelFile(QZD_EXAMPLES_DIR "/glider.qzd", store)) {
    state.SkipWithError(failure->message.c_str());
    return;
  }
  for (auto _ : state) {
    qzd::DisplayUpdate update = qzd::BuildDisplayUpdate(store);
    benchmark::DoNotOptimize(update);
  }
}
BENCHMARK(BM_BuildDisplayUpdate);

}  // namespace
