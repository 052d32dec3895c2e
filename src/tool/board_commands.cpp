#include "tool/commands.h"

#include <cstdio>

namespace ravolin::tool {

int cmd_board(const Args&) {
  std::fputs("ravolin-tool: board is not available yet\n", stderr);
  return 2;
}

int cmd_timetable(const Args&) {
  std::fputs("ravolin-tool: timetable is not available yet\n", stderr);
  return 2;
}

int cmd_stops(const Args&) {
  std::fputs("ravolin-tool: stops is not available yet\n", stderr);
  return 2;
}

}  // namespace ravolin::tool
