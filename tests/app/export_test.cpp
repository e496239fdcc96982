// SPDX-License-Identifier: MIT
// The real qzd-viewer as a process: what it prints and returns for --help, --version and usage
// errors, and what --export writes, compared with the window on the same platform.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <vector>

#include "viewer/main_window.h"

namespace qzd::viewer {
namespace {

struct Ran {
  int code = -1;
  QString out, err;
};

// Runs the program without any display; `inChild` runs in the child before the program starts.
Ran Viewer(const QStringList& args, const std::function<void()>& inChild = {}) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  process.setProcessEnvironment(env);
  if (inChild) process.setChildProcessModifier(inChild);
  process.start(QStringLiteral(QZD_VIEWER), args);
  process.closeWriteChannel();
  if (!process.waitForFinished(30000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

QString Example(const char* name) {
  return QDir(QStringLiteral(QZD_EXAMPLES_DIR)).filePath(name);
}

// The lines of `err` that are the program's own, leaving out notes Qt may add about the session.
QStringList OwnLines(const QString& err) {
  QStringList own;
  for (const QString& line : err.split(u'\n', Qt::SkipEmptyParts))
    if (line.startsWith(QLatin1String("qzd-viewer: "))) own << line;
  return own;
}

// Answers for the window's load command: it never sees the dialog, and keeps messages.
class NoDialog final : public OpenDialog {
 public:
  std::optional<ChosenFile> Choose() override { return std::nullopt; }
};
class Messages final : public ErrorBox {
 public:
  void Show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

TEST(ViewerProgram, HelpVersionAndUsageErrorsNeedNoDisplay) {
  struct Row {
    QStringList args;
    int code;
    QString out;  // a part of stdout
    QString err;  // a part of the one line on stderr; empty for none
  };
  const std::vector<Row> rows = {
      {{"--help"}, 0, "Usage: qzd-viewer [FILE]", ""},
      {{"--version"}, 0, "qzd-viewer 1.", ""},
      {{"--frob"}, 2, "", "qzd-viewer: Unknown option 'frob'"},
      {{"a.qzd", "b.qzd"}, 2, "", "qzd-viewer: one FILE at most"},
      {{"--export", "o.png", "--scale", "9", "m.qzd"}, 2, "", "qzd-viewer: --scale"},
  };
  for (const Row& row : rows) {
    const Ran ran = Viewer(row.args);
    const QString shown = row.args.join(u' ');
    EXPECT_EQ(ran.code, row.code) << shown.toStdString() << ran.err.toStdString();
    EXPECT_TRUE(ran.out.contains(row.out)) << shown.toStdString() << ran.out.toStdString();
    if (row.err.isEmpty()) {
      EXPECT_EQ(ran.err, "") << shown.toStdString();
    } else {
      EXPECT_EQ(ran.err.count(u'\n'), 1) << ran.err.toStdString();
      EXPECT_TRUE(ran.err.startsWith(row.err)) << ran.err.toStdString();
    }
  }
}

class Export : public ::testing::Test {
 protected:
  QString Out(const QString& name) const { return QDir(dir.path()).filePath(name); }
  QStringList Listed() const {
    return QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
  }
  QString Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Out(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
  }
  QTemporaryDir dir;
};

TEST_F(Export, PngAtScaleOneIsTheWindowPixelForPixel) {
  struct Row {
    QString page;
    int advances;  // clicks on ">>" after the load
  };
  for (const Row& row : {Row{"", 0}, Row{"heli", 3}}) {
    QStringList args = {"--export", Out("w.png"), Example("glider.qzd")};
    if (!row.page.isEmpty()) args << "--page" << row.page;
    const Ran ran = Viewer(args);
    ASSERT_EQ(ran.code, 0) << ran.err.toStdString();
    const QImage exported(Out("w.png"));

    NoDialog dialog;
    Messages messages;
    TmainForm window(dialog, messages);
    window.OpenModelFile(Example("glider.qzd"));
    for (int i = 0; i < row.advances; ++i)
      qobject_cast<QAbstractButton*>(window.Element("Button1"))->click();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage grabbed = window.grab().toImage().convertToFormat(QImage::Format_RGB32);

    EXPECT_EQ(exported.size(), QSize(916, 547)) << row.page.toStdString();
    EXPECT_TRUE(exported.convertToFormat(QImage::Format_RGB32) == grabbed)
        << row.page.toStdString();
  }
}

TEST_F(Export, LargerScalesAreDrawnAtThatResolutionNotEnlarged) {
  ASSERT_EQ(Viewer({"--export", Out("1.png"), Example("acro.qzd")}).code, 0);
  const QImage one = QImage(Out("1.png")).convertToFormat(QImage::Format_RGB32);
  for (const int scale : {2, 3}) {
    const QString out = Out(QStringLiteral("%1.png").arg(scale));
    ASSERT_EQ(
        Viewer({"--export", out, "--scale", QString::number(scale), Example("acro.qzd")}).code, 0);
    const QImage image = QImage(out).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(916, 547) * scale);
    const QImage enlarged =
        one.scaled(one.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_FALSE(image == enlarged) << scale;
  }
}

TEST_F(Export, PdfIsOneA4LandscapePageWithTheWindowsTexts) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
  if (pdftotext.isEmpty() || pdfinfo.isEmpty())
    GTEST_SKIP() << "poppler-utils is not installed (scripts/install-deps installs it)";
  const Ran ran = Viewer({"--export", Out("w.pdf"), Example("glider.qzd")});
  ASSERT_EQ(ran.code, 0) << ran.err.toStdString();

  QProcess info, text;
  info.start(pdfinfo, {Out("w.pdf")});
  text.start(pdftotext, {Out("w.pdf"), "-"});
  ASSERT_TRUE(info.waitForFinished() && text.waitForFinished());
  const QString about = QString::fromUtf8(info.readAllStandardOutput());
  const QString texts = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(about.contains(QRegularExpression("Pages:\\s+1\n"))) << about.toStdString();
  EXPECT_TRUE(about.contains("842 x 595 pts (A4)")) << about.toStdString();
  for (const QString& shown : {QStringLiteral("GLIDER"), QStringLiteral("MODE2"),
                               QStringLiteral("load model"), Example("glider.qzd")})
    EXPECT_TRUE(texts.contains(shown)) << shown.toStdString() << " in\n" << texts.toStdString();
}

TEST_F(Export, AFailureSaysWhyExitsOneAndLeavesNoFile) {
  QFile kept(Out("kept.png"));
  ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("before") == 6);
  kept.close();
  const QString bad = Write("bad.qzd", "1\n<b>x</b>\x1b[2J\n");
  QByteArray lines;
  for (int slot = 0; slot < 301; ++slot) lines += slot == 215 ? "-1\n" : "0\n";
  const QString stop = Write("stop.qzd", lines);
  const QString huge = Write("huge.qzd", "");  // a terabyte hole without a line end
  QFile(huge).resize(qint64{1} << 40);
  QDir(dir.path()).mkdir("locked");
  QFile::setPermissions(Out("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);

  // A write that stops short, as on a full disk: files may grow to 4 KiB only.
  const auto fullDisk = [] {
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
  };
  struct Row {
    const char* what;
    QString model, out;
    QString err;  // a part of the one line the program says
    std::function<void()> inChild;
  };
  std::vector<Row> rows = {
      {"missing model", Out("missing.qzd"), Out("a.png"), "missing.qzd: File not found.", {}},
      {"bad model",
       bad,
       Out("kept.png"),
       "bad.qzd: '<b>x</b>\\x1b[2J' is not a valid integer value.",
       {}},
      {"fill stop", stop, Out("a.pdf"), "stop.qzd: Range check error.", {}},
      {"huge sparse model", huge, Out("a.png"), "huge.qzd: '\\x00\\x00", {}},
      {"missing folder",
       Example("glider.qzd"),
       Out("no/a.png"),
       "no/a.png: No such file or directory",
       {}},
      {"folder is a file",
       Example("glider.qzd"),
       Out("bad.qzd/a.png"),
       "a.png: Not a directory",
       {}},
      {"full disk, PNG", Example("glider.qzd"), Out("kept.png"), "kept.png: File too large",
       fullDisk},
      {"full disk, PDF", Example("glider.qzd"), Out("a.pdf"), "a.pdf: File too large", fullDisk},
  };
  if (::geteuid() != 0)  // root writes anywhere
    rows.push_back({"no permission",
                    Example("glider.qzd"),
                    Out("locked/a.png"),
                    "a.png: Permission denied",
                    {}});

  const QStringList before = Listed();
  for (const Row& row : rows) {
    const Ran ran = Viewer({"--export", row.out, row.model}, row.inChild);
    EXPECT_EQ(ran.code, 1) << row.what << ": " << ran.err.toStdString();
    const QStringList said = OwnLines(ran.err);
    EXPECT_EQ(said.size(), 1) << row.what << ": " << ran.err.toStdString();
    EXPECT_TRUE(said.value(0).contains(row.err)) << row.what << ": " << ran.err.toStdString();
    EXPECT_EQ(Listed(), before) << row.what;
    EXPECT_TRUE(QDir(Out("locked")).isEmpty()) << row.what;
    QFile file(Out("kept.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "before") << row.what;
  }
}

}  // namespace
}  // namespace qzd::viewer
