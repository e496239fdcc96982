#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/load_failure.h"
#include "model/model_value_store.h"

namespace qzd {

// The system error codes the reader and its file source name (the failure table's numbering).
namespace system_error {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kSharingViolation = 32;
inline constexpr int kBrokenPipe = 109;  // a read that reports it has reached the end of the file
}  // namespace system_error

// The reader's one buffer: a read never asks a source for more than this at a time.
inline constexpr std::size_t kModelReadBufferSize = 16 * 1024;

// Where the reader's bytes come from: a file, or a memory buffer in tests and the fuzz target.
class ByteSource {
 public:
  struct ReadResult {
    std::size_t count = 0;               // bytes placed in the buffer; 0 means end of data
    std::optional<int> systemErrorCode;  // set when the read failed
  };
  virtual ~ByteSource() = default;
  virtual ReadResult read(std::span<unsigned char> buffer) = 0;
  // Called once, on every way out of a read. Returns the system error code when closing failed.
  virtual std::optional<int> close() = 0;
};

// The message for a system error code: "File not found", ..., or "I/O error %d".
[[nodiscard]] std::string SystemErrorMessage(int code);

// Reads the first 301 lines of `source` into slots 0 to 300 of `store`, stopping at the first
// failure (the slots of the lines before it keep their new values). Always closes the source.
[[nodiscard]] std::optional<LoadFailure> ReadModel(ByteSource& source, ModelValueStore& store);

// Opens the file at `path` read-only and reads it with ReadModel. Returns the failure, or nothing
// when all 301 lines were read and the file was closed.
[[nodiscard]] std::optional<LoadFailure> ReadModelFile(const std::string& path,
                                                       ModelValueStore& store);

}  // namespace qzd
