// SPDX-License-Identifier: MIT
#include "viewer/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

namespace qzd::viewer {

namespace {

struct FileKind {
  mode_t type;
  const char* refusal;
};
constexpr std::array<FileKind, 5> kNotRegular = {{
    {S_IFDIR, "it is a folder, not a regular file"},
    {S_IFIFO, "it is a FIFO, not a regular file"},
    {S_IFSOCK, "it is a socket, not a regular file"},
    {S_IFCHR, "it is a device, not a regular file"},
    {S_IFBLK, "it is a device, not a regular file"},
}};

std::string Reason(int error) {
  return std::strerror(error);
}

OutputTarget Refused(std::string why) {
  return {std::string(), std::move(why)};
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a file of a fresh name in `folder` that nobody else can have opened: the exclusive
// create fails on any existing entry, a link included. Its descriptor and name, or -1 and errno.
std::pair<int, std::string> CreateTemporary(const std::string& folder, mode_t mode) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device entropy;
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = folder + "/.qzd-viewer-";
    for (int i = 0; i < 8; ++i) name += kLetters[pick(entropy)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return {fd, name};
  }
  return {-1, std::string()};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

OutputTarget ResolveOutput(const std::string& output, const std::string& input) {
  struct stat entry {};
  if (::lstat(output.c_str(), &entry) != 0) {
    if (errno == ENOENT) return {output, std::string()};  // a new file
    return Refused(Reason(errno));
  }
  struct stat file = entry;
  if (S_ISLNK(entry.st_mode) && ::stat(output.c_str(), &file) != 0) {
    if (errno == ENOENT)
      return Refused(
          "it is a link to a missing file, and an export creates no file through a link");
    return Refused(Reason(errno));
  }
  for (const FileKind& kind : kNotRegular) {
    if ((file.st_mode & S_IFMT) == kind.type) return Refused(kind.refusal);
  }
  struct stat model {};
  if (::stat(input.c_str(), &model) == 0 && model.st_dev == file.st_dev &&
      model.st_ino == file.st_ino)
    return Refused("it is the model file");
  if (!S_ISLNK(entry.st_mode)) return {output, std::string()};
  // Written beside the file the link leads to, and renamed over that file: a rename over the
  // link would replace the link.
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(output.c_str(), nullptr),
                                                         &std::free);
  if (!real) return Refused(Reason(errno));
  return {real.get(), std::string()};
}

std::optional<std::string> ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  struct stat replaced {};
  const bool replacing = ::stat(path.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
  // The rename would replace a file that its owner made read-only.
  if (replacing && ::access(path.c_str(), W_OK) != 0) return Reason(errno);
  const auto [fd, temporary] = CreateTemporary(FolderOf(path), 0666);
  if (fd < 0) return Reason(errno);
  const bool done = (!replacing || ::fchmod(fd, replaced.st_mode & 07777) == 0) &&
                    WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = done ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return std::nullopt;
  ::unlink(temporary.c_str());
  return Reason(error);
}

}  // namespace qzd::viewer
