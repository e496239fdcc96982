// SPDX-License-Identifier: MIT
// Decoding the built-in pictures: each is decoded the first time it shows, so the cost lands on
// a click (or, for the type pictures, on the first load) rather than on start-up.
#include <benchmark/benchmark.h>

#include "viewer/pictures/embedded_files.h"
#include "viewer/pictures/jpeg_decoder.h"

namespace {

using qzd::viewer::PictureId;

constexpr PictureId kAll[] = {PictureId::kAeroplane,  PictureId::kGlider,
                              PictureId::kHelicopter, PictureId::kServoConnection,
                              PictureId::kMode,       PictureId::kHeli};

void BM_DecodeOne(benchmark::State& state) {
  const auto data = qzd::viewer::PictureData(kAll[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(qzd::viewer::DecodeJpeg(data));
}
BENCHMARK(BM_DecodeOne)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_DecodeAllSix(benchmark::State& state) {
  for (auto _ : state) {
    for (PictureId id : kAll)
      benchmark::DoNotOptimize(qzd::viewer::DecodeJpeg(qzd::viewer::PictureData(id)));
  }
}
BENCHMARK(BM_DecodeAllSix)->Unit(benchmark::kMicrosecond);

}  // namespace
