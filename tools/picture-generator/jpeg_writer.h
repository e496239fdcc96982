// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>

namespace qzd::pictures {

// Writes `image` as a progressive JPEG: greyscale (one component) or colour without chroma
// subsampling, so thin coloured lines keep their edges. The output depends only on the pixels.
// Returns an error text, empty on success.
QString WriteProgressiveJpeg(const QImage& image, bool greyscale, int quality, const QString& path);

}  // namespace qzd::pictures
