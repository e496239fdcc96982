// SPDX-License-Identifier: MIT
#pragma once

#include <QFileDialog>
#include <QFileIconProvider>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "viewer/boxes.h"

class QFileSystemModel;

namespace qzd::viewer {

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

// Points Qt's settings of this user and of the system where no file can exist or be made. The
// program keeps no settings, but Qt's file dialog reads its folder history and view from
// QtProject.conf when it is made and writes them back when it is destroyed.
void KeepNoSettings();

// The icon and type of a listed entry, told from its name and whether it is a folder. Qt's own
// provider reads a file's first bytes to guess its type, and a read of /proc/kmsg or a device
// never returns.
class NameOnlyIconProvider final : public QFileIconProvider {
 public:
  NameOnlyIconProvider();
  using QFileIconProvider::icon;
  [[nodiscard]] QIcon icon(const QFileInfo& info) const override;
  [[nodiscard]] QString type(const QFileInfo& info) const override;

 private:
  QIcon folder_;
  QIcon file_;
  QIcon drive_;
};

// The load command's open-file dialog: one Qt file dialog for the whole run, made on first use.
// Single file, no default extension, and a typed name of a missing file comes back like any
// other. Like the program's other boxes it stands over no window of its own: it is modal for the
// whole program.
class QtOpenDialog final : public OpenDialog {
 public:
  QtOpenDialog();
  ~QtOpenDialog() override;
  QtOpenDialog(const QtOpenDialog&) = delete;
  QtOpenDialog& operator=(const QtOpenDialog&) = delete;

  [[nodiscard]] std::optional<ChosenFile> Choose() override;
  void Offer(const ChosenFile& file) override;

  // The dialog itself, for tests that drive it.
  [[nodiscard]] QFileDialog& dialog();

 private:
  void UseFilter(int index);

  std::vector<FilterEntry> filter_;
  // Made with the dialog, and declared before it: the dialog's file system model asks the
  // provider until the dialog is destroyed.
  std::unique_ptr<NameOnlyIconProvider> icons_;
  std::unique_ptr<QFileDialog> dialog_;
  // The dialog's own file system model, reached through the proxy the dialog lists it with.
  QFileSystemModel* files_ = nullptr;
  QString lastChosen_;
};

}  // namespace qzd::viewer
