// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QSet>
#include <algorithm>
#include <iterator>
#include <thread>
#include <vector>

#include "viewer/pictures/built_in_pictures.h"
#include "viewer/pictures/embedded_files.h"
#include "viewer/pictures/jpeg_decoder.h"

namespace qzd::viewer {
namespace {

struct PictureCase {
  const char* name;
  PictureId id;
  int width;
  int height;
  bool greyscale;
};

// Each picture's size and depth as the window lays it out.
const PictureCase kPictures[] = {
    {"Image4", PictureId::kAeroplane, 50, 18, false},
    {"Image5", PictureId::kGlider, 50, 18, false},
    {"Image6", PictureId::kHelicopter, 50, 18, false},
    {"Image1", PictureId::kServoConnection, 592, 400, false},
    {"Image2", PictureId::kMode, 300, 405, true},
    {"Image3", PictureId::kHeli, 585, 220, true},
};

class BuiltInPictureTest : public testing::TestWithParam<PictureCase> {};

TEST_P(BuiltInPictureTest, DecodesToItsSizeAndDepth) {
  const PictureCase& c = GetParam();
  const QImage& image = BuiltInPicture(c.id);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), c.width);
  EXPECT_EQ(image.height(), c.height);
  EXPECT_EQ(image.format(), c.greyscale ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
}

// Size and depth come from the stream itself (the decoder picks the format from the stream's
// colour space), so the test above checks them; here only that the stream is progressive.
TEST_P(BuiltInPictureTest, IsStoredAsProgressiveJpeg) {
  const PictureCase& c = GetParam();
  // A progressive stream starts its frame with the SOF2 marker.
  const auto data = PictureData(c.id);
  const unsigned char sof2[] = {0xFF, 0xC2};
  EXPECT_NE(std::search(data.begin(), data.end(), std::begin(sof2), std::end(sof2)), data.end());
}

TEST_P(BuiltInPictureTest, IsDecodedOnceAndKept) {
  const PictureCase& c = GetParam();
  EXPECT_EQ(&BuiltInPicture(c.id), &BuiltInPicture(c.id));
  EXPECT_EQ(BuiltInPicture(c.id).constBits(), BuiltInPicture(c.id).constBits());
}

INSTANTIATE_TEST_SUITE_P(Pictures, BuiltInPictureTest, testing::ValuesIn(kPictures),
                         [](const auto& test) { return std::string(test.param.name); });

// Pictures wanted while the background decode runs, in the opposite order to its own, come whole:
// each is the one decode of its data, whichever thread made it.
TEST(BackgroundDecode, PicturesWantedMeanwhileComeWhole) {
  const std::jthread decode = DecodePicturesInBackground();
  for (auto c = std::rbegin(kPictures); c != std::rend(kPictures); ++c) {
    EXPECT_EQ(BuiltInPicture(c->id), DecodeJpeg(PictureData(c->id))) << c->name;
  }
}

// The type pictures stand in 49 x 25 boxes; the picture is one pixel wider (its last column is
// cut off) and seven pixels shorter.
TEST(TypePictures, AreOnePixelWiderAndSevenShorterThanTheirBoxes) {
  for (PictureId id : {PictureId::kAeroplane, PictureId::kGlider, PictureId::kHelicopter}) {
    const QImage& image = BuiltInPicture(id);
    EXPECT_EQ(image.width(), 49 + 1);
    EXPECT_EQ(image.height(), 25 - 7);
  }
}

// Damaged data must give a null image rather than abort the program or show a half picture.
std::vector<unsigned char> Bytes(PictureId id) {
  const auto data = PictureData(id);
  return {data.begin(), data.end()};
}

TEST(DecodeJpeg, GivesNullForEmptyOrNonJpegData) {
  EXPECT_TRUE(DecodeJpeg({}).isNull());
  const unsigned char text[] = "not a picture at all";
  EXPECT_TRUE(DecodeJpeg(text).isNull());
}

TEST(DecodeJpeg, GivesNullForTruncatedData) {
  for (PictureId id : {PictureId::kServoConnection, PictureId::kMode, PictureId::kAeroplane}) {
    const std::vector<unsigned char> whole = Bytes(id);
    for (std::size_t keep :
         {std::size_t{2}, std::size_t{20}, whole.size() / 3, whole.size() / 2, whole.size() - 2}) {
      const std::span<const unsigned char> part(whole.data(), keep);
      EXPECT_TRUE(DecodeJpeg(part).isNull()) << "kept " << keep << " of " << whole.size();
    }
  }
}

TEST(DecodeJpeg, GivesNullForCorruptData) {
  // Overwrite the entropy-coded data after the header with marker bytes libjpeg cannot accept.
  std::vector<unsigned char> data = Bytes(PictureId::kHeli);
  for (std::size_t i = data.size() / 2; i < data.size() / 2 + 64; i += 2) {
    data[i] = 0xFF;
    data[i + 1] = 0xD1;  // a restart marker where none may stand
  }
  EXPECT_TRUE(DecodeJpeg(data).isNull());

  std::vector<unsigned char> bad_header = Bytes(PictureId::kGlider);
  for (std::size_t i = 2; i < 40; ++i) bad_header[i] = 0x5A;
  EXPECT_TRUE(DecodeJpeg(bad_header).isNull());
}

TEST(DecodeJpeg, DecodesTheWholeDataAfterAFailedAttempt) {
  // A failure leaves no state behind that spoils the next decode.
  std::vector<unsigned char> broken = Bytes(PictureId::kMode);
  broken.resize(broken.size() / 2);
  EXPECT_TRUE(DecodeJpeg(broken).isNull());
  EXPECT_FALSE(DecodeJpeg(PictureData(PictureId::kMode)).isNull());
}

TEST(ProgramIcon, Is32By32InAtMost256OpaqueColours) {
  const QImage icon = ProgramIconImage();
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
  EXPECT_LE(icon.colorCount(), 256);
  QSet<QRgb> used;
  for (int y = 0; y < icon.height(); ++y) {
    for (int x = 0; x < icon.width(); ++x) {
      const QRgb pixel = icon.pixel(x, y);
      EXPECT_EQ(qAlpha(pixel), 255) << "at " << x << ", " << y;
      used.insert(pixel);
    }
  }
  EXPECT_LE(used.size(), 256);
  EXPECT_FALSE(ProgramIcon().isNull());
}

}  // namespace
}  // namespace qzd::viewer
