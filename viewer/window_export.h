// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "viewer/boxes.h"
#include "window/window_elements.h"

class QPainter;
class QPageLayout;
class QPageSize;
class QRectF;
class QWidget;

namespace qzd::viewer {

// The page of that command-line name (a page's short name in the form: "mixer", "servo", ...), or
// nullptr.
[[nodiscard]] const window::PageFacts* ExportPageNamed(const QString& name);
// The names in cycle order, for the usage text: "mixer|servo|mode|heli".
[[nodiscard]] QString ExportPageNames();

enum class ExportFormat { kPng, kPdf };

// The format the output's name asks for by its ending (either case), or nothing.
[[nodiscard]] std::optional<ExportFormat> ExportFormatOf(std::string_view output);

// Device pixels per window pixel that a PNG may have.
inline constexpr int kMinExportScale = 1;
inline constexpr int kMaxExportScale = 4;

struct ExportRequest {
  // File names as the user's bytes: the files opened and written are exactly these.
  std::string output;
  std::string modelFile;
  // The page a load shows unless another is asked for.
  const window::PageFacts* page = window::PageNumbered(1);
  int scale = 1;
};

// The window's pixels, drawn at `scale` device pixels per window pixel: text and lines are drawn
// at that resolution, not enlarged afterwards.
[[nodiscard]] QImage WindowImage(QWidget& window, int scale);

// Write the window to `path` as a PNG at `scale`, or as a one-page A4 landscape PDF with the
// window drawn as vectors and its texts as text. The file appears complete or not at all (see
// ReplaceWholeFile). The failure's text, if any.
[[nodiscard]] std::optional<QString> WriteWindowPng(QWidget& window, int scale,
                                                    const std::string& path);
[[nodiscard]] std::optional<QString> WriteWindowPdf(QWidget& window, const std::string& path);

// The page of a written or printed window: `paper` in landscape, with the export's margins.
[[nodiscard]] QPageLayout WindowPageLayout(const QPageSize& paper);
// Draws the window's vectors and texts as large as `area` allows, centred, without distortion.
void DrawWindowIn(QPainter& painter, QWidget& window, const QRectF& area);

// Why `output` was not written, as the export and Save as say it.
[[nodiscard]] QString CannotWrite(const std::string& output, const QString& why);

// The load command's error box for a window nobody sees: keeps the first message.
class KeptMessage final : public ErrorBox {
 public:
  void Show(std::string_view text) override;
  std::optional<QString> message;
};

// No dialog is ever shown; a file named on the command line is the one choice.
class NoDialog final : public OpenDialog {
 public:
  std::optional<ChosenFile> Choose() override { return std::nullopt; }
};

// Loads the model into a main window of its own as a load from the command line would, steps to
// the page, and writes the window in the output's format. An output that an export must not
// write (see ResolveOutput) is refused before the model is read. On failure nothing is written
// and the text says why: the load's or fill's message as the error box would show it, or why the
// file could not or must not be written.
[[nodiscard]] std::optional<QString> ExportWindow(const ExportRequest& request);

}  // namespace qzd::viewer
