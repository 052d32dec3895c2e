// SPDX-License-Identifier: MIT
// ravolin-tool: the command-line companion of the departure board, for the people
// who maintain the data files and for scripts.
#include "tool/commands.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

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
  // --lang en|ja (or --lang=en) anywhere on the line, before or after the command: the
  // language of the texts. The command is the first other argument.
  std::string cmd, lang_fault;
  Args args;
  ravolin::text::Language language = ravolin::text::Language::kJapanese;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string code;
    if (arg == "--lang") {
      if (i + 1 >= argc) {
        lang_fault = "option --lang needs a value (en or ja)";
        continue;
      }
      code = argv[++i];
    } else if (arg.rfind("--lang=", 0) == 0) {
      code = arg.substr(7);
    } else {
      if (cmd.empty())
        cmd = arg;
      else
        args.push_back(arg);
      continue;
    }
    if (auto chosen = ravolin::text::language_from_code(code))
      language = *chosen;
    else if (lang_fault.empty())
      lang_fault = "--lang takes en or ja, not '" + code + "'";
  }
  if (cmd.empty()) {
    if (!lang_fault.empty()) std::fprintf(stderr, "ravolin-tool: %s\n", lang_fault.c_str());
    usage(stderr);
    return 2;
  }
  if (cmd == "-h" || cmd == "--help" || cmd == "help") {
    usage(stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  using Command = int (*)(const Args&, ravolin::text::Language);
  static const std::pair<const char*, Command> kCommands[] = {
      {"dump", [](const Args& a, ravolin::text::Language) { return cmd_dump(a); }},
      {"build", [](const Args& a, ravolin::text::Language) { return cmd_build(a); }},
      {"export", [](const Args& a, ravolin::text::Language) { return cmd_export(a); }},
      {"check", [](const Args& a, ravolin::text::Language) { return cmd_check(a); }},
      {"board", cmd_board},
      {"timetable", cmd_timetable},
      {"stops", cmd_stops},
      {"search", cmd_search},
      {"hotels", cmd_hotels},
      {"diagram", cmd_diagram},
  };
  for (const auto& [name, run] : kCommands) {
    if (cmd != name) continue;
    if (!lang_fault.empty()) {
      std::fprintf(stderr, "ravolin-tool %s: %s\n", name, lang_fault.c_str());
      return 2;
    }
    return run(args, language);
  }
  std::fprintf(stderr, "ravolin-tool: unknown command '%s'\n", cmd.c_str());
  usage(stderr);
  return 2;
}
