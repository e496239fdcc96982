// SPDX-License-Identifier: MIT
#include "model/model_file_reader.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "model/memory_byte_source.h"
#include "tests/model/fault_byte_source.h"
#include "tests/model/reader_test_support.h"

namespace qzd::testing {
namespace {

using namespace std::string_literals;

constexpr std::size_t kWhole = std::numeric_limits<std::size_t>::max();

struct Outcome {
  ModelValueStore store;
  std::optional<LoadFailure> failure;
};

// The rule by which the error box and qzd end a failure's text.
TEST(LoadFailureText, GainsAFinalPeriodOnlyAfterAByteAboveThePeriod) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"File not found", "File not found."},
      {"I/O error 32", "I/O error 32."},
      {"'12 ' is not a valid integer value", "'12 ' is not a valid integer value."},
      {"ends.", "ends."},
      {"ends-", "ends-"},  // 45
      {"ends)", "ends)"},
      {"ends'", "ends'"},
      {"ends ", "ends "},
      {"ends,", "ends,"},
      {std::string("nul\0", 4), std::string("nul\0", 4)},
      {"ends/", "ends/."},  // 47, the first code above the period
      {"ends~", "ends~."},
      {"ends\x7f", "ends\x7f."},
      {"ends\xe9", "ends\xe9."},  // a byte above 127 is no negative code
      {"\xff", "\xff."},
  };
  for (const auto& [message, shown] : cases) EXPECT_EQ(WithFinalPeriod(message), shown) << message;
}

Outcome ReadBytes(const std::string& bytes, std::size_t maxChunk = kWhole) {
  Outcome outcome{PriorStore(), {}};
  MemoryByteSource source(bytes, maxChunk);
  outcome.failure = ReadModel(source, outcome.store);
  return outcome;
}

// A case over a whole file: the slots it writes and, when it fails, the failing line's text.
struct FileCase {
  const char* name;
  std::string bytes;
  std::vector<std::int32_t> written;
  std::optional<std::string> failingText;
};

void ExpectCase(const FileCase& c, std::size_t maxChunk) {
  SCOPED_TRACE(::testing::Message() << c.name << ", reads of at most " << maxChunk << " bytes");
  const Outcome outcome = ReadBytes(c.bytes, maxChunk);
  EXPECT_TRUE(SameStore(outcome.store, StoreWith(PriorStore(), c.written)));
  if (c.failingText) {
    EXPECT_EQ(outcome.failure, NumberFailure(*c.failingText));
  } else {
    EXPECT_EQ(outcome.failure, std::nullopt);
  }
}

std::string Repeat(char c, std::size_t count) {
  return std::string(count, c);
}

std::vector<FileCase> LineShapeCases() {
  const std::string allCrOnly = ReferenceLines(1, kLines, "\r");
  std::string runTogether;
  for (char c : allCrOnly) {
    if (c != '\r' && runTogether.size() < 255) runTogether += c;
  }
  const std::string reference = ReferenceLines(1);
  const std::vector<std::int32_t> all = ReferenceValuesAfter({});
  return {
      {"CR LF line ends", reference, all, {}},
      {"LF line ends", ReferenceLines(1, kLines, "\n"), all, {}},
      {"last line without its line end", reference.substr(0, reference.size() - 2), all, {}},
      {"mixed line ends", ReferenceLines(1, 100, "\n") + ReferenceLines(101), all, {}},
      {"lines after 301 are never looked at", reference + "junk\n\x1a\n1.5\n", all, {}},
      {"byte 26 after line 301's line end", reference + "\x1a", all, {}},
      {"byte 26 straight after line 301",
       reference.substr(0, reference.size() - 2) + "\x1a",
       all,
       {}},
      {"300 lines", ReferenceLines(1, 300), ReferenceValuesAfter({}, 300), ""},
      {"300 lines then byte 26", ReferenceLines(1, 300) + "\x1a", ReferenceValuesAfter({}, 300),
       ""},
      {"empty file", "", {}, ""},
      {"empty line 10", ReferenceLines(1, 9) + "\r\n" + ReferenceLines(11),
       ReferenceValuesAfter({}, 9), ""},
      {"leading blanks", "   5\r\n" + ReferenceLines(2), ReferenceValuesAfter({5}), {}},
      {"trailing blank is quoted", "5 \r\n" + ReferenceLines(2), {}, "5 "},
      {"255 zeros then 1",
       Repeat('0', 255) + "1\r\n" + ReferenceLines(2),
       ReferenceValuesAfter({0}),
       {}},
      {"254 zeros, 1, 2",
       Repeat('0', 254) + "12\n" + ReferenceLines(2),
       ReferenceValuesAfter({1}),
       {}},
      {"300 letters", Repeat('a', 300) + "\n" + ReferenceLines(2), {}, Repeat('a', 255)},
      {"255 characters then CR LF",
       Repeat('0', 254) + "7\r\n" + ReferenceLines(2),
       ReferenceValuesAfter({7}),
       {}},
      {"lone CR in a long line's skipped rest",
       Repeat('0', 256) + "\r9\n" + ReferenceLines(2),
       ReferenceValuesAfter({0}),
       {}},
      {"lone CR counts toward no limit",
       Repeat('0', 254) + "\r57\n" + ReferenceLines(2),
       ReferenceValuesAfter({5}),
       {}},
      {"lone CR takes no part in the number",
       "1\r7\n" + ReferenceLines(2),
       ReferenceValuesAfter({17}),
       {}},
      {"lone CR is not quoted", "1\r7 \n" + ReferenceLines(2), {}, "17 "},
      {"CR CR LF", "5\r\r\n" + ReferenceLines(2), ReferenceValuesAfter({5}), {}},
      {"CR alone ends no line", allCrOnly, {}, runTogether},
      {"CR alone leaves line 2 empty", "1\r2\r3\r", {123}, ""},
      {"byte 26 ends the text and its line is skipped",
       "12\x1a"
       "34\n" +
           ReferenceLines(2),
       ReferenceValuesAfter({12}),
       {}},
      {"further byte 26 in a skipped line",
       "12\x1a"
       "34\x1a"
       "56\r\n" +
           ReferenceLines(2),
       ReferenceValuesAfter({12}),
       {}},
      {"byte 26 before CR LF", "12\x1a\r\n" + ReferenceLines(2), ReferenceValuesAfter({12}), {}},
      {"lone CR before byte 26",
       "12\r\x1a"
       "3\r\n" +
           ReferenceLines(2),
       ReferenceValuesAfter({12}),
       {}},
      {"byte 26 first on a line",
       ReferenceLines(1, 4) +
           "\x1a"
           "17\n" +
           ReferenceLines(6),
       ReferenceValuesAfter({}, 4), ""},
      {"byte 26 in a long line's skipped rest",
       Repeat('0', 300) +
           "\x1a"
           "99\n" +
           ReferenceLines(2),
       {0},
       ""},
      {"byte 26 right after the 255th character",
       Repeat('0', 255) + "\x1a\n" + ReferenceLines(2),
       {0},
       ""},
      {"NUL cuts the number", "17\0abc\n"s + ReferenceLines(2), ReferenceValuesAfter({17}), {}},
      {"NUL is quoted", " \0 17\n"s + ReferenceLines(2), {}, " \0 17"s},
  };
}

TEST(ReadModel, LineShapes) {
  for (const FileCase& c : LineShapeCases()) ExpectCase(c, kWhole);
}

// Every boundary the reader keeps across refills: a pending line end, the 255-character count, a
// skip in progress.
TEST(ReadModel, LineShapesReadAlikeWhateverTheRefillSize) {
  for (const FileCase& c : LineShapeCases()) {
    for (std::size_t chunk : {1, 2, 3, 254, 255, 256, 257}) ExpectCase(c, chunk);
  }
}

struct NumberCase {
  std::string text;
  std::optional<std::int32_t> value;
};

TEST(ReadModel, NumberSyntax) {
  const NumberCase cases[] = {
      {"17", 17},
      {"  17", 17},
      {"+17", 17},
      {"-17", -17},
      {"00017", 17},
      {"$1F", 31},
      {"x1f", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"0X1f", 31},
      {"$aBc", 0xABC},
      {"-$10", -16},
      {"+$10", 16},
      {"-x10", -16},
      {"$FFFFFFFF", -1},
      {"$80000000", std::numeric_limits<std::int32_t>::min()},
      {"$7FFFFFFF", std::numeric_limits<std::int32_t>::max()},
      {"-$80000000", std::numeric_limits<std::int32_t>::min()},
      {"-$FFFFFFFF", 1},
      {"$000000001", 1},
      {"0x00000000000000000000FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()},
      {"000000000000000000000000000000000000000002147483647", 2147483647},
      {"0", 0},
      {"-0", 0},
      {"17\0abc"s, 17},
      {"-5\0 "s, -5},
      {"2147483648", {}},
      {"-2147483649", {}},
      {"99999999999999999999999999", {}},
      {"$100000000", {}},
      {"-$100000000", {}},
      {"", {}},
      {"   ", {}},
      {"17 ", {}},
      {"\t17", {}},
      {"- 17", {}},
      {"+-17", {}},
      {"--17", {}},
      {"$", {}},
      {"x", {}},
      {"0x", {}},
      {"-", {}},
      {"+", {}},
      {"1.0", {}},
      {"1e3", {}},
      {"17h", {}},
      {"0b101", {}},
      {"$G", {}},
      {"$-5", {}},
      {"$ 5", {}},
      {"00x5", {}},
      {"$0x5", {}},
      {"\xB9", {}},
      {" \0 17"s, {}},
      {"-\0"
       "5"s,
       {}},
      {"$\0"
       "5"s,
       {}},
      {"\0"s, {}},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE("line text \"" + c.text + "\"");
    const Outcome outcome = ReadBytes(ReferenceLines(1, 1) + c.text + "\r\n" + ReferenceLines(3));
    if (c.value) {
      EXPECT_EQ(outcome.failure, std::nullopt);
      EXPECT_TRUE(
          SameStore(outcome.store,
                    StoreWith(PriorStore(), ReferenceValuesAfter({ReferenceValue(1), *c.value}))));
    } else {
      EXPECT_EQ(outcome.failure, NumberFailure(c.text));
      EXPECT_TRUE(SameStore(outcome.store, StoreWith(PriorStore(), {ReferenceValue(1)})));
    }
  }
}

TEST(ReadModel, SecondReadOverwritesOnlyTheLinesBeforeItsFailure) {
  ModelValueStore store;
  std::string first;
  for (int line = 1; line <= kLines; ++line) first += std::to_string(line) + "\n";
  MemoryByteSource firstSource(first);
  ASSERT_EQ(ReadModel(firstSource, store), std::nullopt);

  for (int failingLine : {1, 2, 10, 150, 300, 301}) {
    SCOPED_TRACE(::testing::Message() << "second file fails at line " << failingLine);
    ModelValueStore afterSecond = store;
    const std::string second =
        ReferenceLines(1, failingLine - 1) + "oops\n" + ReferenceLines(failingLine + 1);
    MemoryByteSource secondSource(second);
    EXPECT_EQ(ReadModel(secondSource, afterSecond), NumberFailure("oops"));
    EXPECT_TRUE(
        SameStore(afterSecond, StoreWith(store, ReferenceValuesAfter({}, failingLine - 1))));
  }
  ModelValueStore afterValid = store;
  const std::string reference = ReferenceLines(1);
  MemoryByteSource valid(reference);
  EXPECT_EQ(ReadModel(valid, afterValid), std::nullopt);
  EXPECT_TRUE(SameStore(afterValid, StoreWith(ModelValueStore{}, ReferenceValuesAfter({}))));
}

TEST(SystemErrorMessage, TableAndOtherCodes) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {32, "I/O error 32"},
      {0, "I/O error 0"},
      {1117, "I/O error 1117"},
      {-1, "I/O error -1"},
  };
  for (const auto& [code, message] : cases) EXPECT_EQ(system_error::Message(code), message) << code;
}

// Where line `line` of the reference CR LF file starts.
std::size_t LineStart(int line) {
  return ReferenceLines(1, line - 1).size();
}

struct FaultCase {
  const char* name;
  Faults faults;
  std::vector<std::int32_t> written;
  std::optional<LoadFailure> failure;
  std::string bytes = ReferenceLines(1);
};

LoadFailure Failure(LoadFailure::Kind kind, int code) {
  return LoadFailure{kind, system_error::Message(code), code};
}

TEST(ReadModel, ReadAndCloseFailures) {
  using Kind = LoadFailure::Kind;
  const std::string reference = ReferenceLines(1);
  const std::string line200Split = ReferenceLines(1, 199) + "1234\r\n" + ReferenceLines(201);
  std::vector<std::int32_t> line200As12 = ReferenceValuesAfter({}, 199);
  line200As12.push_back(12);
  const std::string longLine5 = ReferenceLines(1, 4) + Repeat('0', 5000) + "\n" + ReferenceLines(6);
  const FaultCase cases[] = {
      {"read error at the first byte", {.readErrorAt = 0}, {}, Failure(Kind::kRead, 1117)},
      {"read error inside line 150",
       {.readErrorAt = LineStart(150) + 2, .readErrorCode = 5},
       ReferenceValuesAfter({}, 149),
       Failure(Kind::kRead, 5)},
      {"read error at the start of line 150",
       {.readErrorAt = LineStart(150), .readErrorCode = 100},
       ReferenceValuesAfter({}, 149),
       Failure(Kind::kRead, 100)},
      {"read error before a valid line's line end",
       {.readErrorAt = LineStart(150) - 2, .readErrorCode = 32},
       ReferenceValuesAfter({}, 148),
       Failure(Kind::kRead, 32)},
      {"read error in the skipped rest of a long line",
       {.readErrorAt = LineStart(5) + 4000, .readErrorCode = 101},
       ReferenceValuesAfter({}, 4),
       Failure(Kind::kRead, 101),
       longLine5},
      {"read error inside line 301",
       {.readErrorAt = reference.size() - 1},
       ReferenceValuesAfter({}, 300),
       Failure(Kind::kRead, 1117)},
      {"read error after line 301 is never met",
       {.readErrorAt = reference.size()},
       ReferenceValuesAfter({}),
       {}},
      {"broken pipe at a line start is the end of the file",
       {.readErrorAt = LineStart(200), .readErrorCode = system_error::kBrokenPipe},
       ReferenceValuesAfter({}, 199),
       NumberFailure("")},
      {"broken pipe inside a line ends its text",
       {.readErrorAt = LineStart(200) + 2, .readErrorCode = system_error::kBrokenPipe},
       line200As12,
       NumberFailure(""),
       line200Split},
      {"close error after line 301",
       {.closeErrorCode = 5},
       ReferenceValuesAfter({}),
       Failure(Kind::kClose, 5)},
      {"close error with a code outside the table",
       {.closeErrorCode = 1117},
       ReferenceValuesAfter({}),
       Failure(Kind::kClose, 1117)},
      {"a number failure outranks a close error",
       {.closeErrorCode = 5},
       ReferenceValuesAfter({}, 299),
       NumberFailure(""),
       ReferenceLines(1, 299)},
      {"a read failure outranks a close error",
       {.readErrorAt = LineStart(3), .readErrorCode = 4, .closeErrorCode = 5},
       ReferenceValuesAfter({}, 2),
       Failure(Kind::kRead, 4)},
  };
  for (FaultCase c : cases) {
    for (std::size_t chunk : {kWhole, std::size_t{1}, std::size_t{7}}) {
      SCOPED_TRACE(::testing::Message() << c.name << ", reads of at most " << chunk << " bytes");
      c.faults.maxChunk = chunk;
      FaultByteSource source(c.bytes, c.faults);
      ModelValueStore store = PriorStore();
      EXPECT_EQ(ReadModel(source, store), c.failure);
      EXPECT_TRUE(SameStore(store, StoreWith(PriorStore(), c.written)));
      EXPECT_EQ(source.closeCalls, 1);
    }
  }
}

TEST(ReadModel, NeverAsksForMoreThanOneBufferPastLine301) {
  const std::string lines = ReferenceLines(1);
  FaultByteSource source(lines + std::string(8 << 20, '9'), {});
  ModelValueStore store;
  EXPECT_EQ(ReadModel(source, store), std::nullopt);
  EXPECT_LE(source.bytesRequested, lines.size() + kModelReadBufferSize);
  EXPECT_EQ(source.readCalls, 1);
}

TEST(ReadModel, StopsAskingAtTheEndOfTheData) {
  FaultByteSource source(ReferenceLines(1, 20), {.maxChunk = 5});
  ModelValueStore store;
  EXPECT_EQ(ReadModel(source, store), NumberFailure(""));
  const int readsWithData = static_cast<int>((ReferenceLines(1, 20).size() + 4) / 5);
  EXPECT_EQ(source.readCalls, readsWithData + 1);
}

}  // namespace
}  // namespace qzd::testing
