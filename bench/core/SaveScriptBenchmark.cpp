// Saving an 8 MB script through the controller, against the least a safe save must do: write the
// same bytes to a temporary file, flush it to disk and rename it over the script file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "BaselineSummary.h"
#include "BenchmarkScripts.h"
#include "platform/NativePlatform.h"

namespace zarvex::bench {
namespace {

namespace fs = std::filesystem;

// A new folder with an "ASSETS" folder in it, made the working directory while it lives. It lies
// in the system's temporary folder, so both sides write to the same file system.
class ScratchFolder {
 public:
  ScratchFolder()
      : previous_(fs::current_path()),
        path_(fs::temp_directory_path() / ("zarvex-bench-" + std::to_string(::getpid()))) {
    fs::create_directories(path_ / "ASSETS");
    fs::current_path(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(path_, ignored);
  }

 private:
  fs::path previous_;
  fs::path path_;
};

constexpr std::size_t kSavedBytes = 8 * kMegabyte;

void SaveScriptThroughController(benchmark::State& state) {
  ScratchFolder folder;
  BenchmarkEditor editor;
  editor->ChangeText(Control::Text6, ScriptOfSize(kSavedBytes));
  for (auto _ : state) {
    editor->PressButton(Control::Command2);
  }
  // Non-ASCII characters take one byte each in the file.
  const std::size_t fileBytes = NativeTextEncoder().ToFileText(editor->State().Text6).size() + 2;
  if (editor.MessagesShown() != 0 || fs::file_size("ASSETS/gamescript.txt") != fileBytes) {
    state.SkipWithError("the save failed");
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void WriteFsyncRenameBaseline(benchmark::State& state) {
  ScratchFolder folder;
  std::string bytes = NativeTextEncoder().ToFileText(ScriptOfSize(kSavedBytes));
  bytes += "\r\n";
  for (auto _ : state) {
    const int fd =
        ::open("ASSETS/.gamescript.txt.new", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written = fd >= 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = fd >= 0 && ::close(fd) == 0;
    if (!written || !closed ||
        std::rename("ASSETS/.gamescript.txt.new", "ASSETS/gamescript.txt") != 0) {
      state.SkipWithError("the baseline could not write its file");
      break;
    }
  }
}

void EightMegabytes(benchmark::internal::Benchmark* benchmark) {
  benchmark->UseRealTime()->Unit(benchmark::kMillisecond);
  AddMinimum(benchmark);
}

BENCHMARK(SaveScriptThroughController)->Apply(EightMegabytes);
BENCHMARK(WriteFsyncRenameBaseline)->Apply(EightMegabytes);

}  // namespace
}  // namespace zarvex::bench
