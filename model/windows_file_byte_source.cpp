// SPDX-License-Identifier: MIT
#include "model/windows_file_byte_source.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "model/system_error.h"
#include "model/utf16.h"

namespace qzd {
namespace {

constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kUncPrefix = L"\\\\";

// Without a report of the allocated ranges, a rest of the file this long is skipped only once the
// reads have shown every allocated byte; a shorter one is read, which costs little.
constexpr std::uint64_t kLongRest = std::uint64_t{64} << 20;

bool StartsWith(std::wstring_view text, std::wstring_view start) {
  return text.size() >= start.size() &&
         ::CompareStringOrdinal(text.data(), static_cast<int>(start.size()), start.data(),
                                static_cast<int>(start.size()), TRUE) == CSTR_EQUAL;
}

// Whether a full path names a device rather than a file. Windows writes the reserved names (CON,
// NUL, COM1, ... in any folder) as \\.\NAME; a \\.\ or \\?\ name without a folder after it is a
// device itself (a port, a disk, a volume), and the pipes and mailslots are never files.
bool NamesDevice(std::wstring_view full) {
  if (!StartsWith(full, kDevicePrefix) && !StartsWith(full, kLongPrefix)) return false;
  const std::wstring_view rest = full.substr(kDevicePrefix.size());
  return rest.find(L'\\') == std::wstring_view::npos || StartsWith(rest, L"pipe\\") ||
         StartsWith(rest, L"mailslot\\");
}

// A full path longer than the classic limit opens in the form that has none, on every Windows
// whether or not long paths are enabled; any other as given.
std::wstring PathToOpen(const std::wstring& given, const std::wstring& full) {
  if (full.size() < MAX_PATH || StartsWith(full, kLongPrefix) || StartsWith(full, kDevicePrefix))
    return given;
  if (StartsWith(full, kUncPrefix))
    return std::wstring(kLongPrefix) + L"UNC\\" + full.substr(kUncPrefix.size());
  return std::wstring(kLongPrefix) + full;
}

// The volume's allocation unit; 512 bytes, the smallest there is, where it does not say.
std::uint64_t AllocationUnit(const std::wstring& path) {
  std::wstring root(path.size() + 2, L'\0');
  DWORD sectorsPerCluster = 0;
  DWORD bytesPerSector = 0;
  DWORD freeClusters = 0;
  DWORD clusters = 0;
  if (!::GetVolumePathNameW(path.c_str(), root.data(), static_cast<DWORD>(root.size())) ||
      !::GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &clusters) ||
      sectorsPerCluster == 0 || bytesPerSector == 0)
    return 512;
  return std::uint64_t{sectorsPerCluster} * bytesPerSector;
}

}  // namespace

FileByteSource::FileByteSource(const std::string& path) {
  // A NUL would cut the path short and open another file; bytes that are not UTF-8 name none.
  const std::optional<std::wstring> wide =
      path.find('\0') == std::string::npos ? WideFromUtf8(path) : std::nullopt;
  if (!wide || wide->empty()) {
    openFailure_ = system_error::kPathNotFound;
    return;
  }
  const std::wstring full = FullPath(*wide);
  // A device is refused before it is opened: opening a port or the console can wait or take it.
  if (NamesDevice(full)) {
    openFailure_ = system_error::kAccessDenied;
    return;
  }
  OpenFile(PathToOpen(*wide, full));
  if (openFailure_) (void)Close();
}

void FileByteSource::OpenFile(const std::wstring& path) {
  HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    openFailure_ = static_cast<int>(::GetLastError());
    return;
  }
  handle_ = handle;
  // Anything but a file on a disk (a pipe, a device by another name, a folder) could block or
  // never end.
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  if (::GetFileType(handle) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof(basic)) ||
      (basic.FileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0 ||
      !::GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof(standard))) {
    openFailure_ = system_error::kAccessDenied;
    return;
  }
  size_ = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  allocated_ = static_cast<std::uint64_t>(standard.AllocationSize.QuadPart);
  // A file with fewer bytes allocated than it is long has holes. Where the file system cannot
  // report them, the reads count the allocated bytes they have shown; a compressed file's
  // allocation is no measure of its data.
  if (allocated_ < size_ && !NextAllocatedByte() &&
      (basic.FileAttributes & FILE_ATTRIBUTE_COMPRESSED) == 0) {
    countData_ = true;
    unit_ = AllocationUnit(path);
  }
}

FileByteSource::~FileByteSource() {
  (void)Close();
}

ByteSource::ReadResult FileByteSource::Read(std::span<unsigned char> buffer) {
  if (handle_ == nullptr) return {0, system_error::kInvalidHandle};
  const DWORD wanted =
      static_cast<DWORD>(std::min<std::size_t>(buffer.size(), std::numeric_limits<DWORD>::max()));
  DWORD count = 0;
  if (!::ReadFile(handle_, buffer.data(), wanted, &count, nullptr)) {
    return {0, static_cast<int>(::GetLastError())};
  }
  if (countData_) NoteData(buffer.first(count));
  position_ += count;
  return {count, std::nullopt};
}

// Every allocation unit that holds a byte other than zero is allocated; the units are counted
// once each, and only a unit that a read ends inside can come again with the next read.
void FileByteSource::NoteData(std::span<const unsigned char> bytes) {
  std::uint64_t at = position_;
  while (!bytes.empty()) {
    const std::uint64_t unit = at / unit_;
    const auto inUnit =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), (unit + 1) * unit_ - at));
    const auto part = bytes.first(inUnit);
    if (unit != lastDataUnit_ &&
        std::any_of(part.begin(), part.end(), [](unsigned char byte) { return byte != 0; })) {
      dataSeen_ += unit_;
      lastDataUnit_ = unit;
    }
    bytes = bytes.subspan(inUnit);
    at += inUnit;
  }
}

// The first byte at or after the next one to read that the file system has allocated (the file's
// end when none is), or nothing when it cannot tell.
std::optional<std::uint64_t> FileByteSource::NextAllocatedByte() const {
  FILE_ALLOCATED_RANGE_BUFFER asked{};
  asked.FileOffset.QuadPart = static_cast<LONGLONG>(position_);
  asked.Length.QuadPart = static_cast<LONGLONG>(size_ - std::min(position_, size_));
  FILE_ALLOCATED_RANGE_BUFFER first{};
  DWORD answered = 0;
  if (!::DeviceIoControl(handle_, FSCTL_QUERY_ALLOCATED_RANGES, &asked, sizeof(asked), &first,
                         sizeof(first), &answered, nullptr) &&
      ::GetLastError() != ERROR_MORE_DATA)
    return std::nullopt;
  if (answered < sizeof(first)) return size_;
  return std::max(position_, static_cast<std::uint64_t>(first.FileOffset.QuadPart));
}

std::uint64_t FileByteSource::SkipZeroBytes() {
  if (handle_ == nullptr || allocated_ >= size_ || position_ >= size_) return 0;
  std::uint64_t next = position_;
  if (countData_) {
    if (dataSeen_ >= allocated_ && size_ - position_ >= kLongRest) next = size_;
  } else if (const auto allocated = NextAllocatedByte()) {
    next = *allocated;
  }
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(next);
  // Never backwards: a byte is never read twice.
  if (next <= position_ || !::SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN)) return 0;
  const std::uint64_t skipped = next - position_;
  position_ = next;
  return skipped;
}

std::optional<int> FileByteSource::Close() {
  if (handle_ == nullptr) return std::nullopt;
  HANDLE handle = std::exchange(handle_, nullptr);
  if (::CloseHandle(handle)) return std::nullopt;
  return static_cast<int>(::GetLastError());
}

}  // namespace qzd
