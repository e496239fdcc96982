#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "viewer/load_command.h"

class QFileDialog;
class QWidget;

namespace qzd::viewer {

// The dialog's filter as descriptions and patterns, all four parts separated by "|".
inline constexpr std::string_view kModelFileFilter =
    "QZ Model files (*.qzd)|*.qzd|All files (*.*)|*.*";

// One entry of the filter: the description the user sees, and the patterns that list what
// users of this filter expect here: "*.*" lists every name, with or without a dot, and
// extensions match in either case (GLIDER.QZD beside glider.qzd).
struct FilterEntry {
  QString description;
  QStringList patterns;
};

[[nodiscard]] std::vector<FilterEntry> ParseFileFilter(std::string_view filter);

// A returned path has at most this many characters; a longer one counts as a failed dialog.
inline constexpr qsizetype kMaxChosenPathLength = 259;

// The load command's open-file dialog: one Qt file dialog for the whole run. Single file, no
// default extension, and a typed name of a missing file comes back like any other.
class QtOpenDialog final : public OpenDialog {
 public:
  explicit QtOpenDialog(QWidget* owner);
  ~QtOpenDialog() override;
  QtOpenDialog(const QtOpenDialog&) = delete;
  QtOpenDialog& operator=(const QtOpenDialog&) = delete;

  [[nodiscard]] std::optional<ChosenFile> Choose() override;
  void Offer(const ChosenFile& file) override;

  // The dialog itself, for tests that drive it.
  [[nodiscard]] QFileDialog& dialog() const noexcept { return *dialog_; }

 private:
  void UseFilter(int index);

  std::unique_ptr<QFileDialog> dialog_;
  std::vector<FilterEntry> filter_;
  QString lastChosen_;
};

}  // namespace qzd::viewer
