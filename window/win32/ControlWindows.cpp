#include "window/win32/ControlWindows.h"

#include <string>

#include "platform/win32/WideText.h"
#include "window/win32/ControlId.h"

namespace zarvex {

namespace {

// The open list of a drop-down shows this many entries, as Windows' own lists commonly do.
constexpr int kOpenListEntries = 8;

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

WindowKind KindOf(ControlKind kind) {
  // Overlapping controls paint in z-order only when each clips its siblings.
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  switch (kind) {
    case ControlKind::Picture:
      return {L"STATIC", kChild | SS_BITMAP, 0};
    case ControlKind::Label:
      return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Button:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::DropDownList:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::OptionBox:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::ValueBox:
      return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ScriptArea:
      // No ES_AUTOHSCROLL: long lines wrap.
      return {L"EDIT",
              kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", kChild, 0};
}

// The text a control is created with. Value boxes and lists get theirs from the editor's state;
// an option box carries its label's words, which its width leaves no room to draw but which
// accessibility tools read as its name.
std::wstring CreationText(const ControlLayout& row) {
  switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Button:
      return ToUtf16(row.text);
    case ControlKind::OptionBox:
      return ToUtf16(row.label);
    default:
      return {};
  }
}

}  // namespace

HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlLayout& row,
                         const ScreenScale& scale) {
  const WindowKind kind = KindOf(row.kind);
  const RECT place = scale.PixelRect(row);
  const HWND control = CreateWindowExW(
      kind.extendedStyle, kind.className, CreationText(row).c_str(), kind.style, place.left,
      place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdOf(row.name))), instance, nullptr);
  if (control != nullptr &&
      (row.kind == ControlKind::ValueBox || row.kind == ControlKind::ScriptArea)) {
    // Lifts the 30000-character default; the editor sets no limit of its own.
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  }
  return control;
}

void SizeOpenList(HWND list) {
  // A drop-down list's height is that of the closed field and the open list together; the field
  // takes the height of its font, and the list's border lies outside its entries. The border may
  // be drawn thicker than SM_CYBORDER says, and a list one pixel short shows an entry fewer, so
  // half an entry is added to spare: the list's integral height trims it off.
  RECT closed{};
  GetWindowRect(list, &closed);
  const auto entry = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
  const int open = kOpenListEntries * entry + entry / 2 + 2 * GetSystemMetrics(SM_CYBORDER);
  SetWindowPos(list, nullptr, 0, 0, closed.right - closed.left, closed.bottom - closed.top + open,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND CreateNameLabel(HWND parent, HINSTANCE instance, std::string_view name) {
  return CreateWindowExW(0, L"STATIC", ToUtf16(name).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX,
                         0, 0, 0, 0, parent, nullptr, instance, nullptr);
}

}  // namespace zarvex
