// The yardstick for the Windows editor's start-up: an empty window of the editor's client size,
// caption and frame style, and nothing else. It loads no bitmap, makes no font or control and
// fills no list, so the gap between the two is what the editor itself adds.
#include <windows.h>

#include <string>

#include "window/WindowLayout.h"

namespace {

constexpr wchar_t kClassName[] = L"ZarvexStartupEmptyWindow";
// The editor's frame: fixed size, with a minimise button.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExtendedStyle = WS_EX_CONTROLPARENT;

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The caption is plain ASCII, so widening it byte by byte is exact.
std::wstring Caption() {
  return {zarvex::kWindowCaption.begin(), zarvex::kWindowCaption.end()};
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The editor declares itself DPI-aware in its manifest; without the same, Windows would scale
  // this window on a high-resolution screen and the two would no longer match in size.
  SetProcessDPIAware();
  const HDC screen = GetDC(nullptr);
  const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &EmptyWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<const wchar_t*>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0) {
    return 1;
  }

  RECT frame{0, 0, zarvex::TwipsToPixels(zarvex::kClientWidthTwips, dotsPerInch),
             zarvex::TwipsToPixels(zarvex::kClientHeightTwips, dotsPerInch)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
  const std::wstring caption = Caption();
  const HWND window = CreateWindowExW(
      kExtendedStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
