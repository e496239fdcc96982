// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzd::windows {

// Where Save as may write `output` for the model `model` (both full paths): only a regular file
// or a new one, and never the model itself, as the desktop's export writes.
// - a missing `output` is a new file;
// - a regular file is replaced; a link to one is followed, and the file it leads to is replaced
//   while the link stays as it is;
// - a folder, a device, a pipe, a link that leads nowhere, and the model itself (the same volume
//   and file index, whatever the names or links that lead to it) are refused.
struct OutputTarget {
  std::wstring path;    // the file to write
  std::string refusal;  // why nothing may be written; empty when `path` may be
};
[[nodiscard]] OutputTarget ResolveOutput(const std::wstring& output, const std::wstring& model);

// Writes `bytes` as the whole file `path`: under a temporary name in the same folder, then moved
// over `path`, so that the file is complete or as it was, and nothing is left behind on failure.
// The system's reason for a failure, if any.
[[nodiscard]] std::optional<std::string> ReplaceWholeFile(const std::wstring& path,
                                                          std::string_view bytes);

// The system's text for an error code, in UTF-8, without its line break.
[[nodiscard]] std::string SystemReason(unsigned long error);

}  // namespace qzd::windows
