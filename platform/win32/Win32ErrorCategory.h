// Windows error codes with the system's own wording, for messages the user reads ("Access is
// denied."). The C++ runtime's system category names only some codes, and in words of its own.
#pragma once

#include <windows.h>

#include <string>
#include <system_error>

namespace zarvex {

class Win32ErrorCategory final : public std::error_category {
 public:
  [[nodiscard]] const char* name() const noexcept override { return "win32"; }
  // The system's text for the code in the user's language, without the closing line break.
  [[nodiscard]] std::string message(int code) const override;
  // Compares equal to the portable conditions (std::errc) the runtime maps the code to.
  [[nodiscard]] std::error_condition default_error_condition(int code) const noexcept override;
};

[[nodiscard]] const Win32ErrorCategory& Win32Category();

[[nodiscard]] std::error_code Win32Error(DWORD code);

// The calling thread's last error, read before anything else can change it.
[[nodiscard]] std::error_code LastWin32Error();

}  // namespace zarvex
