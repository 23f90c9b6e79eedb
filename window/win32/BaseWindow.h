// A top-level window bound to a C++ object: the object's address rides in on WM_NCCREATE, is
// kept in GWLP_USERDATA, and every later message goes to the object's HandleMessage.
// Knows nothing of what the window shows; the derived class does.
#pragma once

#include <windows.h>

namespace zarvex {

// Derived provides `static constexpr const wchar_t* kClassName` and
// `LRESULT HandleMessage(UINT, WPARAM, LPARAM)`.
template <class Derived>
class BaseWindow {
 public:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (self == nullptr) {
      return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return result;
  }

  [[nodiscard]] HWND Window() const { return window_; }

 protected:
  BaseWindow() = default;
  ~BaseWindow() {
    if (window_ != nullptr) {
      DestroyWindow(window_);
    }
  }
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  // Registers the class on first use and creates the window; false if either fails.
  bool CreateTopLevel(HINSTANCE instance, const wchar_t* caption, DWORD style, DWORD extendedStyle,
                      int width, int height, HICON icon, HBRUSH background) {
    WNDCLASSEXW windowClass{};
    if (!GetClassInfoExW(instance, Derived::kClassName, &windowClass)) {
      windowClass = {};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &BaseWindow::WindowProc;
      windowClass.hInstance = instance;
      windowClass.hIcon = icon;
      windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
      windowClass.hbrBackground = background;
      windowClass.lpszClassName = Derived::kClassName;
      if (RegisterClassExW(&windowClass) == 0) {
        return false;
      }
    }
    CreateWindowExW(extendedStyle, Derived::kClassName, caption, style, CW_USEDEFAULT,
                    CW_USEDEFAULT, width, height, nullptr, nullptr, instance,
                    static_cast<Derived*>(this));
    return window_ != nullptr;
  }

  [[nodiscard]] LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(window_, message, wParam, lParam);
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace zarvex
