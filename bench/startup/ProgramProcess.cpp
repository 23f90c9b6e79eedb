#include "bench/startup/ProgramProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace zarvex::startup {

namespace {

// The fields of /proc/<pid>/stat after the command name, which may itself hold blanks.
std::vector<std::string> StatFields(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(file, line);
  std::vector<std::string> fields;
  const auto nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos) {
    return fields;
  }
  std::istringstream rest(line.substr(nameEnd + 1));
  for (std::string field; rest >> field;) {
    fields.push_back(field);
  }
  return fields;
}

bool IsLive(pid_t pid) {
  const auto fields = StatFields(pid);
  return !fields.empty() && fields[0] != "Z" && fields[0] != "X";
}

unsigned long long StartTicks(pid_t pid) {
  const auto fields = StatFields(pid);
  // Field 22 of stat, the 20th after the name.
  return fields.size() > 19 ? std::stoull(fields[19]) : 0;
}

std::string Lowered(std::string text) {
  for (char& c : text) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return text;
}

bool CommandLineNames(pid_t pid, const std::string& program) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline");
  for (std::string argument; std::getline(file, argument, '\0');) {
    const auto slash = argument.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? argument : argument.substr(slash + 1);
    if (Lowered(name) == Lowered(program)) {
      return true;
    }
  }
  return false;
}

}  // namespace

pid_t StartProgram(const std::vector<std::string>& command, const std::string& log) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&files, 1, 2);
  std::vector<char*> arguments;
  for (const std::string& argument : command) {
    arguments.push_back(const_cast<char*>(argument.c_str()));
  }
  arguments.push_back(nullptr);
  pid_t pid = 0;
  const int failure = posix_spawnp(&pid, arguments[0], &files, nullptr, arguments.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  if (failure != 0) {
    throw std::runtime_error("cannot start " + command[0]);
  }
  return pid;
}

bool HasEnded(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, WNOHANG) == pid;
}

pid_t FindProgram(const std::string& program, pid_t launcher) {
  const pid_t self = getpid();
  const unsigned long long selfStart = StartTicks(self);
  pid_t found = launcher;
  unsigned long long foundStart = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    const auto pid = static_cast<pid_t>(std::stol(name));
    if (pid == self || pid == launcher || !IsLive(pid) || !CommandLineNames(pid, program)) {
      continue;
    }
    const unsigned long long start = StartTicks(pid);
    if (start >= selfStart && start >= foundStart) {
      found = pid;
      foundStart = start;
    }
  }
  return found;
}

void StopOther(pid_t pid) {
  kill(pid, SIGTERM);
  for (int tries = 0; tries < 500 && IsLive(pid); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (IsLive(pid)) {
    kill(pid, SIGKILL);
  }
}

void StopChild(pid_t pid) {
  kill(pid, SIGTERM);
  for (int tries = 0; tries < 500; ++tries) {
    if (HasEnded(pid)) {
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

long StatusKib(pid_t pid, const std::string& key) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) {
      return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    }
  }
  return -1;
}

std::string ProcessName(pid_t pid) {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
  return error ? "unknown" : exe.filename().string();
}

}  // namespace zarvex::startup
