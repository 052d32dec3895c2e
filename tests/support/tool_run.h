// SPDX-License-Identifier: MIT
// Runs ravolin-tool as a separate program with standard output and error sent to files
// in a program folder, and collects its exit status and both texts.
//
//   ToolRun r = run_tool(dir, {"board", dir.path(), "--at", "2000-03-13 05:10"});
//   r.status;  // the exit status, -1 when the program did not exit normally
#pragma once

#include "support/program_folder.h"

#include <string>
#include <vector>

namespace ravolin::test_support {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

// `s` in single quotes for the shell, a quote inside written as '\''.
std::string shell_quote(const std::string& s);

// Runs the tool with `args`; its output goes to out.txt and err.txt in `dir`.
ToolRun run_tool(const ProgramFolder& dir, const std::vector<std::string>& args);

}  // namespace ravolin::test_support
