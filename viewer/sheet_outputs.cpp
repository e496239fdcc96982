// SPDX-License-Identifier: MIT
#include "viewer/sheet_outputs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPainter>
#include <QPicture>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <array>

#include "viewer/main_window.h"
#include "viewer/output_file.h"
#include "viewer/widgets/window_font.h"

namespace qzd::viewer {

namespace {

// A main window of its own that nobody sees, showing what the user's window shows: what prints
// and saves draw, so that the user's window never changes and the model is never read again.
class SheetWindow {
 public:
  SheetWindow() {
    window_.setAttribute(Qt::WA_DontShowOnScreen);
    window_.show();
    // Drawn as --export draws a window: active, the first button marked as the one Enter presses.
    qobject_cast<QPushButton*>(window_.Element("open"))->setDefault(true);
  }
  TmainForm& Showing(const window::WindowState& state) {
    window::ShowState(state, window_);
    // As the export does before it draws: the elements take their new texts and places.
    QApplication::processEvents();
    return window_;
  }

 private:
  NoDialog dialog_;
  KeptMessage errors_;
  TmainForm window_{dialog_, errors_};
};

// The formats Save as offers, in the order of the dialog's list; the first is the default.
struct SaveFormat {
  const char* filter;
  ExportFormat format;
  int scale;
};
constexpr std::array<SaveFormat, 5> kSaveFormats = {{
    {"PNG image (*.png)", ExportFormat::kPng, 1},
    {"PNG image, 2x (*.png)", ExportFormat::kPng, 2},
    {"PNG image, 3x (*.png)", ExportFormat::kPng, 3},
    {"PNG image, 4x (*.png)", ExportFormat::kPng, 4},
    {"PDF document (*.pdf)", ExportFormat::kPdf, 1},
}};

class QtOutputDialogs final : public OutputDialogs {
 public:
  std::optional<PrintRange> ChoosePrint(QPrinter& printer, QWidget* parent) override {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setMinMax(1, 4);
    printer.setPrintRange(QPrinter::CurrentPage);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return printer.printRange() == QPrinter::CurrentPage ? PrintRange::kShownPage
                                                         : PrintRange::kAllPages;
  }

  std::optional<SaveChoice> ChooseSave(const std::string& suggested, QWidget* parent) override {
    QStringList filters;
    for (const SaveFormat& format : kSaveFormats) filters << QString::fromLatin1(format.filter);
    QString selected = filters.front();
    const QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save as"),
        QString::fromUtf8(suggested.data(), static_cast<qsizetype>(suggested.size())),
        filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty()) return std::nullopt;
    const auto& format = kSaveFormats[static_cast<std::size_t>(
        filters.indexOf(selected) < 0 ? 0 : filters.indexOf(selected))];
    SaveChoice choice{path.toStdString(), format.format, format.scale};
    // A name without the format's ending gets it, as the dialog's filter promised.
    const char* ending = format.format == ExportFormat::kPdf ? ".pdf" : ".png";
    if (ExportFormatOf(choice.path) != format.format) choice.path += ending;
    return choice;
  }
};

void DrawPictureIn(QPainter& painter, const QPicture& picture, QSize size, const QRectF& area) {
  const double factor = std::min(area.width() / size.width(), area.height() / size.height());
  painter.save();
  painter.translate(area.left() + (area.width() - size.width() * factor) / 2, area.top());
  painter.scale(factor, factor);
  painter.drawPicture(0, 0, picture);
  painter.restore();
}

}  // namespace

OutputDialogs& SystemOutputDialogs() {
  static QtOutputDialogs dialogs;
  return dialogs;
}

void PreparePrinter(QPrinter& printer) {
  printer.setPageLayout(WindowPageLayout(printer.pageLayout().pageSize()));
  printer.setCreator(QStringLiteral("qzd-viewer"));
}

std::optional<QString> PrintSheets(QPrinter& printer, const window::PrintJob& job,
                                   PrintRange range) {
  SheetWindow sheets;
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("The printer cannot be used.");
  QFont font = WindowFont();
  font.setPointSizeF(9);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const QRectF page(0, 0, printer.width(), printer.height());
  const QString header =
      QString::fromUtf8(job.header.data(), static_cast<qsizetype>(job.header.size()));
  const QRectF windowArea = page.adjusted(0, metrics.height() * 2, 0, 0);
  bool first = true;
  for (std::size_t sheet = 0; sheet < job.sheets.size(); ++sheet) {
    if (range == PrintRange::kShownPage && sheet != job.shownSheet) continue;
    if (!first && !printer.newPage()) return QStringLiteral("The printer took no further page.");
    first = false;
    painter.drawText(QPointF(0, metrics.ascent()), header);
    // Qt draws a widget onto a printer as one picture of pixels; recorded first, the window's
    // lines and texts reach the printer as they are.
    QPicture recorded;
    TmainForm& window = sheets.Showing(job.sheets[sheet]);
    {
      QPainter recorder(&recorded);
      window.render(&recorder, QPoint(), QRegion(),
                    QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    DrawPictureIn(painter, recorded, window.size(), windowArea);
  }
  if (!painter.end()) return QStringLiteral("The print could not be finished.");
  return std::nullopt;
}

std::optional<QString> SaveWindowState(const window::WindowState& state, const SaveChoice& choice,
                                       const std::string& model) {
  const OutputTarget target = ResolveOutput(choice.path, model);
  if (!target.refusal.empty())
    return CannotWrite(choice.path, QString::fromStdString(target.refusal));
  SheetWindow sheet;
  TmainForm& window = sheet.Showing(state);
  const std::optional<QString> failure = choice.format == ExportFormat::kPng
                                             ? WriteWindowPng(window, choice.scale, target.path)
                                             : WriteWindowPdf(window, target.path);
  if (failure) return CannotWrite(choice.path, *failure);
  return std::nullopt;
}

}  // namespace qzd::viewer
