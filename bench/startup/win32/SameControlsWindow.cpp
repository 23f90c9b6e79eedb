// The floor for the Windows editor's start-up: the editor's window built from the layout table with
// the plain STATIC, BUTTON, EDIT and COMBOBOX windows and nothing else. Every control at its place
// and in its font, the value boxes and labels with their texts and the lists filled with as many
// entries; no bitmap, no colours, no icon, no keyboard handling. What the editor takes beyond this
// is what its own code adds.
#include <windows.h>

#include <cmath>
#include <string>
#include <string_view>

#include "YardstickWindow.h"
#include "script/GameModeTable.h"
#include "script/ServerCarList.h"
#include "script/TrackList.h"
#include "window/WindowLayout.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// The open list of a drop-down shows this many entries.
constexpr int kOpenListEntries = 8;

std::wstring ToUtf16(std::string_view text) {
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

struct WindowKind {
  const wchar_t* className;
  DWORD style;
  DWORD extendedStyle;
};

// The same window classes and styles as the editor's controls.
WindowKind KindOf(zarvex::ControlKind kind) {
  switch (kind) {
    case zarvex::ControlKind::Button:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case zarvex::ControlKind::DropDownList:
      return {L"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case zarvex::ControlKind::OptionBox:
      return {L"BUTTON", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case zarvex::ControlKind::ValueBox:
      return {L"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case zarvex::ControlKind::ScriptArea:
      return {L"EDIT",
              kChild | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE};
    default:
      return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX, 0};
  }
}

void AddEntry(HWND list, std::string_view entry) {
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(entry).c_str()));
}

// The editor's entries, none of them chosen, as it starts.
void FillList(HWND list, zarvex::Control control) {
  switch (control) {
    case zarvex::Control::Combo1:
      for (const zarvex::GameMode& mode : zarvex::GameModeTable) {
        AddEntry(list, mode.displayName);
      }
      break;
    case zarvex::Control::Combo2:
      for (const std::string_view track : zarvex::TrackList) {
        AddEntry(list, track);
      }
      break;
    default:
      for (const std::string_view car : zarvex::ServerCarList) {
        AddEntry(list, car);
      }
      break;
  }
}

// Sized as the editor sizes its fonts: negative, so the height is the characters', not the cell's.
HFONT MakeFont(const zarvex::FontSpec& font, int dotsPerInch) {
  constexpr double kPointsPerInch = 72.0;
  return CreateFontW(-static_cast<int>(std::lround(font.points * dotsPerInch / kPointsPerInch)), 0,
                     0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, ToUtf16(font.family).c_str());
}

// The design's three fonts, each made once: drawing the texts in them is part of what any such
// window costs. They live as long as the program.
struct Fonts {
  explicit Fonts(int dotsPerInch)
      : defaultFont(MakeFont(zarvex::kDefaultFont, dotsPerInch)),
        labelFont(MakeFont(zarvex::kLabelFont, dotsPerInch)),
        scriptFont(MakeFont(zarvex::kScriptFont, dotsPerInch)) {}
  [[nodiscard]] HFONT For(const zarvex::FontSpec& font) const {
    return font.family == zarvex::kLabelFont.family    ? labelFont
           : font.family == zarvex::kScriptFont.family ? scriptFont
                                                       : defaultFont;
  }
  HFONT defaultFont;
  HFONT labelFont;
  HFONT scriptFont;
};

void CreateControls(HWND window, HINSTANCE instance, int dotsPerInch, const Fonts& fonts) {
  for (const zarvex::ControlLayout& row : zarvex::kWindowLayout) {
    // The picture is the editor's backdrop, its own cost, not the controls'.
    if (row.kind == zarvex::ControlKind::Picture) {
      continue;
    }
    const WindowKind kind = KindOf(row.kind);
    int height = zarvex::TwipsToPixels(row.height, dotsPerInch);
    if (row.kind == zarvex::ControlKind::DropDownList) {
      height += kOpenListEntries * height;
    }
    const HWND control = CreateWindowExW(
        kind.extendedStyle, kind.className, ToUtf16(row.text).c_str(), kind.style,
        zarvex::TwipsToPixels(row.left, dotsPerInch), zarvex::TwipsToPixels(row.top, dotsPerInch),
        zarvex::TwipsToPixels(row.width, dotsPerInch), height, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(zarvex::IndexOf(row.name) + 1)), instance,
        nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.For(row.font)), FALSE);
    if (row.kind == zarvex::ControlKind::DropDownList) {
      FillList(control, row.name);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The controls paint themselves.
  const zarvex::YardstickWindow floor =
      zarvex::CreateYardstickWindow(instance, L"ZarvexStartupSameControlsWindow", WS_CLIPCHILDREN);
  if (floor.window == nullptr) {
    return 1;
  }
  const Fonts fonts(floor.dotsPerInch);
  CreateControls(floor.window, instance, floor.dotsPerInch, fonts);
  return zarvex::RunYardstickWindow(floor.window, showCommand);
}
