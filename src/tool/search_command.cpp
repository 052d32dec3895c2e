// SPDX-License-Identifier: MIT
// search: a Shinkansen route search from the command line. The conditions pass through
// the same field checks as the conditions window, and the caption, report, fare text and
// legend are the texts the results window holds.
#include "calendar/dates.h"
#include "search/engine.h"
#include "search/field_checks.h"
#include "search/report.h"
#include "text/numbers.h"
#include "tool/arguments.h"
#include "tool/commands.h"
#include "tool/program_folder.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace ravolin::tool {
namespace {

int bad_args(const std::string& message) {
  std::fprintf(stderr, "ravolin-tool search: %s\n", message.c_str());
  return 2;
}

// "YYYY-MM-DD" split into its three number texts (left to the field checks).
bool split_date(const std::string& s, std::string& y, std::string& m, std::string& d) {
  auto a = s.find('-');
  if (a == std::string::npos) return false;
  auto b = s.find('-', a + 1);
  if (b == std::string::npos || s.find('-', b + 1) != std::string::npos) return false;
  y = s.substr(0, a);
  m = s.substr(a + 1, b - a - 1);
  d = s.substr(b + 1);
  return true;
}

// "HH:MM" into hour and minute texts.
bool split_time(const std::string& s, std::string& h, std::string& m) {
  auto c = s.find(':');
  if (c == std::string::npos || s.find(':', c + 1) != std::string::npos) return false;
  h = s.substr(0, c);
  m = s.substr(c + 1);
  return true;
}

// "HH:MM-HH:MM" into the four texts of a time window.
bool split_window(const std::string& s, std::string* four) {
  auto dash = s.find('-');
  if (dash == std::string::npos || s.find('-', dash + 1) != std::string::npos) return false;
  return split_time(s.substr(0, dash), four[0], four[1]) &&
         split_time(s.substr(dash + 1), four[2], four[3]);
}

// The option that fills each box of the conditions window.
std::string option_of(const std::string& field) {
  static const std::map<std::string, const char*> kOptions = {
      {"Text1", "--from"},   {"Text2", "--depart"},  {"Text3", "--depart"}, {"Text4", "--depart"},
      {"Text5", "--depart"}, {"Text6", "--to"},      {"Text7", "--arrive"}, {"Text8", "--arrive"},
      {"Text9", "--arrive"}, {"Text10", "--arrive"}, {"Text11", "--wait"},  {"Text13", "--date"},
      {"Text14", "--date"},  {"Text15", "--date"}};
  auto it = kOptions.find(field);
  return it == kOptions.end() ? "the conditions" : it->second;
}

using Options = std::map<std::string, std::string>;

// The options given, each once; "" when they are all there and known, else the refusal.
std::string read_options(const Args& args, std::string& dir, Options& opt) {
  static const char* const kRequired[] = {"--today",     "--date",   "--from", "--to",
                                          "--depart",    "--arrive", "--wait", "--transfers",
                                          "--per-train", "--sort"};
  const std::string usage =
      walk_args(args, dir, [&](const std::string& a, const std::string& value) {
        bool known = a == "--show";
        for (const char* r : kRequired) known = known || a == r;
        if (known) opt[a] = value;
        return known;
      });
  if (!usage.empty()) return usage;
  for (const char* r : kRequired)
    if (!opt.count(r)) return std::string("option ") + r + " is missing";
  return {};
}

// --today: the computer's date as the checks see it; "" and its year, or the refusal.
std::string read_today(const Options& opt, int& system_year) {
  const std::string& today = opt.at("--today");
  std::string ty, tm, td;
  if (!split_date(today, ty, tm, td)) return "--today must be YYYY-MM-DD, not '" + today + "'";
  auto today_year = text::parse_number(ty), today_month = text::parse_number(tm),
       today_day = text::parse_number(td);
  if (!today_year || !today_month || !today_day ||
      !calendar::is_valid_date(text::whole_number(*today_year), text::whole_number(*today_month),
                               text::whole_number(*today_day)))
    return "--today is not a date: '" + today + "'";
  system_year = text::whole_number(*today_year);
  return {};
}

// The conditions window's fields as the options fill them; "" or the refusal of an
// option whose shape is wrong (the values themselves are left to the field checks).
std::string fill_form(const Options& opt, search::ConditionForm& form) {
  auto& t = form.text;
  t[search::kDepartureStation] = opt.at("--from");
  t[search::kArrivalStation] = opt.at("--to");
  if (!split_window(opt.at("--depart"), &t[search::kDepartFromHour]))
    return "--depart must be HH:MM-HH:MM, not '" + opt.at("--depart") + "'";
  if (!split_window(opt.at("--arrive"), &t[search::kArriveFromHour]))
    return "--arrive must be HH:MM-HH:MM, not '" + opt.at("--arrive") + "'";
  t[search::kWaitMinutes] = opt.at("--wait");
  if (!split_date(opt.at("--date"), t[search::kTravelYear], t[search::kTravelMonth],
                  t[search::kTravelDay]))
    return "--date must be YYYY-MM-DD, not '" + opt.at("--date") + "'";
  const std::string& transfers = opt.at("--transfers");
  if (transfers != "1" && transfers != "2") return "--transfers must be 1 or 2";
  form.two_transfers = transfers == "2";
  const std::string& per_train = opt.at("--per-train");
  if (per_train != "one" && per_train != "all") return "--per-train must be one or all";
  form.one_per_train = per_train == "one";
  const std::string& sort = opt.at("--sort");
  if (sort == "depart")
    form.sort_option = 1;
  else if (sort == "arrive")
    form.sort_option = 2;
  else if (sort == "ride")
    form.sort_option = 3;
  else
    return "--sort must be depart, arrive or ride";
  return {};
}

// The texts on stdout: all four with an empty line between them, or the one --show names.
void print_texts(const search::ResultsTexts& texts, const std::string& show) {
  if (show.empty()) {
    std::string out = texts.caption + "\n\n" + texts.report + "\n\n" + texts.fare_text + "\n\n" +
                      texts.legend + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return;
  }
  const std::string& one = show == "caption"  ? texts.caption
                           : show == "report" ? texts.report
                           : show == "fares"  ? texts.fare_text
                                              : texts.legend;
  std::fwrite(one.data(), 1, one.size(), stdout);
  std::fputc('\n', stdout);
}

}  // namespace

int cmd_search(const Args& args, text::Language language) {
  std::string dir;
  Options opt;
  std::string refusal = read_options(args, dir, opt);
  int system_year = 0;
  if (refusal.empty()) refusal = read_today(opt, system_year);
  search::ConditionForm form;
  if (refusal.empty()) refusal = fill_form(opt, form);
  if (!refusal.empty()) return bad_args(refusal);
  std::string show = opt.count("--show") ? opt["--show"] : "";
  if (!show.empty() && show != "caption" && show != "report" && show != "fares" && show != "legend")
    return bad_args("--show must be caption, report, fares or legend");

  auto folder = std::make_unique<LoadedFolder>();
  if (!open_program_folder("search", dir, language, *folder)) return 1;
  const data::ScheduleData& data = folder->data;
  const int edition_code = data.directory.edition_code();
  const calendar::HolidayList& holidays = folder->settings.holidays;
  // A station may be named in English as well as in Japanese.
  for (int box : {search::kDepartureStation, search::kArrivalStation})
    form.text[box] = folder->place_names.japanese_of(form.text[box]);

  search::SearchRequest request;
  const search::StartResult start =
      search::search_start(data.sin, edition_code, system_year, holidays, form, request);
  if (start.err_flg != 0) {
    // The refusal names the option that filled the refused box, never the box itself.
    const std::string option = option_of(start.field);
    const std::string message = search::check_message(form.text[search::kMessageLine], language);
    if (!message.empty()) return bad_args(option + ": " + message);
    return bad_args(option + ": '" + opt[option] + "' is not accepted");
  }
  search::store_combination(form, request.cond);

  auto engine = std::make_unique<search::RouteSearch>();
  auto result = std::make_unique<search::SearchResult>();
  search::ResultsInput in{data.sin,     folder->fares, holidays,
                          edition_code, system_year,   request.cond,
                          request.date, request.flags, {language, &folder->place_names}};
  print_texts(search::load_results(in, *engine, *result), show);
  return 0;
}

}  // namespace ravolin::tool
