// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qzd {

// The system error codes with which a load fails, in the Windows numbering that the model files'
// own platform reports: every byte source maps its platform's errors onto these, and the reader
// names them by the one table below.
namespace system_error {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kInvalidHandle = 6;
inline constexpr int kNotEnoughMemory = 8;
inline constexpr int kGeneralFailure = 31;
inline constexpr int kSharingViolation = 32;
inline constexpr int kInvalidParameter = 87;
inline constexpr int kReadBeyondEndOfFile = 100;
inline constexpr int kDiskFull = 101;
inline constexpr int kInvalidNumericInput = 106;
inline constexpr int kBrokenPipe = 109;  // a read that reports it has reached the end of the file
inline constexpr int kFileTooLarge = 223;
inline constexpr int kDeviceError = 1117;

struct CodeMessage {
  int code;
  std::string_view message;
};

// The failure texts of the codes that have one of their own; any other code is "I/O error N".
inline constexpr std::array<CodeMessage, 7> kMessages{{
    {kFileNotFound, "File not found"},
    {kPathNotFound, "Invalid filename"},
    {kTooManyOpenFiles, "Too many open files"},
    {kAccessDenied, "File access denied"},
    {kReadBeyondEndOfFile, "Read beyond end of file"},
    {kDiskFull, "Disk full"},
    {kInvalidNumericInput, "Invalid numeric input"},
}};

// The failure text for a system error code: "File not found", ..., or "I/O error N".
[[nodiscard]] inline std::string Message(int code) {
  for (const CodeMessage& entry : kMessages) {
    if (entry.code == code) return std::string(entry.message);
  }
  return "I/O error " + std::to_string(code);
}

}  // namespace system_error
}  // namespace qzd
