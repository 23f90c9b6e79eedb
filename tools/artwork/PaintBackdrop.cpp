#include "tools/artwork/PaintBackdrop.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

#include "tools/artwork/PixelHash.h"

namespace zarvex {
namespace {

// Every shape is tested at 4 x 4 points per pixel, in eighths of a pixel, so that round and
// slanted edges come out smooth. Only whole numbers are used anywhere: the bitmap is committed,
// and it must come out the same from every compiler, including 32-bit x87 builds.
constexpr int kSamplesPerSide = 4;
constexpr int kEighths = 8;

constexpr int ToEighths(int pixels) {
  return pixels * kEighths;
}

std::uint8_t ToChannel(int level) {
  return static_cast<std::uint8_t>(std::clamp(level, 0, 255));
}

// Gunmetal leans a little towards blue.
Rgba Steel(int level) {
  return {ToChannel(level), ToChannel(level + 2), ToChannel(level + 6)};
}

// The picture inside the frame has no green or blue at all.
Rgba PureRed(int level) {
  return {ToChannel(level), 0, 0};
}

constexpr Rgba kBlack{0, 0, 0};
constexpr Rgba kHazardYellow{232, 186, 16};
constexpr Rgba kWornYellow{176, 134, 12};
constexpr Rgba kHazardBlack{24, 22, 20};
constexpr Rgba kOutline{12, 12, 12};

// A dark plate under the version label, so that silver text does not sit on bright metal.
constexpr PixelRect kVersionPlate = [] {
  const PixelRect label = BackdropAreaUnder(Control::Label4);
  return PixelRect{label.left - 6, label.top - 3, kBackdropWidth - 2 - (label.left - 6),
                   label.height + 4};
}();

// The hazard strips run along the top frame on both sides of the title bar, and along the
// bottom frame up to the version plate.
constexpr int kFrameInset = 16;
constexpr std::array<PixelRect, 3> kHazardStrips = {{
    {kFrameInset, kBackdropTitleBar.top, kBackdropTitleBar.left - 6 - kFrameInset,
     kBackdropTitleBar.height},
    {kBackdropTitleBar.Right() + 6, kBackdropTitleBar.top,
     kBackdropWidth - kFrameInset - 1 - (kBackdropTitleBar.Right() + 6), kBackdropTitleBar.height},
    {kFrameInset, 220, kVersionPlate.left - 6 - kFrameInset, 15},
}};
constexpr int kHazardStripeWidth = 6;

struct Bolt {
  int x;
  int y;
};
// The version plate takes the bottom right corner, so that corner has no bolt.
constexpr std::array<Bolt, 7> kBolts = {{
    {7, 7},
    {312, 7},
    {7, 88},
    {312, 88},
    {7, 170},
    {312, 170},
    {7, 232},
}};
constexpr int kBoltRadius = 36;      // eighths
constexpr int kBoltRimRadius = 28;   // eighths; the dark ring lies between the two
constexpr int kBoltSlotRadius = 22;  // eighths

// The scene inside the frame, in backdrop pixels.
constexpr int kGroundY = kBackdropPictureArea.top + 150;
constexpr int kDiscX = 157;
constexpr int kDiscY = 87;
constexpr int kDiscRadius = 27;
constexpr int kGlowRadius = kDiscRadius + 20;
constexpr int kTowerBaseLeft = kBackdropPictureArea.left + 112;
constexpr int kTowerWidth = 36;
constexpr int kTowerHeight = 86;
constexpr int kTowerLean = 16;  // how far the roof stands right of the base

class BackdropScene {
 public:
  BackdropScene() { RaiseSkyline(); }

  [[nodiscard]] Rgba Sample(int eighthX, int eighthY) const {
    const int x = eighthX / kEighths;
    const int y = eighthY / kEighths;
    if (kBackdropPictureArea.Contains(x, y)) {
      return PureRed(Vignette(x, y, PictureLevel(eighthX, eighthY)));
    }
    return FrameSample(eighthX, eighthY);
  }

 private:
  // Ruins along the horizon: blocks of random width and height, one roof line per column.
  void RaiseSkyline() {
    int x = kBackdropPictureArea.left;
    while (x < kBackdropPictureArea.Right()) {
      const int blockWidth = 5 + PixelNoise(x, 0, 11, 9);
      const int blockHeight = 5 + PixelNoise(x, 0, 12, 26);
      const bool hasMast = PixelNoise(x, 0, 13, 5) == 0;
      for (int column = x; column < x + blockWidth && column < kBackdropPictureArea.Right();
           ++column) {
        const bool mast = hasMast && column == x + blockWidth / 2;
        skylineTop_[static_cast<std::size_t>(column)] = kGroundY - blockHeight - (mast ? 7 : 0);
      }
      x += blockWidth;
    }
  }

  [[nodiscard]] int PictureLevel(int eighthX, int eighthY) const {
    const int x = eighthX / kEighths;
    const int y = eighthY / kEighths;
    if (const int tower = TowerLevel(eighthX, eighthY); tower >= 0) {
      return tower;
    }
    if (y >= kGroundY) {
      return (y == kGroundY ? 20 : 9) + PixelNoise(x, y, 21, 3);
    }
    if (y >= skylineTop_[static_cast<std::size_t>(x)]) {
      return 12 + PixelNoise(x, y, 22, 2);
    }
    return SkyLevel(eighthX, eighthY);
  }

  // The sky brightens towards the horizon; the disc and its glow sit in it.
  [[nodiscard]] static int SkyLevel(int eighthX, int eighthY) {
    const int x = eighthX / kEighths;
    const int y = eighthY / kEighths;
    const int dx = eighthX - ToEighths(kDiscX);
    const int dy = eighthY - ToEighths(kDiscY);
    const int distanceSquared = dx * dx + dy * dy;
    const int discSquared = ToEighths(kDiscRadius) * ToEighths(kDiscRadius);
    if (distanceSquared <= discSquared) {
      // Darker towards the rim, like a low sun seen through smoke.
      return 104 - 20 * distanceSquared / discSquared;
    }
    const int sky = 12 + (y - kBackdropPictureArea.top) * 26 / kBackdropPictureArea.height +
                    PixelNoise(x, y, 31, 3) - 1;
    const int glowSquared = ToEighths(kGlowRadius) * ToEighths(kGlowRadius);
    if (distanceSquared >= glowSquared) {
      return sky;
    }
    const int nearness = glowSquared - distanceSquared;
    const long glow =
        30L * nearness / (glowSquared - discSquared) * nearness / (glowSquared - discSquared);
    return sky + static_cast<int>(glow);
  }

  // The high-rise: a slanted block with a grid of windows, a few of them lit, and a lighter roof
  // edge where the disc catches it. Gives -1 off the tower.
  [[nodiscard]] static int TowerLevel(int eighthX, int eighthY) {
    const int ground = ToEighths(kGroundY);
    const int roof = ToEighths(kGroundY - kTowerHeight);
    if (eighthY < roof || eighthY >= ground) {
      return -1;
    }
    const int left =
        ToEighths(kTowerBaseLeft) + (ground - eighthY) * ToEighths(kTowerLean) / (ground - roof);
    if (eighthX < left || eighthX >= left + ToEighths(kTowerWidth)) {
      return -1;
    }
    const int across = (eighthX - left) / kEighths;
    const int up = (ground - eighthY) / kEighths;
    if (up >= kTowerHeight - 2) {
      return 34;
    }
    const bool inWindowColumn = across >= 3 && across < kTowerWidth - 3 && (across - 3) % 6 >= 3;
    const bool inWindowRow = up >= 4 && up % 7 >= 2 && up % 7 < 5;
    if (inWindowColumn && inWindowRow) {
      const bool lit = PixelNoise((across - 3) / 6, up / 7, 41, 4) == 0;
      return lit ? 46 : 17;
    }
    return 8;
  }

  // The picture darkens towards its edges, as if sunk behind the frame.
  [[nodiscard]] static int Vignette(int x, int y, int level) {
    const PixelRect& area = kBackdropPictureArea;
    const int edge =
        std::min({x - area.left, area.Right() - 1 - x, y - area.top, area.Bottom() - 1 - y});
    return level * (20 + std::min(edge, 12)) / 32;
  }

  [[nodiscard]] static Rgba FrameSample(int eighthX, int eighthY) {
    const int x = eighthX / kEighths;
    const int y = eighthY / kEighths;
    for (const Bolt& bolt : kBolts) {
      const int dx = eighthX - (ToEighths(bolt.x) + kEighths / 2);
      const int dy = eighthY - (ToEighths(bolt.y) + kEighths / 2);
      const int distanceSquared = dx * dx + dy * dy;
      if (distanceSquared <= kBoltRadius * kBoltRadius) {
        if (distanceSquared > kBoltRimRadius * kBoltRimRadius) {
          return Steel(48);
        }
        if (std::abs(dx - dy) <= 6 && distanceSquared <= kBoltSlotRadius * kBoltSlotRadius) {
          return Steel(40);
        }
        // Lit from the top left.
        return Steel(150 - (dx + dy) * 3 / 2);
      }
    }
    if (kBackdropTitleBar.Contains(x, y)) {
      return kBlack;
    }
    if (kVersionPlate.Contains(x, y)) {
      return Steel(22 + PixelNoise(x, y, 55, 3));
    }
    for (const PixelRect& plate : {kBackdropTitleBar, kVersionPlate}) {
      if (plate.Grown(1, 1).Contains(x, y)) {
        // Sunk into the metal: lit along the lower and right edges only.
        const bool shaded = x < plate.left || y < plate.top;
        return shaded ? Steel(30) : Steel(150);
      }
    }
    for (const PixelRect& strip : kHazardStrips) {
      if (!strip.Contains(x, y)) {
        continue;
      }
      if (!strip.Grown(-1, -1).Contains(x, y)) {
        return kOutline;
      }
      if ((eighthX + eighthY) / ToEighths(kHazardStripeWidth) % 2 != 0) {
        return kHazardBlack;
      }
      return PixelNoise(x, y, 51, 23) == 0 ? kWornYellow : kHazardYellow;
    }
    if (kBackdropPictureArea.Grown(3, 3).Contains(x, y)) {
      return GrooveSample(x, y);
    }
    return MetalSample(x, y);
  }

  // A recess between the frame and the picture: its upper and left walls lie in shadow.
  [[nodiscard]] static Rgba GrooveSample(int x, int y) {
    const PixelRect& area = kBackdropPictureArea;
    const int outsideX = std::max({area.left - x, x - (area.Right() - 1), 0});
    const int outsideY = std::max({area.top - y, y - (area.Bottom() - 1), 0});
    if (std::max(outsideX, outsideY) == 1) {
      return Steel(6);
    }
    const bool shaded = y < area.top || x < area.left;
    return shaded ? Steel(28) : Steel(132);
  }

  // Brushed metal: every row a little lighter or darker, with short streaks along it, and a
  // bevel round the outer edge.
  [[nodiscard]] static Rgba MetalSample(int x, int y) {
    int level = 82 + PixelNoise(0, y, 61, 9) - 4 + PixelNoise(x / 3, y, 62, 7) - 3;
    if (x < 2 || y < 2) {
      level += 40;
    } else if (x >= kBackdropWidth - 2 || y >= kBackdropHeight - 2) {
      level -= 34;
    }
    return Steel(level);
  }

  std::array<int, kBackdropWidth> skylineTop_{};
};

}  // namespace

RgbaImage PaintBackdrop() {
  const BackdropScene scene;
  RgbaImage backdrop(kBackdropWidth, kBackdropHeight);
  std::array<Rgba, kSamplesPerSide * kSamplesPerSide> samples{};
  for (int y = 0; y < kBackdropHeight; ++y) {
    for (int x = 0; x < kBackdropWidth; ++x) {
      std::size_t next = 0;
      for (int row = 0; row < kSamplesPerSide; ++row) {
        for (int column = 0; column < kSamplesPerSide; ++column) {
          // Sample points sit at 1/8, 3/8, 5/8 and 7/8 of the pixel.
          samples[next++] = scene.Sample(ToEighths(x) + 2 * column + 1, ToEighths(y) + 2 * row + 1);
        }
      }
      backdrop.Set(x, y, AverageSamples(samples));
    }
  }
  return backdrop;
}

}  // namespace zarvex
