// SPDX-License-Identifier: MIT
#include "windows/output_file.h"

#include <windows.h>

#include <random>

#include "model/utf16.h"

namespace qzd::windows {
namespace {

constexpr char kFolder[] = "it is a folder, not a regular file";
constexpr char kDevice[] = "it is a device, not a regular file";
constexpr char kPipe[] = "it is a pipe, not a regular file";
constexpr char kDangling[] =
    "it is a link to a missing file, and an export creates no file through a link";
constexpr char kTheModel[] = "it is the model file";

OutputTarget Refused(std::string why) {
  return {std::wstring(), std::move(why)};
}

// A path of the device namespace (\\.\COM1, \\.\pipe\name, \\?\GLOBALROOT\...), which names no
// file of a drive or a share.
bool InDeviceNamespace(std::wstring_view path) {
  if (path.starts_with(L"\\\\.\\")) return true;
  if (!path.starts_with(L"\\\\?\\")) return false;
  const std::wstring_view rest = path.substr(4);
  const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
  return !drive && !rest.starts_with(L"UNC\\");
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (*this) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
  operator HANDLE() const { return handle_; }

 private:
  HANDLE handle_;
};

// Opens what `path` leads to, links followed, for its facts alone: a folder too, and without
// keeping anyone else from the file.
HANDLE OpenForFacts(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// A file of a fresh name in `folder` that nobody else can have opened: the create fails on any
// existing entry.
std::pair<HANDLE, std::wstring> CreateTemporary(const std::wstring& folder) {
  static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device entropy;
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring name = folder + L"\\.qzd-viewer-";
    for (int i = 0; i < 8; ++i) name += kLetters[pick(entropy)];
    name += L".tmp";
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return {file, name};
    if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return {INVALID_HANDLE_VALUE, std::wstring()};
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      ::SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::string SystemReason(unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring reason(text != nullptr ? text : L"", length);
  if (text != nullptr) ::LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
    reason.pop_back();
  if (reason.empty()) return "error " + std::to_string(error);
  return Utf8FromWide(reason);
}

OutputTarget ResolveOutput(const std::wstring& output, const std::wstring& model) {
  if (InDeviceNamespace(output)) return Refused(kDevice);
  // The entry itself, a link not followed.
  const DWORD attributes = ::GetFileAttributesW(output.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {output, std::string()};  // a new file
    return Refused(SystemReason(error));
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Refused(kFolder);
  const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const Handle file(OpenForFacts(output));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (link && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
      return Refused(kDangling);
    return Refused(SystemReason(error));
  }
  switch (::GetFileType(file)) {
    case FILE_TYPE_DISK:
      break;
    case FILE_TYPE_PIPE:
      return Refused(kPipe);
    default:
      return Refused(kDevice);
  }
  BY_HANDLE_FILE_INFORMATION facts{};
  if (!::GetFileInformationByHandle(file, &facts)) return Refused(SystemReason(::GetLastError()));
  if ((facts.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Refused(kFolder);
  const Handle input(OpenForFacts(model));
  BY_HANDLE_FILE_INFORMATION modelFacts{};
  if (input && ::GetFileInformationByHandle(input, &modelFacts) && SameFile(facts, modelFacts))
    return Refused(kTheModel);
  if (!link) return {output, std::string()};
  // Written beside the file the link leads to, and moved over that file: a move over the link
  // would replace the link.
  std::wstring real(32768, L'\0');
  const DWORD length = ::GetFinalPathNameByHandleW(
      file, real.data(), static_cast<DWORD>(real.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= real.size()) return Refused(SystemReason(::GetLastError()));
  real.resize(length);
  return {real, std::string()};
}

std::optional<std::string> ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
  const auto [file, temporary] = CreateTemporary(FolderOf(path));
  if (file == INVALID_HANDLE_VALUE) return SystemReason(::GetLastError());
  DWORD error = WriteAll(file, bytes) && ::FlushFileBuffers(file) ? 0 : ::GetLastError();
  ::CloseHandle(file);
  if (error == 0 && !::MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = ::GetLastError();
  if (error == 0) return std::nullopt;
  ::DeleteFileW(temporary.c_str());
  return SystemReason(error);
}

}  // namespace qzd::windows
