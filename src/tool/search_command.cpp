#include "tool/commands.h"

#include <cstdio>

namespace ravolin::tool {

int cmd_search(const Args&) {
  std::fputs("ravolin-tool: search is not available yet\n", stderr);
  return 2;
}

}  // namespace ravolin::tool
