// SPDX-License-Identifier: MIT
#include "diagram/contrast.h"

#include <algorithm>
#include <cmath>

namespace ravolin::board {

namespace {

// One sRGB channel (0..255) as linear light (0..1).
double linear(std::uint8_t v) {
  const double s = v / 255.0;
  return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

std::uint8_t mix(std::uint8_t over, double opacity, std::uint8_t under) {
  const double v = over * opacity + under * (1.0 - opacity);
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

double relative_luminance(Rgb c) {
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast_ratio(Rgb a, Rgb b) {
  const double la = relative_luminance(a), lb = relative_luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb blend(Rgb c, double opacity, Rgb ground) {
  opacity = std::clamp(opacity, 0.0, 1.0);
  return {mix(c.r, opacity, ground.r), mix(c.g, opacity, ground.g), mix(c.b, opacity, ground.b)};
}

}  // namespace ravolin::board
