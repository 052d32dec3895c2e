// SPDX-License-Identifier: MIT
// How well a colour reads against another: the relative luminance of sRGB colours and the
// contrast ratio between two of them (1:1 for the same colour up to 21:1 for black on
// white), as the accessibility guidelines for the web measure it. Text and the lines that
// carry meaning need 4.5:1 against what they are drawn on.
#pragma once

#include "diagram/diagram.h"

namespace ravolin::board {

constexpr double kReadableContrast = 4.5;

// 0 for black, 1 for white.
double relative_luminance(Rgb c);
// (lighter + 0.05) / (darker + 0.05), the same whichever comes first.
double contrast_ratio(Rgb a, Rgb b);
// The colour seen where `c` is drawn at `opacity` over `ground`.
Rgb blend(Rgb c, double opacity, Rgb ground);

}  // namespace ravolin::board
