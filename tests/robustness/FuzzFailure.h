// How a fuzz target reports a broken rule: it prints the rule and the input, escaped so that blanks
// and control bytes stay visible, and aborts, which libFuzzer and the corpus replay both catch.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zarvex::testing {

[[noreturn]] inline void FuzzFailure(std::string_view rule, std::string_view input) {
  std::string escaped;
  constexpr std::size_t kShownBytes = 400;
  for (const char c : input.substr(0, kShownBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      escaped += c;
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", byte);
      escaped += code;
    }
  }
  std::fprintf(stderr, "Broken rule: %.*s\nInput (%zu bytes): \"%s\"%s\n",
               static_cast<int>(rule.size()), rule.data(), input.size(), escaped.c_str(),
               input.size() > kShownBytes ? "..." : "");
  std::abort();
}

}  // namespace zarvex::testing
