#include "TestSupport.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zarvex::testing {

namespace fs = std::filesystem;

ScratchWorkingDirectory::ScratchWorkingDirectory() : previous_(fs::current_path()) {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = fs::temp_directory_path() /
          ("zarvex-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path_);
  fs::current_path(path_);
}

ScratchWorkingDirectory::~ScratchWorkingDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  // Read-only files and folders left by a scenario must not stop the clean-up.
  // Nor a folder too deep to list, which a failed scenario may leave behind.
  for (auto entry = fs::recursive_directory_iterator(path_, ignored);
       entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
    fs::permissions(entry->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }
  fs::remove_all(path_, ignored);
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zarvex::testing
