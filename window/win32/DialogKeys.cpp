#include "window/win32/DialogKeys.h"

namespace zarvex {

namespace {

// Plain subclassing keeps comctl32, and its load under Wine, out of the program's start. The
// control's own procedure waits in its user data.
LRESULT CallOwnProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
  return CallWindowProcW(own, control, message, wParam, lParam);
}

LRESULT CALLBACK ScriptAreaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_CHAR:
      // A multi-line edit told it sits in a dialog posts WM_CLOSE to its parent on Esc.
      if (wParam == VK_ESCAPE) {
        return 0;
      }
      break;
    case WM_GETDLGCODE:
      // The dialog manager selects all of an edit that says it has a selection when Tab lands
      // there.
      return CallOwnProc(area, message, wParam, lParam) & ~DLGC_HASSETSEL;
    default:
      break;
  }
  return CallOwnProc(area, message, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    // A push button that Tab reaches becomes the default one, which Enter presses; one that does
    // not say it is a push button stays as it is. Space still presses it.
    return CallOwnProc(button, message, wParam, lParam) &
           ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  }
  return CallOwnProc(button, message, wParam, lParam);
}

bool Hook(HWND control, WNDPROC proc) {
  const LONG_PTR own = GetWindowLongPtrW(control, GWLP_WNDPROC);
  if (own == 0) {
    return false;
  }
  // The own procedure is in place before any message reaches the new one.
  SetWindowLongPtrW(control, GWLP_USERDATA, own);
  return SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)) != 0;
}

}  // namespace

bool KeepScriptAreaKeys(HWND area) {
  return Hook(area, &ScriptAreaProc);
}

bool KeepButtonKeys(HWND button) {
  return Hook(button, &ButtonProc);
}

}  // namespace zarvex
