// Writes the script file in the system's ANSI code page, the 8-bit text Windows programs share.
// ASCII passes unchanged; a character the code page cannot hold, and each invalid UTF-8 byte,
// becomes "?", never a look-alike ("best fit") character.
#pragma once

#include <windows.h>

#include "platform/TextEncoder.h"

namespace zarvex {

class Win32AnsiEncoder final : public TextEncoder {
 public:
  // The system's ANSI code page unless another is named (tests name one).
  explicit Win32AnsiEncoder(UINT codePage = CP_ACP) : codePage_(codePage) {}

  [[nodiscard]] std::string ToFileText(std::string_view utf8) const override;

 private:
  UINT codePage_;
};

}  // namespace zarvex
