// SPDX-License-Identifier: MIT
#include "viewer/widgets/window_font.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include "window/window_elements.h"

namespace qzd::viewer {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const QString& WindowFontFamily() {
  static const QString family = [] {
    const window::WindowFontFacts& font = window::MainWindowFacts().font;
    const QString preferred = FromView(font.family);
    // hasFamily() would accept a fontconfig alias that maps the name onto some other face.
    return QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)
               ? preferred
               : FromView(font.standIn);
  }();
  return family;
}

}  // namespace

QFont WindowFont() {
  QFont font(WindowFontFamily());
  font.setPixelSize(window::MainWindowFacts().font.pixelSize);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  return font;
}

}  // namespace qzd::viewer
