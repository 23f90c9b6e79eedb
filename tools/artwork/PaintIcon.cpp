#include "tools/artwork/PaintIcon.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "tools/artwork/PixelHash.h"

namespace zarvex {
namespace {

// The icon is drawn once, in a square 1024 units wide, and sampled 4 x 4 times per pixel at
// whatever size is asked for. Whole numbers only, as for the backdrop, so that every build
// paints the same bytes.
constexpr int kDesignSize = 1024;
constexpr int kSamplesPerSide = 4;

struct DesignRect {
  int left;
  int top;
  int right;
  int bottom;
  int cornerRadius;

  [[nodiscard]] bool Contains(int u, int v) const {
    if (u < left || u >= right || v < top || v >= bottom) {
      return false;
    }
    // Inside unless the point lies in a corner square and outside that corner's circle.
    const int nearestU = std::clamp(u, left + cornerRadius, right - cornerRadius);
    const int nearestV = std::clamp(v, top + cornerRadius, bottom - cornerRadius);
    const int du = u - nearestU;
    const int dv = v - nearestV;
    return du * du + dv * dv <= cornerRadius * cornerRadius;
  }
};

constexpr DesignRect kTile{32, 32, 992, 992, 176};
constexpr DesignRect kTileFace{80, 80, 944, 944, 128};
constexpr DesignRect kPanel{128, 128, 896, 800, 56};
constexpr int kHazardTop = 832;
constexpr int kHazardBottom = 928;
constexpr int kHazardStripe = 80;
constexpr int kDiscU = 460;
constexpr int kDiscV = 370;
constexpr int kDiscRadius = 200;
constexpr int kTowerBaseLeft = 420;
constexpr int kTowerWidth = 210;
constexpr int kTowerRoof = 430;
constexpr int kTowerLean = 110;

std::uint8_t ToChannel(int level) {
  return static_cast<std::uint8_t>(std::clamp(level, 0, 255));
}

Rgba Steel(int level) {
  return {ToChannel(level), ToChannel(level + 2), ToChannel(level + 8)};
}

Rgba Red(int level) {
  return {ToChannel(level), 0, 0};
}

// The tower leans right: its left wall moves right as it rises from the panel's floor.
int TowerLeft(int v) {
  return kTowerBaseLeft + (kPanel.bottom - v) * kTowerLean / (kPanel.bottom - kTowerRoof);
}

Rgba TowerSample(int u, int v) {
  const int across = u - TowerLeft(v);
  const int up = kPanel.bottom - v;
  // A grid of windows, a few of them lit; at small sizes they blur into the wall.
  const bool inWindowColumn = across >= 30 && across < kTowerWidth - 30 && (across - 30) % 40 < 20;
  const bool inWindowRow = up >= 40 && up % 48 >= 16 && up % 48 < 36;
  if (inWindowColumn && inWindowRow && PixelNoise((across - 30) / 40, up / 48, 71, 3) == 0) {
    return Red(150);
  }
  return {22, 6, 6};
}

// The hazard strip, fitted to the pixel grid: at small sizes stripes narrower than two pixels,
// or a strip cutting rows in half, blur into a brown smear.
struct HazardStrip {
  int top;
  int bottom;
  int stripeWidth;

  explicit HazardStrip(int size)
      : top(kHazardTop * size / kDesignSize * kDesignSize / size),
        bottom(((kHazardBottom * size + kDesignSize - 1) / kDesignSize * kDesignSize + size - 1) /
               size),
        stripeWidth(std::max(kHazardStripe, 2 * kDesignSize / size)) {}
};

Rgba IconSample(int u, int v, const HazardStrip& hazard) {
  if (!kTile.Contains(u, v)) {
    return kTransparent;
  }
  if (!kTileFace.Contains(u, v)) {
    return Steel(52);
  }
  if (v >= hazard.top && v < hazard.bottom && u >= kTileFace.left + 32 &&
      u < kTileFace.right - 32) {
    if (v < hazard.top + 12 || v >= hazard.bottom - 12) {
      return {16, 16, 16};
    }
    const bool black = (u + v) / hazard.stripeWidth % 2 != 0;
    return black ? Rgba{24, 22, 20} : Rgba{236, 190, 16};
  }
  if (kPanel.Contains(u, v)) {
    if (v >= kTowerRoof && u >= TowerLeft(v) && u < TowerLeft(v) + kTowerWidth) {
      return TowerSample(u, v);
    }
    const int du = u - kDiscU;
    const int dv = v - kDiscV;
    const int distanceSquared = du * du + dv * dv;
    if (distanceSquared <= kDiscRadius * kDiscRadius) {
      return Red(240 - 70 * distanceSquared / (kDiscRadius * kDiscRadius));
    }
    return Red(48 + (v - kPanel.top) * 70 / (kPanel.bottom - kPanel.top));
  }
  // Steel, lighter towards the top where the light falls.
  return Steel(150 - v * 70 / kDesignSize);
}

}  // namespace

RgbaImage PaintIcon(int size) {
  if (size < kSmallestIconSize || size > kLargestIconSize) {
    throw std::invalid_argument("no icon is painted " + std::to_string(size) + " pixels wide");
  }
  const HazardStrip hazard(size);
  RgbaImage icon(size, size);
  std::array<Rgba, kSamplesPerSide * kSamplesPerSide> samples{};
  const int samplesAcross = size * kSamplesPerSide * 2;
  const auto toDesign = [samplesAcross](int pixel, int sample) {
    // The sample's centre, in halves of a sample step, mapped onto the design square.
    return ((pixel * kSamplesPerSide + sample) * 2 + 1) * kDesignSize / samplesAcross;
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      std::size_t next = 0;
      for (int row = 0; row < kSamplesPerSide; ++row) {
        for (int column = 0; column < kSamplesPerSide; ++column) {
          samples[next++] = IconSample(toDesign(x, column), toDesign(y, row), hazard);
        }
      }
      icon.Set(x, y, AverageSamples(samples));
    }
  }
  return icon;
}

}  // namespace zarvex
