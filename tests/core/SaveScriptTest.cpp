#include "scriptfile/SaveScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "platform/Windows1252Encoder.h"
#include "window/GameFolder.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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
  return SaveScript(state, NativeFileReplacer(), NativeTextEncoder(), log.Recorder());
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
    EXPECT_FALSE(SaveScript(EditorState{}, throwing, NativeTextEncoder(), log.Recorder()));
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

TEST(SaveScript, AWriteThatFailsHalfwayLeavesTheOldFile) {
  ScratchWorkingDirectory folder;
  fs::create_directory("ASSETS");
  const std::string old(3000, 'o');
  WriteFile(kScript, old);

  // A child process whose file-size limit stops the write after 1 KiB stands in for a full disk.
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeEnds[0]);
    const rlimit limit{1024, 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    MessageLog log;
    const bool saved = Save(std::string(100000, 'n'), log);
    const std::string message = log.Messages().empty() ? "" : log.Messages().front();
    const std::string report = (saved ? "saved\n" : "failed\n") + message;
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
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the editor must not die of SIGXFSZ";

  EXPECT_EQ(report.substr(0, 7), "failed\n");
  EXPECT_NE(report.find(FailureHead()), std::string::npos) << report;
  EXPECT_EQ(ReadFile(kScript), old);
  EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"});
}

TEST(SaveScript, ReplacesTheFileBehindALinkAndKeepsItsPermissions) {
  ScratchWorkingDirectory folder;
  fs::create_directories("ASSETS");
  fs::create_directories("real");
  WriteFile("real/script.txt", "OLD");
  ::chmod("real/script.txt", 0640);
  fs::create_symlink("../real/script.txt", kScript);

  MessageLog log;
  EXPECT_TRUE(Save("NEW", log));
  EXPECT_TRUE(log.Messages().empty());
  EXPECT_TRUE(fs::is_symlink(kScript));
  EXPECT_EQ(ReadFile("real/script.txt"), "NEW\r\n");
  struct stat info {};
  ASSERT_EQ(::stat("real/script.txt", &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(NamesIn("real"), std::vector<std::string>{"script.txt"});
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
  const std::string dead = ".gamescript.txt." + std::to_string(child) + ".a1B2c3";
  // The first process always runs: its file stands for another editor saving right now.
  const std::string running = ".gamescript.txt.1.d4E5f6";
  const std::string unrelated = ".gamescript.txt.notes";
  for (const std::string& name : {dead, running, unrelated}) {
    WriteFile(fs::path("ASSETS") / name, "partial");
  }

  MessageLog log;
  EXPECT_TRUE(Save("NEW", log));
  EXPECT_EQ(NamesIn("ASSETS"), (std::vector<std::string>{running, unrelated, "gamescript.txt"}));
}

#endif

TEST(SaveScript, SavesUnderTheGameFolderGivenAtStart) {
  ScratchWorkingDirectory folder;
  fs::create_directories(fs::path("game") / "ASSETS");
  const fs::path missing = folder.Path() / "no such game";
  EXPECT_EQ(EnterGameFolder({}), "");
  EXPECT_EQ(EnterGameFolder(std::vector<fs::path>{"game", "other"}).substr(0, 28),
            "Give at most one argument: t");
  const std::string refused = EnterGameFolder(std::vector<fs::path>{missing});
  EXPECT_EQ(refused.substr(0, refused.find('\n')),
            "Cannot start in the game folder " + missing.string());
  EXPECT_GT(refused.size(), refused.find('\n') + 1) << "the reason is missing";
  EXPECT_EQ(fs::current_path(), folder.Path());

  EXPECT_EQ(EnterGameFolder(std::vector<fs::path>{"game"}), "");
  MessageLog log;
  EXPECT_TRUE(Save("X", log));
  EXPECT_EQ(ReadFile(folder.Path() / "game" / kScript), "X\r\n");
}

TEST(Windows1252Encoder, WritesWhatTheCodePageHoldsAndQuestionMarksTheRest) {
  const Windows1252Encoder encoder;
  EXPECT_EQ(encoder.ToFileText("  TRACK \"Arena\"\r\n"), "  TRACK \"Arena\"\r\n");
  EXPECT_EQ(encoder.ToFileText("caf\xC3\xA9 \xC2\xA0\xC3\xBF"), "caf\xE9 \xA0\xFF");
  EXPECT_EQ(encoder.ToFileText("\xE2\x82\xAC \xC5\xA0 \xE2\x80\x9C"), "\x80 \x8A \x93");
  // One "?" per character that does not fit: Cyrillic, CJK, an emoji, a C1 control.
  EXPECT_EQ(encoder.ToFileText("\xD0\x96\xE4\xB8\xAD\xF0\x9F\x98\x80\xC2\x80"), "????");
  // Broken UTF-8 is never passed through as raw bytes.
  EXPECT_EQ(encoder.ToFileText("a\xFF"
                               "b\xC3"),
            "a?b?");
  EXPECT_EQ(encoder.ToFileText("\xED\xA0\x80"), "???") << "an encoded surrogate is invalid";
}

}  // namespace
}  // namespace zarvex
