#include "window/win32/TextBoxEditing.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

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
  // innermost of them and where its change comes from.
  int depth = 0;
  Snapshot before;
  EditSource source = EditSource::kOther;
  // The first half of a character typed as two, until the second comes.
  wchar_t waitingHalf = 0;
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
// taken here. Only the keys in the editor's key table change text: no other control character is
// typed, Tab's included, which moved the focus on its key-down (and which the multi-line control
// would type for Ctrl+Tab).
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

// Where the change a message may make comes from, or none for a message that makes none. Ctrl+V,
// Ctrl+X, Shift+Insert and Shift+Delete paste or cut whether or not the control goes on through
// WM_PASTE or WM_CUT; the context menu's Delete sends WM_CLEAR.
std::optional<EditSource> SourceOf(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_CHAR:
      return wParam == kCtrlV   ? EditSource::kPaste
             : wParam == kCtrlX ? EditSource::kCut
                                : EditSource::kKeys;
    case WM_KEYDOWN:
      if (wParam == VK_INSERT && Held(VK_SHIFT)) {
        return EditSource::kPaste;
      }
      return wParam == VK_DELETE && Held(VK_SHIFT) ? EditSource::kCut : EditSource::kKeys;
    case WM_IME_CHAR:
    case WM_IME_COMPOSITION:
      return EditSource::kKeys;
    case WM_PASTE:
      return EditSource::kPaste;
    case WM_CUT:
      return EditSource::kCut;
    case WM_CLEAR:
    case EM_REPLACESEL:
    case WM_CONTEXTMENU:
      return EditSource::kOther;
    default:
      return std::nullopt;
  }
}

bool IsHighSurrogate(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The units from `from` to `to` of the box's text. A multi-line box lends out its text, so only
// those units are read, not the whole script; a one-line box, which does not, is short.
std::optional<std::wstring> UnitsOf(HWND box, std::size_t from, std::size_t to) {
  const auto handle = reinterpret_cast<HLOCAL>(SendMessageW(box, EM_GETHANDLE, 0, 0));
  if (handle == nullptr) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextW(box, text.data(), static_cast<int>(text.size())), 0)));
    if (to > text.size()) {
      return std::nullopt;
    }
    return text.substr(from, to - from);
  }
  const auto* text = static_cast<const wchar_t*>(LocalLock(handle));
  if (text == nullptr) {
    return std::nullopt;
  }
  std::wstring units(text + from, text + to);
  LocalUnlock(handle);
  return units;
}

// Hands the message to the control as one change from `source`, read back by EditJustMade.
LRESULT PassOn(HWND box, Hook& hook, EditSource source, UINT message, WPARAM wParam,
               LPARAM lParam) {
  const EditSource outerSource = hook.source;
  hook.before = SnapshotOf(box);
  hook.source = source;
  ++hook.depth;
  const LRESULT result = CallWindowProcW(hook.previous, box, message, wParam, lParam);
  if (--hook.depth > 0) {
    // A message within another, as the context menu's Paste: the outer one goes on from here.
    hook.before = SnapshotOf(box);
    hook.source = outerSource;
  }
  return result;
}

// Types the units over the selection, undoably, as one change from the keys.
void Type(HWND box, Hook& hook, std::wstring units) {
  PassOn(box, hook, EditSource::kKeys, EM_REPLACESEL, TRUE,
         reinterpret_cast<LPARAM>(units.c_str()));
}

// A character beyond the Basic Multilingual Plane comes as two halves, in two WM_CHAR or
// WM_IME_CHAR messages. The first waits
// for the second, so that the character is one change; a half without its partner is typed as
// U+FFFD, as the editor's own text holds it. True when the character is dealt with here.
bool TakeSurrogateHalf(HWND box, Hook& hook, WPARAM& character) {
  const auto unit = static_cast<wchar_t>(character);
  const wchar_t waiting = std::exchange(hook.waitingHalf, 0);
  if (waiting != 0 && IsLowSurrogate(unit)) {
    Type(box, hook, {waiting, unit});
    return true;
  }
  if (waiting != 0) {
    Type(box, hook, {kReplacementCharacter});
  }
  if (IsHighSurrogate(unit)) {
    hook.waitingHalf = unit;
    return true;
  }
  if (IsLowSurrogate(unit)) {
    character = kReplacementCharacter;
  }
  return false;
}

// The context menu enables its Undo from the control's own undo buffer, which EM_CANUNDO as
// answered here does not reach: the buffer is made to hold a change exactly when the editor can
// undo.
void MatchUndoBuffer(HWND box, Hook& hook) {
  const bool editorCanUndo = hook.editor->CanUndoIn(box);
  if (editorCanUndo == (CallWindowProcW(hook.previous, box, EM_CANUNDO, 0, 0) != FALSE)) {
    return;
  }
  if (!editorCanUndo) {
    CallWindowProcW(hook.previous, box, EM_EMPTYUNDOBUFFER, 0, 0);
    return;
  }
  // Text set from outside empties the buffer. A character put back in its own place fills it
  // again, a change the editor takes as none. FIXME: an empty box set so offers no Undo.
  const auto length = static_cast<std::size_t>(std::max(GetWindowTextLengthW(box), 0));
  if (length == 0) {
    return;
  }
  const TextSelection selection = SelectionOf(box);
  const std::size_t at = std::min({selection.anchor, selection.caret, length - 1});
  const std::size_t first = at > 0 ? at - 1 : 0;
  const auto units = UnitsOf(box, first, std::min(at + 2, length));
  if (!units) {
    return;
  }
  // Both halves of a character that is two units.
  std::size_t from = at - first;
  std::size_t to = from + 1;
  if (from > 0 && IsHighSurrogate((*units)[from - 1]) && IsLowSurrogate((*units)[from])) {
    --from;
  } else if (to < units->size() && IsHighSurrogate((*units)[from]) &&
             IsLowSurrogate((*units)[to])) {
    ++to;
  }
  const std::wstring same = units->substr(from, to - from);
  CallWindowProcW(hook.previous, box, EM_SETSEL, first + from, static_cast<LPARAM>(first + to));
  PassOn(box, hook, EditSource::kOther, EM_REPLACESEL, TRUE,
         reinterpret_cast<LPARAM>(same.c_str()));
  CallWindowProcW(hook.previous, box, EM_SETSEL, selection.anchor,
                  static_cast<LPARAM>(selection.caret));
}

LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  Hook& hook = *HookOf(box);
  switch (message) {
    case WM_CHAR:
      if (wParam == '\n') {
        // Ctrl+Enter and the Linefeed key type LF: a line break is CR LF however it is typed.
        wParam = VK_RETURN;
      }
      if (TakeSurrogateHalf(box, hook, wParam) || TakeCharacter(box, *hook.editor, wParam)) {
        return 0;
      }
      break;
    case WM_IME_CHAR:
      if (TakeSurrogateHalf(box, hook, wParam)) {
        return 0;
      }
      break;
    case WM_KILLFOCUS:
      hook.waitingHalf = 0;
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
    case WM_SYSCHAR:
      // The character that follows Alt+Backspace: the control may run its own undo on it, outside
      // the editor's history, and DefWindowProc would beep.
      if (wParam == VK_BACK) {
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
    case WM_CONTEXTMENU:
      MatchUndoBuffer(box, hook);
      break;
    case WM_NCDESTROY: {
      const WNDPROC previous = hook.previous;
      RemovePropW(box, kHookProperty);
      delete &hook;
      return CallWindowProcW(previous, box, message, wParam, lParam);
    }
    default:
      break;
  }
  const auto source = SourceOf(message, wParam);
  if (!source) {
    return CallWindowProcW(hook.previous, box, message, wParam, lParam);
  }
  return PassOn(box, hook, *source, message, wParam, lParam);
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

std::optional<TextEdit> EditJustMade(HWND box) {
  Hook* hook = HookOf(box);
  if (hook == nullptr || hook->depth == 0) {
    return std::nullopt;
  }
  const Snapshot before = hook->before;
  const Snapshot after = SnapshotOf(box);
  hook->before = after;
  if (after.start != after.end || before.length < 0 || after.length < 0) {
    return std::nullopt;
  }
  auto span = EditEndingAtCaret(before.start, static_cast<std::size_t>(before.length), after.end,
                                static_cast<std::size_t>(after.length));
  if (!span) {
    return std::nullopt;
  }
  const auto inserted = UnitsOf(box, span->position, span->position + span->inserted);
  if (!inserted) {
    return std::nullopt;
  }
  return TextEdit{span->position, span->removed, ToUtf8(*inserted), after.end, hook->source};
}

TextSelection SelectionOf(HWND box) {
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
