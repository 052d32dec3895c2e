// SPDX-License-Identifier: MIT
// The settings reader on any bytes: no crash, and what the writer writes reads back as
// the same values, as a sound file. (The first write may drop what no settings file can
// hold, such as a double quote inside a place name or a control character; from then on
// nothing changes.)
#include "settings/settings_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool same(const ravolin::settings::Settings& a, const ravolin::settings::Settings& b) {
  return a.departure_ground == b.departure_ground && a.arrival_ground == b.arrival_ground &&
         a.keiyo_station == b.keiyo_station && a.sinkansen_station == b.sinkansen_station &&
         a.st_station == b.st_station && a.ed_station == b.ed_station &&
         a.holidays.count == b.holidays.count && a.control2_flg == b.control2_flg &&
         a.keiyo_use == b.keiyo_use && a.combination_number == b.combination_number &&
         a.pos(26).left == b.pos(26).left;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin::settings;
  std::string problem;
  const Settings first =
      parse_settings(std::string_view(reinterpret_cast<const char*>(data), size), problem);
  const Settings written = parse_settings(format_settings(first));
  const std::string bytes = format_settings(written);
  std::string again_problem;
  const Settings again = parse_settings(bytes, again_problem);
  if (!again_problem.empty()) {
    std::fprintf(stderr, "the writer's own file reads as damaged: %s\n", again_problem.c_str());
    std::abort();
  }
  if (!same(written, again) || format_settings(again) != bytes) {
    std::fprintf(stderr, "write -> read changed the settings\n");
    std::abort();
  }
  return 0;
}
