// A save killed at any moment must leave the script file exactly as it was or exactly as the save
// meant to write it, never a mix or a stub; and the next save that succeeds must leave nothing
// beside the script. A child process saves large scripts in a loop and is killed at random.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "ReferenceScriptBlock.h"
#include "SanitizedBuild.h"
#include "TestSupport.h"
#include "platform/NativePlatform.h"
#include "scriptfile/SaveScript.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::MessageLog;
using testing::NamesIn;
using testing::ReadFile;
using testing::ReferenceBlockFields;
using testing::ReferenceBlockText;
using testing::ScratchWorkingDirectory;

const fs::path kScript = fs::path("ASSETS") / "gamescript.txt";

// A script of about the given size, made of blocks naming the given track.
std::string ScriptOf(std::size_t bytes, const std::string& track) {
  ReferenceBlockFields fields;
  fields.track = track;
  fields.car = "Ka";
  const std::string block = ReferenceBlockText(fields);
  std::string script;
  script.reserve(bytes + block.size());
  while (script.size() < bytes) {
    script += block;
  }
  return script;
}

bool Save(const std::string& script) {
  MessageLog log;
  EditorState state;
  state.Text6 = script;
  return SaveScript(state, fs::current_path(), NativeFileReplacer(), NativeTextEncoder(),
                    log.Recorder());
}

enum class KillMoment { Anytime, WhileWriting };

class KilledSaves {
 public:
  KilledSaves()
      : oldScript_(ScriptOf(2'500'000, "Arena")), newScript_(ScriptOf(4'000'000, "Footy")) {
    fs::create_directory("ASSETS");
    // The fastest of a few saves, so that a slow first one does not stretch every wait.
    saveTime_ = Clock::duration::max();
    for (int save = 0; save < 3; ++save) {
      const Clock::time_point start = Clock::now();
      EXPECT_TRUE(Save(oldScript_));
      saveTime_ = std::min(saveTime_, Clock::now() - start);
    }
  }

  // Starts a child that saves the new and the old script in turn and kills it: at any moment of
  // its first two saves, or while one of its temporary files exists. Returns false if the child
  // was not killed by the signal.
  bool KillASavingChild(KillMoment moment) {
    int started[2];
    if (::pipe(started) != 0) {
      ADD_FAILURE() << "pipe failed";
      return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(started[0]);
      const char ready = 1;
      (void)::write(started[1], &ready, 1);
      // Bounded, so a child whose parent died does not save forever.
      for (int save = 0; save < 400; ++save) {
        Save(save % 2 == 0 ? newScript_ : oldScript_);
      }
      ::_exit(0);
    }
    ::close(started[1]);
    if (child < 0) {
      ::close(started[0]);
      ADD_FAILURE() << "fork failed";
      return false;
    }
    char ready = 0;
    (void)::read(started[0], &ready, 1);
    ::close(started[0]);
    Clock::duration longest = saveTime_ * 2;
    if (moment == KillMoment::WhileWriting) {
      const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(10);
      while (!SomethingBesideTheScript() && Clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      longest = saveTime_ / 4;
    }
    const auto limit = std::chrono::duration_cast<std::chrono::microseconds>(longest);
    std::this_thread::sleep_for(std::chrono::microseconds(
        std::uniform_int_distribution<long>(0, static_cast<long>(limit.count()))(random_)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

  // Whether the file holds exactly one of the two scripts and its line break.
  [[nodiscard]] bool FileIsOldOrNew() const {
    const std::string saved = ReadFile(kScript);
    return saved == oldScript_ + "\r\n" || saved == newScript_ + "\r\n";
  }

  [[nodiscard]] static bool SomethingBesideTheScript() {
    return NamesIn("ASSETS") != std::vector<std::string>{"gamescript.txt"};
  }

  [[nodiscard]] const std::string& OldScript() const { return oldScript_; }
  [[nodiscard]] double SaveMilliseconds() const {
    return std::chrono::duration<double, std::milli>(saveTime_).count();
  }

 private:
  std::string oldScript_;
  std::string newScript_;
  Clock::duration saveTime_{};
  std::mt19937 random_{20240601};
};

TEST(SaveCrashSafety, AKilledSaveLeavesTheOldOrTheNewFile) {
  ScratchWorkingDirectory folder;
  KilledSaves saves;
  const int wantedKills = testing::kSanitizedBuild ? 12 : 50;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
  int kills = 0;
  int killsDuringAWrite = 0;
  while (kills < wantedKills && Clock::now() < deadline) {
    // Half the kills at any moment, half once the save is under way, where it matters most.
    ASSERT_TRUE(
        saves.KillASavingChild(kills % 2 == 0 ? KillMoment::Anytime : KillMoment::WhileWriting));
    ++kills;
    ASSERT_TRUE(saves.FileIsOldOrNew()) << "after kill " << kills;
    // A temporary file left beside the script shows the kill came in the middle of a save.
    if (KilledSaves::SomethingBesideTheScript()) {
      ++killsDuringAWrite;
      for (const std::string& name : NamesIn("ASSETS")) {
        if (name != "gamescript.txt") {
          fs::remove(fs::path("ASSETS") / name);
        }
      }
    }
  }
  EXPECT_GE(kills, 10) << "too few kills in the time allowed";
  EXPECT_GT(killsDuringAWrite, 0) << "no kill came in the middle of a save, so none was tested";
  std::printf("%d saves killed, %d of them in the middle of writing; one save takes %.1f ms\n",
              kills, killsDuringAWrite, saves.SaveMilliseconds());
}

TEST(SaveCrashSafety, TheNextSaveLeavesNoTemporaryFileBehind) {
  ScratchWorkingDirectory folder;
  KilledSaves saves;
  for (int attempt = 0; attempt < 10 && !KilledSaves::SomethingBesideTheScript(); ++attempt) {
    ASSERT_TRUE(saves.KillASavingChild(KillMoment::WhileWriting));
  }
  ASSERT_TRUE(KilledSaves::SomethingBesideTheScript()) << "no kill came in the middle of a save";

  ASSERT_TRUE(Save(saves.OldScript()));
  EXPECT_EQ(NamesIn("ASSETS"), std::vector<std::string>{"gamescript.txt"})
      << "the temporary file of the killed save is still there";
}

}  // namespace
}  // namespace zarvex
