// SPDX-License-Identifier: MIT
// The picture of the loading and version information windows, drawn by the program.
#pragma once

#include <QPixmap>

namespace ravolin::ui {

QPixmap program_picture(int width, int height);

}  // namespace ravolin::ui
