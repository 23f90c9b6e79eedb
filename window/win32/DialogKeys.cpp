#include "window/win32/DialogKeys.h"

#include <commctrl.h>

namespace zarvex {

namespace {

constexpr UINT_PTR kSubclassId = 1;

LRESULT CALLBACK ScriptAreaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
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
      return DefSubclassProc(area, message, wParam, lParam) & ~DLGC_HASSETSEL;
    case WM_NCDESTROY:
      RemoveWindowSubclass(area, &ScriptAreaProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(area, message, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      // A push button that Tab reaches becomes the default one, which Enter presses; one that
      // does not say it is a push button stays as it is. Space still presses it.
      return DefSubclassProc(button, message, wParam, lParam) &
             ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    case WM_NCDESTROY:
      RemoveWindowSubclass(button, &ButtonProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

bool KeepScriptAreaKeys(HWND area) {
  return SetWindowSubclass(area, &ScriptAreaProc, kSubclassId, 0) != FALSE;
}

bool KeepButtonKeys(HWND button) {
  return SetWindowSubclass(button, &ButtonProc, kSubclassId, 0) != FALSE;
}

}  // namespace zarvex
