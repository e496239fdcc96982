// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "tests/support/model_files.h"
#include "tests/viewer/commands/ui_helpers.h"
#include "viewer/error_box.h"
#include "viewer/open_dialog.h"
#include "window/program_title.h"

namespace qzd::viewer {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using testing::WaitFor;
using testing::WhenModalShows;

// What the user sees of one error box, and what a copy of all its text gives.
struct SeenBox {
  QString title, text, copied;
  bool stopIcon = false;
  QDialogButtonBox::StandardButtons buttons;
  Qt::WindowModality modality = Qt::NonModal;
  QSize size;
  bool textWhole = false;  // all of it within the field, without scrolling
};

SeenBox ShowBox(const std::string& message) {
  SeenBox seen;
  WhenModalShows([&seen](QWidget& box) {
    auto* text = box.findChild<QTextEdit*>();
    auto* buttons = box.findChild<QDialogButtonBox*>();
    if (text == nullptr || buttons == nullptr) {
      ADD_FAILURE() << "no text field or buttons in the box";
      box.close();
      return;
    }
    seen.title = box.windowTitle();
    seen.text = text->toPlainText();
    seen.buttons = buttons->standardButtons();
    seen.modality = box.windowModality();
    seen.size = box.frameGeometry().size();
    const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    const QImage stop = box.style()
                            ->standardIcon(QStyle::SP_MessageBoxCritical, nullptr, &box)
                            .pixmap(QSize(iconSize, iconSize), box.devicePixelRatio())
                            .toImage();
    for (const QLabel* label : box.findChildren<QLabel*>())
      seen.stopIcon |= label->pixmap().toImage() == stop;
    const QTextDocument& document = *text->document();
    seen.textWhole = text->verticalScrollBar()->maximum() == 0 &&
                     document.size().width() <= text->viewport()->width() &&
                     document.size().height() <= text->viewport()->height();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
    seen.copied = QApplication::clipboard()->text();
    QTest::keyClick(buttons->button(QDialogButtonBox::Ok), Qt::Key_Space);  // the user's OK
  });
  QtErrorBox().Show(message);
  return seen;
}

TEST(QtErrorBox, ShowsTheTextLiterallyWithStopIconOkAndProgramTitle) {
  const SeenBox seen = ShowBox("'<img src=x>' is not a valid integer value.\xb0");
  EXPECT_EQ(seen.title, "DODeruzudevir");
  EXPECT_EQ(seen.text, QString::fromUtf8("'<img src=x>' is not a valid integer value.\u00b0"));
  EXPECT_TRUE(seen.stopIcon);
  EXPECT_EQ(seen.buttons, QDialogButtonBox::Ok);
  EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

// The longest messages: a quoted line of 255 characters, one word of the widest letter or words
// between blanks. The whole text shows, can be copied, and the box fits a 1024 x 768 screen.
TEST(QtErrorBox, ShowsAndCopiesTheLongestMessagesWholeOnASmallScreen) {
  std::string words;
  while (words.size() < 255) words += words.empty() ? "Wm" : " Wm";
  for (const std::string& line : {std::string(255, 'W'), words.substr(0, 255)}) {
    const std::string message = "'" + line + "' is not a valid integer value.";
    const SeenBox seen = ShowBox(message);
    EXPECT_EQ(seen.text, QString::fromStdString(message)) << line;
    EXPECT_EQ(seen.copied, QString::fromStdString(message)) << line;
    EXPECT_TRUE(seen.textWhole) << line;
    EXPECT_LE(seen.size.width(), 1024) << line;
    EXPECT_LE(seen.size.height(), 768) << line;
  }
}

TEST(FileFilter, KeepsTheDescriptionsAndMapsThePatterns) {
  const std::vector<FilterEntry> entries = ParseFileFilter(window::kModelFileFilter);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].description, "QZ Model files (*.qzd)");
  EXPECT_EQ(entries[0].patterns, QStringList{"*.qzd"});
  EXPECT_EQ(entries[1].description, "All files (*.*)");
  EXPECT_EQ(entries[1].patterns, QStringList{"*"});
}

// The names the dialog lists in its current folder, read from the model its views show.
QStringList Listed(QFileDialog& d) {
  const QAbstractProxyModel* listing = d.proxyModel();
  const auto* files = qobject_cast<const QFileSystemModel*>(listing->sourceModel());
  if (files == nullptr) return {};
  const QModelIndex folder = listing->mapFromSource(files->index(d.directory().absolutePath()));
  QStringList names;
  for (int row = 0; row < listing->rowCount(folder); ++row)
    names << listing->index(row, 0, folder).data().toString();
  names.sort();
  return names;
}

// The dialog's list of file types, as the user finds it: the box that offers the descriptions.
QComboBox* FileTypes(QFileDialog& d) {
  for (QComboBox* box : d.findChildren<QComboBox*>()) {
    if (box->count() > 0 && box->itemText(0) == d.nameFilters().value(0)) return box;
  }
  return nullptr;
}

// The field the user types a file name into.
QLineEdit* FileName(QFileDialog& d) {
  for (QLineEdit* field : d.findChildren<QLineEdit*>()) {
    if (field->isVisible()) return field;
  }
  return nullptr;
}

class QtOpenDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"GLIDER.QZD", "acro.qzd", "README", "notes.txt"})
      files.WriteLines(name, {"0"});
    folder = QString::fromStdString(files.Path(""));
    open.dialog().setDirectory(folder);
  }
  qzd::testing::ModelFiles files;
  QString folder;
  QtOpenDialog open;
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
    QComboBox* types = FileTypes(d);
    if (types == nullptr) {
      ADD_FAILURE() << "no list of file types";
      d.reject();
      return;
    }
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);  // the user picks "All files"
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
    QLineEdit* name = FileName(d);
    if (name == nullptr) {
      ADD_FAILURE() << "no file name field";
      d.reject();
      return;
    }
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
      if (QLineEdit* name = FileName(d)) offered = name->text();
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
