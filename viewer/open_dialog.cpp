#include "viewer/open_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>

namespace qzd::viewer {

namespace {

// Patterns of the filter as the original dialog understood them: "*.*" stood for every file.
QString MappedPattern(const QString& pattern) {
  return pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
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

QtOpenDialog::QtOpenDialog(QWidget* owner)
    : dialog_(std::make_unique<QFileDialog>(owner)), filter_(ParseFileFilter(kModelFileFilter)) {
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

  // Qt takes the patterns from the descriptions' brackets; the model is then given the mapped
  // ones each time a filter is picked, so the descriptions can stay as the user knows them.
  if (auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
    QObject::connect(types, &QComboBox::activated, &d, [this](int index) { UseFilter(index); });
}

QtOpenDialog::~QtOpenDialog() = default;

void QtOpenDialog::UseFilter(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= filter_.size()) return;
  if (auto* files = dialog_->findChild<QFileSystemModel*>(QStringLiteral("qt_filesystem_model"))) {
    files->setNameFilterDisables(false);
    files->setNameFilters(filter_[static_cast<std::size_t>(index)].patterns);
  }
}

std::optional<ChosenFile> QtOpenDialog::Choose() {
  QFileDialog& d = *dialog_;
  QStringList descriptions;
  for (const FilterEntry& e : filter_) descriptions << e.description;
  // A filter picked in an earlier use does not carry over.
  d.setNameFilters(descriptions);
  d.selectNameFilter(descriptions.value(0));
  UseFilter(0);
  d.selectFile(lastChosen_);

  const int result = d.exec();
  // Enter on a name that the completion list offers closes the dialog but may leave the list
  // standing on its own; it has no use once the dialog is gone.
  if (auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    if (QCompleter* completion = name->completer()) completion->popup()->hide();
  }
  if (result != QDialog::Accepted) return std::nullopt;
  const QString path = d.selectedFiles().value(0);
  if (path.isEmpty() || path.size() > kMaxChosenPathLength) return std::nullopt;
  lastChosen_ = path;
  return ChosenFile{QFile::encodeName(path).toStdString()};
}

void QtOpenDialog::Offer(const ChosenFile& file) {
  lastChosen_ = QFile::decodeName(QByteArray::fromStdString(file.path));
}

}  // namespace qzd::viewer
