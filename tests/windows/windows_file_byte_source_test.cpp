// SPDX-License-Identifier: MIT
// The Windows byte source on real files: Windows' own error codes become the failure texts, files
// held by other programs read when those programs share them, and names in any script open.
#include "model/windows_file_byte_source.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/model_file_reader.h"
#include "model/utf16.h"
#include "tests/model/reader_test_support.h"

namespace qzd {
namespace {

namespace fs = std::filesystem;

class WindowsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / (L"qzd-win-" + std::to_wstring(::GetCurrentProcessId()) +
                                        L"-" + std::to_wstring(::GetTickCount64()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  // A whole model file; returns its UTF-8 path.
  std::string WriteModel(const std::wstring& name) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << testing::ReferenceLines(1);
    return Utf8FromWide(path.wstring());
  }
  std::string Utf8(const std::wstring& name) const { return Utf8FromWide((dir_ / name).wstring()); }

  fs::path dir_;
};

std::optional<std::string> FailureText(const std::string& path) {
  ModelValueStore store;
  const auto failure = ReadModelFile(path, store);
  if (!failure) return std::nullopt;
  return failure->message;
}

// A handle another program keeps on the file while it is read.
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD access, DWORD share) {
    handle_ = ::CreateFileW(WideFromUtf8(path)->c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~HeldFile() { ::CloseHandle(handle_); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  [[nodiscard]] bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST_F(WindowsFiles, OpenFailuresAreWindowsOwnCodes) {
  const std::string model = WriteModel(L"model.qzd");
  struct Case {
    const char* what;
    std::string path;
    std::optional<std::string> text;
  };
  // A pipe with a server waiting, which a reader of it would wait on.
  const std::wstring pipe = L"\\\\.\\pipe\\qzd-test-" + std::to_wstring(::GetCurrentProcessId());
  HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_DUPLEX, 0, 1, 0, 0, 0, nullptr);
  const std::wstring deep = std::wstring(150, L'd') + L"\\" + std::wstring(150, L'e');
  fs::create_directories(dir_ / deep);
  const Case cases[] = {
      {"a whole model", model, std::nullopt},
      {"a model at a path of 300 characters and more", WriteModel(deep + L"\\model.qzd"),
       std::nullopt},
      {"the console", "CON", "File access denied"},
      {"a serial port", "COM1", "File access denied"},
      {"a reserved name inside a folder", Utf8(L"NUL.qzd"), "File access denied"},
      {"a disk", "\\\\.\\PhysicalDrive0", "File access denied"},
      {"a pipe", Utf8FromWide(pipe), "File access denied"},
      {"no such file", Utf8(L"missing.qzd"), "File not found"},
      {"no such folder", Utf8(L"missing\\model.qzd"), "Invalid filename"},
      {"a folder", Utf8FromWide(dir_.wstring()), "File access denied"},
      {"the NUL device", "NUL", "File access denied"},
      {"an empty name", "", "Invalid filename"},
      {"bytes that are not UTF-8", Utf8(L"m") + "\xff.qzd", "Invalid filename"},
      {"a NUL inside the name", model + std::string("\0x", 2), "Invalid filename"},
  };
  for (const Case& c : cases) EXPECT_EQ(FailureText(c.path), c.text) << c.what;
  ::CloseHandle(server);
}

TEST_F(WindowsFiles, FilesHeldByOtherProgramsReadWhenShared) {
  const std::string model = WriteModel(L"held.qzd");
  struct Case {
    const char* what;
    DWORD access;
    DWORD share;
    std::optional<std::string> text;
  };
  const Case cases[] = {
      {"open for writing, sharing reads", GENERIC_WRITE, FILE_SHARE_READ, std::nullopt},
      {"open for reading and writing, sharing both", GENERIC_READ | GENERIC_WRITE,
       FILE_SHARE_READ | FILE_SHARE_WRITE, std::nullopt},
      {"open for writing, sharing nothing", GENERIC_WRITE, 0, "I/O error 32"},
      {"open for writing, sharing reads only", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
       std::nullopt},
      {"open for reading, sharing nothing", GENERIC_READ, 0, "I/O error 32"},
  };
  for (const Case& c : cases) {
    HeldFile other(model, c.access, c.share);
    ASSERT_TRUE(other.held()) << c.what;
    EXPECT_EQ(FailureText(model), c.text) << c.what;
  }
}

TEST_F(WindowsFiles, NamesInAnyScriptOpen) {
  for (const std::wstring name :
       {L"\u03b3\u03bb\u03cd\u03c0\u03c4\u03b7\u03c2.qzd", L"\u30b0\u30e9\u30a4\u30c0\u30fc.qzd",
        L"caf\u00e9 d\u00e9j\u00e0.qzd"}) {
    ModelValueStore store;
    EXPECT_EQ(ReadModelFile(WriteModel(name), store), std::nullopt);
    EXPECT_EQ(store.value(0), testing::ReferenceValue(1));
  }
}

TEST(WindowsUtf, PathsRoundTripBetweenUtf8AndUtf16) {
  const std::wstring wide = L"C:\\M\u00f6dels\\\u03b3\u30b0\U0001F600.qzd";
  EXPECT_EQ(WideFromUtf8(Utf8FromWide(wide)), wide);
  EXPECT_EQ(Utf8FromWide(L"\u00e9"), "\xc3\xa9");
  EXPECT_EQ(WideFromUtf8("\xc3"), std::nullopt);
}

TEST(WindowsUtf, ModelTextsShowEveryByteAsItself) {
  EXPECT_EQ(WideFromLatin1(std::string_view("\xc3\xa9\x00\xff", 4)),
            std::wstring(L"\u00c3\u00a9\u0000\u00ff", 4));
}

}  // namespace
}  // namespace qzd
