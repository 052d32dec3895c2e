// SPDX-License-Identifier: MIT
#include "search/conditions.h"

#include <cstdint>

namespace ravolin::search {

namespace {

// Each kept condition with its settings key; the one list both directions go through.
struct KeptName {
  std::string SearchConditions::*condition;
  std::string settings::Settings::*key;
};
struct KeptNumber {
  int SearchConditions::*condition;
  std::int16_t settings::Settings::*key;
};

constexpr KeptName kKeptNames[] = {
    {&SearchConditions::st_station, &settings::Settings::st_station},
    {&SearchConditions::ed_station, &settings::Settings::ed_station},
};
constexpr KeptNumber kKeptNumbers[] = {
    {&SearchConditions::st_time1, &settings::Settings::st_time1},
    {&SearchConditions::st_time2, &settings::Settings::st_time2},
    {&SearchConditions::ed_time1, &settings::Settings::ed_time1},
    {&SearchConditions::ed_time2, &settings::Settings::ed_time2},
    {&SearchConditions::wait_time, &settings::Settings::wait_time},
    {&SearchConditions::wait_count, &settings::Settings::wait_count},
    {&SearchConditions::combination_number, &settings::Settings::combination_number},
};

}  // namespace

SearchConditions saved_conditions(const settings::Settings& s) {
  SearchConditions cond;
  for (const KeptName& k : kKeptNames) cond.*k.condition = s.*k.key;
  for (const KeptNumber& k : kKeptNumbers) cond.*k.condition = s.*k.key;
  return cond;
}

void save_conditions(const SearchConditions& cond, settings::Settings& s) {
  for (const KeptName& k : kKeptNames) s.*k.key = cond.*k.condition;
  for (const KeptNumber& k : kKeptNumbers) s.*k.key = static_cast<std::int16_t>(cond.*k.condition);
}

}  // namespace ravolin::search
