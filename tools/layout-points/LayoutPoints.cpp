// Prints the window's client size and each control's name with the middle of its rectangle, in
// client pixels at 96 dots per inch, scaled as the front ends scale the layout table:
//   client 392 505
//   Check2 62 126
// A test that drives the real window by mouse reads these instead of repeating coordinates.
#include <iostream>

#include "window/WindowLayout.h"

int main() {
  using namespace zarvex;
  constexpr int kDotsPerInch = 96;
  std::cout << "client " << TwipsToPixels(kClientWidthTwips, kDotsPerInch) << ' '
            << TwipsToPixels(kClientHeightTwips, kDotsPerInch) << '\n';
  for (const ControlLayout& row : kWindowLayout) {
    const int left = TwipsToPixels(row.left, kDotsPerInch);
    const int top = TwipsToPixels(row.top, kDotsPerInch);
    const int width = TwipsToPixels(row.width, kDotsPerInch);
    const int height = TwipsToPixels(row.height, kDotsPerInch);
    std::cout << NameOf(row.name) << ' ' << left + width / 2 << ' ' << top + height / 2 << '\n';
  }
  return 0;
}
