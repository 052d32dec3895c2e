// SPDX-License-Identifier: MIT
#include "calendar/correction.h"

#include "text/numbers.h"

#include <algorithm>
#include <optional>

namespace ravolin::calendar {
namespace {

// The field's number as every text box of the program reads it, rounded and kept within
// 16 bits; nullopt when the field is not a number.
std::optional<int> stored_number(std::string_view text) {
  const std::optional<double> v = text::parse_number(text);
  if (!v) return std::nullopt;
  return std::clamp(text::whole_number(*v), -32768, 32767);
}

bool in_range(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Stores the field into `part`, then tests its range.
bool store_and_test(std::string_view text, int& part, int lo, int hi) {
  const std::optional<int> v = stored_number(text);
  if (!v) return false;
  part = *v;
  return in_range(part, lo, hi);
}

}  // namespace

int last_correction_year(int system_year) { return std::max(2020, system_year + 20); }

bool check_year(std::string_view text, const SystemTime& tick, ServiceDate& service) {
  return store_and_test(text, service.year, kFirstCorrectionYear, last_correction_year(tick.year));
}

bool check_month(std::string_view text, ServiceDate& service) {
  return store_and_test(text, service.month, 1, 12);
}

bool check_day(std::string_view text, const SystemTime& tick, ServiceDate& service) {
  const std::optional<int> v = stored_number(text);
  if (!v) return false;
  service.day = *v;
  if (!in_range(service.year, kFirstCorrectionYear, last_correction_year(tick.year)) ||
      !in_range(service.month, 1, 12))
    return false;
  if (!in_range(service.day, 1, days_in_month(service.year, service.month))) return false;
  if (service.year == tick.year && service.month == tick.month && service.day < tick.day)
    return false;
  return true;
}

bool check_hour(std::string_view text, ServiceDate& service) {
  return store_and_test(text, service.hour, 0, 23);
}

bool check_minute(std::string_view text, ServiceDate& service) {
  return store_and_test(text, service.minute, 0, 59);
}

bool check_second(std::string_view text, ServiceDate& service) {
  return store_and_test(text, service.second, 0, 59);
}

int check_corrected_fields(const std::array<std::string, kDateTimeFields>& f,
                           const SystemTime& tick, ServiceDate& service) {
  if (!check_year(f[0], tick, service)) return kFirstCorrectedBox;
  if (!check_month(f[1], service)) return kFirstCorrectedBox + 1;
  if (!check_day(f[2], tick, service)) return kFirstCorrectedBox + 2;
  if (!check_hour(f[3], service)) return kFirstCorrectedBox + 3;
  if (!check_minute(f[4], service)) return kFirstCorrectedBox + 4;
  if (!check_second(f[5], service)) return kFirstCorrectedBox + 5;
  return 0;
}

void set_service_day(ServiceDate& service) {
  service.day_number = day_number(service.year, service.month, service.day);
  service.weekday = weekday_of(service.day_number);
}

double corrected_reading(const ServiceDate& service) {
  return (service.hour * 3600.0 + service.minute * 60.0 + service.second) / 86400.0;
}

SystemTime corrected_system_time(const ServiceDate& service) {
  return make_system_time(service.year, service.month, service.day, service.hour, service.minute,
                          service.second);
}

void apply_correction(const HolidayList& holidays, const SystemTime& tick, bool temporary,
                      ServiceDate& service, ProgramClock& clock, DayFlags& flags) {
  set_service_day(service);
  clock.current_reading = corrected_reading(service);
  clock.offset = temporary ? clock.current_reading - tick.time_of_day : 0.0;
  set_service_day_off(holidays, service, flags);
}

void cancel_correction(const HolidayList& holidays, const SystemTime& tick, ServiceDate& service,
                       ProgramClock& clock, DayFlags& flags) {
  service.day_number = tick.day_number;
  service.weekday = weekday_of(tick.day_number);
  clock.current_reading = tick.time_of_day;
  clock.offset = 0.0;
  set_service_day_off(holidays, service, flags);
}

void escape_correction(const SystemTime& tick, ServiceDate& service, ProgramClock& clock) {
  service.day_number = tick.day_number;
  service.weekday = weekday_of(tick.day_number);
  const CivilDate c = civil_from_day_number(tick.day_number);
  service.year = c.year;
  service.month = c.month;
  service.day = c.day;
  clock.current_reading = tick.time_of_day;
}

}  // namespace ravolin::calendar
