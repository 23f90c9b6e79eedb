// Turns the editor's UTF-8 text into the 8-bit text the script file is written in. Characters the
// file's code page cannot hold become "?"; ASCII passes unchanged.
#pragma once

#include <string>
#include <string_view>

namespace zarvex {

class TextEncoder {
 public:
  virtual ~TextEncoder() = default;

  [[nodiscard]] virtual std::string ToFileText(std::string_view utf8) const = 0;
};

}  // namespace zarvex
