// SPDX-License-Identifier: MIT
// Draws the pictures built into the viewer and writes them into window/assets:
//   picture-generator <window/assets directory> [<preview directory>]
// The preview directory, when given, receives each picture as lossless PNG as well.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "drawing.h"
#include "jpeg_writer.h"
#include "pictures.h"

namespace {

using qzd::pictures::WriteProgressiveJpeg;

struct Picture {
  const char* file;
  QImage (*draw)();
  int width;
  int height;
  bool greyscale;
};

// Sizes and depths as the window's picture boxes expect them.
const Picture kPictures[] = {
    {"aeroplane.jpg", qzd::pictures::DrawAeroplane, 50, 18, false},
    {"glider.jpg", qzd::pictures::DrawGlider, 50, 18, false},
    {"helicopter.jpg", qzd::pictures::DrawHelicopter, 50, 18, false},
    {"servo-connection.jpg", qzd::pictures::DrawServoConnection, 592, 400, false},
    {"mode.jpg", qzd::pictures::DrawMode, 300, 405, true},
    {"heli.jpg", qzd::pictures::DrawHeli, 585, 220, true},
};

constexpr int kQuality = 92;
// The browser edition also serves each picture drawn at these multiples of its size, for screens
// of that many device pixels per CSS pixel; they go to hidpi/ as NAME@2x.jpg and so on.
constexpr int kScreenScales[] = {2, 3};
// Finer pixels hide more of the compression.
constexpr int kScreenQuality = 80;
constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

int Fail(const QString& message) {
  std::fprintf(stderr, "picture-generator: %s\n", qPrintable(message));
  return 1;
}

// Writes the icon as XPM source that the viewer includes as a constant array.
bool WriteIconXpm(const QImage& icon, const QString& path) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!icon.save(&buffer, "XPM")) return false;
  QByteArray xpm = buffer.data();
  const qsizetype open = xpm.indexOf("[]");
  const qsizetype start = xpm.indexOf("static");
  if (open < 0 || start < 0) return false;
  xpm.replace(start, open - start, "static const char* const kProgramIconXpm");
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(xpm) == xpm.size();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2 || argc > 3) {
    return Fail(QStringLiteral("usage: picture-generator <output dir> [<preview dir>]"));
  }
  // A substitute face would change every label, so insist on the one the pictures are drawn for.
  const QFontInfo face(qzd::pictures::LabelFont(12));
  if (face.family() != QStringLiteral("Liberation Sans")) {
    return Fail(QStringLiteral("the font Liberation Sans is missing (fonts-liberation)"));
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QDir().mkpath(out.path());
  const QString preview = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (!preview.isEmpty()) QDir().mkpath(preview);

  for (const Picture& picture : kPictures) {
    const QImage image = picture.draw();
    if (image.width() != picture.width || image.height() != picture.height) {
      return Fail(QStringLiteral("%1 came out %2 x %3")
                      .arg(picture.file)
                      .arg(image.width())
                      .arg(image.height()));
    }
    const QString error =
        WriteProgressiveJpeg(image, picture.greyscale, kQuality, out.filePath(picture.file));
    if (!error.isEmpty()) return Fail(error);
    if (!preview.isEmpty()) {
      QString name = QString::fromLatin1(picture.file);
      name.replace(QStringLiteral(".jpg"), QStringLiteral(".png"));
      image.save(QDir(preview).filePath(name));
    }
  }

  for (const int scale : kScreenScales) {
    qzd::pictures::SetCanvasScale(scale);
    const QDir hidpi(out.filePath(QStringLiteral("hidpi")));
    QDir().mkpath(hidpi.path());
    for (const Picture& picture : kPictures) {
      const QImage image = picture.draw();
      if (image.width() != picture.width * scale || image.height() != picture.height * scale) {
        return Fail(QStringLiteral("%1 at %2x came out %3 x %4")
                        .arg(picture.file)
                        .arg(scale)
                        .arg(image.width())
                        .arg(image.height()));
      }
      QString name = QString::fromLatin1(picture.file);
      name.replace(QStringLiteral(".jpg"), QStringLiteral("@%1x.jpg").arg(scale));
      const QString error =
          WriteProgressiveJpeg(image, picture.greyscale, kScreenQuality, hidpi.filePath(name));
      if (!error.isEmpty()) return Fail(error);
    }
  }
  qzd::pictures::SetCanvasScale(1);

  // XPM, because the viewer compiles it in and Qt reads it without scanning its image plugins,
  // which would cost start-up time.
  if (!WriteIconXpm(qzd::pictures::DrawPaletteIcon(), out.filePath(QStringLiteral("icon.xpm")))) {
    return Fail(QStringLiteral("cannot write icon.xpm"));
  }
  for (int size : kDesktopIconSizes) {
    const QString dir = out.filePath(QStringLiteral("icons/hicolor/%1x%1/apps").arg(size));
    QDir().mkpath(dir);
    const QImage icon =
        size == 32 ? qzd::pictures::DrawPaletteIcon() : qzd::pictures::DrawIcon(size);
    if (!icon.save(QDir(dir).filePath(QStringLiteral("qzd-viewer.png")))) {
      return Fail(QStringLiteral("cannot write the %1 px desktop icon").arg(size));
    }
  }
  return 0;
}
