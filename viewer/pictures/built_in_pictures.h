// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>
#include <thread>

namespace qzd::viewer {

// The pictures built into the program as progressive JPEG data.
enum class PictureId {
  kAeroplane,        // Image4: 50 x 18 colour type silhouette
  kGlider,           // Image5: 50 x 18 colour type silhouette
  kHelicopter,       // Image6: 50 x 18 colour type silhouette
  kServoConnection,  // Image1: 592 x 400 colour page picture
  kMode,             // Image2: 300 x 405 greyscale page picture
  kHeli,             // Image3: 585 x 220 greyscale page picture
};

// The decoded picture, decoded on first use and kept for the run. A picture whose data cannot be
// decoded comes back as a null image; the program never aborts over it.
[[nodiscard]] const QImage& BuiltInPicture(PictureId id);

// Makes every built-in picture ready for the screen on a thread of its own, the page pictures first
// in the order the page cycle shows them, so that no page waits for its picture when it is first
// shown. A picture wanted meanwhile waits for its decode to end, so it is painted whole. The
// thread is joined when the returned object is destroyed.
[[nodiscard]] std::jthread DecodePicturesInBackground();

// The program's 32 x 32 icon.
[[nodiscard]] QIcon ProgramIcon();

}  // namespace qzd::viewer
