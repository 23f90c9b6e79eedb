#include "platform/win32/Win32ErrorCategory.h"

#include <string_view>

#include "platform/win32/WideText.h"

namespace zarvex {

std::string Win32ErrorCategory::message(int code) const {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length == 0 || buffer == nullptr) {
    return "Windows error " + std::to_string(static_cast<DWORD>(code));
  }
  std::wstring_view text(buffer, length);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
    text.remove_suffix(1);
  }
  std::string utf8 = ToUtf8(text);
  LocalFree(buffer);
  return utf8;
}

std::error_condition Win32ErrorCategory::default_error_condition(int code) const noexcept {
  return std::system_category().default_error_condition(code);
}

const Win32ErrorCategory& Win32Category() {
  static const Win32ErrorCategory category;
  return category;
}

std::error_code Win32Error(DWORD code) {
  return {static_cast<int>(code), Win32Category()};
}

std::error_code LastWin32Error() {
  return Win32Error(GetLastError());
}

}  // namespace zarvex
