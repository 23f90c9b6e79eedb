#include "platform/win32/Win32FileReplacer.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

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

// A link at the path stays a link: the file it finally names is the one replaced, as on Linux.
// A link to nothing fails here.
std::error_code FollowLink(fs::path& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return LastWin32Error();
  }
  std::wstring target(MAX_PATH, L'\0');
  DWORD length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()),
                                           FILE_NAME_NORMALIZED);
  if (length >= target.size()) {
    target.resize(length);
    length = GetFinalPathNameByHandleW(file, target.data(), static_cast<DWORD>(target.size()),
                                       FILE_NAME_NORMALIZED);
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

// Temporary files are named "~" + the target's name + "." + a unique part of digits and dashes +
// ".tmp", so that abandoned ones can be told from anything else in the folder.
std::wstring TemporaryPrefix(const fs::path& target) {
  return L"~" + target.filename().native() + L".";
}
constexpr std::wstring_view kTemporarySuffix = L".tmp";

bool IsTemporaryOf(std::wstring_view name, const std::wstring& prefix) {
  if (name.size() <= prefix.size() + kTemporarySuffix.size() || !name.starts_with(prefix) ||
      !name.ends_with(kTemporarySuffix)) {
    return false;
  }
  name.remove_prefix(prefix.size());
  name.remove_suffix(kTemporarySuffix.size());
  return name.find_first_not_of(L"0123456789-") == std::wstring_view::npos;
}

// A save killed between creating its temporary file and moving it leaves the file behind. Any
// such file older than the current save is removed once a save succeeds; a newer one may belong
// to another editor saving at this moment and stays.
void RemoveAbandonedTemporaries(const fs::path& target, fs::file_time_type saveStarted) {
  const std::wstring prefix = TemporaryPrefix(target);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
    if (!IsTemporaryOf(entry.path().filename().native(), prefix) || !entry.is_regular_file(error)) {
      continue;
    }
    const auto modified = entry.last_write_time(error);
    if (!error && modified < saveStarted) {
      fs::remove(entry.path(), error);
    }
  }
}

// A new file beside the target with a name no other file has; deleted again unless it was
// moved over the target.
class TemporaryFile {
 public:
  TemporaryFile(const fs::path& target, DWORD attributes) {
    static unsigned counter = 0;
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      const std::wstring unique = std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(GetTickCount64()) + L"-" +
                                  std::to_wstring(++counter);
      path_ = target.parent_path() /
              (TemporaryPrefix(target) + unique + std::wstring(kTemporarySuffix));
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
  fs::path path = requested.parent_path().empty() ? fs::path(L".") / requested : requested;

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
    if ((oldAttributes & kKeptAttributes) != 0) {
      newAttributes = oldAttributes & kKeptAttributes;
    }
  }

  const auto saveStarted = fs::file_time_type::clock::now();
  TemporaryFile temporary(path, newAttributes);
  if (temporary.OpenError()) {
    return temporary.OpenError();
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
  if (!MoveFileExW(temporary.Path().c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastWin32Error();
  }
  temporary.MarkMoved();
  RemoveAbandonedTemporaries(path, saveStarted);
  return {};
}

}  // namespace zarvex
