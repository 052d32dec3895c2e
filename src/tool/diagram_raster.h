// SPDX-License-Identifier: MIT
// PNG and PDF output of ravolin-tool diagram. They need the Qt painter of the program's
// windows; a build without the windows writes SVG only.
#pragma once

#include "diagram/diagram.h"

#include <string>

namespace ravolin::tool {

// Writes the scene as PNG (pdf false) or PDF; false with a reason.
bool write_raster(const board::Scene& scene, const std::string& path, bool pdf, std::string& error);

}  // namespace ravolin::tool
