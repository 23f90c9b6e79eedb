// Scripts of a chosen size for the benchmarks, made of the blocks the editor itself writes with a
// hand-typed comment line now and then, and an editor to run them through with no window.
#pragma once

#include <cstddef>
#include <string>

#include "window/EditorController.h"

namespace zarvex::bench {

inline constexpr std::size_t kMegabyte = 1024 * 1024;

// The block a typical add appends: Death Race on Arena with the Ka, a time limit of 300.
[[nodiscard]] std::string TypicalBlock();

// Whole blocks and comment lines up to exactly the given size, with room reserved beyond it.
[[nodiscard]] std::string ScriptOfSize(std::size_t bytes, std::size_t room = 0);

// A started editor set up for the typical block, saving with the system's own file writer; it
// counts the messages it would have shown.
class BenchmarkEditor {
 public:
  BenchmarkEditor();
  EditorController& operator*() { return controller_; }
  EditorController* operator->() { return &controller_; }
  [[nodiscard]] int MessagesShown() const { return messagesShown_; }

 private:
  int messagesShown_ = 0;
  EditorController controller_;
};

}  // namespace zarvex::bench
