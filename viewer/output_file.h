// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzd::viewer {

// Where an export of the model `input` may write `output`, both file names as the user's bytes.
// An export writes only a regular file or a new one, and never the model it shows:
// - a missing `output` is created (a new file);
// - a regular file is replaced; a link to one is followed, and the file it leads to is replaced
//   while the link stays as it is;
// - a folder, FIFO, socket or device, a link to one, a link that leads nowhere (no file is
//   created through a link) and the input itself (the same file, whatever the names or links
//   that lead to it) are refused.
struct OutputTarget {
  // The file to write: `output` itself, or the regular file a link leads to.
  std::string path;
  // Why nothing may be written; empty when `path` may be.
  std::string refusal;
};
[[nodiscard]] OutputTarget ResolveOutput(const std::string& output, const std::string& input);

// Writes `bytes` as the whole file `path`: under a temporary name in the same folder, then
// renamed over `path`, so that the file is complete or as it was. A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own. The system's reason for a
// failure ("No space left on device"), if any; nothing is then left behind.
[[nodiscard]] std::optional<std::string> ReplaceWholeFile(const std::string& path,
                                                          std::string_view bytes);

}  // namespace qzd::viewer
