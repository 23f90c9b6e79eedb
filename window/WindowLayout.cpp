#include "window/WindowLayout.h"

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

}  // namespace zarvex
