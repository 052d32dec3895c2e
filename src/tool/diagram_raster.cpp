// SPDX-License-Identifier: MIT
#include "tool/diagram_raster.h"

#ifdef RAVOLIN_TOOL_RENDER
#include "render/scene_painter.h"
#endif

namespace ravolin::tool {

bool write_raster(const board::Scene& scene, const std::string& path, bool pdf,
                  std::string& error) {
#ifdef RAVOLIN_TOOL_RENDER
  return render::write_scene_file(scene, path, pdf, error);
#else
  (void)scene;
  (void)path;
  (void)pdf;
  error = "PNG and PDF need a build with the windows (RAVOLIN_BUILD_GUI); write .svg instead";
  return false;
#endif
}

}  // namespace ravolin::tool
