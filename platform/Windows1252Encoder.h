// The script file's code page where the system has no ANSI code page of its own: Windows-1252.
// Invalid UTF-8 and characters outside the code page are written as "?", one per character.
#pragma once

#include "platform/TextEncoder.h"

namespace zarvex {

class Windows1252Encoder final : public TextEncoder {
 public:
  [[nodiscard]] std::string ToFileText(std::string_view utf8) const override;
};

}  // namespace zarvex
