// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace qzd::window {

// Model-file texts are single-byte: byte b stands for the character U+00bb. Gives that text as
// UTF-8, which is what the JSON library and a terminal expect.
[[nodiscard]] std::string Latin1ToUtf8(std::string_view bytes);
void AppendLatin1AsUtf8(std::string& out, std::string_view bytes);

// The length of the longest start of `bytes` that is well-formed UTF-8 (no overlong form, no
// encoded surrogate, nothing beyond U+10FFFF): bytes.size() when all of it is.
[[nodiscard]] std::size_t Utf8PrefixLength(std::string_view bytes);

// A text for a terminal: printable ASCII as it is, a backslash doubled, every other byte (control
// codes, DEL, bytes 128 to 255) as \xhh, so that no byte of a model file can drive the terminal.
[[nodiscard]] std::string TerminalText(std::string_view bytes);

// TerminalText between double quotes, a quote inside written as \", so blanks stay visible.
[[nodiscard]] std::string Quoted(std::string_view bytes);

}  // namespace qzd::window
