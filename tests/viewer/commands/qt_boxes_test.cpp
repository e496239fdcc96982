#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/viewer/commands/model_files.h"
#include "tests/viewer/commands/ui_helpers.h"
#include "viewer/error_box.h"
#include "viewer/open_dialog.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using testing::WaitFor;
using testing::WhenModalShows;

TEST(QtErrorBox, ShowsTheTextLiterallyWithStopIconOkAndProgramTitle) {
  QtErrorBox box(nullptr);
  struct Seen {
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
  } seen;
  WhenModalShows([&seen](QWidget& w) {
    auto& mb = dynamic_cast<QMessageBox&>(w);
    seen = {mb.windowTitle(),     mb.text(),          mb.textFormat(), mb.icon(),
            mb.standardButtons(), mb.windowModality()};
    QTest::keyClick(&mb, Qt::Key_Return);  // the user's OK
  });
  box.Show("'<img src=x>' is not a valid integer value.\xb0");
  EXPECT_EQ(seen.title, "DODeruzudevir");
  EXPECT_EQ(seen.text, QString::fromUtf8("'<img src=x>' is not a valid integer value.\u00b0"));
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
  EXPECT_EQ(seen.buttons, QMessageBox::Ok);
  EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

TEST(FileFilter, KeepsTheDescriptionsAndMapsThePatterns) {
  const std::vector<FilterEntry> entries = ParseFileFilter(kModelFileFilter);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].description, "QZ Model files (*.qzd)");
  EXPECT_EQ(entries[0].patterns, QStringList{"*.qzd"});
  EXPECT_EQ(entries[1].description, "All files (*.*)");
  EXPECT_EQ(entries[1].patterns, QStringList{"*"});
}

// The names the dialog's file list shows in its current folder.
QStringList Listed(QFileDialog& d) {
  auto* view = d.findChild<QListView*>(QStringLiteral("listView"));
  if (view == nullptr) return {};
  QStringList names;
  const QAbstractItemModel* model = view->model();
  for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
    names << model->index(row, 0, view->rootIndex()).data().toString();
  names.sort();
  return names;
}

class QtOpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"GLIDER.QZD", "acro.qzd", "README", "notes.txt"})
      files.WriteLines(name, {"0"});
    folder = QString::fromStdString(files.Path(""));
    open.dialog().setDirectory(folder);
  }
  testing::ModelFiles files;
  QString folder;
  QtOpenDialog open{nullptr};
};

TEST_F(QtOpenDialogTest, IsOneFileDialogWithoutDefaultExtension) {
  const QFileDialog& d = open.dialog();
  EXPECT_EQ(d.fileMode(), QFileDialog::AnyFile);
  EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_TRUE(d.defaultSuffix().isEmpty());
  EXPECT_TRUE(d.isSizeGripEnabled());
  EXPECT_TRUE(d.testOption(QFileDialog::DontUseNativeDialog));
}

TEST_F(QtOpenDialogTest, ModelFilterListsBothCasesAndAllFilesListsNamesWithoutADot) {
  QStringList filters, modelFiles, allFiles;
  WhenModalShows([&](QWidget& w) {
    auto& d = dynamic_cast<QFileDialog&>(w);
    filters = d.nameFilters();
    WaitFor([&] { return Listed(d).size() == 2; });
    modelFiles = Listed(d);
    auto* types = d.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    types->setCurrentIndex(1);
    emit types->activated(1);
    WaitFor([&] { return Listed(d).size() == 4; });
    allFiles = Listed(d);
    d.reject();
  });
  EXPECT_FALSE(open.Choose().has_value());
  EXPECT_THAT(filters, ElementsAre("QZ Model files (*.qzd)", "All files (*.*)"));
  EXPECT_THAT(modelFiles, ElementsAre("GLIDER.QZD", "acro.qzd"));
  EXPECT_THAT(allFiles, UnorderedElementsAre("GLIDER.QZD", "README", "acro.qzd", "notes.txt"));
}

TEST_F(QtOpenDialogTest, TypedMissingNameComesBackAndIsOfferedNextTimeWithTheFirstFilter) {
  WhenModalShows([](QWidget& w) {
    auto& d = dynamic_cast<QFileDialog&>(w);
    d.selectNameFilter(QStringLiteral("All files (*.*)"));
    auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    name->setText(QStringLiteral("missing.qzd"));
    QTest::keyClick(name, Qt::Key_Return);
  });
  const std::optional<ChosenFile> first = open.Choose();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->path, files.Path("missing.qzd"));

  for (int use = 0; use < 2; ++use) {  // the second use is cancelled, the third sees the same
    QString offered, filter;
    WhenModalShows([&](QWidget& w) {
      auto& d = dynamic_cast<QFileDialog&>(w);
      offered = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
      filter = d.selectedNameFilter();
      d.reject();
    });
    EXPECT_FALSE(open.Choose().has_value());
    EXPECT_EQ(offered, "missing.qzd") << use;
    EXPECT_EQ(filter, "QZ Model files (*.qzd)") << use;
  }
}

}  // namespace
}  // namespace qzd::viewer
