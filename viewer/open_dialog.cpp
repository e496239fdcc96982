// SPDX-License-Identifier: MIT
#include "viewer/open_dialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QSettings>

#include "window/program_title.h"

namespace qzd::viewer {

namespace {

// Patterns of the filter as the original dialog understood them: "*.*" stood for every file.
QString MappedPattern(const QString& pattern) {
  return pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
}

// The dialog lists its folder through this proxy, which hands the dialog's file system model to
// whoever sets it: the model then takes the filter's mapped patterns. Sorting a column sorts the
// model, which keeps folders before files as the dialog does without a proxy.
class FolderListing final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  void sort(int column, Qt::SortOrder order) override {
    if (sourceModel() != nullptr) sourceModel()->sort(column, order);
  }
};

// The text that names exactly the file `path`, or nothing when its bytes are not UTF-8: the
// dialog holds names as text, and would show and give back such a byte as U+FFFD.
std::optional<QString> AsText(std::string_view path) {
  const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
  QString text = QFile::decodeName(bytes);
  if (QFile::encodeName(text) != bytes) return std::nullopt;
  return text;
}

}  // namespace

std::vector<FilterEntry> ParseFileFilter(std::string_view filter) {
  const QStringList parts =
      QString::fromLatin1(filter.data(), static_cast<qsizetype>(filter.size())).split(u'|');
  std::vector<FilterEntry> entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts))
      patterns << MappedPattern(p.trimmed());
    entries.push_back({parts[i], patterns});
  }
  return entries;
}

void KeepNoSettings() {
  // A folder inside the null device can neither exist nor be made, so every settings file Qt
  // would read is missing and every write fails before a file or folder is created.
  const QString nowhere = QStringLiteral("/dev/null");
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    for (const QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
      QSettings::setPath(format, scope, nowhere);
  }
}

NameOnlyIconProvider::NameOnlyIconProvider()
    : folder_(icon(Folder)), file_(icon(File)), drive_(icon(Drive)) {}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return drive_;
  return info.isDir() ? folder_ : file_;
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  const QMimeDatabase types;
  // By the name's extension only: the database does not open the file for this.
  const QMimeType type =
      info.isDir() ? types.mimeTypeForName(QStringLiteral("inode/directory"))
                   : types.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  return type.comment();
}

QtOpenDialog::QtOpenDialog() : filter_(ParseFileFilter(window::kModelFileFilter)) {}

QtOpenDialog::~QtOpenDialog() = default;

QFileDialog& QtOpenDialog::dialog() {
  if (dialog_ != nullptr) return *dialog_;
  icons_ = std::make_unique<NameOnlyIconProvider>();
  dialog_ = std::make_unique<QFileDialog>();
  QFileDialog& d = *dialog_;
  // Qt's own dialog behaves the same on every desktop and can be driven by tests.
  d.setOption(QFileDialog::DontUseNativeDialog);
  d.setFileMode(QFileDialog::AnyFile);
  d.setAcceptMode(QFileDialog::AcceptOpen);
  d.setOption(QFileDialog::DontConfirmOverwrite);
  d.setDefaultSuffix(QString());
  d.setSizeGripEnabled(true);
  d.setWindowModality(Qt::ApplicationModal);
  d.setFilter(d.filter() & ~QDir::CaseSensitive);
  d.setIconProvider(icons_.get());

  auto* listing = new FolderListing(&d);
  d.setProxyModel(listing);  // the dialog owns it from here
  files_ = qobject_cast<QFileSystemModel*>(listing->sourceModel());
  // Qt takes the patterns from the descriptions' brackets; the model then gets the mapped ones
  // each time the user picks a filter, so the descriptions stay as the user knows them.
  QObject::connect(&d, &QFileDialog::filterSelected, &d, [this](const QString& description) {
    for (std::size_t i = 0; i < filter_.size(); ++i) {
      if (filter_[i].description == description) UseFilter(static_cast<int>(i));
    }
  });
  return d;
}

void QtOpenDialog::UseFilter(int index) {
  if (files_ == nullptr || index < 0 || static_cast<std::size_t>(index) >= filter_.size()) return;
  files_->setNameFilterDisables(false);
  files_->setNameFilters(filter_[static_cast<std::size_t>(index)].patterns);
}

std::optional<ChosenFile> QtOpenDialog::Choose() {
  QFileDialog& d = dialog();
  QStringList descriptions;
  for (const FilterEntry& e : filter_) descriptions << e.description;
  // A filter picked in an earlier use does not carry over.
  d.setNameFilters(descriptions);
  d.selectNameFilter(descriptions.value(0));
  UseFilter(0);
  // A folder alone is offered without a name (see Offer).
  if (lastChosen_.endsWith(u'/')) {
    d.setDirectory(lastChosen_);
    d.selectFile(QString());
  } else {
    d.selectFile(lastChosen_);
  }

  const int result = d.exec();
  // Enter on a name that the completion list offers closes the dialog but may leave the list
  // standing on its own; it has no use once the dialog is gone.
  for (QCompleter* completion : d.findChildren<QCompleter*>()) {
    if (QAbstractItemView* list = completion->popup()) list->hide();
  }
  const QString path = d.selectedFiles().value(0);
  // The completion list also comes up by itself once a folder it waited for is read, while the
  // name still starts with that folder's path: cleared, it cannot come up over a closed dialog.
  if (auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
  if (result != QDialog::Accepted) return std::nullopt;
  if (path.isEmpty() || path.size() > kMaxChosenPathLength) return std::nullopt;
  lastChosen_ = path;
  return ChosenFile{QFile::encodeName(path).toStdString()};
}

void QtOpenDialog::Offer(const ChosenFile& file) {
  // A name the dialog cannot hold is not offered, lest Enter open the file that its text names;
  // its folder is, where that can be.
  const std::string_view path = file.path;
  lastChosen_ = AsText(path).value_or(AsText(path.substr(0, path.rfind('/') + 1)).value_or(""));
}

}  // namespace qzd::viewer
