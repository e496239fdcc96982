// SPDX-License-Identifier: MIT
#include "window/text_forms.h"

#include <algorithm>
#include <array>

namespace qzd::window {

namespace {

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const auto continuation = [&](std::size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return continuation(1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (!continuation(1) || !continuation(2)) return 0;
    if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
    if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogate
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (!continuation(1) || !continuation(2) || !continuation(3)) return 0;
    if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
    if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // beyond U+10FFFF
    return 4;
  }
  return 0;
}

void AppendTerminalText(std::string& out, std::string_view bytes, bool escapeQuote) {
  static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\\' || (escapeQuote && b == '"')) {
      out.push_back('\\');
      out.push_back(c);
    } else if (b >= 0x20 && b < 0x7F) {
      out.push_back(c);
    } else {
      out += "\\x";
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0x0F]);
    }
  }
}

}  // namespace

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  AppendLatin1AsUtf8(out, bytes);
  return out;
}

void AppendLatin1AsUtf8(std::string& out, std::string_view bytes) {
  if (IsAscii(bytes)) {
    out.append(bytes);
    return;
  }
  out.reserve(out.size() + bytes.size() * 2);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
}

std::size_t Utf8PrefixLength(std::string_view bytes) {
  std::size_t length = 0;
  while (length < bytes.size()) {
    const std::size_t n = Utf8SequenceLength(bytes.substr(length));
    if (n == 0) break;
    length += n;
  }
  return length;
}

std::string TerminalText(std::string_view bytes) {
  std::string out;
  AppendTerminalText(out, bytes, /*escapeQuote=*/false);
  return out;
}

std::string Quoted(std::string_view bytes) {
  std::string out = "\"";
  AppendTerminalText(out, bytes, /*escapeQuote=*/true);
  out.push_back('"');
  return out;
}

}  // namespace qzd::window
