// SPDX-License-Identifier: MIT
// The date/time correction: the checks of the corrected date and time fields and what
// 日時設定, 一時設定, 取消終了 and Escape do to the service date and the program clock.
// `tick` is the system clock as the correction window last read it (its one-second
// timer), the reference for "now" in every rule here.
#pragma once

#include "calendar/dates.h"

#include <array>
#include <string>
#include <string_view>

namespace ravolin::calendar {

inline constexpr int kFirstCorrectionYear = 1996;
// The corrected date and time: year, month, day, hour, minute, second, in the boxes
// Text7..Text12 of the correction window.
inline constexpr int kDateTimeFields = 6;
inline constexpr int kFirstCorrectedBox = 7;
// The last year a correction may name: twenty years past the system year, never
// before 2020.
int last_correction_year(int system_year);

// The checks of the corrected fields (year Text7 .. second Text12). A field that is not
// a number is refused and stores nothing; a number is stored into the service date
// (rounded to a whole number) even when its range test then refuses it.
bool check_year(std::string_view text, const SystemTime& tick, ServiceDate& service);
bool check_month(std::string_view text, ServiceDate& service);
// The day must exist in the stored year and month, and must not be before today in the
// current month. A stored year or month that its own check refused refuses the day too.
bool check_day(std::string_view text, const SystemTime& tick, ServiceDate& service);
bool check_hour(std::string_view text, ServiceDate& service);
bool check_minute(std::string_view text, ServiceDate& service);
bool check_second(std::string_view text, ServiceDate& service);

// Runs the six checks in order on fields[0..5] (Text7..Text12). Returns 0 when all pass,
// otherwise the number of the first refused box (7..12); the checks after it do not run.
int check_corrected_fields(const std::array<std::string, kDateTimeFields>& fields,
                           const SystemTime& tick, ServiceDate& service);

// The service day number and weekday from the stored year, month and day.
void set_service_day(ServiceDate& service);
// The corrected time of day from the stored hour, minute and second.
double corrected_reading(const ServiceDate& service);
// The system date and time 日時設定 asks the platform to set.
SystemTime corrected_system_time(const ServiceDate& service);

// 日時設定 and 一時設定 after the checks passed: the service day from the stored date,
// the current reading from the stored time, then the day-off flag (set_holiday of the
// correction). With `temporary` the clock offset makes the program clock run on from the
// corrected time (一時設定); otherwise the offset is 0, the system clock itself being set.
void apply_correction(const HolidayList& holidays, const SystemTime& tick, bool temporary,
                      ServiceDate& service, ProgramClock& clock, DayFlags& flags);
// 取消終了: back to the system date and time of the tick, offset 0, day-off flag.
void cancel_correction(const HolidayList& holidays, const SystemTime& tick, ServiceDate& service,
                       ProgramClock& clock, DayFlags& flags);
// Escape: back to the system date of the tick (year, month, day and weekday with it) and
// the reading of the tick; the clock offset stays as it is.
void escape_correction(const SystemTime& tick, ServiceDate& service, ProgramClock& clock);

}  // namespace ravolin::calendar
