#include "platform/posix/PosixFileReplacer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <vector>

namespace zarvex {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
  return {errno, std::system_category()};
}
std::error_code ErrorOf(int code) {
  return {code, std::system_category()};
}

// A symbolic link at the path stays a link: the file it points to is the one replaced.
std::error_code FollowLinks(fs::path& path) {
  constexpr int kMaxHops = 40;
  for (int hop = 0; hop < kMaxHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      return errno == ENOENT ? std::error_code{} : LastError();
    }
    if (!S_ISLNK(info.st_mode)) {
      return {};
    }
    std::error_code error;
    const fs::path target = fs::read_symlink(path, error);
    if (error) {
      return error;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return ErrorOf(ELOOP);
}

// Refuses targets the user could not overwrite by hand, as the system judges it for the effective
// user and groups, ACLs included. A file with no write bit at all is taken as marked read-only,
// even for root, whom the system would let write it.
std::error_code CheckReplaceable(const fs::path& path, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) {
    return ErrorOf(EISDIR);
  }
  if (!S_ISREG(info.st_mode)) {
    return ErrorOf(EPERM);
  }
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return ErrorOf(EACCES);
  }
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    return LastError();
  }
  return {};
}

// A folder that takes no new file, or lets none be renamed over the target, may still let the
// target itself be written, as a shell's ">" would.
bool FolderRefused(std::error_code error) {
  return error.value() == EACCES || error.value() == EPERM;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return LastError();
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return {};
}

mode_t NewFileMode() {
  // umask can only be read by setting it; the editor has one thread, so this is safe.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// Temporary files are named this prefix, the saving process's id, a dot and a unique part, so
// that leftovers can be told from the file of another editor saving at this very moment.
std::string LeftoverPrefix(const fs::path& target) {
  return "." + target.filename().string() + ".";
}
std::string TemporaryPrefix(const fs::path& target) {
  return LeftoverPrefix(target) + std::to_string(::getpid()) + ".";
}

// A save killed between creating its temporary file and renaming it leaves the file behind. Once
// a save succeeds, such files of processes that no longer run, or of this one, are removed. The
// save has happened by then, so nothing here may fail it.
void RemoveAbandonedTemporaries(const fs::path& target) noexcept {
  const std::string prefix = LeftoverPrefix(target);
  constexpr std::size_t kUniquePartLength = 6;
  std::error_code error;
  for (fs::directory_iterator entry(target.parent_path(), error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path file = entry->path().filename();
    const std::string_view name = file.native();
    if (name.size() < prefix.size() + kUniquePartLength + 2 || !name.starts_with(prefix)) {
      continue;
    }
    const std::string_view idAndUnique = name.substr(prefix.size());
    const std::size_t dot = idAndUnique.size() - kUniquePartLength - 1;
    pid_t process = 0;
    const auto [idEnd, parse] =
        std::from_chars(idAndUnique.data(), idAndUnique.data() + dot, process);
    if (idAndUnique[dot] != '.' || parse != std::errc() || idEnd != idAndUnique.data() + dot ||
        process <= 0) {
      continue;
    }
    std::error_code ignored;
    const bool gone = process == ::getpid() || (::kill(process, 0) != 0 && errno == ESRCH);
    if (gone && entry->is_regular_file(ignored)) {
      fs::remove(entry->path(), ignored);
    }
  }
}

void FlushFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    // The rename has happened by now; a folder that cannot be flushed is no reason to report a
    // failed save, since the new contents are in place.
    ::fsync(fd);
    ::close(fd);
  }
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    const fs::path pattern = target.parent_path() / (TemporaryPrefix(target) + "XXXXXX");
    name_.assign(pattern.c_str(), pattern.c_str() + pattern.native().size() + 1);
    fd_ = ::mkostemp(name_.data(), O_CLOEXEC);
    if (fd_ < 0) {
      error_ = LastError();
    } else {
      created_ = true;
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    if (created_ && !renamed_) {
      ::unlink(name_.data());
    }
  }

  [[nodiscard]] std::error_code OpenError() const { return error_; }
  [[nodiscard]] int Fd() const { return fd_; }
  [[nodiscard]] const char* Name() const { return name_.data(); }

  std::error_code Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0 ? std::error_code{} : LastError();
  }
  void MarkRenamed() { renamed_ = true; }

 private:
  std::vector<char> name_;
  int fd_ = -1;
  bool created_ = false;
  bool renamed_ = false;
  std::error_code error_;
};

// Writes the new contents through a temporary file renamed over the target: a reader sees the old
// or the new file, never a mix. `old` is the target's status, or null when there is none.
std::error_code ReplaceThroughTemporary(const fs::path& path, const struct stat* old,
                                        FileReplacer::Pieces contents) {
  TemporaryFile temporary(path);
  if (temporary.OpenError()) {
    return temporary.OpenError();
  }
  const int fd = temporary.Fd();
  // The replacement keeps the old file's owner where allowed, then its whole mode (changing the
  // owner may clear set-id bits, so the mode comes second).
  if (old != nullptr && ::geteuid() == 0) {
    (void)::fchown(fd, old->st_uid, old->st_gid);
  }
  if (::fchmod(fd, old != nullptr ? (old->st_mode & 07777) : NewFileMode()) != 0) {
    return LastError();
  }
  for (const std::string_view piece : contents) {
    if (std::error_code error = WriteAll(fd, piece)) {
      return error;
    }
  }
  if (::fsync(fd) != 0) {
    return LastError();
  }
  if (std::error_code error = temporary.Close()) {
    return error;
  }
  if (::rename(temporary.Name(), path.c_str()) != 0) {
    return LastError();
  }
  temporary.MarkRenamed();
  FlushFolder(path.parent_path());
  return {};
}

std::error_code ReadAll(int fd, std::string& bytes) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) {
      return {};
    }
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      return LastError();
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

// Writes the file's contents from its start and cuts it to the new length, then flushes it.
std::error_code Overwrite(int fd, FileReplacer::Pieces contents) {
  off_t length = 0;
  if (::lseek(fd, 0, SEEK_SET) != 0) {
    return LastError();
  }
  for (const std::string_view piece : contents) {
    if (std::error_code error = WriteAll(fd, piece)) {
      return error;
    }
    length += static_cast<off_t>(piece.size());
  }
  if (::ftruncate(fd, length) != 0 || ::fsync(fd) != 0) {
    return LastError();
  }
  return {};
}

// For a folder that refuses the temporary file or the rename: the target is written where it
// stands. Its old bytes are read first and put back if the write fails, so it is never left half
// new; owner and mode stay as they were.
std::error_code WriteInPlace(const fs::path& path, FileReplacer::Pieces contents) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    return LastError();
  }
  std::string old;
  std::error_code error = ReadAll(fd, old);
  if (!error) {
    error = Overwrite(fd, contents);
    if (error) {
      const std::string_view oldContents[] = {old};
      (void)Overwrite(fd, oldContents);
    }
  }
  ::close(fd);
  return error;
}

}  // namespace

std::error_code PosixFileReplacer::Replace(const fs::path& requested, Pieces contents) {
  fs::path path = requested;
  if (std::error_code error = FollowLinks(path)) {
    return error;
  }
  if (path.parent_path().empty()) {
    path = fs::path(".") / path;
  }

  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    return LastError();
  }
  if (exists) {
    if (std::error_code error = CheckReplaceable(path, old)) {
      return error;
    }
  }
  std::error_code error = ReplaceThroughTemporary(path, exists ? &old : nullptr, contents);
  if (error && exists && FolderRefused(error)) {
    error = WriteInPlace(path, contents);
  }
  if (!error) {
    RemoveAbandonedTemporaries(path);
  }
  return error;
}

}  // namespace zarvex
