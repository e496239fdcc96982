// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

#include "viewer/pictures/built_in_pictures.h"

namespace qzd::viewer {

// One file of window/assets built into the program.
struct EmbeddedFile {
  std::string_view name;
  std::span<const unsigned char> bytes;
};

// Every file built into the program, in the order the build lists them.
[[nodiscard]] std::span<const EmbeddedFile> EmbeddedFiles();

// The bytes of the named embedded file; empty when no such file is built in.
[[nodiscard]] std::span<const unsigned char> FindEmbeddedFile(std::string_view name);

// The JPEG data of a built-in picture.
[[nodiscard]] std::span<const unsigned char> PictureData(PictureId id);

// The 32 x 32, 256-colour program icon as an image.
[[nodiscard]] QImage ProgramIconImage();

}  // namespace qzd::viewer
