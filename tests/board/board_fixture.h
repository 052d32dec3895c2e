// SPDX-License-Identifier: MIT
// Small schedule tables written in the tests themselves.
#pragma once

#include "calendar/dates.h"
#include "data/tables.h"
#include "settings/settings.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ravolin::board::testing {

struct Station {
  std::string name;
  int flag = 0;
};

// Shinkansen tables: stations are the same for both directions unless set per direction.
class SinTables {
 public:
  SinTables() : t_(std::make_unique<data::SinkansenTables>()) {}
  void stations(int d, std::initializer_list<Station> rows) {
    int s = 0;
    for (const auto& r : rows) {
      ++s;
      t_->station_name[d][s] = r.name;
      t_->station_flag[d][s] = r.flag;
    }
    t_->station_count = s;
  }
  // times[i] is the hhmm at station row i + 1 (0 = no stop); returns the train index.
  int train(int d, const std::string& id, std::initializer_list<int> times, int op_day = 0,
            const std::string& car = "") {
    int m = ++t_->train_count[d];
    t_->train_id[d][m] = id;
    int s = 0;
    for (int hhmm : times) t_->times[d][++s][m] = hhmm;
    t_->op_day[d][m] = static_cast<std::uint8_t>(op_day);
    t_->car_type[d][m] = car;
    return m;
  }
  const data::SinkansenTables& get() const { return *t_; }
  data::SinkansenTables& get() { return *t_; }

 private:
  std::unique_ptr<data::SinkansenTables> t_;
};

class KeiyoTables {
 public:
  KeiyoTables() : t_(std::make_unique<data::KeiyoTables>()) {}
  void stations(int v, std::initializer_list<std::string> names) {
    int s = 0;
    for (const auto& n : names) t_->station_name[v][++s] = n;
    t_->station_count[v] = s;
  }
  int train(int v, const std::string& id, std::initializer_list<int> times) {
    int m = ++t_->train_count[v];
    t_->train_id[v][m] = id;
    int c = 0;
    for (int hhmm : times) t_->times[v][m][++c] = hhmm;
    return m;
  }
  const data::KeiyoTables& get() const { return *t_; }

 private:
  std::unique_ptr<data::KeiyoTables> t_;
};

inline double at(int hour, int minute) { return (hour * 3600.0 + minute * 60.0) / 86400.0; }

// Day flags of a weekday (2 = Monday .. 6 = Friday), plain Saturday, Sunday, holiday.
inline calendar::DayFlags weekday(int wd = 2) { return {0, 0, 0, wd}; }
inline calendar::DayFlags saturday() { return {1, 0, 1, 7}; }
inline calendar::DayFlags sunday() { return {1, 1, 0, 1}; }
inline calendar::DayFlags holiday_on(int wd) { return {1, 1, 0, wd}; }

}  // namespace ravolin::board::testing
