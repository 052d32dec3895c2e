#include "tool/commands.h"

#include <cstdio>

namespace ravolin::tool {

int cmd_dump(const Args&) {
  std::fputs("ravolin-tool: dump is not available yet\n", stderr);
  return 2;
}

int cmd_build(const Args&) {
  std::fputs("ravolin-tool: build is not available yet\n", stderr);
  return 2;
}

int cmd_export(const Args&) {
  std::fputs("ravolin-tool: export is not available yet\n", stderr);
  return 2;
}

}  // namespace ravolin::tool
