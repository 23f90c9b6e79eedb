// Shows a message to the user and returns once it has been closed. The window supplies its
// platform's modal message box; tests supply a recorder.
#pragma once

#include <functional>
#include <string_view>

namespace zarvex {

using ShowMessage = std::function<void(std::string_view message)>;

}  // namespace zarvex
