// What a window showed during its first moments, frame by frame: when it first differed from the
// screen beneath it (its first paint) and since when it has looked as it does now (settled).
// Knows nothing of X or of programs; frames are plain pixel arrays of one size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace zarvex::startup {

using Pixels = std::vector<std::uint32_t>;

// The number of places where two frames of one size differ.
[[nodiscard]] std::size_t CountDifferences(const Pixels& a, const Pixels& b);

class FrameHistory {
 public:
  // `background` is what the screen showed where the window lies before the program started.
  // A frame within `tolerance` pixels of the latest counts as the same picture, so a blinking
  // caret does not keep the window from settling.
  FrameHistory(Pixels background, std::size_t tolerance);

  // Records what the window showed at `ms`; frames equal to the previous one add nothing.
  // Throws std::invalid_argument for a frame whose size differs from the background's.
  void Add(double ms, const Pixels& frame);

  // When the window first showed anything but the background.
  [[nodiscard]] std::optional<double> FirstPaint() const { return firstPaint_; }
  // The earliest time from which every frame kept is within tolerance of the latest; unset
  // while the window still shows the background.
  [[nodiscard]] std::optional<double> SettledSince() const { return settledSince_; }
  [[nodiscard]] std::size_t DistinctFrames() const { return frames_.size(); }

 private:
  struct Frame {
    double ms;
    Pixels pixels;
  };

  Pixels background_;
  std::size_t tolerance_;
  std::vector<Frame> frames_;
  std::optional<double> firstPaint_;
  std::optional<double> settledSince_;
};

}  // namespace zarvex::startup
