// SPDX-License-Identifier: MIT
// board, timetable and stops: the departure board, the full schedule of the day and the
// later stops of one board line, built by the same functions the windows use.
#include "board/board.h"
#include "board/full_schedule.h"
#include "board/passing_stations.h"
#include "tool/commands.h"
#include "tool/program_folder.h"

#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ravolin::tool {
namespace {

struct BoardArgs {
  std::string dir;
  std::string at;
  std::string line;  // "sinkansen" or "keiyo"
  std::optional<int> index;
};

int bad_args(const char* cmd, const std::string& message) {
  std::fprintf(stderr, "ravolin-tool %s: %s\n", cmd, message.c_str());
  return 2;
}

// Parses DIR and the options a command accepts (want_line: --line; want_index: --index).
// Returns 0 when the arguments are complete, otherwise the exit status after the message.
int parse_args(const char* cmd, const Args& args, bool want_line, bool want_index, BoardArgs& out) {
  bool have_at = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string name = a, value;
    bool inline_value = false;
    if (a.rfind("--", 0) == 0) {
      if (auto eq = a.find('='); eq != std::string::npos) {
        name = a.substr(0, eq);
        value = a.substr(eq + 1);
        inline_value = true;
      }
      const bool known =
          name == "--at" || (want_line && name == "--line") || (want_index && name == "--index");
      if (!known) return bad_args(cmd, "unknown option '" + name + "'");
      if (!inline_value) {
        if (i + 1 >= args.size()) return bad_args(cmd, "option " + name + " needs a value");
        value = args[++i];
      }
      if (name == "--at") {
        out.at = value;
        have_at = true;
      } else if (name == "--line") {
        if (value != "sinkansen" && value != "keiyo")
          return bad_args(cmd, "--line must be sinkansen or keiyo, not '" + value + "'");
        out.line = value;
      } else {
        int n = -1;
        auto [p, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc() || p != value.data() + value.size() || n < 0)
          return bad_args(cmd, "--index must be a list line number from 0, not '" + value + "'");
        out.index = n;
      }
    } else if (out.dir.empty()) {
      out.dir = a;
    } else {
      return bad_args(cmd, "unexpected argument '" + a + "'");
    }
  }
  if (out.dir.empty()) return bad_args(cmd, "missing program folder DIR");
  if (!have_at) return bad_args(cmd, "missing --at \"YYYY-MM-DD HH:MM\"");
  if (want_line && out.line.empty()) return bad_args(cmd, "missing --line sinkansen|keiyo");
  if (want_index && !out.index) return bad_args(cmd, "missing --index N");
  return 0;
}

struct Prepared {
  std::unique_ptr<LoadedFolder> folder = std::make_unique<LoadedFolder>();
  BoardMoment moment;
};

// Parses --at and loads the folder; returns 0 or the exit status after the message.
int prepare(const char* cmd, const BoardArgs& a, text::Language language, Prepared& p) {
  calendar::SystemTime now;
  if (!parse_at(a.at, now))
    return bad_args(
        cmd, "--at must be \"YYYY-MM-DD HH:MM\" with a real date and time, not '" + a.at + "'");
  if (!open_program_folder(cmd, a.dir, language, *p.folder)) return 1;
  p.moment = moment_at(now, p.folder->settings);
  return 0;
}

int keiyo_not_in_use(const char* cmd) {
  std::fprintf(
      stderr, "ravolin-tool %s: the Keiyo line is not in use in this folder (keiyo_use is not 1)\n",
      cmd);
  return 1;
}

void put_line(std::string_view s) {
  std::fwrite(s.data(), 1, s.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace

int cmd_board(const Args& args, text::Language language) {
  BoardArgs a;
  if (int rc = parse_args("board", args, false, false, a)) return rc;
  Prepared p;
  if (int rc = prepare("board", a, language, p)) return rc;
  const LoadedFolder& f = *p.folder;
  board::SinkansenBoard sin;
  board::KeiyoBoard keiyo;
  board::edit_sinkansen(f.data.sin, f.settings, p.moment.flags, p.moment.program_time, sin,
                        language, f.place_names);
  board::edit_keiyo(f.data.keiyo, f.settings, p.moment.flags, p.moment.program_time, keiyo,
                    language, f.place_names);
  put_line(sin.caption);
  for (const auto& line : sin.lines) put_line(line);
  if (f.settings.keiyo_use == 1) {
    put_line("");
    put_line(keiyo.caption);
    for (const auto& line : keiyo.lines) put_line(line);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int cmd_timetable(const Args& args, text::Language language) {
  BoardArgs a;
  if (int rc = parse_args("timetable", args, true, false, a)) return rc;
  Prepared p;
  if (int rc = prepare("timetable", a, language, p)) return rc;
  const LoadedFolder& f = *p.folder;
  const bool keiyo = a.line == "keiyo";
  if (keiyo && f.settings.keiyo_use != 1) return keiyo_not_in_use("timetable");
  const board::FullSchedule fs =
      board::full_schedule(keiyo ? board::kModeKeiyo : board::kModeSinkansen, f.data, f.settings,
                           p.moment.flags, language, f.place_names);
  put_line(fs.caption);
  // The schedule text exactly as the window holds it: rows joined by CR LF.
  put_line(fs.text);
  // An English Shinkansen table's key to the marks of its last stops.
  if (!fs.key.empty()) put_line(board::destination_key_text(fs.key));
  put_line(fs.note);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int cmd_stops(const Args& args, text::Language language) {
  BoardArgs a;
  if (int rc = parse_args("stops", args, true, true, a)) return rc;
  Prepared p;
  if (int rc = prepare("stops", a, language, p)) return rc;
  const LoadedFolder& f = *p.folder;
  const bool keiyo = a.line == "keiyo";
  if (keiyo && f.settings.keiyo_use != 1) return keiyo_not_in_use("stops");
  board::SinkansenBoard sin;
  board::KeiyoBoard keiyo_board;
  board::edit_sinkansen(f.data.sin, f.settings, p.moment.flags, p.moment.program_time, sin,
                        language, f.place_names);
  board::edit_keiyo(f.data.keiyo, f.settings, p.moment.flags, p.moment.program_time, keiyo_board,
                    language, f.place_names);
  // A line the list does not have is a mistake in the call, not a line without a train.
  const std::size_t line_count = keiyo ? keiyo_board.lines.size() : sin.lines.size();
  if (line_count == 0) return bad_args("stops", "--index: the list has no lines");
  if (static_cast<std::size_t>(*a.index) >= line_count)
    return bad_args("stops", "--index must be a list line number from 0 to " +
                                 std::to_string(line_count - 1) + ", not '" +
                                 std::to_string(*a.index) + "'");
  put_line(board::passing_stations(keiyo ? board::kModeKeiyo : board::kModeSinkansen, f.data, sin,
                                   keiyo_board, *a.index, language, f.place_names));
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace ravolin::tool
