#include "window/win32/ScriptAreaKeys.h"

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
      // Without this the dialog manager selects all of the script when Tab brings the focus here.
      return DefSubclassProc(area, message, wParam, lParam) & ~DLGC_HASSETSEL;
    case WM_NCDESTROY:
      RemoveWindowSubclass(area, &ScriptAreaProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(area, message, wParam, lParam);
}

}  // namespace

bool KeepScriptAreaKeys(HWND area) {
  return SetWindowSubclass(area, &ScriptAreaProc, kSubclassId, 0) != FALSE;
}

}  // namespace zarvex
