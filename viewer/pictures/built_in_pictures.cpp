// SPDX-License-Identifier: MIT
#include "viewer/pictures/built_in_pictures.h"

#include <QPixmap>
#include <algorithm>
#include <array>
#include <mutex>

#include "viewer/pictures/embedded_files.h"
#include "viewer/pictures/icon.xpm"
#include "viewer/pictures/jpeg_decoder.h"

namespace qzd::viewer {
namespace {

struct PictureFile {
  PictureId id;
  std::string_view name;
};

// Which file of viewer/pictures each picture is drawn from, in the order of PictureId.
constexpr std::array kPictureFiles = {
    PictureFile{PictureId::kAeroplane, "aeroplane.jpg"},
    PictureFile{PictureId::kGlider, "glider.jpg"},
    PictureFile{PictureId::kHelicopter, "helicopter.jpg"},
    PictureFile{PictureId::kServoConnection, "servo-connection.jpg"},
    PictureFile{PictureId::kMode, "mode.jpg"},
    PictureFile{PictureId::kHeli, "heli.jpg"},
};

constexpr std::size_t Index(PictureId id) {
  return static_cast<std::size_t>(id);
}

static_assert(std::ranges::all_of(kPictureFiles, [](const PictureFile& file) {
  return Index(file.id) < kPictureFiles.size() && kPictureFiles[Index(file.id)].id == file.id;
}));

}  // namespace

std::span<const unsigned char> FindEmbeddedFile(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedFiles()) {
    if (file.name == name) return file.bytes;
  }
  return {};
}

std::span<const unsigned char> PictureData(PictureId id) {
  return FindEmbeddedFile(kPictureFiles[Index(id)].name);
}

// Decoding waits until a picture is first wanted, here or by the background decode, so start-up
// pays only for the pictures the first screen shows, and each picture is decoded once for the whole
// run, whichever thread wants it first.
const QImage& BuiltInPicture(PictureId id) {
  static std::array<std::once_flag, kPictureFiles.size()> decoded;
  static std::array<QImage, kPictureFiles.size()> pictures;
  const std::size_t index = Index(id);
  std::call_once(decoded[index], [&] { pictures[index] = DecodeJpeg(PictureData(id)); });
  return pictures[index];
}

std::jthread DecodePicturesInBackground() {
  return std::jthread([] {
    for (const PictureId id : {PictureId::kServoConnection, PictureId::kMode, PictureId::kHeli,
                               PictureId::kAeroplane, PictureId::kGlider, PictureId::kHelicopter})
      (void)BuiltInPicture(id);
  });
}

// The icon is XPM source compiled in: Qt reads XPM itself, without the scan of its image plugins
// that loading a PNG would add to every start-up.
QImage ProgramIconImage() {
  return QImage(kProgramIconXpm);
}

QIcon ProgramIcon() {
  return QIcon(QPixmap::fromImage(ProgramIconImage()));
}

}  // namespace qzd::viewer
