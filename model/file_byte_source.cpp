// SPDX-License-Identifier: MIT
#include "model/file_byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace qzd {
namespace {

struct ErrnoCode {
  int errnoValue;
  int code;
};

// Linux errors onto the failure table's codes, which follow the Windows numbering. This is the one
// place the mapping is kept.
//   ENOENT is "File not found" (2) when the file's folder exists and "Invalid filename" (3) when it
//   does not; OpenFailureCode tells the two apart, because Linux reports both as ENOENT.
//   A folder gives EISDIR or, opened read-only, is refused after fstat: "File access denied" (5).
//   A FIFO, device or socket is refused the same way (a socket path gives ENXIO).
//   Another process's write lock on the file is a sharing violation (32), "I/O error 32"; EAGAIN
//   from a read is not a lock but a file with nothing to read yet, so ReadDescriptor refuses it.
//   EPIPE becomes the broken-pipe code (109), which the reader takes as the end of the file.
//   Everything not listed is a general failure (31).
constexpr std::array<ErrnoCode, 21> kErrnoCodes{{
    {ENOENT, system_error::kFileNotFound},       {ENOTDIR, system_error::kPathNotFound},
    {ENAMETOOLONG, system_error::kPathNotFound}, {ELOOP, system_error::kPathNotFound},
    {EMFILE, system_error::kTooManyOpenFiles},   {ENFILE, system_error::kTooManyOpenFiles},
    {EACCES, system_error::kAccessDenied},       {EPERM, system_error::kAccessDenied},
    {EISDIR, system_error::kAccessDenied},       {ENXIO, system_error::kAccessDenied},
    {ENODEV, system_error::kAccessDenied},       {EROFS, system_error::kAccessDenied},
    {ETXTBSY, system_error::kSharingViolation},  {EAGAIN, system_error::kSharingViolation},
    {EBADF, system_error::kInvalidHandle},       {ENOMEM, system_error::kNotEnoughMemory},
    {EINVAL, system_error::kInvalidParameter},   {EPIPE, system_error::kBrokenPipe},
    {EFBIG, system_error::kFileTooLarge},        {EOVERFLOW, system_error::kFileTooLarge},
    {EIO, system_error::kDeviceError},
}};

// An empty path names no folder at all, which is how Windows reports it too.
bool ParentFolderExists(const std::string& path) {
  if (path.empty()) return false;
  const std::size_t slash = path.find_last_of('/');
  const std::string parent = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : path.substr(0, slash);
  struct stat status {};
  return ::stat(parent.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

int OpenFailureCode(const std::string& path, int errnoValue) {
  if (errnoValue == ENOENT && !ParentFolderExists(path)) return system_error::kPathNotFound;
  return SystemErrorCodeForErrno(errnoValue);
}

// Shares the file with readers only. A file system without locks cannot report writers either,
// so there the file is read unlocked rather than refused.
std::optional<int> LockForSharedReading(int fd) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;  // start 0, length 0: the whole file, however it grows
  int result = 0;
  do {
    result = ::fcntl(fd, F_OFD_SETLK, &lock);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return std::nullopt;
  if (errno == EAGAIN || errno == EACCES) return system_error::kSharingViolation;
  if (errno == ENOLCK || errno == EINVAL || errno == EOPNOTSUPP) return std::nullopt;
  return SystemErrorCodeForErrno(errno);
}

}  // namespace

int SystemErrorCodeForErrno(int errnoValue) noexcept {
  for (const auto& entry : kErrnoCodes) {
    if (entry.errnoValue == errnoValue) return entry.code;
  }
  return system_error::kGeneralFailure;
}

ByteSource::ReadResult ReadDescriptor(int fd, std::span<unsigned char> buffer) noexcept {
  for (;;) {
    const ssize_t count = ::read(fd, buffer.data(), buffer.size());
    if (count >= 0) return {static_cast<std::size_t>(count), std::nullopt};
    // A file that passed as regular yet has no data yet for a non-blocking read (/proc/kmsg) is
    // one the reader cannot read, not one locked by a writer as EAGAIN means at open.
    if (errno == EAGAIN) return {0, system_error::kAccessDenied};
    if (errno != EINTR) return {0, SystemErrorCodeForErrno(errno)};
  }
}

FileByteSource::FileByteSource(const std::string& path) {
  if (path.find('\0') != std::string::npos) {
    openFailure_ = system_error::kPathNotFound;
    return;
  }
  // O_NONBLOCK keeps the open of a FIFO or device from waiting; such files are refused below.
  // It changes nothing for the regular file that is read, so it is left set.
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    openFailure_ = OpenFailureCode(path, errno);
    return;
  }
  fd_ = fd;

  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    openFailure_ = SystemErrorCodeForErrno(errno);
  } else if (!S_ISREG(status.st_mode)) {
    // A folder, and anything that could block or never end: a FIFO, a device, a socket.
    openFailure_ = system_error::kAccessDenied;
  } else if (const auto lockFailure = LockForSharedReading(fd_)) {
    openFailure_ = lockFailure;
  }
  if (openFailure_) (void)Close();
}

FileByteSource::~FileByteSource() {
  (void)Close();
}

ByteSource::ReadResult FileByteSource::Read(std::span<unsigned char> buffer) {
  if (fd_ < 0) return {0, SystemErrorCodeForErrno(EBADF)};
  return ReadDescriptor(fd_, buffer);
}

std::uint64_t FileByteSource::SkipZeroBytes() {
#ifndef SEEK_DATA
  // No way to ask for the next data (WebAssembly's C library): the file is read on.
  return 0;
#else
  if (fd_ < 0) return 0;
  const off_t here = ::lseek(fd_, 0, SEEK_CUR);
  if (here < 0) return 0;
  off_t data = ::lseek(fd_, here, SEEK_DATA);
  if (data < 0) {
    // ENXIO: no data lies at or after `here`, so the rest of the file is one hole, or `here` is
    // already its end. Any other error is a file system that cannot tell; the file is read on.
    struct stat status {};
    if (errno != ENXIO || ::fstat(fd_, &status) != 0 || status.st_size <= here) return 0;
    data = ::lseek(fd_, status.st_size, SEEK_SET);
  }
  // Never backwards: a byte is never read twice.
  if (data <= here) return 0;
  return static_cast<std::uint64_t>(data - here);
#endif
}

std::optional<int> FileByteSource::Close() {
  return CloseDescriptor();
}

std::optional<int> FileByteSource::CloseDescriptor() noexcept {
  if (fd_ < 0) return std::nullopt;
  const int fd = std::exchange(fd_, -1);
  // Linux frees the descriptor even when close is interrupted, so EINTR is neither retried nor
  // a failure.
  if (::close(fd) == 0 || errno == EINTR) return std::nullopt;
  return SystemErrorCodeForErrno(errno);
}

}  // namespace qzd
