// SPDX-License-Identifier: MIT
// Draws a diagram scene with QPainter: on the diagram window, into PNG images and PDF
// pages. Needs Qt GUI only, so ravolin-tool can use it without the windows.
#pragma once

#include "diagram/diagram.h"

#include <string>

class QPainter;

namespace ravolin::render {

// Paints the scene at its own size (the painter may be scaled by the caller).
void paint_scene(QPainter& p, const board::Scene& scene);

// Writes the scene to a PNG file (pixel size of the scene) or a one-page PDF (landscape A4
// or larger, scene scaled to fit). A GUI application object is created when there is none
// (offscreen unless a platform was chosen). False with a reason when writing fails.
bool write_scene_file(const board::Scene& scene, const std::string& path, bool pdf,
                      std::string& error);

}  // namespace ravolin::render
