// SPDX-License-Identifier: MIT
#include "viewer/pictures/jpeg_decoder.h"

#include <bit>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <csetjmp>
#include <cstddef>
#include <cstdio>

namespace qzd::viewer {
namespace {

// Larger than any picture built into the program, small enough that a forged header cannot make
// us allocate gigabytes.
constexpr JDIMENSION kMaxSide = 8192;

// libjpeg's default error handler prints and calls exit(). Ours jumps back to the decode call
// instead, and treats warnings (such as a stream that ends early, which libjpeg would pad with
// grey) as failures too, so a damaged picture is never shown half-drawn.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf escape;
};

[[noreturn]] void Escape(j_common_ptr info) {
  auto* trap = reinterpret_cast<ErrorTrap*>(info->err);
  std::longjmp(trap->escape, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level < 0) Escape(info);
}

void Silence(j_common_ptr) {}

// The state that lives across a longjmp: trivially destructible only, so jumping out of libjpeg
// back into the function that called setjmp skips no destructor.
struct Decompressor {
  jpeg_decompress_struct info;
  ErrorTrap trap;
};

void Prepare(Decompressor& d) {
  d.info.err = jpeg_std_error(&d.trap.manager);
  d.trap.manager.error_exit = Escape;
  d.trap.manager.emit_message = OnMessage;
  d.trap.manager.output_message = Silence;
}

// Reads the header; false on any error. Holds only trivially destructible locals.
bool ReadHeader(Decompressor& d, std::span<const unsigned char> data) {
  if (data.empty()) return false;
  if (setjmp(d.trap.escape) != 0) return false;
  jpeg_mem_src(&d.info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  return d.info.image_width > 0 && d.info.image_height > 0 && d.info.image_width <= kMaxSide &&
         d.info.image_height <= kMaxSide;
}

// Decodes into a buffer of `height` rows, `stride` bytes apart; false on any error. Holds only
// trivially destructible locals.
bool ReadScanlines(Decompressor& d, unsigned char* pixels, qsizetype stride) {
  if (setjmp(d.trap.escape) != 0) return false;
  jpeg_start_decompress(&d.info);
  if (static_cast<qsizetype>(d.info.output_width) * d.info.output_components > stride) {
    jpeg_abort_decompress(&d.info);
    return false;
  }
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW row = pixels + static_cast<qsizetype>(d.info.output_scanline) * stride;
    jpeg_read_scanlines(&d.info, &row, 1);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

// Owns the libjpeg object so it is destroyed on every path.
class DecompressorHandle {
 public:
  DecompressorHandle() {
    Prepare(d_);
    jpeg_create_decompress(&d_.info);
  }
  ~DecompressorHandle() { jpeg_destroy_decompress(&d_.info); }
  DecompressorHandle(const DecompressorHandle&) = delete;
  DecompressorHandle& operator=(const DecompressorHandle&) = delete;
  Decompressor& get() { return d_; }

 private:
  Decompressor d_{};
};

}  // namespace

QImage DecodeJpeg(std::span<const unsigned char> data) {
  DecompressorHandle handle;
  Decompressor& d = handle.get();
  if (!ReadHeader(d, data)) return {};
  const bool grey = d.info.jpeg_color_space == JCS_GRAYSCALE;
  // Colour comes out in the screen's own pixel layout (QImage::Format_RGB32 is one 0xffRRGGBB
  // word per pixel), so that no paint has to convert it; libjpeg sets the unused byte to 0xFF.
  constexpr J_COLOR_SPACE kScreenColour =
      std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  d.info.out_color_space = grey ? JCS_GRAYSCALE : kScreenColour;
  QImage image(static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height),
               grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
  if (image.isNull()) return {};
  if (!ReadScanlines(d, image.bits(), image.bytesPerLine())) return {};
  return image;
}

}  // namespace qzd::viewer
