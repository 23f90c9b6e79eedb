#include "scriptfile/SaveScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "platform/Utf8.h"
#include "platform/Windows1252Encoder.h"
#include "window/GameFolder.h"

#ifndef _WIN32
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::MessageLog;
using testing::NamesIn;
using testing::ReadFile;
using testing::ScratchWorkingDirectory;
using testing::WriteFile;

const fs::path kScript = fs::path("ASSETS") / "gamescript.txt";

bool Save(std::string_view text, MessageLog& log) {
  EditorState state;
  state.Text6 = text;
  return SaveScript(state, fs::current_path(), NativeFileReplacer(), NativeTextEncoder(),
                    log.Recorder());
}

// The failure message names the whole path and, on its second line, the system's reason.
std::string FailureHead() {
  return "Could not save the script to " + (fs::current_path() / kScript).string() + "\n";
}
void ExpectFailureMessage(const MessageLog& log) {
  ASSERT_EQ(log.Messages().size(), 1u);
  const std::string& message = log.Messages().front();
  EXPECT_EQ(message.substr(0, FailureHead().size()), FailureHead());
  EXPECT_GT(message.size(), FailureHead().size()) << "the reason is missing";
}

TEST(SaveScript, WritesTheScriptAndOneLineBreak) {
  ScratchWorkingDirectory folder;
  fs::create_directory("ASSETS");
  MessageLog log;
  {
    SCOPED_TRACE("an empty script gives CR LF alone");
    EXPECT_TRUE(Save("", log));
    EXPECT_EQ(ReadFile(kScript), "\r\n");
  }
  {
    SCOPED_TRACE("saving again replaces, never appends");
    EXPECT_TRUE(Save("END\r\n\r\n", log));
    EXPECT_TRUE(Save("END\r\n\r\n", log));
    EXPECT_EQ(ReadFile(kScript), "END\r\n\r\n\r\n");
  }
  EXPECT_TRUE(log.Messages().empty()) << "success is silent";
  EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
}

TEST(SaveScript, FailuresAreReportedAndKeepTheOldFile) {
  {
    SCOPED_TRACE("an unexpected failure inside the writer still gives its reason");
    struct ThrowingReplacer final : FileReplacer {
      using FileReplacer::Replace;
      std::error_code Replace(const fs::path&, Pieces) override {
        throw std::runtime_error("the disk went away");
      }
    } throwing;
    ScratchWorkingDirectory folder;
    MessageLog log;
    EXPECT_FALSE(SaveScript(EditorState{}, {}, throwing, NativeTextEncoder(), log.Recorder()));
    EXPECT_EQ(log.Messages(), std::vector<std::string>{FailureHead() + "the disk went away"});
  }
  {
    SCOPED_TRACE("no ASSETS folder: nothing is created");
    ScratchWorkingDirectory folder;
    MessageLog log;
    EXPECT_FALSE(Save("X", log));
    ExpectFailureMessage(log);
    EXPECT_TRUE(NamesIn(".").empty());
  }
  {
    SCOPED_TRACE("the target is a folder");
    ScratchWorkingDirectory folder;
    fs::create_directories(kScript);
    MessageLog log;
    EXPECT_FALSE(Save("X", log));
    ExpectFailureMessage(log);
    EXPECT_TRUE(fs::is_directory(kScript));
    EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
  }
  {
    SCOPED_TRACE("the target is read-only");
    ScratchWorkingDirectory folder;
    fs::create_directory("ASSETS");
    WriteFile(kScript, "OLD\r\n");
    fs::permissions(kScript,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    MessageLog log;
    EXPECT_FALSE(Save("NEW", log));
    ExpectFailureMessage(log);
    EXPECT_EQ(ReadFile(kScript), "OLD\r\n");
    EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
  }
}

#ifndef _WIN32

// Faults the system could give the replacer at any time, injected here: this test program's own
// definitions stand in for the C library's, and pass every call through while nothing is armed.
struct SystemFaults {
  int interruptedWrites = 0;       // writes that fail with EINTR before one goes through
  int failedFileReads = 0;         // reads of a file that fail with EIO, from the next one on
  int failedTruncates = 0;         // likewise ftruncate
  int failedFileSyncs = 0;         // likewise fsync of a file
  int readdirsBeforeFailure = -1;  // readdir fails with EIO after this many entries
  int folderSyncs = 0;             // counts fsync of folders
} faults;

// Uses up one of the failures armed, if any is left.
bool Fail(int& armed) {
  if (armed <= 0) {
    return false;
  }
  --armed;
  errno = EIO;
  return true;
}

}  // namespace
}  // namespace zarvex

extern "C" ssize_t write(int fd, const void* bytes, size_t count) {
  if (zarvex::faults.interruptedWrites > 0) {
    --zarvex::faults.interruptedWrites;
    errno = EINTR;
    return -1;
  }
  return ::syscall(SYS_write, fd, bytes, count);
}

// Only files' reads fail: the test's own pipes and folders are read as usual.
extern "C" ssize_t read(int fd, void* bytes, size_t count) {
  struct stat info {};
  if (zarvex::faults.failedFileReads > 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      zarvex::Fail(zarvex::faults.failedFileReads)) {
    return -1;
  }
  return ::syscall(SYS_read, fd, bytes, count);
}

extern "C" int ftruncate(int fd, off_t length) {
  return zarvex::Fail(zarvex::faults.failedTruncates)
             ? -1
             : static_cast<int>(::syscall(SYS_ftruncate, fd, length));
}

extern "C" int fsync(int fd) {
  struct stat info {};
  const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  zarvex::faults.folderSyncs += folder ? 1 : 0;
  if (!folder && zarvex::Fail(zarvex::faults.failedFileSyncs)) {
    return -1;
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" struct dirent* readdir(DIR* folder) {
  static const auto real =
      reinterpret_cast<struct dirent* (*)(DIR*)>(::dlsym(RTLD_NEXT, "readdir"));
  if (zarvex::faults.readdirsBeforeFailure == 0) {
    errno = EIO;
    return nullptr;
  }
  zarvex::faults.readdirsBeforeFailure -= zarvex::faults.readdirsBeforeFailure > 0 ? 1 : 0;
  return real(folder);
}

namespace zarvex {
namespace {

constexpr uid_t kOtherPlayer = 65534;  // nobody

// Saves in a child process, as another player and with a file-size limit where asked, and returns
// "saved" or "failed" with the message shown. The child has no standard input, as when started by
// a launcher that closes it, so the first file the save opens gets descriptor 0.
std::string SaveInChild(const std::string& text, bool asOtherPlayer, rlim_t fileSizeLimit) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) {
    return "no pipe";
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeEnds[0]);
    ::close(0);
    const rlimit limit{fileSizeLimit, fileSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    if (asOtherPlayer && (::setgroups(0, nullptr) != 0 || ::setgid(kOtherPlayer) != 0 ||
                          ::setuid(kOtherPlayer) != 0)) {
      ::_exit(1);
    }
    MessageLog log;
    const bool saved = Save(text, log);
    const std::string report =
        (saved ? "saved" : "failed") + (log.Messages().empty() ? "" : "\n" + log.Messages()[0]);
    (void)!::write(pipeEnds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string report;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    report.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? report : "the editor died of signal " + std::to_string(status);
}

struct stat StatusOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

TEST(SaveScript, AWriteThatFailsHalfwayLeavesTheOldFile) {
  ScratchWorkingDirectory folder;
  fs::create_directory("ASSETS");
  const std::string old(3000, 'o');
  WriteFile(kScript, old);
  // A file-size limit that stops the write after 1 KiB stands in for a full disk.
  const std::string report = SaveInChild(std::string(100000, 'n'), false, 1024);
  EXPECT_EQ(report.substr(0, 7 + FailureHead().size()), "failed\n" + FailureHead());
  EXPECT_EQ(ReadFile(kScript), old);
  EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
}

TEST(SaveScript, SystemFaultsDuringTheSave) {
  ScratchWorkingDirectory folder;
  fs::create_directory("ASSETS");
  MessageLog log;
  {
    SCOPED_TRACE("an interrupted write is tried again");
    faults.interruptedWrites = 3;
    EXPECT_TRUE(Save("OLD", log));
    EXPECT_EQ(ReadFile(kScript), "OLD\r\n");
  }
  {
    SCOPED_TRACE("the folder is flushed after the rename, the working folder for a bare name");
    faults.folderSyncs = 0;
    EXPECT_TRUE(Save("OLD", log));
    EXPECT_EQ(faults.folderSyncs, 1);
    EXPECT_EQ(NativeFileReplacer().Replace("bare.txt", "x"), std::error_code());
    EXPECT_EQ(faults.folderSyncs, 2);
    EXPECT_EQ(ReadFile("bare.txt"), "x");
  }
  {
    SCOPED_TRACE("descriptor 0 is a file like any other, and only the save's own are closed");
    const int input = ::dup(0);  // none when the test runs without standard input
    ::close(0);
    faults.folderSyncs = 0;
    EXPECT_TRUE(Save("OLD", log));
    EXPECT_EQ(faults.folderSyncs, 1);
    ASSERT_EQ(::open("/dev/null", O_RDONLY), 0) << "the save left a descriptor open";
    EXPECT_TRUE(Save("OLD", log));
    EXPECT_NE(::fcntl(0, F_GETFD), -1) << "the save closed a descriptor it did not open";
    if (input >= 0) {
      ::dup2(input, 0);
      ::close(input);
    }
  }
  {
    SCOPED_TRACE("a failed flush of the file fails the save and keeps the old bytes");
    faults.failedFileSyncs = 1;
    EXPECT_FALSE(Save("NEW", log));
    ExpectFailureMessage(log);
    EXPECT_EQ(ReadFile(kScript), "OLD\r\n");
    EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
  }
  {
    SCOPED_TRACE("a folder that cannot be read to its end after the rename fails no save");
    WriteFile(fs::path("ASSETS") / "notes.txt", "");
    faults.readdirsBeforeFailure = 3;  // past the first name, whatever the order
    MessageLog quiet;
    EXPECT_TRUE(Save("NEW", quiet));
    faults.readdirsBeforeFailure = -1;
    EXPECT_TRUE(quiet.Messages().empty());
    EXPECT_EQ(ReadFile(kScript), "NEW\r\n");
  }
  {
    SCOPED_TRACE("every save lets go of what it opened: 200 saves with 64 files open at most");
    rlimit old{};
    ::getrlimit(RLIMIT_NOFILE, &old);
    const rlimit low{64, old.rlim_max};
    ::setrlimit(RLIMIT_NOFILE, &low);
    int saved = 0;
    for (int i = 0; i < 200; ++i) {
      saved += Save("NEW", log) ? 1 : 0;
    }
    ::setrlimit(RLIMIT_NOFILE, &old);
    EXPECT_EQ(saved, 200);
  }
}

TEST(SaveScript, KeepsOwnerAndModeAndFollowsLinks) {
  ScratchWorkingDirectory folder;
  fs::create_directories("ASSETS");
  MessageLog log;
  {
    SCOPED_TRACE("a new file's mode follows the umask");
    const mode_t mask = ::umask(022);
    EXPECT_TRUE(Save("NEW", log));
    ::umask(mask);
    EXPECT_EQ(StatusOf(kScript).st_mode & 07777, 0644u);
  }
  {
    SCOPED_TRACE("an existing file keeps its whole mode, execute bits too");
    ::chmod(kScript.c_str(), 0755);
    EXPECT_TRUE(Save("NEW", log));
    EXPECT_EQ(StatusOf(kScript).st_mode & 07777, 0755u);
  }
  if (::geteuid() == 0) {
    SCOPED_TRACE("root saving over another player's file leaves its owner and group");
    ASSERT_EQ(::chown(kScript.c_str(), kOtherPlayer, kOtherPlayer), 0);
    EXPECT_TRUE(Save("NEW", log));
    EXPECT_EQ(StatusOf(kScript).st_uid, kOtherPlayer);
    EXPECT_EQ(StatusOf(kScript).st_gid, kOtherPlayer);
  }
  {
    SCOPED_TRACE("a link stays, and the file it points to is replaced");
    fs::create_directories("real");
    WriteFile("real/script.txt", "OLD");
    ::chmod("real/script.txt", 0640);
    fs::remove(kScript);
    fs::create_symlink("../real/script.txt", kScript);
    EXPECT_TRUE(Save("NEW", log));
    EXPECT_TRUE(fs::is_symlink(kScript));
    EXPECT_EQ(ReadFile("real/script.txt"), "NEW\r\n");
    EXPECT_EQ(StatusOf("real/script.txt").st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn("real"), std::vector<std::string>{"script.txt"});
  }
  EXPECT_TRUE(log.Messages().empty());
  {
    SCOPED_TRACE("a link to itself fails with the system's reason");
    fs::remove(kScript);
    fs::create_symlink("gamescript.txt", kScript);
    EXPECT_FALSE(Save("NEW", log));
    EXPECT_EQ(log.Messages(),
              std::vector<std::string>{FailureHead() + std::generic_category().message(ELOOP)});
  }
}

// Another player, with the folder and the file set up as the row says: the save succeeds exactly
// where that player could overwrite the file by hand.
TEST(SaveScript, AnotherPlayerSavesWhereAPlainOverwriteWould) {
  if (::geteuid() != 0) {
    GTEST_SKIP() << "needs root to set up files of another player";
  }
  ScratchWorkingDirectory folder;
  ::chmod(".", 0755);
  fs::create_directory("ASSETS");
  const std::string old(500, 'o');
  {
    SCOPED_TRACE("the folder refuses new files but the file may be written: written in place");
    ::chmod("ASSETS", 0755);
    WriteFile(kScript, old);
    ::chmod(kScript.c_str(), 0666);
    EXPECT_EQ(SaveInChild("NEW", true, RLIM_INFINITY), "saved");
    EXPECT_EQ(ReadFile(kScript), "NEW\r\n");
    EXPECT_EQ(StatusOf(kScript).st_uid, 0u);
  }
  {
    SCOPED_TRACE("that write failing halfway puts the old bytes back");
    WriteFile(kScript, old);
    const std::string report = SaveInChild(std::string(100000, 'n'), true, 1024);
    EXPECT_EQ(report.substr(0, 7 + FailureHead().size()), "failed\n" + FailureHead());
    EXPECT_EQ(ReadFile(kScript), old);
  }
  for (const auto& [step, fault] :
       {std::pair{"reading the old bytes", &SystemFaults::failedFileReads},
        std::pair{"cutting to length", &SystemFaults::failedTruncates},
        std::pair{"flushing", &SystemFaults::failedFileSyncs}}) {
    SCOPED_TRACE(std::string(step) +
                 " fails in place: the system's reason is given, the old file stays");
    WriteFile(kScript, old);
    faults.*fault = 1;  // the child's copy uses it up; this process's must not fail ReadFile
    const std::string report = SaveInChild(std::string(1000, 'n'), true, RLIM_INFINITY);
    faults.*fault = 0;
    EXPECT_EQ(report, "failed\n" + FailureHead() + std::generic_category().message(EIO));
    EXPECT_EQ(ReadFile(kScript), old);
  }
  {
    SCOPED_TRACE("an open folder does not make another player's read-only file writable");
    ::chmod("ASSETS", 0777);
    ::chmod(kScript.c_str(), 0644);
    EXPECT_EQ(SaveInChild("NEW", true, RLIM_INFINITY),
              "failed\n" + FailureHead() + std::generic_category().message(EACCES));
    EXPECT_EQ(ReadFile(kScript), old);
    EXPECT_EQ(StatusOf(kScript).st_uid, 0u);
  }
  EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
}

TEST(SaveScript, ClearsOnlyTheTemporaryFilesOfSavesThatDied) {
  ScratchWorkingDirectory folder;
  fs::create_directory("ASSETS");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::_exit(0);
  }
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  // Another editor saving now, with an id of several digits. It runs until the pipe closes, so it
  // ends with this test even if the save crashes.
  int runningPipe[2];
  ASSERT_EQ(::pipe(runningPipe), 0);
  const pid_t running = ::fork();
  ASSERT_GE(running, 0);
  if (running == 0) {
    ::close(runningPipe[1]);
    char ignored;
    (void)!::read(runningPipe[0], &ignored, 1);
    ::_exit(0);
  }
  ::close(runningPipe[0]);
  std::vector<std::string> dead = {
      ".gamescript.txt." + std::to_string(child) + ".a1B2c3",
      ".gamescript.txt." + std::to_string(::getpid()) + ".a1B2c3",  // of a dead editor with our id
      ".gamescript.txt.99999999.a1B2c3",                            // past any process id in use
  };
  std::vector<std::string> kept = {
      ".gamescript.txt." + std::to_string(running) + ".d4E5f6",
      ".gamescript.txt.1.d4E5f6",  // the first process always runs
      ".gamescript.txt.123-backup",
      ".gamescript.txt.99999999999999999999.a1B2c3",  // no process id has so many digits
      ".gamescript.txt.notes",
      ".gamescript.txt.old.backup",
      ".gamescript.txx." + std::to_string(child) + ".a1B2c3",  // other files', of the same length
      "gamescript.txt",
      "xgamescript.txt." + std::to_string(child) + ".a1B2c3",
  };
  for (const auto* names : {&dead, &kept}) {
    for (const std::string& name : *names) {
      WriteFile(fs::path("ASSETS") / name, "partial");
    }
  }
  MessageLog log;
  EXPECT_TRUE(Save("NEW", log));
  ::close(runningPipe[1]);
  ::waitpid(running, nullptr, 0);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(NamesIn("ASSETS"), kept);
}

#endif

TEST(SaveScript, SavesUnderTheGameFolderGivenAtStart) {
  ScratchWorkingDirectory folder;
  fs::create_directories(fs::path("game") / "ASSETS");
  WriteFile("a file", "");
  // A game folder of 300 characters: past what Windows lets a program enter without long paths.
  fs::path deep = folder.Path();
  while (deep.native().size() < 240) {
    deep /= std::string(std::min<std::size_t>(60, 240 - deep.native().size() - 1), 'd');
  }
  // Only the last name crosses MAX_PATH, so that moving it out brings the rest within reach.
  deep /= std::string(300 - deep.native().size() - 1, 'd');
  fs::create_directories(deep / "ASSETS");
  const auto startIn = [](std::vector<fs::path> arguments) { return GameFolderOf(arguments); };
  const auto refusedFirstLine = [&](const fs::path& argument) {
    const std::string refused = startIn({argument}).refusal;
    EXPECT_GT(refused.size(), refused.find('\n') + 1) << "the reason is missing";
    return refused.substr(0, refused.find('\n'));
  };
  EXPECT_EQ(startIn({}).path, folder.Path());
  EXPECT_EQ(startIn({"game", "other"}).refusal.substr(0, 28), "Give at most one argument: t");
  EXPECT_EQ(startIn({""}).refusal,
            "The game folder's name is empty: give the folder that holds ASSETS.");
  const fs::path missing = folder.Path() / "no such game";
  EXPECT_EQ(refusedFirstLine(missing), "Cannot start in the game folder " + missing.string());
  EXPECT_EQ(refusedFirstLine("a file"),
            "Cannot start in the game folder " + (folder.Path() / "a file").string());
  MessageLog log;
  EditorState state;
  state.Text6 = "X";
  for (const auto& [argument, whole] :
       {std::pair{fs::path("game"), folder.Path() / "game"}, std::pair{deep, deep}}) {
    SCOPED_TRACE(whole.string().size());
    const GameFolder game = startIn({argument});
    EXPECT_EQ(game.refusal, "");
    EXPECT_EQ(game.path, whole);
    EXPECT_EQ(fs::current_path(), folder.Path()) << "the folder is kept, not entered";
    EXPECT_TRUE(
        SaveScript(state, game.path, NativeFileReplacer(), NativeTextEncoder(), log.Recorder()))
        << log.Messages().back();
    EXPECT_EQ(ReadFile(whole / kScript), "X\r\n");
  }
  // Within reach of the scratch folder's clean-up: the C runtime lists no folder that deep.
  fs::rename(deep, folder.Path() / "deep");
}

TEST(Windows1252Encoder, WritesWhatTheCodePageHoldsAndQuestionMarksTheRest) {
  const Windows1252Encoder encoder;
  EXPECT_EQ(encoder.ToFileText("  TRACK \"Arena\"\r\n"), "  TRACK \"Arena\"\r\n");
  EXPECT_EQ(encoder.ToFileText("caf\xC3\xA9 \xC2\xA0\xC3\xBF"), "caf\xE9 \xA0\xFF");
  // Bytes 0x80 to 0x9F as the code page's published table gives them, the five it leaves
  // undefined aside.
  // clang-format off
  const std::pair<char32_t, char> published[] = {
      {0x20AC, '\x80'}, {0x201A, '\x82'}, {0x0192, '\x83'}, {0x201E, '\x84'}, {0x2026, '\x85'},
      {0x2020, '\x86'}, {0x2021, '\x87'}, {0x02C6, '\x88'}, {0x2030, '\x89'}, {0x0160, '\x8A'},
      {0x2039, '\x8B'}, {0x0152, '\x8C'}, {0x017D, '\x8E'}, {0x2018, '\x91'}, {0x2019, '\x92'},
      {0x201C, '\x93'}, {0x201D, '\x94'}, {0x2022, '\x95'}, {0x2013, '\x96'}, {0x2014, '\x97'},
      {0x02DC, '\x98'}, {0x2122, '\x99'}, {0x0161, '\x9A'}, {0x203A, '\x9B'}, {0x0153, '\x9C'},
      {0x017E, '\x9E'}, {0x0178, '\x9F'},
  };
  // clang-format on
  for (const auto& [character, byte] : published) {
    std::string utf8;
    AppendUtf8(utf8, character);
    EXPECT_EQ(encoder.ToFileText(utf8), std::string(1, byte))
        << "U+" << std::hex << static_cast<std::uint32_t>(character);
  }
  // The five bytes the code page leaves undefined stand for the control characters of their number.
  EXPECT_EQ(encoder.ToFileText("\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"), "\x81\x8D\x8F\x90\x9D");
  // One "?" per character that does not fit, one per byte of broken UTF-8, which is never passed
  // through as raw bytes.
  // clang-format off
  const std::pair<std::string_view, std::string_view> decoded[] = {
      {"\x7F", "\x7F"},                     // the edges of each length
      {"\xC2\x80", "?"},                    // a C1 control
      {"\xC4\x80", "?"},
      {"\xDF\xBF", "?"},
      {"\xE0\xA0\x80", "?"},
      {"\xEF\xBF\xBF", "?"},
      {"\xF0\x90\x80\x80", "?"},
      {"\xF4\x8F\xBF\xBF", "?"},
      {"\xF4\x90\x80\x80", "????"},         // past U+10FFFF
      {"\xF5\x80\x80\x80\xFC\x80\x80\x80", "????????"},  // no lead byte
      {"\xC0\x80\xC1\xBF", "????"},         // overlong
      {"\xE0\x9F\xBF", "???"},
      {"\xF0\x8F\xBF\xBF", "????"},
      {"\xED\x9F\xBF\xEE\x80\x80", "??"},   // either side of the surrogates
      {"\xED\xA0\x80\xED\xBF\xBF", "??????"},
      {"\x80 \xBF", "? ?"},                 // a continuation byte alone
      {"\xFF", "?"},
      {"\xC3" "a\xE2\x82" "b\xF0\x9F\x98" "c", "?a??b???c"},  // cut off
      {"\xE2\x82\xC3\xA9", "??\xE9"},
      {std::string_view("\xE2\x82\xAC", 2), "??"},  // the text ends first
      {"1234567\xC3\xA9\xD0\x96", "1234567\xE9?"},  // after a run of ASCII
  };
  // clang-format on
  for (const auto& [utf8, bytes] : decoded) {
    EXPECT_EQ(encoder.ToFileText(utf8), bytes) << ::testing::PrintToString(std::string(utf8));
  }
  // Characters past U+FFFF, written in four bytes and read back whole.
  // clang-format off
  const std::pair<char32_t, std::string_view> fourBytes[] = {
      {0x10000, "\xF0\x90\x80\x80"}, {0x1F600, "\xF0\x9F\x98\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  // clang-format on
  for (const auto& [character, bytes] : fourBytes) {
    std::string utf8;
    AppendUtf8(utf8, character);
    EXPECT_EQ(utf8, bytes);
    std::size_t position = 0;
    EXPECT_EQ(NextUtf8Char(utf8, position), character);
    EXPECT_EQ(position, 4u);
  }
}

}  // namespace
}  // namespace zarvex
