#include "script/Control.h"

#include <array>

namespace zarvex {

std::string_view NameOf(Control control) {
  static constexpr std::array<std::string_view, kControlCount> kNames = {
      "Image1", "Label1", "Label2",  "Label3",  "Label4",   "Label5",  "Label6", "Label7",
      "Label8", "Label9", "Label10", "Label11", "Label12",  "Label13", "Check1", "Check2",
      "Check3", "Check4", "Check5",  "Check6",  "Text1",    "Text2",   "Text3",  "Text5",
      "Text6",  "Combo1", "Combo2",  "Combo3",  "Command1", "Command2"};
  return kNames[IndexOf(control)];
}

}  // namespace zarvex
