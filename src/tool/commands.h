// SPDX-License-Identifier: MIT
// Subcommands of ravolin-tool. Each takes the arguments after the subcommand name,
// writes its output to stdout and its errors to stderr, and returns the exit status. The
// commands that print the program's texts print them in `language` (--lang en|ja).
#pragma once

#include "text/language.h"

#include <cstdio>
#include <string>
#include <vector>

namespace ravolin::data {
struct Finding;
}

namespace ravolin::tool {

using Args = std::vector<std::string>;

int cmd_dump(const Args& args);                            // dump FILE.dat
int cmd_build(const Args& args);                           // build SRC_DIR OUT.dat
int cmd_export(const Args& args);                          // export FILE.dat OUT_DIR
int cmd_board(const Args& args, text::Language language);  // board DIR --at "YYYY-MM-DD HH:MM"
int cmd_timetable(const Args& args,
                  text::Language language);  // timetable DIR --at ... --line sinkansen|keiyo
int cmd_stops(const Args& args,
              text::Language language);  // stops DIR --at ... --line ... --index N
int cmd_search(const Args& args, text::Language language);  // search DIR --today ... (see usage)
int cmd_hotels(const Args& args,
               text::Language language);  // hotels DIR --today ... --area NAME [--district NAME]...
int cmd_diagram(const Args& args, text::Language language);  // diagram DIR --date ... --out FILE
int cmd_check(const Args& args);                             // check FILE.dat|SRC_DIR

// Prints findings of the plausibility check, one a line ("<prefix><where>: <text>"), and a
// count per kind.
void print_findings(const std::vector<data::Finding>& findings, const std::string& where,
                    const char* prefix, std::FILE* to);

}  // namespace ravolin::tool
