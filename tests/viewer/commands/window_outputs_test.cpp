// SPDX-License-Identifier: MIT
// The commands beyond the form on the real main window, by their keys, offscreen: print (to a PDF
// printer, the path of a real printer), save as and copy the sheet; and the context menu. Reload
// and the steps through a folder are the controller's alone (window_core_tests) and run with the
// real keys end to end (e2e_model_commands).
#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/model_files.h"
#include "tests/viewer/commands/scripted_boxes.h"
#include "tests/viewer/commands/ui_helpers.h"
#include "viewer/main_window.h"
#include "viewer/sheet_outputs.h"
#include "viewer/widgets/display_field.h"

namespace qzd::viewer {
namespace {

std::string Examples(const std::string& name) {
  return (std::filesystem::path(QZD_EXAMPLES_DIR) / name).string();
}

// A PDF printer in place of the print dialog, and a scripted save dialog.
class ScriptedOutputDialogs final : public OutputDialogs {
 public:
  std::optional<PrintRange> ChoosePrint(QPrinter& printer, QWidget*) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printTo));
    return range;
  }
  std::optional<SaveChoice> ChooseSave(const std::string& suggested, QWidget*) override {
    offered = suggested;
    return save;
  }
  std::string printTo;
  PrintRange range = PrintRange::kShownPage;
  std::optional<SaveChoice> save;
  std::string offered;
};

// What a program prints to its standard output.
std::string Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(20000);
  return process.readAllStandardOutput().toStdString();
}

std::vector<std::string> PdfPages(const std::string& pdf) {
  std::vector<std::string> pages;
  std::stringstream text(Output("pdftotext", {QString::fromStdString(pdf), "-"}));
  std::string page;
  while (std::getline(text, page, '\f')) pages.push_back(page);
  return pages;
}

class WindowOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetOutputDialogs(outputs);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(form.Element("open"), static_cast<Qt::Key>(key), modifiers);
  }
  std::string Shown(const char* field) {
    return static_cast<DisplayField*>(form.Element(field))->text().toStdString();
  }

  testing::ScriptedDialog dialog;
  testing::RecordingErrorBox errors;
  ScriptedOutputDialogs outputs;
  TmainForm form{dialog, errors};
  qzd::testing::ModelFiles files;
};

TEST_F(WindowOutputs, EachCommandByItsKey) {
  const std::string model = Examples("glider.qzd");
  form.OpenModelFile(model);
  struct Row {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::function<void()> before;
    std::function<void()> check;
  };
  const std::string pdf = files.Path("print.pdf");
  const std::string png = files.Path("saved.png");
  const std::vector<Row> rows = {
      {"print the page shown", Qt::Key_P, Qt::ControlModifier, [&] { outputs.printTo = pdf; },
       [&] {
         const std::vector<std::string> pages = PdfPages(pdf);
         ASSERT_EQ(pages.size(), 1U);
         EXPECT_NE(pages[0].find(model), std::string::npos);
         EXPECT_NE(pages[0].find("GLIDER"), std::string::npos);
       }},
      {"print all four pages", Qt::Key_P, Qt::ControlModifier,
       [&] { outputs.range = PrintRange::kAllPages; },
       [&] {
         const std::vector<std::string> pages = PdfPages(pdf);
         ASSERT_EQ(pages.size(), 4U);
         for (const std::string& page : pages)
           EXPECT_NE(page.find("glider.qzd"), std::string::npos);
         EXPECT_NE(pages[0].find("MIXER"), std::string::npos);
         EXPECT_NE(pages[3].find("Heli"), std::string::npos);
       }},
      {"save as PNG, 2x", Qt::Key_S, Qt::ControlModifier,
       [&] {
         outputs.save = SaveChoice{png, ExportFormat::kPng, 2};
       },
       [&] {
         EXPECT_EQ(outputs.offered, model.substr(0, model.size() - 4) + ".png");
         const std::string exported = files.Path("exported.png");
         ASSERT_FALSE(ExportWindow({exported, model, window::PageNumbered(1), 2}));
         EXPECT_EQ(QImage(QString::fromStdString(png)), QImage(QString::fromStdString(exported)));
       }},
      {"save as PDF", Qt::Key_S, Qt::ControlModifier,
       [&] {
         outputs.save = SaveChoice{files.Path("saved.pdf"), ExportFormat::kPdf, 1};
       },
       [&] {
         const std::string exported = files.Path("exported.pdf");
         ASSERT_FALSE(ExportWindow({exported, model, window::PageNumbered(1), 1}));
         EXPECT_EQ(PdfPages(files.Path("saved.pdf")), PdfPages(exported));
       }},
      {"save over the model itself", Qt::Key_S, Qt::ControlModifier,
       [&] {
         outputs.save = SaveChoice{model, ExportFormat::kPng, 1};
       },
       [&] {
         ASSERT_EQ(errors.shown.size(), 1U);
         EXPECT_EQ(errors.shown[0].rfind("cannot write " + model, 0), 0U);
         errors.shown.clear();
       }},
      {"copy the model sheet", Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, [] {},
       [&] {
         EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
                   Output(QZD_TOOL, {"show", QString::fromStdString(model)}));
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    row.before();
    Press(row.key, row.modifiers);
    row.check();
    EXPECT_EQ(Shown("pos1"), "GLIDER");  // nothing the window shows has changed
  }
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(WindowOutputs, TheContextMenuGreysOutWhatNeedsAModel) {
  std::vector<std::pair<std::string, bool>> seen;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    for (const QAction* action : menu->actions())
      seen.emplace_back(action->text().toStdString(), action->isEnabled());
    menu->close();
  });
  Press(Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), std::make_pair(std::string("Load model"), true));
  EXPECT_NE(std::find(seen.begin(), seen.end(), std::make_pair(std::string("Print..."), false)),
            seen.end());
}

}  // namespace
}  // namespace qzd::viewer
