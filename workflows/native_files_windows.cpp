#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <optional>

#include "app_error.h"
#include "closing_handle.h"
#include "file_order.h"
#include "interrupt_cleanup.h"
#include "native_files.h"
#include "source_scanner.h"
#include "system_error.h"

namespace lumivane {
namespace {

// The system's own number and text for a failed call, with the path it concerns.
AppError WindowsError(DWORD number, const std::string& path) {
  char* buffer = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, number, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text =
      length != 0 ? std::string(buffer, length) : "Unknown error " + std::to_string(number);
  if (buffer != nullptr) ::LocalFree(buffer);
  // The system's texts end in a period and a line end; the path follows here.
  while (!text.empty() &&
         (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
    text.pop_back();
  }
  return AppError(static_cast<int>(number), text + ": " + path);
}

AppError LastError(const std::string& path) {
  return WindowsError(::GetLastError(), path);
}

struct File {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static DWORD Close(HANDLE handle) { return ::CloseHandle(handle) ? 0 : ::GetLastError(); }
};
using FileHandle = ClosingHandle<File>;

struct Find {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static BOOL Close(HANDLE handle) { return ::FindClose(handle); }
};
using FindHandle = ClosingHandle<Find>;

// ReadFile and WriteFile count in 32 bits.
constexpr std::size_t kLargestTransfer = 1u << 30;

// A source is read this much at a time, so that a text certain to overflow
// the conversion is not read further.
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

// A hidden-by-name, never-before-used file beside the target: CREATE_NEW
// makes it ours alone, and no fixed name can collide with another writer's.
HANDLE CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const auto cut = target.find_last_of("\\/");
  const std::string folder = cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
  const std::string leaf = cut == std::string::npos ? target : target.substr(cut + 1);
  const std::string process = std::to_string(::GetCurrentProcessId());
  for (;;) {
    temporaryPath = folder + "." + leaf + ".tmp-" + process + "-" + std::to_string(counter++);
    MarkPendingTemporary(temporaryPath);
    const HANDLE file = ::CreateFileA(temporaryPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      ClearPendingTemporary();
      throw WindowsError(error, target);
    }
  }
}

// 0, or the error number of the write that failed.
DWORD WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min(content.size(), kLargestTransfer));
    if (!::WriteFile(file, content.data(), chunk, &written, nullptr)) return ::GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    content.remove_prefix(written);
  }
  return 0;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

}  // namespace

std::optional<FileIdentity> IdentityOfPath(const std::string& path) {
  FileHandle file(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.IsOpen() || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return IdentityOf(info);
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) throw LastError(path);
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<ListedFile> ListOrdinaryFiles(const std::string& folder) {
  const std::string prefix =
      folder.empty() || folder.back() == '\\' || folder.back() == '/' ? folder : folder + "\\";
  WIN32_FIND_DATAA entry{};
  FindHandle find(::FindFirstFileA((prefix + "*").c_str(), &entry));
  if (find.Get() == INVALID_HANDLE_VALUE) throw LastError(folder);

  constexpr DWORD kLeftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN |
                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DEVICE;
  std::vector<ListedFile> files;
  do {
    std::string name = entry.cFileName;
    if (name.empty() || name.front() == '.' || (entry.dwFileAttributes & kLeftOut) != 0) continue;
    // The listing does not tell a file's identity: reading it will.
    files.push_back({std::move(name), std::nullopt});
  } while (::FindNextFileA(find.Get(), &entry));
  const DWORD error = ::GetLastError();
  if (error != ERROR_NO_MORE_FILES) throw WindowsError(error, folder);
  std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
    return FileNameBefore(a.name, b.name);
  });
  return files;
}

namespace {

// Without a scanner the file is read to its end.
SourceFile ReadOrdinaryFile(const std::string& path, SourceScanner* scanner) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) throw LastError(path);
  // A pipe or a device named like a bitmap can neither block nor feed endless data.
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) throw AppError::NotOrdinaryFile(path);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) throw LastError(path);
  const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > kLargestSource) throw WindowsError(ERROR_FILE_TOO_LARGE, path);

  SourceFile source{std::string(static_cast<std::size_t>(size), '\0'), IdentityOf(info)};
  std::string& text = source.text;
  std::size_t filled = 0;
  while (filled < text.size()) {
    DWORD got = 0;
    const auto chunk = static_cast<DWORD>(std::min(text.size() - filled, kReadChunk));
    if (!::ReadFile(file.Get(), text.data() + filled, chunk, &got, nullptr)) throw LastError(path);
    if (got == 0) break;
    // Once all is read, the conversion gives the same verdict itself.
    if (scanner != nullptr && filled + got < text.size()) {
      scanner->Feed({text.data() + filled, got});
      if (scanner->OverflowCertain()) throw AppError::Overflow();
    }
    filled += got;
  }
  text.resize(filled);
  return source;
}

}  // namespace

SourceFile ReadSourceFile(const std::string& path, const std::optional<FileIdentity>&) {
  SourceScanner scanner;
  return ReadOrdinaryFile(path, &scanner);
}

SourceFile ReadBoundedFile(const std::string& path) {
  return ReadOrdinaryFile(path, nullptr);
}

void ReplaceFileWhole(const std::string& path, std::string_view content,
                      const SourceOrigin* source) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && source != nullptr && source->identity &&
      IdentityOfPath(path) == source->identity) {
    throw OutputIsSource(path);
  }
  // A folder or a read-only file is refused as opening it for writing would refuse it.
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    throw WindowsError(ERROR_ACCESS_DENIED, path);
  }

  std::string temporaryPath;
  FileHandle temporary(CreateTemporaryBeside(path, temporaryPath));
  DWORD failure = WriteAll(temporary.Get(), content);
  if (failure == 0) failure = temporary.Close();
  if (failure == 0 && !::MoveFileExA(temporaryPath.c_str(), path.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    failure = ::GetLastError();
  }
  if (failure != 0) {
    if (temporary.IsOpen()) temporary.Close();
    ::DeleteFileA(temporaryPath.c_str());
  }
  ClearPendingTemporary();
  if (failure != 0) throw WindowsError(failure, path);
}

}  // namespace lumivane
