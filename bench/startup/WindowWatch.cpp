#include "bench/startup/WindowWatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <cstring>
#include <stdexcept>

namespace zarvex::startup {

namespace {

// A window may vanish between two requests (the program ends, or unmaps a helper window); the
// request then fails, and the watch just treats the window as gone.
int IgnoreErrors(Display*, XErrorEvent*) {
  return 0;
}

std::optional<std::string> TextProperty(Display* display, Window window, Atom property, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                         &items, &remaining, &data) != Success ||
      data == nullptr) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (actualType == type && format == 8) {
    text = std::string(reinterpret_cast<const char*>(data), items);
  }
  XFree(data);
  return text;
}

}  // namespace

WindowWatch::WindowWatch(std::string caption) : caption_(std::move(caption)) {
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) {
    throw std::runtime_error("cannot open the X display named by DISPLAY");
  }
  XSetErrorHandler(&IgnoreErrors);
  root_ = DefaultRootWindow(display_);
  if (DefaultDepth(display_, DefaultScreen(display_)) != 24) {
    throw std::runtime_error("the X screen is not 24-bit colour");
  }
  // Map events of the root's children tell when a top-level window appears, without polling.
  XSelectInput(display_, root_, SubstructureNotifyMask);
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (XQueryTree(display_, root_, &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count; ++i) {
      Consider(children[i]);
    }
    XFree(children);
  }
}

WindowWatch::~WindowWatch() {
  if (image_ != nullptr) {
    XDestroyImage(image_);
  }
  XCloseDisplay(display_);
}

bool WindowWatch::HasCaption(unsigned long window) {
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
  if (const auto name = TextProperty(display_, window, netName, utf8)) {
    return *name == caption_;
  }
  const auto name = TextProperty(display_, window, XA_WM_NAME, XA_STRING);
  return name && *name == caption_;
}

bool WindowWatch::IsMapped(unsigned long window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display_, window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

void WindowWatch::Consider(unsigned long window) {
  if (window_ != 0) {
    return;
  }
  if (IsMapped(window) && HasCaption(window)) {
    window_ = window;
    return;
  }
  // The caption may come after the window is mapped: hear about its properties too.
  XSelectInput(display_, window, PropertyChangeMask);
}

bool WindowWatch::WaitForWindow(int timeoutMs) {
  if (window_ != 0) {
    return true;
  }
  pollfd connection{ConnectionNumber(display_), POLLIN, 0};
  if (XPending(display_) == 0 && poll(&connection, 1, timeoutMs) <= 0) {
    return false;
  }
  while (XPending(display_) > 0 && window_ == 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == CreateNotify) {
      Consider(event.xcreatewindow.window);
    } else if (event.type == MapNotify) {
      Consider(event.xmap.window);
    } else if (event.type == PropertyNotify) {
      Consider(event.xproperty.window);
    }
  }
  return window_ != 0;
}

std::optional<ScreenRect> WindowWatch::WindowRect() {
  XWindowAttributes attributes{};
  if (window_ == 0 || XGetWindowAttributes(display_, window_, &attributes) == 0 ||
      attributes.map_state != IsViewable) {
    return std::nullopt;
  }
  int x = 0;
  int y = 0;
  Window child = None;
  XTranslateCoordinates(display_, window_, root_, 0, 0, &x, &y, &child);
  return ScreenRect{x, y, attributes.width, attributes.height};
}

bool WindowWatch::Grab(const ScreenRect& rect, Pixels& pixels) {
  const auto width = static_cast<unsigned int>(rect.width);
  const auto height = static_cast<unsigned int>(rect.height);
  if (image_ != nullptr && (image_->width != rect.width || image_->height != rect.height)) {
    XDestroyImage(image_);
    image_ = nullptr;
  }
  if (image_ == nullptr) {
    image_ = XGetImage(display_, root_, rect.x, rect.y, width, height, AllPlanes, ZPixmap);
  } else if (XGetSubImage(display_, root_, rect.x, rect.y, width, height, AllPlanes, ZPixmap,
                          image_, 0, 0) == nullptr) {
    return false;
  }
  if (image_ == nullptr) {
    return false;
  }
  pixels.resize(static_cast<std::size_t>(width) * height);
  const bool direct = image_->bits_per_pixel == 32;
  auto* pixel = pixels.data();
  for (int y = 0; y < rect.height; ++y) {
    const char* row = image_->data + static_cast<std::ptrdiff_t>(y) * image_->bytes_per_line;
    for (int x = 0; x < rect.width; ++x, ++pixel) {
      if (direct) {
        std::memcpy(pixel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof *pixel);
      } else {
        *pixel = static_cast<std::uint32_t>(XGetPixel(image_, x, y));
      }
      *pixel &= 0xFFFFFFu;
    }
  }
  return true;
}

ScreenRect WindowWatch::Screen() const {
  const int screen = DefaultScreen(display_);
  return {0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

}  // namespace zarvex::startup
