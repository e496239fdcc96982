// SPDX-License-Identifier: MIT
#include "viewer/widgets/window_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace qzd::viewer {

namespace {

const QString& WindowFontFamily() {
  static const QString family = [] {
    const QString preferred = QStringLiteral("MS Sans Serif");
    // hasFamily() would accept a fontconfig alias that maps the name onto some other face.
    return QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)
               ? preferred
               : QStringLiteral("Liberation Sans");
  }();
  return family;
}

}  // namespace

QFont WindowFont(int pixelSize) {
  QFont font(WindowFontFamily());
  font.setPixelSize(pixelSize);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  return font;
}

}  // namespace qzd::viewer
