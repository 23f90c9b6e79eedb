// Watches the X display named by DISPLAY for a top-level window with a given caption, and copies
// what the screen shows in a rectangle. Meant for an X server with no window manager (Xvfb), where
// top-level windows are the root's own children. Knows nothing of programs or of times.
#pragma once

#include <optional>
#include <string>

#include "bench/startup/FrameHistory.h"

struct _XDisplay;
struct _XImage;

namespace zarvex::startup {

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class WindowWatch {
 public:
  // Throws std::runtime_error when the display cannot be opened or is not 24-bit colour.
  explicit WindowWatch(std::string caption);
  ~WindowWatch();
  WindowWatch(const WindowWatch&) = delete;
  WindowWatch& operator=(const WindowWatch&) = delete;

  // Handles the display's events, waiting at most `timeoutMs` for the first; true once a window
  // with the caption is on the screen (mapped). Windows mapped before the watch began count too.
  bool WaitForWindow(int timeoutMs);

  // Where the window lies on the screen; empty when it is gone.
  [[nodiscard]] std::optional<ScreenRect> WindowRect();

  // What the screen shows in `rect`, one pixel per entry, row by row, colour bits only; false
  // when the server refuses (the rectangle left the screen). Copies into `pixels` and keeps its
  // own image between calls, so polling does not allocate.
  bool Grab(const ScreenRect& rect, Pixels& pixels);

  [[nodiscard]] ScreenRect Screen() const;

 private:
  bool HasCaption(unsigned long window);
  bool IsMapped(unsigned long window);
  void Consider(unsigned long window);

  std::string caption_;
  _XDisplay* display_ = nullptr;
  unsigned long root_ = 0;
  unsigned long window_ = 0;
  _XImage* image_ = nullptr;
};

}  // namespace zarvex::startup
