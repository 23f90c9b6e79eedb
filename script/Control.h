// Names every control of the editor's window by its kind and number. The editor's state, its
// operations and the layout all refer to controls by these names, never by caption.
#pragma once

#include <cstddef>
#include <string_view>

namespace zarvex {

enum class Control : unsigned char {
  Image1,
  Label1,
  Label2,
  Label3,
  Label4,
  Label5,
  Label6,
  Label7,
  Label8,
  Label9,
  Label10,
  Label11,
  Label12,
  Label13,
  Check1,
  Check2,
  Check3,
  Check4,
  Check5,
  Check6,
  Text1,
  Text2,
  Text3,
  Text5,
  Text6,
  Combo1,
  Combo2,
  Combo3,
  Command1,
  Command2,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Command2) + 1;

constexpr std::size_t IndexOf(Control control) {
  return static_cast<std::size_t>(control);
}

constexpr bool IsOptionBox(Control c) {
  return c >= Control::Check1 && c <= Control::Check6;
}
constexpr bool IsValueBox(Control c) {
  return c >= Control::Text1 && c <= Control::Text5;
}
constexpr bool IsList(Control c) {
  return c >= Control::Combo1 && c <= Control::Combo3;
}
constexpr bool IsButton(Control c) {
  return c == Control::Command1 || c == Control::Command2;
}

// The control's name as written in the window's design ("Check1", "Text6").
std::string_view NameOf(Control control);

}  // namespace zarvex
