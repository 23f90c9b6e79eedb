#include "platform/win32/Win32FileReplacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/win32/WholePath.h"
#include "platform/win32/Win32AnsiEncoder.h"
#include "platform/win32/Win32ErrorCategory.h"
#include "scriptfile/SaveScript.h"

namespace zarvex {
namespace {

namespace fs = std::filesystem;
using testing::MessageLog;
using testing::ReadFile;
using testing::ScratchWorkingDirectory;
using testing::WriteFile;

// The names in a folder, wide, so that names outside the ANSI code page survive.
std::vector<std::wstring> NamesIn(const fs::path& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().wstring());
  }
  std::sort(names.begin(), names.end());
  return names;
}

DWORD AttributesOf(const fs::path& path) {
  return GetFileAttributesW(path.c_str());
}

void SetReadOnly(const fs::path& path, bool readOnly) {
  const DWORD attributes = AttributesOf(path);
  SetFileAttributesW(path.c_str(), readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                            : (attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}));
}

// A piece the system cannot read, so that writing it fails halfway through a save.
std::string_view UnreadablePiece() {
  static void* const page = VirtualAlloc(nullptr, 4096, MEM_COMMIT, PAGE_NOACCESS);
  return {static_cast<const char*>(page), 4096};
}

// A virus scanner's thread, which lets go of the file it holds after a while.
struct HeldFile {
  HANDLE file;
  DWORD milliseconds;
};
DWORD WINAPI LetGoLater(void* held) {
  Sleep(static_cast<HeldFile*>(held)->milliseconds);
  CloseHandle(static_cast<HeldFile*>(held)->file);
  return 0;
}

// Sets or clears Linux's immutable flag on a folder: it then refuses new files and renames while
// the files in it stay writable. Wine starts Unix programs but gives no handle to wait on, so the
// shell leaves a mark when done. Needs root; false where it did not work (or not under Wine).
bool SetImmutable(const fs::path& folder, bool immutable) {
  std::wstring command = L"sh -c \"chattr " + std::wstring(immutable ? L"+i " : L"-i ") +
                         folder.filename().wstring() + L" && touch chattr-done\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.parent_path().c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int wait = 0; wait < 500 && !fs::exists(folder.parent_path() / "chattr-done"); ++wait) {
    Sleep(10);
  }
  return fs::remove(folder.parent_path() / "chattr-done");
}

TEST(Win32FileReplacer, WritesExactlyTheBytes) {
  Win32FileReplacer replacer;
  {
    const ScratchWorkingDirectory folder;
    const std::string bytes("FREE_FOR_ALL\r\n\0\xE9\xFF\r\n", 18);
    EXPECT_FALSE(replacer.Replace(folder.Path() / "new.txt", bytes));
    EXPECT_EQ(ReadFile(folder.Path() / "new.txt"), bytes);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"new.txt"});
  }
  {
    // A shorter text leaves nothing of the longer one behind it.
    const ScratchWorkingDirectory folder;
    WriteFile(folder.Path() / "old.txt", std::string(100000, 'x'));
    EXPECT_FALSE(replacer.Replace(folder.Path() / "old.txt", "\r\n"));
    EXPECT_EQ(ReadFile(folder.Path() / "old.txt"), "\r\n");
    EXPECT_FALSE(replacer.Replace(folder.Path() / "old.txt", ""));
    EXPECT_EQ(fs::file_size(folder.Path() / "old.txt"), 0u);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"old.txt"});
  }
  {
    // A relative path is taken from the working folder, as the editor's own path is.
    const ScratchWorkingDirectory folder;
    fs::create_directory(folder.Path() / "ASSETS");
    EXPECT_FALSE(replacer.Replace(fs::path("ASSETS") / "gamescript.txt", "END\r\n"));
    EXPECT_EQ(ReadFile(folder.Path() / "ASSETS" / "gamescript.txt"), "END\r\n");
    EXPECT_FALSE(replacer.Replace("plain.txt", "x"));
    EXPECT_EQ(ReadFile(folder.Path() / "plain.txt"), "x");
  }
  {
    // Paths outside the ANSI code page.
    const ScratchWorkingDirectory folder;
    const fs::path assets = folder.Path() / L"Skripte \x65E5\x672C \x0416";
    fs::create_directory(assets);
    EXPECT_FALSE(replacer.Replace(assets / L"\x00E9t\x00E9.txt", "abc"));
    EXPECT_EQ(ReadFile(assets / L"\x00E9t\x00E9.txt"), "abc");
    EXPECT_EQ(NamesIn(assets), std::vector<std::wstring>{L"\x00E9t\x00E9.txt"});
  }
  {
    // A name near the system's limit for one name: the temporary file's must fit as well.
    const ScratchWorkingDirectory folder;
    const std::wstring name = std::wstring(250, L'n') + L".txt";
    EXPECT_FALSE(replacer.Replace(folder.Path() / name, "long"));
    EXPECT_EQ(ReadFile(folder.Path() / name), "long");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{name});
  }
}

TEST(Win32FileReplacer, RefusedTargetsAreLeftAsTheyWere) {
  Win32FileReplacer replacer;
  {
    // No folder: nothing is created, neither the folder nor a file beside it.
    const ScratchWorkingDirectory folder;
    const std::error_code error = replacer.Replace(fs::path("ASSETS") / "gamescript.txt", "x");
    EXPECT_EQ(error.value(), static_cast<int>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_TRUE(NamesIn(folder.Path()).empty());
  }
  {
    // Read-only: refused even where the system's move would replace it (Wine's does).
    const ScratchWorkingDirectory folder;
    const fs::path target = folder.Path() / "gamescript.txt";
    WriteFile(target, "old\r\n");
    SetReadOnly(target, true);
    const std::error_code error = replacer.Replace(target, "new\r\n");
    EXPECT_EQ(error.value(), static_cast<int>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(ReadFile(target), "old\r\n");
    EXPECT_NE(AttributesOf(target) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"gamescript.txt"});
    SetReadOnly(target, false);
  }
  {
    // A folder where the file should be.
    const ScratchWorkingDirectory folder;
    fs::create_directories(folder.Path() / "gamescript.txt" / "inside");
    const std::error_code error = replacer.Replace(folder.Path() / "gamescript.txt", "new");
    EXPECT_EQ(error.value(), static_cast<int>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::is_directory(folder.Path() / "gamescript.txt" / "inside"));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"gamescript.txt"});
  }
}

TEST(Win32FileReplacer, FailureAfterWritingRemovesTheTemporaryFile) {
  // Another program holds the target open without letting it be replaced: the new text is
  // written, the move fails, and the old file must come out of it whole.
  Win32FileReplacer replacer;
  const ScratchWorkingDirectory folder;
  const fs::path target = folder.Path() / "gamescript.txt";
  WriteFile(target, "old\r\n");
  const HANDLE holder = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::error_code error = replacer.Replace(target, std::string(70000, 'n'));
  CloseHandle(holder);
  EXPECT_TRUE(error);
  EXPECT_EQ(ReadFile(target), "old\r\n");
  EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"gamescript.txt"});
  {
    // Once the other program lets go, the next save goes through.
    EXPECT_FALSE(replacer.Replace(target, "new\r\n"));
    EXPECT_EQ(ReadFile(target), "new\r\n");
  }
  {
    // A virus scanner that holds the file a moment: the save waits for it.
    HeldFile scanner{CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                     60};
    ASSERT_NE(scanner.file, INVALID_HANDLE_VALUE);
    const HANDLE letGo = CreateThread(nullptr, 0, &LetGoLater, &scanner, 0, nullptr);
    const std::error_code waited = replacer.Replace(target, "scanned\r\n");
    WaitForSingleObject(letGo, INFINITE);
    CloseHandle(letGo);
    EXPECT_FALSE(waited) << waited.message();
    EXPECT_EQ(ReadFile(target), "scanned\r\n");
  }
  {
    // Writing fails halfway.
    const std::string_view contents[] = {"new", UnreadablePiece()};
    EXPECT_TRUE(replacer.Replace(target, contents));
    EXPECT_EQ(ReadFile(target), "scanned\r\n");
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::wstring>{L"gamescript.txt"});
  }
}

TEST(Win32FileReplacer, FolderThatRefusesNewFilesGetsTheFileWrittenInPlace) {
  Win32FileReplacer replacer;
  const ScratchWorkingDirectory folder;
  const fs::path assets = folder.Path() / "ASSETS";
  fs::create_directory(assets);
  WriteFile(assets / "gamescript.txt", "old\r\n");
  if (!SetImmutable(assets, true)) {
    GTEST_SKIP() << "no folder here refuses new files (needs Wine, root and chattr)";
  }
  EXPECT_FALSE(replacer.Replace(assets / "gamescript.txt", "new\r\n"));
  EXPECT_EQ(ReadFile(assets / "gamescript.txt"), "new\r\n");
  {
    // Writing fails halfway: the old bytes and length go back.
    const std::string longer(70000, 'n');
    const std::string_view contents[] = {longer, UnreadablePiece()};
    EXPECT_TRUE(replacer.Replace(assets / "gamescript.txt", contents));
    EXPECT_EQ(ReadFile(assets / "gamescript.txt"), "new\r\n");
  }
  // No file to write in place.
  EXPECT_EQ(replacer.Replace(assets / "other.txt", "x").value(),
            static_cast<int>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(NamesIn(assets), std::vector<std::wstring>{L"gamescript.txt"});
  EXPECT_TRUE(SetImmutable(assets, false));
}

TEST(Win32FileReplacer, SuccessfulSaveClearsAbandonedTemporaryFiles) {
  // What a save killed halfway leaves behind, beside files that only look alike.
  Win32FileReplacer replacer;
  const ScratchWorkingDirectory folder;
  const fs::path target = folder.Path() / "gamescript.txt";
  WriteFile(target, "old");
  const auto now = fs::file_time_type::clock::now();
  const auto place = [&](const wchar_t* name, fs::file_time_type::duration age) {
    WriteFile(folder.Path() / name, "half a script");
    fs::last_write_time(folder.Path() / name, now - age);
  };
  place(L"~zse0a1b2c.tmp", std::chrono::hours(1));  // a dead save's
  // Near misses, the player's backups, a folder, and one that cannot be removed: all stay.
  for (const wchar_t* name : {L"~zse0a1b2c0.tmp", L"~zse0a1b2g.tmp", L"~zse0a1b2c.bak",
                              L"~xyz0a1b2c.tmp", L"gamescript.txt.bak", L"~gamescript.txt"}) {
    place(name, std::chrono::hours(1));
  }
  place(L"~zse0d0d0d.tmp", std::chrono::hours(1));
  SetReadOnly(folder.Path() / L"~zse0d0d0d.tmp", true);
  fs::create_directory(folder.Path() / L"~zse000000.tmp");
  // Newer than the save: another editor may be writing it right now.
  place(L"~zse999999.tmp", -std::chrono::hours(1));
  {
    // A refused save clears nothing.
    SetReadOnly(target, true);
    EXPECT_TRUE(replacer.Replace(target, "new"));
    SetReadOnly(target, false);
    EXPECT_TRUE(fs::exists(folder.Path() / L"~zse0a1b2c.tmp"));
  }
  EXPECT_FALSE(replacer.Replace(target, "new"));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(NamesIn(folder.Path()),
            (std::vector<std::wstring>{L"gamescript.txt", L"gamescript.txt.bak", L"~gamescript.txt",
                                       L"~xyz0a1b2c.tmp", L"~zse000000.tmp", L"~zse0a1b2c.bak",
                                       L"~zse0a1b2c0.tmp", L"~zse0a1b2g.tmp", L"~zse0d0d0d.tmp",
                                       L"~zse999999.tmp"}));
}

TEST(Win32FileReplacer, KeepsTheOldFilesAttributes) {
  Win32FileReplacer replacer;
  const ScratchWorkingDirectory folder;
  const fs::path target = folder.Path() / "gamescript.txt";
  WriteFile(target, "old");
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  if ((AttributesOf(target) & FILE_ATTRIBUTE_HIDDEN) == 0) {
    GTEST_SKIP() << "this file system keeps no hidden attribute";
  }
  EXPECT_FALSE(replacer.Replace(target, "new"));
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_NE(AttributesOf(target) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(AttributesOf(target) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST(Win32FileReplacer, SaveFailureMessagesGiveTheSystemsReason) {
  Win32FileReplacer replacer;
  const Win32AnsiEncoder encoder;
  EditorState state;
  state.Text6 = "END\r\n";
  {
    const ScratchWorkingDirectory folder;
    MessageLog log;
    EXPECT_FALSE(SaveScript(state, folder.Path(), replacer, encoder, log.Recorder()));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0], "Could not save the script to " +
                                     (folder.Path() / "ASSETS\\gamescript.txt").string() + "\n" +
                                     Win32Error(ERROR_PATH_NOT_FOUND).message());
  }
  {
    const ScratchWorkingDirectory folder;
    fs::create_directory(folder.Path() / "ASSETS");
    WriteFile(folder.Path() / "ASSETS" / "gamescript.txt", "kept\r\n");
    SetReadOnly(folder.Path() / "ASSETS" / "gamescript.txt", true);
    MessageLog log;
    EXPECT_FALSE(SaveScript(state, folder.Path(), replacer, encoder, log.Recorder()));
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0], "Could not save the script to " +
                                     (folder.Path() / "ASSETS\\gamescript.txt").string() + "\n" +
                                     Win32Error(ERROR_ACCESS_DENIED).message());
    EXPECT_EQ(ReadFile(folder.Path() / "ASSETS" / "gamescript.txt"), "kept\r\n");
    SetReadOnly(folder.Path() / "ASSETS" / "gamescript.txt", false);
  }
  {
    const ScratchWorkingDirectory folder;
    fs::create_directory(folder.Path() / "ASSETS");
    MessageLog log;
    EXPECT_TRUE(SaveScript(state, folder.Path(), replacer, encoder, log.Recorder()));
    EXPECT_TRUE(log.Messages().empty());
    EXPECT_EQ(ReadFile(folder.Path() / "ASSETS" / "gamescript.txt"), "END\r\n\r\n");
  }
  for (const DWORD held : {1000u, 5000u}) {
    // The old file held open without sharing, as an on-access virus scanner may hold it: the
    // save waits a second for it, though not five.
    SCOPED_TRACE("held for " + std::to_string(held) + " ms");
    const ScratchWorkingDirectory folder;
    fs::create_directory(folder.Path() / "ASSETS");
    const fs::path script = folder.Path() / "ASSETS" / "gamescript.txt";
    WriteFile(script, "kept\r\n");
    HeldFile scanner{CreateFileW(script.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr),
                     held};
    ASSERT_NE(scanner.file, INVALID_HANDLE_VALUE);
    const HANDLE letGo = CreateThread(nullptr, 0, &LetGoLater, &scanner, 0, nullptr);
    MessageLog log;
    const bool saved = SaveScript(state, folder.Path(), replacer, encoder, log.Recorder());
    WaitForSingleObject(letGo, INFINITE);
    CloseHandle(letGo);
    if (held == 1000) {
      EXPECT_TRUE(saved);
      EXPECT_TRUE(log.Messages().empty());
      EXPECT_EQ(ReadFile(script), "END\r\n\r\n");
    } else {
      EXPECT_FALSE(saved);
      ASSERT_EQ(log.Messages().size(), 1u);
      EXPECT_EQ(log.Messages()[0], "Could not save the script to " + script.string() + "\n" +
                                       Win32Error(ERROR_SHARING_VIOLATION).message());
      EXPECT_EQ(ReadFile(script), "kept\r\n");
    }
    EXPECT_EQ(NamesIn(folder.Path() / "ASSETS"), std::vector<std::wstring>{L"gamescript.txt"});
  }
}

TEST(WholePath, GivesEveryFileOperationAPathTheSystemTakes) {
  // Plain paths up to 259 characters and the closing null; longer ones in the extended form.
  const std::wstring fits = L"C:\\" + std::wstring(256, L'g');
  EXPECT_EQ(ExtendedLengthPath(fits), fits);
  EXPECT_EQ(ExtendedLengthPath(fits + L"g"), L"\\\\?\\" + fits + L"g");
  const std::wstring share = L"\\\\server\\share\\" + std::wstring(250, L'g');
  EXPECT_EQ(ExtendedLengthPath(share), L"\\\\?\\UNC\\server\\share\\" + std::wstring(250, L'g'));
  EXPECT_EQ(ExtendedLengthPath(L"\\\\?\\" + fits + L"g"), L"\\\\?\\" + fits + L"g");
  {
    // The script's relative path from the working directory, as a save gives it.
    const ScratchWorkingDirectory folder;
    EXPECT_EQ(WholePath(ScriptFilePath()), folder.Path() / "ASSETS\\gamescript.txt");
    fs::path deep = folder.Path();
    while (deep.native().size() < 250) {
      deep /= std::wstring(std::min<std::size_t>(60, 250 - deep.native().size() - 1), L'd');
    }
    fs::create_directories(deep);
    fs::current_path(deep);
    EXPECT_EQ(WholePath(ScriptFilePath()).native(),
              L"\\\\?\\" + deep.native() + L"\\ASSETS\\gamescript.txt");
  }
}

}  // namespace
}  // namespace zarvex
