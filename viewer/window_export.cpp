// SPDX-License-Identifier: MIT
#include "viewer/window_export.h"

#include <QApplication>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <array>
#include <cmath>
#include <functional>

#include "viewer/main_window.h"
#include "viewer/output_file.h"

namespace qzd::viewer {

namespace {

// Window pixels are those of a 96 dpi screen.
constexpr double kWindowDotsPerMeter = 96 / 0.0254;
// The PDF page's margin on every side.
constexpr double kPdfMarginMillimetres = 10;

// Writes what `draw` makes as the whole file. The whole file is drawn into memory first and
// written in one go: a write that fails then reports the system's reason ("No space left on
// device").
std::optional<QString> WriteWhole(const std::string& path,
                                  const std::function<bool(QIODevice&)>& draw) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!draw(buffer)) return QStringLiteral("drawing failed");
  buffer.close();
  if (const std::optional<std::string> failure =
          ReplaceWholeFile(path, std::string_view(bytes.constData(), bytes.size())))
    return QString::fromStdString(*failure);
  return std::nullopt;
}

// A file name for a message: the user's bytes, an undecodable one shown as U+FFFD.
QString Shown(const std::string& name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

void KeptMessage::Show(std::string_view text) {
  if (!message) message = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

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

std::optional<ExportFormat> ExportFormatOf(std::string_view output) {
  const std::string_view name = output.substr(output.rfind('/') + 1);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const QString suffix =
      QString::fromLatin1(name.data() + dot + 1, static_cast<qsizetype>(name.size() - dot - 1))
          .toLower();
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

std::optional<QString> WriteWindowPng(QWidget& window, int scale, const std::string& path) {
  const QImage image = WindowImage(window, scale);
  return WriteWhole(path, [&image](QIODevice& file) { return image.save(&file, "PNG"); });
}

QPageLayout WindowPageLayout(const QPageSize& paper) {
  return QPageLayout(paper, QPageLayout::Landscape,
                     QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres, kPdfMarginMillimetres,
                               kPdfMarginMillimetres),
                     QPageLayout::Millimeter);
}

void DrawWindowIn(QPainter& painter, QWidget& window, const QRectF& area) {
  // As large as the area allows, centred, without distortion.
  const double factor = std::min(area.width() / window.width(), area.height() / window.height());
  painter.save();
  painter.translate(area.left() + (area.width() - window.width() * factor) / 2,
                    area.top() + (area.height() - window.height() * factor) / 2);
  painter.scale(factor, factor);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  painter.restore();
}

std::optional<QString> WriteWindowPdf(QWidget& window, const std::string& path) {
  return WriteWhole(path, [&window](QIODevice& file) {
    QPdfWriter pdf(&file);
    pdf.setCreator(QStringLiteral("qzd-viewer"));
    pdf.setTitle(window.windowTitle());
    pdf.setPageLayout(WindowPageLayout(QPageSize(QPageSize::A4)));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    DrawWindowIn(painter, window, QRectF(0, 0, pdf.width(), pdf.height()));
    return painter.end();
  });
}

std::optional<QString> ExportWindow(const ExportRequest& request) {
  const std::optional<ExportFormat> format = ExportFormatOf(request.output);
  if (!format)
    return QStringLiteral("%1: the output must end in .png or .pdf").arg(Shown(request.output));
  const OutputTarget target = ResolveOutput(request.output, request.modelFile);
  if (!target.refusal.empty())
    return CannotWrite(request.output, QString::fromStdString(target.refusal));

  NoDialog dialog;
  KeptMessage errors;
  TmainForm window(dialog, errors);
  window.OpenModelFile(request.modelFile);
  if (errors.message)
    return QStringLiteral("%1: %2").arg(Shown(request.modelFile), *errors.message);

  window.Controller().ShowPage(*request.page);
  window.show();
  QApplication::processEvents();

  const std::optional<QString> failure = *format == ExportFormat::kPng
                                             ? WriteWindowPng(window, request.scale, target.path)
                                             : WriteWindowPdf(window, target.path);
  if (failure) return CannotWrite(request.output, *failure);
  return std::nullopt;
}

QString CannotWrite(const std::string& output, const QString& why) {
  return QStringLiteral("cannot write %1: %2").arg(Shown(output), why);
}

}  // namespace qzd::viewer
