// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/load_failure.h"
#include "model/model_value_store.h"

namespace qzd {

inline void PrintTo(const LoadFailure& failure, std::ostream* out) {
  static constexpr const char* kKinds[] = {"Open", "Read", "Number", "Close"};
  *out << kKinds[static_cast<int>(failure.kind)] << " failure \"" << failure.message << "\"";
  if (failure.systemErrorCode) *out << " code " << *failure.systemErrorCode;
}

}  // namespace qzd

namespace qzd::testing {

inline constexpr int kLines = ModelValueStore::kLoadedSlotCount;

// Line n of the reference model file; every line's value differs from every other's and from
// PriorStore's.
inline std::int32_t ReferenceValue(int line) {
  return line * 7919 - 1'000'000;
}

// The reference file's lines from `first` to `last`, each ended by `lineEnd`.
inline std::string ReferenceLines(int first, int last = kLines, std::string_view lineEnd = "\r\n") {
  std::string text;
  for (int line = first; line <= last; ++line) {
    text += std::to_string(ReferenceValue(line));
    text += lineEnd;
  }
  return text;
}

// Slot values of the reference file from line `first` on, after `head`.
inline std::vector<std::int32_t> ReferenceValuesAfter(std::vector<std::int32_t> head,
                                                      int lastLine = kLines) {
  for (int line = static_cast<int>(head.size()) + 1; line <= lastLine; ++line) {
    head.push_back(ReferenceValue(line));
  }
  return head;
}

// What a store held before the read under test.
inline ModelValueStore PriorStore() {
  ModelValueStore store;
  for (int slot = 0; slot < kLines; ++slot) store.set(slot, -7 - slot);
  return store;
}

inline ModelValueStore StoreWith(const ModelValueStore& before,
                                 const std::vector<std::int32_t>& written) {
  ModelValueStore store = before;
  for (std::size_t slot = 0; slot < written.size(); ++slot) {
    store.set(static_cast<int>(slot), written[slot]);
  }
  return store;
}

inline ::testing::AssertionResult SameStore(const ModelValueStore& actual,
                                            const ModelValueStore& expected) {
  for (int slot = 0; slot < ModelValueStore::kSlotCount; ++slot) {
    if (actual.value(slot) != expected.value(slot)) {
      return ::testing::AssertionFailure() << "slot " << slot << " holds " << actual.value(slot)
                                           << ", expected " << expected.value(slot);
    }
  }
  return ::testing::AssertionSuccess();
}

inline LoadFailure NumberFailure(std::string_view text) {
  return LoadFailure{LoadFailure::Kind::kNumber,
                     "'" + std::string(text) + "' is not a valid integer value", std::nullopt};
}

}  // namespace qzd::testing
