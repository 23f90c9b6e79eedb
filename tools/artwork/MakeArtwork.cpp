// Writes the editor's picture files into a folder: run after changing a painter, with this
// source folder as the target, so that the committed files match the code again.
//
//   make-artwork window/resources   (from the top folder)
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/artwork/ArtworkFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make-artwork FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const zarvex::ArtworkFile& file : zarvex::ArtworkFiles()) {
    const std::filesystem::path target = folder / file.path;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
    out.close();
    if (!out) {
      std::cerr << "make-artwork: cannot write " << target.string() << '\n';
      return 1;
    }
    std::cout << target.string() << " (" << file.bytes.size() << " bytes)\n";
  }
  return 0;
}
