// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/byte_source.h"
#include "model/load_failure.h"
#include "model/model_value_store.h"

namespace qzd {

// The reader's buffer: a read asks a source for this much at a time, except in a skip over the rest
// of a line that has outrun one buffer, which asks for kSkipReadBufferSize.
inline constexpr std::size_t kModelReadBufferSize = 16 * 1024;
// Larger blocks lose more to the cache than they save in reads.
inline constexpr std::size_t kSkipReadBufferSize = 64 * 1024;

// Reads the first 301 lines of `source` into slots 0 to 300 of `store`, stopping at the first
// failure (the slots of the lines before it keep their new values). Always closes the source.
[[nodiscard]] std::optional<LoadFailure> ReadModel(ByteSource& source, ModelValueStore& store);

// Opens the file at `path` read-only and reads it with ReadModel. Returns the failure, or nothing
// when all 301 lines were read and the file was closed.
[[nodiscard]] std::optional<LoadFailure> ReadModelFile(const std::string& path,
                                                       ModelValueStore& store);

}  // namespace qzd
