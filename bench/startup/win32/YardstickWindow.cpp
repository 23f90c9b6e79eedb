#include "YardstickWindow.h"

#include <string>

#include "window/WindowLayout.h"

namespace zarvex {

namespace {

// The editor's frame: fixed size, with a minimise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

LRESULT CALLBACK YardstickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

YardstickWindow CreateYardstickWindow(HINSTANCE instance, const wchar_t* className,
                                      DWORD extraStyle) {
  // The editor declares itself DPI-aware in its manifest; without the same, Windows would scale
  // this window on a high-resolution screen and the two would no longer match in size.
  SetProcessDPIAware();
  YardstickWindow made;
  const HDC screen = GetDC(nullptr);
  made.dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &YardstickWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  if (RegisterClassExW(&windowClass) == 0) {
    return made;
  }
  const DWORD style = kStyle | extraStyle;
  RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, made.dotsPerInch),
             TwipsToPixels(kClientHeightTwips, made.dotsPerInch)};
  AdjustWindowRectEx(&frame, style, FALSE, kExtendedStyle);
  // The caption is plain ASCII, so widening it byte by byte is exact.
  const std::wstring caption(kWindowCaption.begin(), kWindowCaption.end());
  made.window = CreateWindowExW(kExtendedStyle, className, caption.c_str(), style, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                nullptr, nullptr, instance, nullptr);
  return made;
}

int RunYardstickWindow(HWND window, int showCommand) {
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace zarvex
