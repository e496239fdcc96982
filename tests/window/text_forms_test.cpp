// SPDX-License-Identifier: MIT
#include "window/text_forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qzd::window {
namespace {

TEST(TextForms, Latin1BytesBecomeTheCharactersOfTheirCodes) {
  EXPECT_EQ(Latin1ToUtf8("MODE1"), "MODE1");
  EXPECT_EQ(Latin1ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Latin1ToUtf8("\x80\xe9\xff"), "\xc2\x80\xc3\xa9\xc3\xbf");
}

TEST(TextForms, TerminalTextCannotDriveTheTerminal) {
  EXPECT_EQ(TerminalText("\x1b[2J\x07"), "\\x1b[2J\\x07");
  EXPECT_EQ(TerminalText("a\\b"), "a\\\\b");
  EXPECT_EQ(TerminalText(std::string("\0\x7f\x9b\xff", 4)), "\\x00\\x7f\\x9b\\xff");
  EXPECT_EQ(Quoted("4 PH/AUX2 |-|"), "\"4 PH/AUX2 |-|\"");
  EXPECT_EQ(Quoted("say \"x\""), "\"say \\\"x\\\"\"");
  EXPECT_EQ(Quoted(" "), "\" \"");
}

}  // namespace
}  // namespace qzd::window
