// SPDX-License-Identifier: MIT
// ravolin-tool: the command-line companion of the departure board, for the people
// who maintain the data files and for scripts.
#include "tool/commands.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The list of subcommands: on standard output when asked for, on standard error after a
// usage error.
void usage(std::FILE* to) {
  std::fputs(
      "usage: ravolin-tool COMMAND ...\n"
      "  dump FILE.dat                       list every table of a data file\n"
      "  build SRC_DIR OUT.dat               compile text sources into a data file\n"
      "  export FILE.dat OUT_DIR             write the text sources of a data file\n"
      "  check FILE.dat|SRC_DIR              report implausible timetables (exit 1 when any)\n"
      "  board DIR --at \"YYYY-MM-DD HH:MM\"   print the departure board\n"
      "  timetable DIR --at ... --line sinkansen|keiyo\n"
      "                                      print the full schedule of the day\n"
      "  stops DIR --at ... --line sinkansen|keiyo --index N\n"
      "                                      print the later stops of board line N\n"
      "  search DIR --today YYYY-MM-DD --date YYYY-MM-DD --from A --to B\n"
      "         --depart HH:MM-HH:MM --arrive HH:MM-HH:MM --wait MIN --transfers 1|2\n"
      "         --per-train one|all --sort depart|arrive|ride\n"
      "         [--show caption|report|fares|legend]\n"
      "                                      run a Shinkansen route search\n"
      "  hotels DIR --today YYYY-MM-DD --area NAME [--district NAME]...\n"
      "                                      print the hotel list of an area\n"
      "  diagram DIR --date YYYY-MM-DD [--from HH:MM --to HH:MM] [--direction down|up]\n"
      "         [--route N|NAME] [--width PX --height PX] --out FILE.svg|.png|.pdf\n"
      "                                      draw the train diagram of a day\n"
      "  --lang en|ja                        board, timetable, stops, search, hotels and\n"
      "                                      diagram texts in English or Japanese (default)\n",
      to);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ravolin::tool;
  if (argc < 2) {
    usage(stderr);
    return 2;
  }
  std::string cmd = argv[1];
  Args args;
  ravolin::text::Language language = ravolin::text::Language::kJapanese;
  // --lang en|ja (or --lang=en) anywhere after the command: the language of the texts.
  for (int i = 2; i < argc; ++i) {
    std::string arg = argv[i];
    std::string code;
    if (arg == "--lang" && i + 1 < argc) {
      code = argv[++i];
    } else if (arg.rfind("--lang=", 0) == 0) {
      code = arg.substr(7);
    } else {
      args.push_back(arg);
      continue;
    }
    auto chosen = ravolin::text::language_from_code(code);
    if (!chosen) {
      std::fprintf(stderr, "ravolin-tool: --lang takes en or ja, not '%s'\n", code.c_str());
      return 2;
    }
    language = *chosen;
  }
  if (cmd == "dump") return cmd_dump(args);
  if (cmd == "build") return cmd_build(args);
  if (cmd == "export") return cmd_export(args);
  if (cmd == "check") return cmd_check(args);
  if (cmd == "board") return cmd_board(args, language);
  if (cmd == "timetable") return cmd_timetable(args, language);
  if (cmd == "stops") return cmd_stops(args, language);
  if (cmd == "search") return cmd_search(args, language);
  if (cmd == "hotels") return cmd_hotels(args, language);
  if (cmd == "diagram") return cmd_diagram(args, language);
  if (cmd == "-h" || cmd == "--help" || cmd == "help") {
    usage(stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::fprintf(stderr, "ravolin-tool: unknown command '%s'\n", cmd.c_str());
  usage(stderr);
  return 2;
}
