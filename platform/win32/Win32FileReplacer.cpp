#include "platform/win32/Win32FileReplacer.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "platform/win32/WholePath.h"
#include "platform/win32/Win32ErrorCategory.h"

namespace zarvex {

namespace fs = std::filesystem;

namespace {

// What the replacement keeps of the old file's attributes. Read-only never gets this far.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// WriteFile takes a 32-bit count.
constexpr std::size_t kWritePiece = std::size_t{1} << 24;

// Refuses targets the user could not overwrite by hand. Wine's MoveFileExW replaces even a
// read-only file, so this check is what protects it there.
std::error_code CheckReplaceable(DWORD attributes) {
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return Win32Error(ERROR_ACCESS_DENIED);  // what opening a folder for writing reports
  }
  if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
    return Win32Error(ERROR_NOT_SUPPORTED);
  }
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return Win32Error(ERROR_ACCESS_DENIED);
  }
  return {};
}

// The access the system grants on the file itself, as a player overwriting it by hand would meet
// it. Another program holding it open is no refusal: the move waits for it.
std::error_code CheckWritable(const fs::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const std::error_code error = LastWin32Error();
    return error.value() == ERROR_ACCESS_DENIED ? error : std::error_code{};
  }
  CloseHandle(file);
  return {};
}

// GetFinalPathNameByHandleW arrived with Vista, and with it links to files; Windows XP has
// neither, so there the path names the file itself.
using FinalPathFunction = DWORD(WINAPI*)(HANDLE, wchar_t*, DWORD, DWORD);
constexpr DWORD kFileNameNormalized = 0;  // FILE_NAME_NORMALIZED

FinalPathFunction FinalPathOfHandle() {
  static const auto function = reinterpret_cast<FinalPathFunction>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
  return function;
}

// A link at the path stays a link: the file it finally names is the one replaced, as on Linux.
// A link to nothing fails here.
std::error_code FollowLink(fs::path& path) {
  const FinalPathFunction finalPath = FinalPathOfHandle();
  if (finalPath == nullptr) {
    return {};
  }
  const HANDLE file =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return LastWin32Error();
  }
  std::wstring target(MAX_PATH, L'\0');
  DWORD length =
      finalPath(file, target.data(), static_cast<DWORD>(target.size()), kFileNameNormalized);
  if (length >= target.size()) {
    target.resize(length);
    length = finalPath(file, target.data(), static_cast<DWORD>(target.size()), kFileNameNormalized);
  }
  const std::error_code error =
      length == 0 || length >= target.size() ? LastWin32Error() : std::error_code{};
  CloseHandle(file);
  if (!error) {
    target.resize(length);
    path = target;
  }
  return error;
}

std::error_code WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto piece = static_cast<DWORD>(std::min(bytes.size(), kWritePiece));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), piece, &written, nullptr)) {
      return LastWin32Error();
    }
    bytes.remove_prefix(written);
  }
  return {};
}

// Temporary files are named "~zse", six lower-case hexadecimal digits, ".tmp": never longer than
// "gamescript.txt", so wherever the target's path fits the system's limit, theirs does too, and
// unlike anything a player keeps beside the script, so abandoned ones can be found.
constexpr std::wstring_view kTemporaryPrefix = L"~zse";
constexpr std::wstring_view kTemporarySuffix = L".tmp";
constexpr std::size_t kTemporaryDigits = 6;

bool IsTemporaryName(std::wstring_view name) {
  return name.size() == kTemporaryPrefix.size() + kTemporaryDigits + kTemporarySuffix.size() &&
         name.starts_with(kTemporaryPrefix) && name.ends_with(kTemporarySuffix) &&
         name.substr(kTemporaryPrefix.size(), kTemporaryDigits)
                 .find_first_not_of(L"0123456789abcdef") == std::wstring_view::npos;
}

std::wstring RandomTemporaryName() {
  wchar_t digits[kTemporaryDigits + 1];
  std::swprintf(digits, std::size(digits), L"%06x", std::random_device{}() % 0x1000000u);
  return std::wstring(kTemporaryPrefix) + digits + std::wstring(kTemporarySuffix);
}

ULONGLONG Ticks(const FILETIME& time) {
  return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

// A save killed between creating its temporary file and moving it leaves the file behind. Any
// such file older than the current save is removed once a save succeeds; a newer one may belong
// to another editor saving at this moment and stays. The save has happened by then, so nothing
// here may fail it: a step that fails is passed over. The system's own search, since the C
// runtime's folder listing stops at MAX_PATH.
void RemoveAbandonedTemporaries(const fs::path& folder, const FILETIME& saveStarted) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(
      (folder / (std::wstring(kTemporaryPrefix) + L"*" + std::wstring(kTemporarySuffix))).c_str(),
      &found);
  if (search == INVALID_HANDLE_VALUE) {
    return;
  }
  do {
    constexpr DWORD kNotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    if (IsTemporaryName(found.cFileName) && (found.dwFileAttributes & kNotAFile) == 0 &&
        Ticks(found.ftLastWriteTime) < Ticks(saveStarted)) {
      DeleteFileW((folder / found.cFileName).c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Growing pauses, 1.51 s in all: an on-access virus scanner on XP or 7 can hold the new file for
// a second or so, and an indexer for a moment; a file held open for good fails the save in
// little more than that.
constexpr DWORD kMovePauses[] = {10, 20, 40, 80, 160, 300, 400, 500};

bool MayPassSoon(const std::error_code& error) {
  return error.value() == ERROR_SHARING_VIOLATION || error.value() == ERROR_LOCK_VIOLATION ||
         error.value() == ERROR_ACCESS_DENIED;
}

std::error_code MoveOver(const fs::path& from, const fs::path& to) {
  for (std::size_t attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return {};
    }
    const std::error_code error = LastWin32Error();
    if (attempt == std::size(kMovePauses) || !MayPassSoon(error)) {
      return error;
    }
    Sleep(kMovePauses[attempt]);
  }
}

std::error_code ReadAll(HANDLE file, std::string& bytes) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) {
    return LastWin32Error();
  }
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto piece = static_cast<DWORD>(std::min(bytes.size() - done, kWritePiece));
    DWORD read = 0;
    if (!ReadFile(file, bytes.data() + done, piece, &read, nullptr)) {
      return LastWin32Error();
    }
    if (read == 0) {
      break;
    }
    done += read;
  }
  bytes.resize(done);
  return {};
}

// Makes the pieces the whole of the open file, on disk.
std::error_code Overwrite(HANDLE file, FileReplacer::Pieces contents) {
  if (!SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
    return LastWin32Error();
  }
  for (const std::string_view piece : contents) {
    if (std::error_code error = WriteAll(file, piece)) {
      return error;
    }
  }
  if (!SetEndOfFile(file) || !FlushFileBuffers(file)) {
    return LastWin32Error();
  }
  return {};
}

// For a folder that refuses new files or renames while the file in it may be written: the new
// bytes go over the old ones, and if writing them fails, the old bytes and length go back, so
// the file is never left half written.
std::error_code WriteInPlace(const fs::path& path, FileReplacer::Pieces contents) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return LastWin32Error();
  }
  const std::unique_ptr<void, decltype(&CloseHandle)> closer(file, &CloseHandle);
  std::string old;
  if (std::error_code error = ReadAll(file, old)) {
    return error;
  }
  const std::error_code error = Overwrite(file, contents);
  if (error) {
    const std::string_view oldBytes = old;
    (void)Overwrite(file, FileReplacer::Pieces(&oldBytes, 1));
  }
  return error;
}

// A new file beside the target with a name no other file has; deleted again unless it was
// moved over the target.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, DWORD attributes) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      path_ = target.parent_path() / RandomTemporaryName();
      handle_ =
          CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
      if (handle_ != INVALID_HANDLE_VALUE) {
        return;
      }
      error_ = LastWin32Error();
      if (error_.value() != ERROR_FILE_EXISTS && error_.value() != ERROR_ALREADY_EXISTS) {
        return;
      }
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
      DeleteFileW(path_.c_str());
    } else if (closed_ && !moved_) {
      DeleteFileW(path_.c_str());
    }
  }

  [[nodiscard]] std::error_code OpenError() const {
    return handle_ == INVALID_HANDLE_VALUE ? error_ : std::error_code{};
  }
  [[nodiscard]] HANDLE Handle() const { return handle_; }
  [[nodiscard]] const fs::path& Path() const { return path_; }

  std::error_code Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    closed_ = true;
    return CloseHandle(handle) ? std::error_code{} : LastWin32Error();
  }
  void MarkMoved() { moved_ = true; }

 private:
  fs::path path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool closed_ = false;
  bool moved_ = false;
  std::error_code error_;
};

}  // namespace

std::error_code Win32FileReplacer::Replace(const fs::path& requested, Pieces contents) {
  // Every operation below, the temporary file's included, takes this path or one beside it.
  fs::path path = WholePath(requested);

  DWORD newAttributes = FILE_ATTRIBUTE_NORMAL;
  DWORD oldAttributes = GetFileAttributesW(path.c_str());
  if (oldAttributes != INVALID_FILE_ATTRIBUTES &&
      (oldAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    if (std::error_code error = FollowLink(path)) {
      return error;
    }
    oldAttributes = GetFileAttributesW(path.c_str());
  }
  if (oldAttributes == INVALID_FILE_ATTRIBUTES) {
    const std::error_code error = LastWin32Error();
    // A missing folder fails here (ERROR_PATH_NOT_FOUND): the folder is never created.
    if (error.value() != ERROR_FILE_NOT_FOUND) {
      return error;
    }
  } else {
    if (std::error_code error = CheckReplaceable(oldAttributes)) {
      return error;
    }
    if (std::error_code error = CheckWritable(path)) {
      return error;
    }
    if ((oldAttributes & kKeptAttributes) != 0) {
      newAttributes = oldAttributes & kKeptAttributes;
    }
  }

  // Where the folder refuses the temporary file or the move but the file itself may be written.
  const auto writeInPlaceIfRefused = [&](std::error_code error) {
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;
    return exists && error.value() == ERROR_ACCESS_DENIED ? WriteInPlace(path, contents) : error;
  };

  FILETIME saveStarted;
  GetSystemTimeAsFileTime(&saveStarted);
  TemporaryFile temporary(path, newAttributes);
  if (temporary.OpenError()) {
    return writeInPlaceIfRefused(temporary.OpenError());
  }
  for (const std::string_view piece : contents) {
    if (std::error_code error = WriteAll(temporary.Handle(), piece)) {
      return error;
    }
  }
  if (!FlushFileBuffers(temporary.Handle())) {
    return LastWin32Error();
  }
  if (std::error_code error = temporary.Close()) {
    return error;
  }
  if (std::error_code error = MoveOver(temporary.Path(), path)) {
    return writeInPlaceIfRefused(error);
  }
  temporary.MarkMoved();
  RemoveAbandonedTemporaries(path.parent_path(), saveStarted);
  return {};
}

}  // namespace zarvex
