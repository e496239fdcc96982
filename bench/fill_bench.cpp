#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "model/display_update.h"
#include "model/model_value_store.h"

namespace {

// A glider with flaps and crow: travel 100, expo -30 (code 253), dual rates, trims near 0, the
// wing mixers and two free mixers in use, switch codes that name real positions.
qzd::ModelValueStore GliderStore() {
  qzd::ModelValueStore store;
  const std::pair<int, std::int32_t> header[] = {{0, 7}, {1, 1}, {8, 1}, {96, 1}, {97, 0}};
  for (const auto& [slot, value] : header) store.set(slot, value);
  for (int k = 0; k < 7; ++k) {
    store.set(98 + 4 * k, k == 2 ? 1 : 0);
    store.set(99 + 4 * k, 100);
    store.set(100 + 4 * k, k == 4 ? 253 : 0);
    store.set(101 + 4 * k, 100);
  }
  for (int base : {142, 161, 180}) {
    store.set(base, 253);
    for (int p = 1; p <= 3; ++p) {
      store.set(base + 2 + 2 * p, 100);
      store.set(base + 3 + 2 * p, 70);
      store.set(base + 14 + p, p == 2 ? 254 : 1);
    }
  }
  const std::pair<int, std::int32_t> mixers[] = {
      {9, 4},    {13, 5},   {14, 236},  {18, 25},  {21, 100},  {22, 50},  {23, 100},
      {24, 60},  {39, 40},  {42, 60},   {43, 30},  {66, 10},   {67, 251}, {77, 5},
      {203, 66}, {204, 6},  {205, 5},   {206, 30}, {207, 226}, {214, 2},  {215, 2},
      {216, 6},  {217, 20}, {218, 236}, {225, 0},  {226, 0},   {227, 0},
  };
  for (const auto& [slot, value] : mixers) store.set(slot, value);
  return store;
}

void BM_BuildDisplayUpdate(benchmark::State& state) {
  const qzd::ModelValueStore store = GliderStore();
  for (auto _ : state) {
    qzd::DisplayUpdate update = qzd::BuildDisplayUpdate(store);
    benchmark::DoNotOptimize(update);
  }
}
BENCHMARK(BM_BuildDisplayUpdate);

}  // namespace
