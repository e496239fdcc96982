// SPDX-License-Identifier: MIT
// A model named on the command line or dropped on the window loads exactly as one chosen in the
// open dialog; other drags are refused; Ctrl+O and Ctrl+Q. On the real main window, offscreen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/model_files.h"
#include "tests/viewer/commands/scripted_boxes.h"
#include "tests/viewer/commands/ui_helpers.h"
#include "viewer/main_window.h"
#include "viewer/open_dialog.h"
#include "viewer/widgets/display_field.h"

namespace qzd::viewer {
namespace {

using testing::WaitFor;

// Everything a load can change, as the user would find it.
struct Seen {
  std::map<std::string, std::pair<bool, std::string>> elements;  // visible, text
  window::HelpPanelState page{0};
  ModelValueStore store;
  std::vector<std::string> messages;
  friend bool operator==(const Seen&, const Seen&) = default;
};

struct Window {
  Window() { form.show(); }
  Seen Now() const {
    Seen seen{{}, form.Controller().helpPanelState(), form.Controller().store(), errors.shown};
    for (QWidget* w : form.findChildren<QWidget*>()) {
      const auto* field = qobject_cast<const DisplayField*>(w);
      seen.elements[w->objectName().toStdString()] = {w->isVisibleTo(&form),
                                                      field ? field->text().toStdString() : ""};
    }
    return seen;
  }
  void Press(std::string_view button) {
    qobject_cast<QAbstractButton*>(form.Element(button))->click();
  }
  // A load of `path` through the dialog, with the Heli page in front before it.
  void LoadThroughDialog(const std::string& path) {
    dialog.answers.push_back(ChosenFile{path});
    Press("open");
  }

  testing::ScriptedDialog dialog;
  testing::RecordingErrorBox errors;
  TmainForm form{dialog, errors};
};

// Sends a drag of `data` into the window and drops it there, as the window system delivers them
// once no element under the pointer takes drops. Whether each was accepted.
std::pair<bool, bool> DragAndDrop(QWidget& window, const QMimeData& data) {
  const QPoint at(600, 300);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  return {enter.isAccepted(), drop.isAccepted()};
}

std::unique_ptr<QMimeData> Urls(const QList<QUrl>& urls) {
  auto data = std::make_unique<QMimeData>();
  data->setUrls(urls);
  return data;
}

class OpenWays : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(files.Path(""))));
  }
  void TearDown() override { QDir::setCurrent(previous); }

  // The full path of a name in the current folder, as the dialog would return it.
  static std::string Full(const std::string& name) {
    return QDir::current().absoluteFilePath(QString::fromStdString(name)).toStdString();
  }

  qzd::testing::ModelFiles files;
  QString previous;
};

TEST_F(OpenWays, CommandLineAndDropLeaveTheWindowAsTheDialogDoes) {
  files.Write("glider.qzd", {{0, 7}, {1, 1}, {96, 2}});
  files.WriteLines("bad.qzd", {"1", "<b>x</b>"});
  files.Write("stop.qzd", {{0, 9}, {215, -1}});
  const std::vector<std::string> names = {"glider.qzd", "missing.qzd", "bad.qzd", "stop.qzd"};

  using Way = std::function<void(Window&, const std::string& name)>;
  const std::vector<std::pair<std::string, Way>> ways = {
      {"command line",
       [](Window& w, const std::string& name) {
         w.form.OpenModelFile(name);  // relative, as typed
       }},
      {"drop",
       [](Window& w, const std::string& name) {
         const auto data = Urls({QUrl::fromLocalFile(QString::fromStdString(Full(name)))});
         EXPECT_EQ(DragAndDrop(w.form, *data), std::make_pair(true, true)) << name;
         // The load runs once the drop has been answered.
         EXPECT_TRUE(WaitFor([&] { return w.Now().elements["FilePath"].second == Full(name); }));
       }},
  };
  for (const std::string& name : names) {
    for (const auto& [wayName, open] : ways) {
      Window byDialog, other;
      for (Window* w : {&byDialog, &other}) {
        w->LoadThroughDialog((std::filesystem::path(QZD_EXAMPLES_DIR) / "acro.qzd").string());
        for (int i = 0; i < 3; ++i) w->Press("Button1");  // the Heli page in front
      }
      byDialog.LoadThroughDialog(Full(name));
      open(other, name);
      EXPECT_TRUE(other.Now() == byDialog.Now()) << wayName << ", " << name;
      EXPECT_EQ(other.dialog.uses, 1) << "only the first load used the dialog";
    }
  }
}

// A name is bytes: one that is not UTF-8 opens exactly that file, never the file whose name is
// spelt as it shows (with U+FFFD), and the dialog is not offered a name it cannot hold.
TEST_F(OpenWays, ANameOpensTheFileOfExactlyItsBytes) {
  files.Write("g\xff.qzd", {{0, 7}, {1, 1}, {96, 2}});
  files.WriteLines("g\xef\xbf\xbd.qzd", {"1", "<b>x</b>"});  // "g\uFFFD.qzd", a bad file
  files.Write("two\nlines.qzd", {{0, 7}, {1, 1}, {96, 2}});
  struct Row {
    std::string name;
    QString shown;  // the end of the path field's text
  };
  const std::vector<Row> rows = {
      {"g\xff.qzd", QStringLiteral("/g\uFFFD.qzd")},
      {"two\nlines.qzd", QStringLiteral("/two\u240Alines.qzd")},
  };
  for (const Row& row : rows) {
    const std::string full = files.Path(row.name);
    const QByteArray url = "file://" + QByteArray(full.data(), full.size()).toPercentEncoding("/");
    for (const bool dropped : {false, true}) {
      Window w;
      if (dropped) {
        const auto data = Urls({QUrl::fromEncoded(url)});
        EXPECT_EQ(DragAndDrop(w.form, *data), std::make_pair(true, true));
        EXPECT_TRUE(WaitFor([&] { return w.form.Controller().store().value(0) == 7; }));
      } else {
        w.form.OpenModelFile(row.name);
      }
      EXPECT_EQ(w.errors.shown, std::vector<std::string>{}) << row.name << dropped;
      EXPECT_EQ(w.form.Controller().store().value(0), 7) << row.name << dropped;
      const QString shown = qobject_cast<DisplayField*>(w.form.Element("FilePath"))->text();
      EXPECT_TRUE(shown.endsWith(row.shown)) << shown.toStdString();
    }
  }
  files.Write("h\xef\xbf\xbd.qzd", {{0, 7}});  // "h\uFFFD.qzd", while "h\xff.qzd" is missing
  Window missing;
  missing.form.OpenModelFile("h\xff.qzd");
  EXPECT_EQ(missing.errors.shown.size(), 1u);
  EXPECT_EQ(missing.form.Controller().store().value(0), 0);
}

TEST_F(OpenWays, DragsOfAnythingButOneLocalFileAreRefusedWithoutChange) {
  files.Write("a.qzd", {});
  files.Write("b.qzd", {});
  const QUrl a = QUrl::fromLocalFile(QString::fromStdString(Full("a.qzd")));
  const QUrl b = QUrl::fromLocalFile(QString::fromStdString(Full("b.qzd")));
  auto text = std::make_unique<QMimeData>();
  text->setText(QString::fromStdString(Full("a.qzd")));
  std::vector<std::pair<std::string, std::unique_ptr<QMimeData>>> rows;
  rows.emplace_back("text", std::move(text));
  rows.emplace_back("two files", Urls({a, b}));
  rows.emplace_back("web address", Urls({QUrl("https://example.org/glider.qzd")}));
  rows.emplace_back("other machine", Urls({QUrl("file://pilot-pc/models/glider.qzd")}));
  rows.emplace_back("nothing", std::make_unique<QMimeData>());

  Window w;
  w.LoadThroughDialog((std::filesystem::path(QZD_EXAMPLES_DIR) / "glider.qzd").string());
  // Fields take no drops of their own, so every drop on the window comes to the window.
  qobject_cast<DisplayField*>(w.form.Element("pos0"))->startEditing();
  for (QWidget* child : w.form.findChildren<QWidget*>())
    EXPECT_FALSE(child->acceptDrops()) << child->metaObject()->className();

  const Seen before = w.Now();
  for (const auto& [what, data] : rows) {
    EXPECT_EQ(DragAndDrop(w.form, *data), std::make_pair(false, false)) << what;
    QTest::qWait(10);
    EXPECT_TRUE(w.Now() == before) << what;
  }
  EXPECT_EQ(w.dialog.uses, 1);

  // Nor is a model file taken while a modal box is open, as the error box of a load would be.
  const auto file = Urls({a});
  std::pair<bool, bool> accepted{true, true};
  testing::WhenModalShows([&](QWidget& modal) {
    accepted = DragAndDrop(w.form, *file);
    QTest::qWait(10);
    modal.close();
  });
  QMessageBox(QMessageBox::Critical, "", "", QMessageBox::Ok, &w.form).exec();
  EXPECT_EQ(accepted, std::make_pair(false, false));
  EXPECT_TRUE(w.Now() == before);
}

TEST_F(OpenWays, CtrlOPressesLoadModelAndCtrlQClosesTheWindow) {
  Window w;
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
  QTest::keyClick(&w.form, Qt::Key_O, Qt::ControlModifier);
  EXPECT_TRUE(WaitFor([&] { return w.dialog.uses == 1; }));
  EXPECT_EQ(qobject_cast<QAbstractButton*>(w.form.Element("open"))->text(), "load model");

  QTest::keyClick(&w.form, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(w.form.isVisible());
}

TEST_F(OpenWays, TheDialogOffersTheFileNamedOnTheCommandLine) {
  // A name that is not UTF-8 the dialog cannot hold: Enter would open the file its text names.
  for (const auto& [name, offered] : std::vector<std::pair<std::string, QString>>{
           {"named.qzd", "named.qzd"}, {"g\xff.qzd", ""}}) {
    files.Write(name, {});
    QtOpenDialog realDialog;
    testing::RecordingErrorBox errors;
    TmainForm form(realDialog, errors);
    form.show();
    form.OpenModelFile(name);
    QString selected, folder;
    testing::WhenModalShows([&](QWidget& modal) {
      auto& d = dynamic_cast<QFileDialog&>(modal);
      selected = d.selectedFiles().value(0);
      folder = d.directory().absolutePath();
      d.reject();
    });
    qobject_cast<QAbstractButton*>(form.Element("open"))->click();
    EXPECT_EQ(folder, QDir::currentPath());
    // With no name, the dialog's selection is its folder.
    EXPECT_EQ(selected, offered.isEmpty() ? folder : folder + u'/' + offered);
  }
}

}  // namespace
}  // namespace qzd::viewer
