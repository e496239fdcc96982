// SPDX-License-Identifier: MIT
#pragma once

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace qzd::testing {

// Model files written into a folder of their own, removed with it.
class ModelFiles {
 public:
  ModelFiles() {
#ifdef _WIN32
    // Windows has no mkdtemp; the process id and a count make the name unique.
    static int count = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("qzd-cmd-" + std::to_string(::_getpid()) + "-" + std::to_string(++count));
    std::filesystem::create_directories(dir_);
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "qzd-cmd-XXXXXX").string();
    dir_ = ::mkdtemp(pattern.data());
#endif
  }
  ~ModelFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  ModelFiles(const ModelFiles&) = delete;
  ModelFiles& operator=(const ModelFiles&) = delete;

  [[nodiscard]] std::string Path(const std::string& name) const {
    return (dir_ / name).string();
  }

  // A valid model: 301 lines, 0 unless `values` gives the slot another value.
  std::string Write(const std::string& name, const std::map<int, std::int32_t>& values) {
    std::vector<std::string> lines(301, "0");
    for (const auto& [slot, value] : values)
      lines.at(static_cast<std::size_t>(slot)) = std::to_string(value);
    return WriteLines(name, lines);
  }

  std::string WriteLines(const std::string& name, const std::vector<std::string>& lines) {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
    return path;
  }

 private:
  std::filesystem::path dir_;
};

}  // namespace qzd::testing
