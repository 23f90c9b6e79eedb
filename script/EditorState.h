// What the window's controls show, one field per control, named after it. Holds values only:
// the operations that change them live beside it, and no field knows how it is drawn.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "script/Control.h"

namespace zarvex {

struct ValueBox {
  std::string text;
  bool enabled = false;
};

struct ChoiceList {
  std::vector<std::string> entries;
  std::optional<std::size_t> chosen;

  // The chosen entry's text, or the empty text while none is chosen.
  [[nodiscard]] std::string_view Text() const;
};

struct EditorState {
  bool Check1 = false;
  bool Check2 = false;
  bool Check3 = false;
  bool Check4 = false;
  bool Check5 = false;
  bool Check6 = false;
  ValueBox Text1{"0", false};
  ValueBox Text2{"0", false};
  ValueBox Text3{"0", false};
  ValueBox Text5{"1", true};
  ChoiceList Combo1;
  ChoiceList Combo2;
  ChoiceList Combo3;
  // The script area; every line break the editor writes into it is CR LF.
  std::string Text6;

  // Field access by control name; each throws std::invalid_argument for a control of another kind.
  [[nodiscard]] bool& Tick(Control box);
  [[nodiscard]] bool Tick(Control box) const;
  [[nodiscard]] ValueBox& Box(Control box);
  [[nodiscard]] const ValueBox& Box(Control box) const;
  [[nodiscard]] ChoiceList& List(Control list);
  [[nodiscard]] const ChoiceList& List(Control list) const;
};

}  // namespace zarvex
