#include "viewer/pictures/built_in_pictures.h"

#include <QColor>

namespace qzd::viewer {

// Temporary stand-ins of the right size and depth until the drawn pictures are built in.
const QImage& BuiltInPicture(PictureId id) {
  static const QImage pictures[] = {
      [] { QImage i(50, 18, QImage::Format_RGB32); i.fill(Qt::white); return i; }(),
      [] { QImage i(50, 18, QImage::Format_RGB32); i.fill(Qt::white); return i; }(),
      [] { QImage i(50, 18, QImage::Format_RGB32); i.fill(Qt::white); return i; }(),
      [] { QImage i(592, 400, QImage::Format_RGB32); i.fill(Qt::white); return i; }(),
      [] { QImage i(300, 405, QImage::Format_Grayscale8); i.fill(Qt::white); return i; }(),
      [] { QImage i(585, 220, QImage::Format_Grayscale8); i.fill(Qt::white); return i; }(),
  };
  return pictures[static_cast<int>(id)];
}

QIcon ProgramIcon() {
  QImage i(32, 32, QImage::Format_RGB32);
  i.fill(QColor(0, 90, 160));
  return QIcon(QPixmap::fromImage(i));
}

}  // namespace qzd::viewer
