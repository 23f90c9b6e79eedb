#include "platform/posix/PosixFileReplacer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// Refuses targets the user could not overwrite by hand. The owner's write bit is checked even for
// root, who could otherwise replace a file its owner had marked read-only.
std::error_code CheckReplaceable(const struct stat& info) {
  if (S_ISDIR(info.st_mode)) {
    return ErrorOf(EISDIR);
  }
  if (!S_ISREG(info.st_mode)) {
    return ErrorOf(EPERM);
  }
  if ((info.st_mode & S_IWUSR) == 0) {
    return ErrorOf(EACCES);
  }
  return {};
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

// Temporary files carry the saving process's id, so that leftovers can be told from the file of
// another editor saving at this very moment.
std::string TemporaryPrefix(const fs::path& target) {
  return "." + target.filename().string() + "." + std::to_string(::getpid()) + ".";
}

// A save killed between creating its temporary file and renaming it leaves the file behind. Once
// a save succeeds, such files of processes that no longer run, or of this one, are removed.
void RemoveAbandonedTemporaries(const fs::path& target) {
  const std::string prefix = "." + target.filename().string() + ".";
  constexpr std::size_t kUniquePartLength = 6;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() < prefix.size() + kUniquePartLength + 2 ||
        name.compare(0, prefix.size(), prefix) != 0 || !entry.is_regular_file(error)) {
      continue;
    }
    const std::string_view idAndUnique = std::string_view(name).substr(prefix.size());
    const std::size_t dot = idAndUnique.size() - kUniquePartLength - 1;
    const std::string_view id = idAndUnique.substr(0, dot);
    if (idAndUnique[dot] != '.' || id.empty() ||
        id.find_first_not_of("0123456789") != std::string_view::npos || id.size() > 9) {
      continue;
    }
    const auto process = static_cast<pid_t>(std::stol(std::string(id)));
    const bool gone = process == ::getpid() || (::kill(process, 0) != 0 && errno == ESRCH);
    if (gone) {
      fs::remove(entry.path(), error);
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
    if (std::error_code error = CheckReplaceable(old)) {
      return error;
    }
  }

  TemporaryFile temporary(path);
  if (temporary.OpenError()) {
    return temporary.OpenError();
  }
  const int fd = temporary.Fd();
  // The replacement keeps the old file's permissions and, where allowed, its owner.
  if (::fchmod(fd, exists ? (old.st_mode & 07777) : NewFileMode()) != 0) {
    return LastError();
  }
  if (exists && ::geteuid() == 0) {
    (void)::fchown(fd, old.st_uid, old.st_gid);
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
  RemoveAbandonedTemporaries(path);
  return {};
}

}  // namespace zarvex
