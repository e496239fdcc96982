// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qzd {

// Windows' wide functions take and give UTF-16; the rest of the program spells paths and its own
// texts in UTF-8 and a model's texts in bytes. A path crosses between the two once on its way from
// the user (the command line, a dialog, a drop) to CreateFileW.

// A path's UTF-8 spelling as UTF-16, or nothing when the bytes are not UTF-8 (such a path names
// no file).
[[nodiscard]] std::optional<std::wstring> WideFromUtf8(std::string_view utf8);
// The program's own UTF-8 texts, which are always valid; anything else becomes empty.
[[nodiscard]] inline std::wstring WideText(std::string_view utf8) {
  return WideFromUtf8(utf8).value_or(std::wstring());
}
// UTF-16 from Windows (a path, an argument) as UTF-8; a lone surrogate becomes U+FFFD.
[[nodiscard]] std::string Utf8FromWide(std::wstring_view wide);
// A path as Windows writes it in full, from the current folder (a reserved name such as CON as
// \\.\CON); as given when it cannot.
[[nodiscard]] std::wstring FullPath(const std::wstring& path);
// A model's texts are bytes, one per character: Latin-1, which is where UTF-16 begins, so every
// byte shows as itself and none can be read as anything but a character.
[[nodiscard]] std::wstring WideFromLatin1(std::string_view bytes);

}  // namespace qzd
