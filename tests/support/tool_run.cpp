// SPDX-License-Identifier: MIT
#include "support/tool_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace ravolin::test_support {

std::string shell_quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

ToolRun run_tool(const ProgramFolder& dir, const std::vector<std::string>& args) {
  std::string cmd = shell_quote(RAVOLIN_TOOL);
  for (const auto& a : args) {
    cmd += ' ';
    cmd += shell_quote(a);
  }
  cmd += " >" + shell_quote(dir.file("out.txt")) + " 2>" + shell_quote(dir.file("err.txt"));
  int rc = std::system(cmd.c_str());
  ToolRun r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = dir.read_file("out.txt");
  r.err = dir.read_file("err.txt");
  return r;
}

}  // namespace ravolin::test_support
