#include "window/win32/TextBoxEditing.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/win32/WideText.h"

namespace zarvex {

namespace {

constexpr const wchar_t* kHookProperty = L"ZarvexTextBoxEditing";

struct Snapshot {
  DWORD start = 0;
  DWORD end = 0;
  int length = 0;
};

struct Hook {
  WNDPROC previous = nullptr;
  TextBoxEditor* editor = nullptr;
  // Messages being handled that may change the text, with the box as it was before the
  // innermost of them and what kind of change it makes.
  int depth = 0;
  Snapshot before;
  ChangeKind kind = ChangeKind::kOther;
};

Hook* HookOf(HWND box) {
  return static_cast<Hook*>(GetPropW(box, kHookProperty));
}

Snapshot SnapshotOf(HWND box) {
  Snapshot snapshot;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&snapshot.start),
               reinterpret_cast<LPARAM>(&snapshot.end));
  snapshot.length = GetWindowTextLengthW(box);
  return snapshot;
}

bool Held(int key) {
  return GetKeyState(key) < 0;
}

constexpr WPARAM kCtrlA = 0x01;
constexpr WPARAM kCtrlC = 0x03;
constexpr WPARAM kCtrlV = 0x16;
constexpr WPARAM kCtrlX = 0x18;
constexpr WPARAM kCtrlY = 0x19;
constexpr WPARAM kCtrlZ = 0x1A;
constexpr WPARAM kDel = 0x7F;

// A character the editor acts on itself, or one the control must not type: true when it is
// taken here.
bool TakeCharacter(HWND box, TextBoxEditor& editor, WPARAM character) {
  switch (character) {
    case kCtrlA:
      SendMessageW(box, EM_SETSEL, 0, -1);
      return true;
    case kCtrlZ:
      editor.UndoIn(box, Held(VK_SHIFT));
      return true;
    case kCtrlY:
      editor.UndoIn(box, true);
      return true;
    case VK_BACK:
      // Ctrl+Backspace removed a word on its key-down; Ctrl+H is no Backspace.
      return Held(VK_CONTROL);
    case VK_TAB:
    case VK_RETURN:
    case kCtrlC:
    case kCtrlV:
    case kCtrlX:
      return false;
    default:
      return character < 0x20 || character == kDel;
  }
}

// Ctrl+Backspace and Ctrl+Delete delete a word, Ctrl+Left and Ctrl+Right move by one, all by the
// editor's word stops: true when the key is taken here.
bool TakeKey(HWND box, TextBoxEditor& editor, WPARAM key) {
  if (!Held(VK_CONTROL) || Held(VK_MENU)) {
    return false;
  }
  switch (key) {
    case VK_BACK:
    case VK_DELETE:
      editor.DeleteWordIn(box, key == VK_DELETE);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      editor.MoveByWordIn(box, key == VK_RIGHT, Held(VK_SHIFT));
      return true;
    default:
      return false;
  }
}

// The kind of change a message may make to the text, or none for a message that makes none.
std::optional<ChangeKind> KindOfChange(UINT message, WPARAM wParam, bool nothingSelected) {
  switch (message) {
    case WM_CHAR:
      if (wParam == VK_BACK) {
        return nothingSelected ? ChangeKind::kDeletedKey : ChangeKind::kOther;
      }
      return wParam >= 0x20 || wParam == VK_RETURN ? ChangeKind::kTyped : ChangeKind::kOther;
    case WM_KEYDOWN:
      return wParam == VK_DELETE && !Held(VK_SHIFT) && nothingSelected ? ChangeKind::kDeletedKey
                                                                       : ChangeKind::kOther;
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
      return ChangeKind::kTyped;
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_REPLACESEL:
    case WM_CONTEXTMENU:
      return ChangeKind::kOther;
    default:
      return std::nullopt;
  }
}

LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  Hook& hook = *HookOf(box);
  switch (message) {
    case WM_CHAR:
      if (wParam == '\n') {
        // Ctrl+Enter and the Linefeed key type LF: a line break is CR LF however it is typed.
        wParam = VK_RETURN;
      }
      if (TakeCharacter(box, *hook.editor, wParam)) {
        return 0;
      }
      break;
    case WM_KEYDOWN:
      if (TakeKey(box, *hook.editor, wParam)) {
        return 0;
      }
      break;
    case WM_SYSKEYDOWN:
      // Alt+Backspace is the classic control's own key for its undo, which it runs without
      // WM_UNDO.
      if (wParam == VK_BACK) {
        hook.editor->UndoIn(box, false);
        return 0;
      }
      break;
    case WM_UNDO:
    case EM_UNDO:
      // The control's own undo goes one step back and forgets the rest; the editor keeps them all.
      hook.editor->UndoIn(box, false);
      return TRUE;
    case EM_CANUNDO:
      return hook.editor->CanUndoIn(box) ? TRUE : FALSE;
    case WM_NCDESTROY: {
      const WNDPROC previous = hook.previous;
      RemovePropW(box, kHookProperty);
      delete &hook;
      return CallWindowProcW(previous, box, message, wParam, lParam);
    }
    default:
      break;
  }
  if (!KindOfChange(message, wParam, true)) {
    return CallWindowProcW(hook.previous, box, message, wParam, lParam);
  }
  const Snapshot now = SnapshotOf(box);
  const ChangeKind kind = *KindOfChange(message, wParam, now.start == now.end);
  const ChangeKind outerKind = hook.kind;
  hook.before = now;
  hook.kind = kind;
  ++hook.depth;
  const LRESULT result = CallWindowProcW(hook.previous, box, message, wParam, lParam);
  if (--hook.depth > 0) {
    // A message within another, as the context menu's Paste: the outer one goes on from here.
    hook.before = SnapshotOf(box);
    hook.kind = outerKind;
  }
  return result;
}

bool IsHighSurrogate(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

bool KeepTextBoxEditing(HWND box, TextBoxEditor& editor) {
  auto hook = std::make_unique<Hook>();
  hook->previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(box, GWLP_WNDPROC));
  hook->editor = &editor;
  if (hook->previous == nullptr || !SetPropW(box, kHookProperty, hook.get())) {
    return false;
  }
  // The box owns its hook from here, and frees it on WM_NCDESTROY.
  hook.release();
  return SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc)) != 0;
}

std::optional<ScriptEdit> EditJustMade(HWND box) {
  Hook* hook = HookOf(box);
  if (hook == nullptr || hook->depth == 0) {
    return std::nullopt;
  }
  const Snapshot before = hook->before;
  const Snapshot after = SnapshotOf(box);
  hook->before = after;
  if (after.start != after.end) {
    return std::nullopt;
  }
  // Typing, a paste, a cut or a deletion replaces the selection, or text beside the caret, and
  // leaves the caret after what it put in.
  long long from = std::min(before.start, after.end);
  long long inserted = after.end - from;
  long long removed = static_cast<long long>(before.length) - after.length + inserted;
  if (removed < 0 || from + removed > before.length) {
    return std::nullopt;
  }
  // A multi-line edit lends out its text, so only the inserted units are read, not the script.
  const auto handle = reinterpret_cast<HLOCAL>(SendMessageW(box, EM_GETHANDLE, 0, 0));
  const auto* text = handle != nullptr ? static_cast<const wchar_t*>(LocalLock(handle)) : nullptr;
  if (text == nullptr) {
    return std::nullopt;
  }
  // A character typed as two halves arrives one half at a time: the half already taken is taken
  // again with the other, so that the editor sees the whole character.
  if (from > 0 && IsHighSurrogate(text[from - 1]) && IsLowSurrogate(text[from])) {
    --from;
    ++inserted;
    ++removed;
  }
  ScriptEdit edit{static_cast<std::size_t>(from), static_cast<std::size_t>(removed),
                  ToUtf8(std::wstring_view(text + from, static_cast<std::size_t>(inserted))),
                  hook->kind};
  LocalUnlock(handle);
  return edit;
}

SelectionEnds SelectionOf(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) {
    return {start, start};
  }
  // The control tells the selection's ends in order, not which of them the caret is at; the
  // caret, drawn at the active end, shows it.
  POINT caret{};
  const LRESULT startPoint = SendMessageW(box, EM_POSFROMCHAR, start, 0);
  if (GetCaretPos(&caret) && startPoint != -1 &&
      std::abs(caret.x - static_cast<short>(LOWORD(startPoint))) <= 1 &&
      caret.y == static_cast<short>(HIWORD(startPoint))) {
    return {end, start};
  }
  return {start, end};
}

}  // namespace zarvex
