// SPDX-License-Identifier: MIT
// The real qzd-viewer as a process: what it prints and returns for --help, --version and usage
// errors, and what --export writes, compared with the window on the same platform.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "viewer/main_window.h"

namespace qzd::viewer {
namespace {

// What the program runs without: no display, and no run-time folder, whose lack Qt would note.
constexpr std::string_view kDropped[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                         "XDG_RUNTIME_DIR"};

struct Ran {
  int code = -1;
  QString out, err;
};

// Reads what the child writes to `fd` until it closes it.
QString ReadAll(int fd) {
  QByteArray bytes;
  char chunk[4096];
  for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) != 0;) {
    if (n > 0)
      bytes.append(chunk, n);
    else if (errno != EINTR)
      break;
  }
  ::close(fd);
  return QString::fromLocal8Bit(bytes);
}

// Runs the program with these arguments' bytes, without any display and without
// XDG_RUNTIME_DIR, in `folder` (the current one when empty); `inChild` runs in the child
// before the program starts.
Ran Viewer(const std::vector<std::string>& args, const std::function<void()>& inChild = {},
           const std::string& folder = {}) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry(*e);
    const bool dropped = std::any_of(
        std::begin(kDropped), std::end(kDropped),
        [&](std::string_view name) { return entry.substr(0, entry.find('=')) == name; });
    if (!dropped) env.emplace_back(entry);
  }
  std::vector<char*> argv = {const_cast<char*>(QZD_VIEWER)}, envp;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  for (std::string& e : env) envp.push_back(e.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  int out[2], err[2];
  if (::pipe(out) != 0 || ::pipe(err) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::close(out[0]);
    ::close(err[0]);
    const int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, STDIN_FILENO);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(126);
    if (inChild) inChild();
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  Ran ran;
  ran.out = ReadAll(out[0]);
  ran.err = ReadAll(err[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ran.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return ran;
}
Ran Viewer(const QStringList& args, const std::function<void()>& inChild = {}) {
  std::vector<std::string> bytes;
  for (const QString& arg : args) bytes.push_back(arg.toStdString());
  return Viewer(bytes, inChild);
}

QString Example(const char* name) {
  return QDir(QStringLiteral(QZD_EXAMPLES_DIR)).filePath(name);
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
    window.OpenModelFile(Example("glider.qzd").toStdString());
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
    EXPECT_EQ(ran.err.count(u'\n'), 1) << row.what << ": " << ran.err.toStdString();
    EXPECT_TRUE(ran.err.startsWith("qzd-viewer: ") && ran.err.contains(row.err))
        << row.what << ": " << ran.err.toStdString();
    EXPECT_EQ(Listed(), before) << row.what;
    EXPECT_TRUE(QDir(Out("locked")).isEmpty()) << row.what;
    QFile file(Out("kept.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "before") << row.what;
  }
}

// Every entry of a folder as it stands: its kind and what it holds or where it leads.
std::map<std::string, std::string> Entries(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::filesystem::path& path = entry.path();
    std::string& seen = entries[path.filename().string()];
    seen = std::to_string(static_cast<int>(entry.symlink_status().type())) + ":";
    if (entry.is_symlink()) {
      seen += std::filesystem::read_symlink(path).string();
    } else if (entry.is_regular_file()) {
      std::ifstream in(path, std::ios::binary);
      seen.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return entries;
}

// The size of the PNG image in a file of any name (QImage would take the name as text).
QSize PngSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return QImage::fromData(QByteArray::fromStdString(bytes), "PNG").size();
}

// An export writes only a new file or a regular one, never the model: anything else is refused
// in one line, before anything is written, and the folder stays exactly as it was.
TEST_F(Export, OutputsThatAreNotARegularFileOrAreTheModelAreRefused) {
  const std::string folder = dir.path().toStdString();
  const auto at = [&folder](const std::string& name) { return folder + "/" + name; };
  std::filesystem::copy_file(Example("glider.qzd").toStdString(), at("g.png"));
  std::filesystem::create_hard_link(at("g.png"), at("hard.png"));
  std::filesystem::create_symlink("g.png", at("to-model.png"));
  ASSERT_EQ(::mkfifo(at("fifo.png").c_str(), 0600), 0);
  std::filesystem::create_directory(at("folder.png"));
  std::filesystem::create_symlink("fifo.png", at("to-fifo.png"));
  std::filesystem::create_symlink("new.png", at("dangling.png"));
  std::filesystem::create_symlink("loop.png", at("loop.png"));
  struct Row {
    std::string out, model, err;
  };
  std::vector<Row> rows = {
      {"g.png", "g.png", "the model file"},
      {"hard.png", "g.png", "the model file"},
      {"to-model.png", "g.png", "the model file"},
      {"g.png", "to-model.png", "the model file"},
      {"fifo.png", "g.png", "a FIFO, not a regular file"},
      {"to-fifo.png", "g.png", "a FIFO, not a regular file"},
      {"folder.png", "g.png", "a folder, not a regular file"},
      {"dangling.png", "g.png", "creates no file through a link"},
      {"loop.png", "g.png", "Too many levels of symbolic links"},
  };
  // A device node of its own, as the null device's: an export into the real one as root would
  // have replaced it.
  if (::mknod(at("device.png").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    std::filesystem::create_symlink("device.png", at("to-device.png"));
    rows.push_back({"to-device.png", "g.png", "a device, not a regular file"});
  }
  const auto before = Entries(folder);
  for (const Row& row : rows) {
    const Ran ran = Viewer({"--export", row.out, row.model}, {}, folder);
    EXPECT_EQ(ran.code, 1) << row.out << ": " << ran.err.toStdString();
    EXPECT_EQ(ran.err.count(u'\n'), 1) << row.out << ": " << ran.err.toStdString();
    EXPECT_TRUE(ran.err.startsWith(QString::fromStdString("qzd-viewer: cannot write " + row.out)) &&
                ran.err.contains(QString::fromStdString(row.err)))
        << row.out << ": " << ran.err.toStdString();
    EXPECT_EQ(Entries(folder), before) << row.out;
  }

  // A link to a regular file writes that file, and stays the same link.
  std::ofstream(at("picture.png")) << "before";
  std::filesystem::create_symlink("picture.png", at("link.png"));
  ASSERT_EQ(Viewer({"--export", "link.png", "g.png"}, {}, folder).code, 0);
  EXPECT_EQ(std::filesystem::read_symlink(at("link.png")), "picture.png");
  EXPECT_EQ(PngSize(at("picture.png")), QSize(916, 547));
}

// Names are bytes: one that is not UTF-8 opens or writes exactly that file, never the one whose
// name is spelt as it shows, with U+FFFD ("\xef\xbf\xbd").
TEST_F(Export, NamesThatAreNotUtf8AreTheFilesOfExactlyThoseBytes) {
  const std::string folder = dir.path().toStdString();
  const std::string fffd = "\xef\xbf\xbd";
  std::filesystem::copy_file(Example("glider.qzd").toStdString(), folder + "/g\xff.qzd");
  std::ofstream(folder + "/g" + fffd + ".qzd") << "1\nbad\n";  // would fail to load
  std::filesystem::copy_file(Example("glider.qzd").toStdString(), folder + "/h" + fffd + ".qzd");
  std::ofstream(folder + "/victim" + fffd + ".png") << "before";

  const Ran written = Viewer({"--export", "victim\xff.png", "g\xff.qzd"}, {}, folder);
  EXPECT_EQ(written.code, 0) << written.err.toStdString();
  EXPECT_EQ(PngSize(folder + "/victim\xff.png"), QSize(916, 547));
  auto entries = Entries(folder);
  EXPECT_EQ(entries["victim" + fffd + ".png"], "1:before");

  const Ran missing = Viewer({"--export", "h.png", "h\xff.qzd"}, {}, folder);
  EXPECT_EQ(missing.code, 1);
  EXPECT_TRUE(missing.err.contains("File not found")) << missing.err.toStdString();
  EXPECT_FALSE(std::filesystem::exists(folder + "/h.png"));
  std::filesystem::remove_all(folder);  // QTemporaryDir lists names as text, and would miss these
}

}  // namespace
}  // namespace qzd::viewer
