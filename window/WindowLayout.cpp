#include "window/WindowLayout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace zarvex {

const ControlLayout& LayoutOf(Control control) {
  for (const ControlLayout& row : kWindowLayout) {
    if (row.name == control) {
      return row;
    }
  }
  throw std::invalid_argument(std::string(NameOf(control)) + " has no place in the layout");
}

std::array<Control, 16> TabOrder() {
  std::array<Control, 16> order{};
  for (const ControlLayout& row : kWindowLayout) {
    if (row.tabRank > 0) {
      order.at(static_cast<std::size_t>(row.tabRank - 1)) = row.name;
    }
  }
  return order;
}

std::optional<std::string_view> LabelTextFor(Control control) {
  Control label{};
  switch (control) {
    case Control::Check1:
      label = Control::Label1;
      break;
    case Control::Check2:
      label = Control::Label2;
      break;
    case Control::Check3:
      label = Control::Label3;
      break;
    case Control::Check4:
      label = Control::Label6;
      break;
    case Control::Check5:
      label = Control::Label7;
      break;
    case Control::Check6:
      label = Control::Label8;
      break;
    case Control::Text1:
      label = Control::Label1;
      break;
    case Control::Text2:
      label = Control::Label2;
      break;
    case Control::Text3:
      label = Control::Label3;
      break;
    case Control::Text5:
      label = Control::Label5;
      break;
    case Control::Combo1:
      label = Control::Label10;
      break;
    case Control::Combo2:
      label = Control::Label11;
      break;
    case Control::Combo3:
      label = Control::Label12;
      break;
    default:
      return std::nullopt;
  }
  // The arrows point at the list on screen; a screen reader needs only the words.
  std::string_view text = LayoutOf(label).text;
  text.remove_prefix(std::min(text.find_first_not_of('<'), text.size()));
  text.remove_suffix(text.size() - text.find_last_not_of('>') - 1);
  return text;
}

}  // namespace zarvex
