// Starts the program a probe times, finds the process that really runs it, reads its memory
// from /proc and stops it again. Linux only; every process it ends is one it started, directly or
// through the launcher it was given, and is named by its id.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zarvex::startup {

// Starts `command` (searched on PATH) with no input and its output going to the file `log`.
// Throws std::runtime_error when it cannot be started.
[[nodiscard]] pid_t StartProgram(const std::vector<std::string>& command, const std::string& log);

// Whether a child started here has ended; reaps it when it has.
[[nodiscard]] bool HasEnded(pid_t child);

// Ends a child started here: asks first, and kills it after five seconds.
void StopChild(pid_t child);

// The newest live process started after this probe whose command line names the file `program`
// (by its last path component, in any case, as Wine shows Windows paths), other than this probe
// and the launcher; the launcher itself when there is none. Wine runs a program in a process of
// its own that is not a child of the launcher.
[[nodiscard]] pid_t FindProgram(const std::string& program, pid_t launcher);

// Ends a process that is not a child of this probe: no wait is possible, so it watches the process
// until it is gone or a zombie, and kills it after five seconds.
void StopOther(pid_t pid);

// A line of /proc/<pid>/status in kibibytes ("VmHWM:     1234 kB"); -1 when absent.
[[nodiscard]] long StatusKib(pid_t pid, const std::string& key);

// The file the process runs: under Wine it may be the emulator or the 32-bit loader.
[[nodiscard]] std::string ProcessName(pid_t pid);

}  // namespace zarvex::startup
