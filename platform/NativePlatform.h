// The file writer and text encoder of the system the editor was built for. Both live for the
// whole run.
#pragma once

#include "platform/FileReplacer.h"
#include "platform/TextEncoder.h"

namespace zarvex {

[[nodiscard]] FileReplacer& NativeFileReplacer();
[[nodiscard]] const TextEncoder& NativeTextEncoder();

}  // namespace zarvex
