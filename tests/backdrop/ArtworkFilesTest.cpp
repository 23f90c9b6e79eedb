#include "tools/artwork/ArtworkFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/backdrop/ByteReading.h"
#include "tools/artwork/PaintIcon.h"

namespace zarvex {
namespace {

TEST(ArtworkFiles, CommittedFilesAreThePaintersOutput) {
  const std::filesystem::path folder = ZARVEX_ARTWORK_SOURCE_DIR;
  const std::vector<ArtworkFile> files = ArtworkFiles();
  ASSERT_EQ(files.size(), 2 + kDesktopIconSizes.size());
  std::set<std::string> paths;
  for (const ArtworkFile& file : files) {
    SCOPED_TRACE(file.path);
    paths.insert(file.path);
    const std::filesystem::path committed = folder / file.path;
    ASSERT_TRUE(std::filesystem::exists(committed)) << committed.string() << " is missing";
    // Compared whole, but reported by size first: a byte dump of a bitmap helps nobody.
    const Bytes bytes = testing::ReadWholeFile(committed);
    ASSERT_EQ(bytes.size(), file.bytes.size())
        << committed.string() << " is stale: build the target regenerate-artwork";
    EXPECT_TRUE(bytes == file.bytes)
        << committed.string() << " is stale: build the target regenerate-artwork";
  }
  EXPECT_EQ(paths.size(), files.size()) << "two files share a path";
  EXPECT_EQ(files[0].path, kBackdropFileName);
  EXPECT_EQ(files[1].path, kWindowsIconFileName);
  EXPECT_EQ(DesktopIconPath(48), "icons/zarvex-script-editor-48.png");
}

}  // namespace
}  // namespace zarvex
