// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "model/model_value_store.h"

namespace qzd::cli::testing {

inline const std::filesystem::path kSourceDir = QZD_SOURCE_DIR;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the tool in-process.
RunResult RunTool(const std::vector<std::string>& args);

// Runs the built qzd binary through the shell; `args` are passed single-quoted.
RunResult RunBinary(const std::vector<std::string>& args);

using ModelValues = std::array<std::int32_t, ModelValueStore::kLoadedSlotCount>;

// The 301 values of a model file, read with the model library.
ModelValues LoadValues(const std::filesystem::path& path);

// A fresh folder for one test's files, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  // Writes the values one per line (LF) and returns the file's path as text.
  std::string WriteModel(const std::string& name, const ModelValues& values) const;
  std::string WriteBytes(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace qzd::cli::testing
