#include "window/win32/DialogKeys.h"

namespace zarvex {

namespace {

// Plain subclassing keeps comctl32, and its load under Wine, out of the program's start. The
// control's own procedure waits in its user data.
LRESULT CallOwnProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
  return CallWindowProcW(own, control, message, wParam, lParam);
}

// Down and Right move the focus on as Tab does, Up and Left back as Shift+Tab. Left to the dialog
// manager, they would go by window order, onto the labels that name the controls.
bool MoveFocusByArrow(HWND control, WPARAM key) {
  const bool back = key == VK_UP || key == VK_LEFT;
  if (!back && key != VK_DOWN && key != VK_RIGHT) {
    return false;
  }
  SendMessageW(GetParent(control), WM_NEXTDLGCTL, back ? 1 : 0, FALSE);
  return true;
}

LRESULT CALLBACK ScriptAreaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      // Tab and Ctrl+Tab move the focus on, with Shift back. Left to the multi-line edit, Windows
      // would move it on the character that follows, and type a tab for Ctrl+Tab.
      if (wParam == VK_TAB) {
        SendMessageW(GetParent(area), WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, FALSE);
        return 0;
      }
      [[fallthrough]];
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
    case WM_SETTEXT: {
      // Screen readers, dictation and automation set the text this way, and a multi-line edit
      // then says nothing; it tells the window as typing does, so the editor takes the new text.
      const LRESULT result = CallOwnProc(area, message, wParam, lParam);
      SendMessageW(GetParent(area), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(area), EN_CHANGE),
                   reinterpret_cast<LPARAM>(area));
      return result;
    }
    default:
      break;
  }
  return CallOwnProc(area, message, wParam, lParam);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    // A push button that Tab reaches becomes the default one, which Enter presses; one that does
    // not say it is a push button stays as it is. Space still presses it.
    return (CallOwnProc(button, message, wParam, lParam) &
            ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) |
           DLGC_WANTARROWS;
  }
  if (message == WM_KEYDOWN && MoveFocusByArrow(button, wParam)) {
    return 0;
  }
  return CallOwnProc(button, message, wParam, lParam);
}

LRESULT CALLBACK OptionBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      return CallOwnProc(box, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (MoveFocusByArrow(box, wParam)) {
        return 0;
      }
      break;
    case WM_PAINT: {
      // The box fills the whole control: the focus mark goes inside its frame.
      const LRESULT result = CallOwnProc(box, message, wParam, lParam);
      if (GetFocus() == box) {
        RECT inside{};
        GetClientRect(box, &inside);
        InflateRect(&inside, -2, -2);
        const HDC dc = GetDC(box);
        DrawFocusRect(dc, &inside);
        ReleaseDC(box, dc);
      }
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETCHECK:
    case BM_SETSTATE: {
      // The box draws itself at once for these, over the mark or around it: draw it whole again.
      const LRESULT result = CallOwnProc(box, message, wParam, lParam);
      InvalidateRect(box, nullptr, FALSE);
      return result;
    }
    default:
      break;
  }
  return CallOwnProc(box, message, wParam, lParam);
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

bool KeepOptionBoxKeys(HWND box) {
  return Hook(box, &OptionBoxProc);
}

}  // namespace zarvex
