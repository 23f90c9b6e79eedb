#include "bench/startup/FrameHistory.h"

#include <stdexcept>
#include <utility>

namespace zarvex::startup {

std::size_t CountDifferences(const Pixels& a, const Pixels& b) {
  std::size_t differences = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) {
      ++differences;
    }
  }
  return differences;
}

FrameHistory::FrameHistory(Pixels background, std::size_t tolerance)
    : background_(std::move(background)), tolerance_(tolerance) {}

void FrameHistory::Add(double ms, const Pixels& frame) {
  if (frame.size() != background_.size()) {
    throw std::invalid_argument("a frame of another size than the window's");
  }
  if (!frames_.empty() && frames_.back().pixels == frame) {
    return;
  }
  if (!firstPaint_ && frame != background_) {
    firstPaint_ = ms;
  }
  frames_.push_back({ms, frame});
  if (!firstPaint_) {
    return;
  }
  // Walk back while the older frames still look like the newest one. The first paint bounds the
  // walk: a window showing only the background has not settled into anything.
  const Pixels& newest = frames_.back().pixels;
  double since = ms;
  for (auto older = frames_.rbegin(); older != frames_.rend(); ++older) {
    if (older->ms < *firstPaint_ || CountDifferences(older->pixels, newest) > tolerance_) {
      break;
    }
    since = older->ms;
  }
  settledSince_ = since;
}

}  // namespace zarvex::startup
