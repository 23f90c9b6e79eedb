#include "platform/win32/Win32ErrorCategory.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace zarvex {
namespace {

std::string SystemWording(DWORD code) {
  wchar_t buffer[512] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, 512, nullptr);
  std::string text;
  for (DWORD i = 0; i < length; ++i) {
    text += static_cast<char>(buffer[i]);  // the system's English texts are ASCII
  }
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

TEST(Win32ErrorCategory, MessagesAreTheSystemsOwnWords) {
  for (const DWORD code :
       std::initializer_list<DWORD>{ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                                    ERROR_SHARING_VIOLATION, ERROR_DISK_FULL}) {
    SCOPED_TRACE(code);
    const std::string message = Win32Error(code).message();
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message, SystemWording(code));
    EXPECT_NE(message.back(), '\n');
  }
  {
    // A code the system has no words for still says which code it was.
    EXPECT_EQ(Win32Error(0x1234567).message(), "Windows error 19088743");
  }
}

TEST(Win32ErrorCategory, CodesCompareWithPortableConditions) {
  EXPECT_EQ(Win32Error(ERROR_FILE_NOT_FOUND), std::errc::no_such_file_or_directory);
  EXPECT_EQ(Win32Error(ERROR_PATH_NOT_FOUND), std::errc::no_such_file_or_directory);
  EXPECT_EQ(Win32Error(ERROR_ACCESS_DENIED), std::errc::permission_denied);
  EXPECT_NE(Win32Error(ERROR_ACCESS_DENIED), std::errc::no_such_file_or_directory);
  {
    SetLastError(ERROR_SHARING_VIOLATION);
    const std::error_code error = LastWin32Error();
    EXPECT_EQ(error.value(), static_cast<int>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(&error.category(), &Win32Category());
  }
}

}  // namespace
}  // namespace zarvex
