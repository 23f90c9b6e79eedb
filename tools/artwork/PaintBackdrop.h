// The backdrop behind the window's controls, painted from code so that the bitmap shipped with
// the editor can be made again byte for byte: a metal frame with bolts and hazard stripes around
// a dim picture in shades of pure red, and a black bar behind the title label. It paints no
// text; the labels on top of it carry every word.
#pragma once

#include <cstddef>

#include "script/Control.h"
#include "tools/artwork/RgbaImage.h"
#include "window/WindowLayout.h"

namespace zarvex {

inline constexpr int kBackdropWidth = 320;
inline constexpr int kBackdropHeight = 240;

// A rectangle of whole backdrop pixels; right and bottom lie just outside it.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  [[nodiscard]] constexpr int Right() const { return left + width; }
  [[nodiscard]] constexpr int Bottom() const { return top + height; }
  [[nodiscard]] constexpr bool Contains(int x, int y) const {
    return x >= left && x < Right() && y >= top && y < Bottom();
  }
  [[nodiscard]] constexpr PixelRect Grown(int sideways, int upAndDown) const {
    return {left - sideways, top - upAndDown, width + 2 * sideways, height + 2 * upAndDown};
  }
  friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

// The red picture inside the frame; every pixel in it is a shade of pure red.
inline constexpr PixelRect kBackdropPictureArea{17, 47, 286, 166};

// The backdrop pixels that a control covers once the bitmap is stretched over Image1, rounded
// outwards to whole pixels and cut at the bitmap's edges.
[[nodiscard]] constexpr PixelRect BackdropAreaUnder(Control control) {
  const ControlLayout* picture = nullptr;
  const ControlLayout* covering = nullptr;
  for (const ControlLayout& row : kWindowLayout) {
    if (row.name == Control::Image1) {
      picture = &row;
    }
    if (row.name == control) {
      covering = &row;
    }
  }
  // Twips to bitmap pixels, rounded down at the near edges and up at the far ones.
  const auto scaleDown = [](int twips, int bitmapSize, int pictureTwips) {
    const long scaled = static_cast<long>(twips) * bitmapSize;
    return static_cast<int>(scaled / pictureTwips);
  };
  const auto scaleUp = [](int twips, int bitmapSize, int pictureTwips) {
    const long scaled = static_cast<long>(twips) * bitmapSize;
    return static_cast<int>((scaled + pictureTwips - 1) / pictureTwips);
  };
  const auto clamp = [](int value, int limit) {
    return value < 0 ? 0 : value > limit ? limit : value;
  };
  const int left = clamp(scaleDown(covering->left - picture->left, kBackdropWidth, picture->width),
                         kBackdropWidth);
  const int top = clamp(scaleDown(covering->top - picture->top, kBackdropHeight, picture->height),
                        kBackdropHeight);
  const int right = clamp(
      scaleUp(covering->left + covering->width - picture->left, kBackdropWidth, picture->width),
      kBackdropWidth);
  const int bottom = clamp(
      scaleUp(covering->top + covering->height - picture->top, kBackdropHeight, picture->height),
      kBackdropHeight);
  return {left, top, right - left, bottom - top};
}

// The black bar: the title label's area with a margin, so that the title never touches metal.
inline constexpr PixelRect kBackdropTitleBar = BackdropAreaUnder(Control::Label9).Grown(5, 3);

// Always the same 320 x 240 opaque picture.
[[nodiscard]] RgbaImage PaintBackdrop();

}  // namespace zarvex
