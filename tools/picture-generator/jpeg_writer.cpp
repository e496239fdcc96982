// SPDX-License-Identifier: MIT
#include "jpeg_writer.h"

#include <jpeglib.h>

#include <QFile>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qzd::pictures {

QString WriteProgressiveJpeg(const QImage& image, bool greyscale, int quality,
                             const QString& path) {
  const QImage pixels = greyscale ? image.convertToFormat(QImage::Format_Grayscale8)
                                  : image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  // The generator runs at build time on our own pictures: libjpeg's default handler, which
  // prints and exits, is the right response to a failure here.
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(pixels.width());
  info.image_height = static_cast<JDIMENSION>(pixels.height());
  info.input_components = greyscale ? 1 : 3;
  info.in_color_space = greyscale ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (!greyscale) {
    for (int c = 0; c < info.num_components; ++c) {
      info.comp_info[c].h_samp_factor = 1;
      info.comp_info[c].v_samp_factor = 1;
    }
  }
  info.optimize_coding = TRUE;
  jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);

  QFile file(path);
  QString error;
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char*>(buffer), static_cast<qint64>(size)) !=
          static_cast<qint64>(size)) {
    error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
  }
  std::free(buffer);
  return error;
}

}  // namespace qzd::pictures
