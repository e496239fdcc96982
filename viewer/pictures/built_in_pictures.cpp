// SPDX-License-Identifier: MIT
#include "viewer/pictures/built_in_pictures.h"

#include <QPixmap>
#include <array>
#include <mutex>

#include "icon.xpm"
#include "viewer/pictures/embedded_files.h"
#include "viewer/pictures/jpeg_decoder.h"
#include "window/window_elements.h"

namespace qzd::viewer {
namespace {

// The form's name of each picture, in the order of PictureId; its file is the form's to say.
constexpr std::array<std::string_view, 6> kPictureNames = {
    "Aeroplane", "Glider", "Helicopter", "ServoConnection", "Mode", "Heli",
};

constexpr std::size_t Index(PictureId id) {
  return static_cast<std::size_t>(id);
}

}  // namespace

std::span<const unsigned char> FindEmbeddedFile(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedFiles()) {
    if (file.name == name) return file.bytes;
  }
  return {};
}

std::span<const unsigned char> PictureData(PictureId id) {
  for (const window::ElementFacts& element : window::MainWindowFacts().elements) {
    if (element.picture == kPictureNames[Index(id)]) return FindEmbeddedFile(element.pictureFile);
  }
  return {};
}

// Decoding waits until a picture is first wanted, here or by the background decode, so start-up
// pays only for the pictures the first screen shows, and each picture is decoded once for the whole
// run, whichever thread wants it first.
const QImage& BuiltInPicture(PictureId id) {
  static std::array<std::once_flag, kPictureNames.size()> decoded;
  static std::array<QImage, kPictureNames.size()> pictures;
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
