// SPDX-License-Identifier: MIT
#include "window/model_sequence.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qzd::window {

namespace {

namespace fs = std::filesystem;

bool IsDigit(char c) noexcept {
  return c >= '0' && c <= '9';
}

char Lower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compares the digit runs at the starts of `a` and `b` as numbers, leading zeros aside, and
// moves both past them.
int CompareNumbers(std::string_view& a, std::string_view& b) noexcept {
  const auto run = [](std::string_view& s) {
    std::size_t end = 0;
    while (end < s.size() && IsDigit(s[end])) ++end;
    std::string_view digits = s.substr(0, end);
    s.remove_prefix(end);
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
  };
  const std::string_view x = run(a);
  const std::string_view y = run(b);
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return x.compare(y);
}

int NaturalCompare(std::string_view a, std::string_view b) noexcept {
  while (!a.empty() && !b.empty()) {
    if (IsDigit(a.front()) && IsDigit(b.front())) {
      if (const int numbers = CompareNumbers(a, b)) return numbers;
      continue;
    }
    const auto x = static_cast<unsigned char>(Lower(a.front()));
    const auto y = static_cast<unsigned char>(Lower(b.front()));
    if (x != y) return x < y ? -1 : 1;
    a.remove_prefix(1);
    b.remove_prefix(1);
  }
  return a.empty() ? (b.empty() ? 0 : -1) : 1;
}

// Paths are the user's bytes on Linux and UTF-8 on Windows, whose file system speaks UTF-16.
fs::path FileSystemPath(std::string_view path) {
#ifdef _WIN32
  return fs::path(std::u8string(path.begin(), path.end()));
#else
  return fs::path(std::string(path));
#endif
}

std::string NameText(const fs::path& name) {
#ifdef _WIN32
  const std::u8string utf8 = name.u8string();
  return std::string(utf8.begin(), utf8.end());
#else
  return name.string();
#endif
}

std::size_t LastSeparator(std::string_view path) noexcept {
#ifdef _WIN32
  return path.find_last_of("/\\");
#else
  return path.rfind('/');
#endif
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) noexcept {
  if (const int natural = NaturalCompare(a, b)) return natural < 0;
  return a < b;
}

bool IsModelFileName(std::string_view name) noexcept {
  constexpr std::string_view kExtension = ".qzd";
  if (name.size() <= kExtension.size()) return false;
  const std::string_view end = name.substr(name.size() - kExtension.size());
  return std::equal(end.begin(), end.end(), kExtension.begin(),
                    [](char x, char y) { return Lower(x) == y; });
}

std::string_view FileNameOf(std::string_view path) noexcept {
  const std::size_t separator = LastSeparator(path);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

ModelStep FolderModels::Step(const ChosenFile& current, StepDirection direction) {
  const std::string_view path = current.path;
  const std::size_t separator = LastSeparator(path);
  // A path without a folder names a file of the current folder.
  const std::string folder(separator == std::string_view::npos ? "." : path.substr(0, separator));
  const std::string prefix(separator == std::string_view::npos ? ""
                                                               : path.substr(0, separator + 1));
  const std::string_view name = FileNameOf(path);

  std::error_code error;
  const fs::path folderPath = FileSystemPath(folder.empty() ? "/" : folder);
  const fs::file_time_type stamp = fs::last_write_time(folderPath, error);
  if (error) return {std::nullopt, "The model's folder cannot be listed: " + error.message()};
  if (folder != folder_ || folderStamp_ != stamp) {
    std::vector<std::string> names;
    for (fs::directory_iterator it(folderPath, fs::directory_options::skip_permission_denied,
                                   error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
      std::string entry = NameText(it->path().filename());
      std::error_code kind;
      if (IsModelFileName(entry) && it->is_regular_file(kind)) names.push_back(std::move(entry));
    }
    if (error) return {std::nullopt, "The model's folder cannot be listed: " + error.message()};
    std::sort(names.begin(), names.end(), NaturalLess);
    folder_ = folder;
    folderStamp_ = stamp;
    names_ = std::move(names);
  }
  if (names_.empty()) return {};

  const auto less = [](std::string_view a, std::string_view b) { return NaturalLess(a, b); };
  std::vector<std::string>::const_iterator target;
  if (direction == StepDirection::kNext) {
    target = std::upper_bound(names_.begin(), names_.end(), name, less);
    if (target == names_.end()) target = names_.begin();
  } else {
    target = std::lower_bound(names_.begin(), names_.end(), name, less);
    target = target == names_.begin() ? names_.end() - 1 : target - 1;
  }
  return {ChosenFile{prefix + *target}, {}};
}

ModelStep ListedModels::Step(const ChosenFile& current, StepDirection direction) {
  if (files_.empty()) return {};
  const auto found = std::find(files_.begin(), files_.end(), current);
  const std::size_t count = files_.size();
  std::size_t index = 0;
  if (found == files_.end()) {
    index = direction == StepDirection::kNext ? 0 : count - 1;
  } else {
    const auto at = static_cast<std::size_t>(found - files_.begin());
    index = direction == StepDirection::kNext ? (at + 1) % count : (at + count - 1) % count;
  }
  return {files_[index], {}};
}

}  // namespace qzd::window
