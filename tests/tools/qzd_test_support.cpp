// SPDX-License-Identifier: MIT
#include "tests/tools/qzd_test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "model/model_file_reader.h"
#include "tools/qzd/qzd_cli.h"

namespace qzd::cli::testing {

RunResult RunTool(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunQzd(args, out, err);
  return {status, out.str(), err.str()};
}

RunResult RunBinary(const std::vector<std::string>& args) {
  std::string command = "'" QZD_TOOL_PATH "'";
  for (const std::string& arg : args) {
    if (arg.find('\'') != std::string::npos) throw std::invalid_argument("quote in argument");
    command += " '" + arg + "'";
  }
  command += " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot start " + command);
  RunResult result;
  std::array<char, 4096> buffer{};
  std::size_t n = 0;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    result.out.append(buffer.data(), n);
  const int wait = pclose(pipe);
  result.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
  return result;
}

ModelValues LoadValues(const std::filesystem::path& path) {
  ModelValueStore store;
  if (const auto failure = ReadModelFile(path.string(), store)) {
    throw std::runtime_error(path.string() + ": " + failure->message);
  }
  ModelValues values{};
  for (int slot = 0; slot < ModelValueStore::kLoadedSlotCount; ++slot) {
    values[static_cast<std::size_t>(slot)] = store.value(slot);
  }
  return values;
}

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("qzd-tool-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::WriteModel(const std::string& name, const ModelValues& values) const {
  std::string text;
  for (const std::int32_t value : values) text += std::to_string(value) + "\n";
  return WriteBytes(name, text);
}

std::string TempDir::WriteBytes(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw std::runtime_error("cannot write " + file.string());
  return file.string();
}

}  // namespace qzd::cli::testing
