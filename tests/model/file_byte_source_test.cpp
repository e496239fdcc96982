// SPDX-License-Identifier: MIT
#include "model/file_byte_source.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>
#include <vector>

#include "model/memory_byte_source.h"
#include "model/model_file_reader.h"
#include "tests/model/fault_byte_source.h"
#include "tests/model/reader_test_support.h"

namespace qzd::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int OpenDescriptorCount() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

// Takes a write lock on `path` through an open file description of its own, as another program
// writing the file would.
class WriteLock {
 public:
  explicit WriteLock(const fs::path& path) : fd_(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    held_ = fd_ >= 0 && ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
  }
  ~WriteLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;
  [[nodiscard]] bool held() const { return held_; }

 private:
  int fd_;
  bool held_ = false;
};

class FileReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qzd-reader-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    model_ = dir_ / "model.qzd";
    WriteFile(model_, ReferenceLines(1));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_;
  fs::path model_;
};

TEST_F(FileReaderTest, ReadsAModelFile) {
  ModelValueStore store;
  EXPECT_EQ(ReadModelFile(model_, store), std::nullopt);
  EXPECT_TRUE(SameStore(store, StoreWith(ModelValueStore{}, ReferenceValuesAfter({}))));

  WriteFile(model_, ReferenceLines(1, 20) + "oops\n");
  store = PriorStore();
  EXPECT_EQ(ReadModelFile(model_, store), NumberFailure("oops"));
  EXPECT_TRUE(SameStore(store, StoreWith(PriorStore(), ReferenceValuesAfter({}, 20))));
}

TEST_F(FileReaderTest, OpenFailures) {
  const fs::path folder = dir_ / "folder";
  fs::create_directory(folder);
  const fs::path fifo = dir_ / "fifo.qzd";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path socketPath = dir_ / "socket.qzd";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  const struct {
    const char* name;
    std::string path;
    int code;
  } cases[] = {
      {"missing file", dir_ / "missing.qzd", system_error::kFileNotFound},
      {"missing folder on the path", dir_ / "nowhere" / "model.qzd", system_error::kPathNotFound},
      {"a file where a folder should be", model_ / "model.qzd", system_error::kPathNotFound},
      {"empty path", "", system_error::kPathNotFound},
      {"NUL in the path", model_.string() + std::string(1, '\0') + "x",
       system_error::kPathNotFound},
      {"folder", folder, system_error::kAccessDenied},
      {"FIFO with no writer", fifo, system_error::kAccessDenied},
      {"device", "/dev/null", system_error::kAccessDenied},
      {"socket", socketPath, system_error::kAccessDenied},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ModelValueStore store = PriorStore();
    EXPECT_EQ(ReadModelFile(c.path, store),
              (LoadFailure{LoadFailure::Kind::kOpen, system_error::Message(c.code), c.code}));
    EXPECT_TRUE(SameStore(store, PriorStore()));
  }
  ::close(listener);
}

TEST_F(FileReaderTest, FileHeldByAWriterIsRefused) {
  WriteLock writer(model_);
  ASSERT_TRUE(writer.held());
  ModelValueStore store = PriorStore();
  EXPECT_EQ(ReadModelFile(model_, store), (LoadFailure{LoadFailure::Kind::kOpen, "I/O error 32",
                                                       system_error::kSharingViolation}));
  EXPECT_TRUE(SameStore(store, PriorStore()));
}

// A source that, at its first read, tries what a writer would do.
class WriterProbe final : public ByteSource {
 public:
  WriterProbe(ByteSource& inner, fs::path path) : inner_(inner), path_(std::move(path)) {}
  ReadResult Read(std::span<unsigned char> buffer) override {
    if (!probed_) writerGotLock_ = WriteLock(path_).held();
    probed_ = true;
    return inner_.Read(buffer);
  }
  std::optional<int> Close() override { return inner_.Close(); }
  bool probed_ = false;
  bool writerGotLock_ = false;

 private:
  ByteSource& inner_;
  fs::path path_;
};

TEST_F(FileReaderTest, NoWriterGetsALockWhileTheFileIsRead) {
  FileByteSource file(model_);
  ASSERT_EQ(file.openFailure(), std::nullopt);
  WriterProbe probe(file, model_);
  ModelValueStore store;
  EXPECT_EQ(ReadModel(probe, store), std::nullopt);
  EXPECT_TRUE(probe.probed_);
  EXPECT_FALSE(probe.writerGotLock_);
  EXPECT_TRUE(WriteLock(model_).held()) << "the lock outlived the read";
}

TEST_F(FileReaderTest, PermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  fs::permissions(model_, fs::perms::none);
  ModelValueStore store;
  EXPECT_EQ(
      ReadModelFile(model_, store),
      (LoadFailure{LoadFailure::Kind::kOpen, "File access denied", system_error::kAccessDenied}));
}

TEST_F(FileReaderTest, TooManyOpenFiles) {
  // A first read while descriptors are free lets a sanitizer's check of the reader's virtual calls,
  // which needs descriptors of its own, run and remember its outcome.
  ModelValueStore warmUp;
  ASSERT_EQ(ReadModelFile(model_, warmUp), std::nullopt);
  rlimit original{};
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &original), 0);
  rlimit lowered = original;
  lowered.rlim_cur = static_cast<rlim_t>(OpenDescriptorCount() + 8);
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
  std::vector<int> filler;
  for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) filler.push_back(fd);
  ModelValueStore store;
  const auto failure = ReadModelFile(model_, store);
  for (int fd : filler) ::close(fd);
  ::setrlimit(RLIMIT_NOFILE, &original);
  EXPECT_EQ(failure, (LoadFailure{LoadFailure::Kind::kOpen, "Too many open files",
                                  system_error::kTooManyOpenFiles}));
}

TEST_F(FileReaderTest, LeavesTheFileAsItWas) {
  struct stat before {};
  ASSERT_EQ(::stat(model_.c_str(), &before), 0);
  const std::string bytes = ReadAll(model_);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // lets a stray write show in mtime
  ModelValueStore store;
  ASSERT_EQ(ReadModelFile(model_, store), std::nullopt);
  struct stat after {};
  ASSERT_EQ(::stat(model_.c_str(), &after), 0);
  EXPECT_EQ(ReadAll(model_), bytes);
  EXPECT_EQ(after.st_size, before.st_size);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mode, before.st_mode);
}

TEST_F(FileReaderTest, NoDescriptorLeaks) {
  const fs::path invalid = dir_ / "invalid.qzd";
  WriteFile(invalid, ReferenceLines(1, 100));
  const fs::path locked = dir_ / "locked.qzd";
  WriteFile(locked, ReferenceLines(1));
  const fs::path fifo = dir_ / "fifo.qzd";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  WriteLock writer(locked);
  ASSERT_TRUE(writer.held());
  const fs::path paths[] = {model_, invalid, locked, fifo, dir_, dir_ / "missing.qzd"};

  const int before = OpenDescriptorCount();
  int failures = 0;
  for (int i = 0; i < 1000; ++i) {
    ModelValueStore store;
    failures += ReadModelFile(paths[i % std::size(paths)], store).has_value() ? 1 : 0;
  }
  EXPECT_EQ(OpenDescriptorCount(), before);
  EXPECT_EQ(failures, 1000 - 167);
}

// A gigabyte file whose first 301 lines are valid costs one buffer, not a gigabyte.
TEST_F(FileReaderTest, LargeFileIsReadOnlyToLine301) {
  const fs::path large = dir_ / "large.qzd";
  WriteFile(large, ReferenceLines(1));
  fs::resize_file(large, std::uintmax_t{1} << 30);  // sparse: the tail costs no disk
  FileByteSource file(large);
  ASSERT_EQ(file.openFailure(), std::nullopt);
  CountingByteSource counter(file);
  ModelValueStore store;
  EXPECT_EQ(ReadModel(counter, store), std::nullopt);
  EXPECT_LE(counter.bytesRequested, kModelReadBufferSize);
  EXPECT_TRUE(SameStore(store, StoreWith(ModelValueStore{}, ReferenceValuesAfter({}))));
}

// A line's skipped rest may run through a hole of a sparse file: a hole reads as zero bytes, which
// hold no line end and no byte 26, so jumping it must read exactly as reading through it does,
// while the bytes handed out stay a few blocks however large the hole is.
TEST_F(FileReaderTest, HolesInASkippedRestAreJumpedAndReadAsTheirZeroBytes) {
  constexpr off_t kHole = off_t{64} << 30;
  struct Case {
    const char* name;
    std::string head;  // the bytes before the hole
    std::string tail;  // the bytes after it
  };
  const std::vector<Case> cases = {
      {"a file that is one hole", "", ""},
      {"a line running into a hole to the end", "7", ""},
      {"a hole inside a line's rest", "7", "\n" + ReferenceLines(2)},
      {"a byte 26 after the hole stops the skip", "7", "\x1a" + ReferenceLines(2)},
      {"a hole after the byte 26 that ended a line", "7\x1a", "\n" + ReferenceLines(2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path sparse = dir_ / "sparse.qzd";
    {
      const int fd = ::open(sparse.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
      ASSERT_GE(fd, 0);
      const bool written =
          ::pwrite(fd, c.head.data(), c.head.size(), 0) == static_cast<ssize_t>(c.head.size()) &&
          ::pwrite(fd, c.tail.data(), c.tail.size(), kHole) ==
              static_cast<ssize_t>(c.tail.size()) &&
          ::ftruncate(fd, kHole + static_cast<off_t>(c.tail.size())) == 0;
      const off_t firstHole = ::lseek(fd, 0, SEEK_HOLE);
      ::close(fd);
      if (!written || firstHole < 0 || firstHole >= kHole) {
        GTEST_SKIP() << "the file system under " << dir_ << " keeps no 64 GiB hole in a file";
      }
    }
    const std::string inMemory = c.head + std::string(2 * kSkipReadBufferSize + 3, '\0') + c.tail;
    MemoryByteSource memory(inMemory);
    ModelValueStore expected = PriorStore();
    const auto expectedFailure = ReadModel(memory, expected);

    FileByteSource file(sparse);
    ASSERT_EQ(file.openFailure(), std::nullopt);
    CountingByteSource counter(file);
    ModelValueStore store = PriorStore();
    EXPECT_EQ(ReadModel(counter, store), expectedFailure);
    EXPECT_TRUE(SameStore(store, expected));
    EXPECT_LE(counter.bytesDelivered, kSkipReadBufferSize + c.tail.size());
  }
}

std::atomic<int> interruptions{0};
void CountInterruption(int) {
  interruptions.fetch_add(1);
}

TEST(ReadDescriptor, RetriesAnInterruptedRead) {
  struct sigaction action {};
  action.sa_handler = CountInterruption;  // no SA_RESTART: the blocked read sees EINTR
  struct sigaction previous {};
  ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
  int pipeEnds[2];
  ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC), 0);

  const pthread_t reader = ::pthread_self();
  std::thread other([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::pthread_kill(reader, SIGUSR1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    (void)!::write(pipeEnds[1], "data", 4);
  });
  std::array<unsigned char, 16> buffer{};
  const ByteSource::ReadResult result = ReadDescriptor(pipeEnds[0], buffer);
  other.join();
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  ::sigaction(SIGUSR1, &previous, nullptr);

  EXPECT_EQ(interruptions.load(), 1);
  EXPECT_EQ(result.systemErrorCode, std::nullopt);
  EXPECT_EQ(result.count, 4u);
}

// A file that claims to be regular but has no data for a non-blocking read, such as /proc/kmsg,
// stands here as an empty non-blocking pipe: it is refused, not taken for another writer's lock.
TEST(ReadDescriptor, RefusesAFileWithNothingToReadYet) {
  int pipeEnds[2];
  ASSERT_EQ(::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK), 0);
  std::array<unsigned char, 16> buffer{};
  const ByteSource::ReadResult result = ReadDescriptor(pipeEnds[0], buffer);
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  EXPECT_EQ(result.count, 0u);
  EXPECT_EQ(result.systemErrorCode, system_error::kAccessDenied);
}

TEST(SystemErrorCodeForErrno, BrokenPipeMeetsTheReadersEndOfFile) {
  EXPECT_EQ(SystemErrorCodeForErrno(EPIPE), system_error::kBrokenPipe);
}

}  // namespace
}  // namespace qzd::testing
