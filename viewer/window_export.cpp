// SPDX-License-Identifier: MIT
#include "viewer/window_export.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>

#include "viewer/main_window.h"

namespace qzd::viewer {

namespace {

// Window pixels are those of a 96 dpi screen.
constexpr double kWindowDotsPerMeter = 96 / 0.0254;
// The PDF page's margin on every side.
constexpr double kPdfMarginMillimetres = 10;

// Writes what `draw` makes through a QSaveFile, so that a failed or partial write leaves nothing
// behind. The whole file is drawn into memory first and written in one go: a write that fails
// then reports the system's reason ("No space left on device").
std::optional<QString> WriteWhole(const QString& path,
                                  const std::function<bool(QIODevice&)>& draw) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!draw(buffer)) return QStringLiteral("drawing failed");
  buffer.close();

  QSaveFile file(path);
  // Without a writable folder there is no safe way to replace the file in one step.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
  errno = 0;
  const qint64 written = file.write(bytes);
  // Qt reports a write that stops part way (full disk, file size limit) without its reason.
  const int reason = errno;
  if (written != bytes.size()) {
    const QString text =
        reason != 0 ? QString::fromLocal8Bit(std::strerror(reason)) : file.errorString();
    file.cancelWriting();
    return text;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

// The load command's error box for a window nobody sees: keeps the first message.
class KeptMessage final : public ErrorBox {
 public:
  void Show(std::string_view text) override {
    if (!message) message = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  }
  std::optional<QString> message;
};

// No dialog is ever shown; a file named on the command line is the one choice.
class NoDialog final : public OpenDialog {
 public:
  std::optional<ChosenFile> Choose() override { return std::nullopt; }
};

}  // namespace

const window::PageFacts* ExportPageNamed(const QString& name) {
  const QByteArray utf8 = name.toUtf8();
  return window::PageNamed(std::string_view(utf8.data(), static_cast<std::size_t>(utf8.size())));
}

QString ExportPageNames() {
  QStringList names;
  for (const window::PageFacts& page : window::MainWindowFacts().pages) {
    names << QString::fromUtf8(page.name.data(), static_cast<qsizetype>(page.name.size()));
  }
  return names.join(u'|');
}

std::optional<ExportFormat> ExportFormatOf(const QString& output) {
  const QString suffix = QFileInfo(output).suffix().toLower();
  if (suffix == QLatin1String("png")) return ExportFormat::kPng;
  if (suffix == QLatin1String("pdf")) return ExportFormat::kPdf;
  return std::nullopt;
}

QImage WindowImage(QWidget& window, int scale) {
  QImage image(window.size() * scale, QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  const int dotsPerMeter = static_cast<int>(std::lround(kWindowDotsPerMeter * scale));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  window.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return image;
}

std::optional<QString> WriteWindowPng(QWidget& window, int scale, const QString& path) {
  const QImage image = WindowImage(window, scale);
  return WriteWhole(path, [&image](QIODevice& file) { return image.save(&file, "PNG"); });
}

std::optional<QString> WriteWindowPdf(QWidget& window, const QString& path) {
  return WriteWhole(path, [&window](QIODevice& file) {
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("qzd-viewer"));
    pdf.setTitle(window.windowTitle());
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres,
                                            kPdfMarginMillimetres, kPdfMarginMillimetres),
                                  QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    // As large as the printable area allows, centred, without distortion.
    const QSizeF area(pdf.width(), pdf.height());
    const double factor = std::min(area.width() / window.width(), area.height() / window.height());
    painter.translate((area.width() - window.width() * factor) / 2,
                      (area.height() - window.height() * factor) / 2);
    painter.scale(factor, factor);
    window.render(&painter, QPoint(), QRegion(),
                  QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return painter.end();
  });
}

std::optional<QString> ExportWindow(const ExportRequest& request) {
  const std::optional<ExportFormat> format = ExportFormatOf(request.output);
  if (!format) return QStringLiteral("%1: the output must end in .png or .pdf").arg(request.output);

  NoDialog dialog;
  KeptMessage errors;
  TmainForm window(dialog, errors);
  window.OpenModelFile(request.modelFile);
  if (errors.message) return QStringLiteral("%1: %2").arg(request.modelFile, *errors.message);

  window.Controller().ShowPage(*request.page);
  window.show();
  QApplication::processEvents();

  const std::optional<QString> failure = *format == ExportFormat::kPng
                                             ? WriteWindowPng(window, request.scale, request.output)
                                             : WriteWindowPdf(window, request.output);
  if (failure) return QStringLiteral("cannot write %1: %2").arg(request.output, *failure);
  return std::nullopt;
}

}  // namespace qzd::viewer
