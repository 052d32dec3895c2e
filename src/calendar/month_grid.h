// SPDX-License-Identifier: MIT
// The calendar's month grid: which month the stepper or a typed entry shows, and which
// day of the month each of the 42 day buttons carries.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ravolin::calendar {

inline constexpr int kGridButtons = 42;  // six rows of seven, Sunday first
inline constexpr int kStepperMonths = 60;

struct ShownMonth {
  int year = 0;
  int month = 0;  // 1..12
};

// The month of stepper value v (1..60): value 1 is the system month, each step one
// month later.
ShownMonth stepper_month(int system_year, int system_month, int value);

// "2000/3": year with four digits, month without a leading zero.
std::string month_text(const ShownMonth& m);

// The last year a typed month may name: ten years past the system year, and never
// before 2010.
int last_typed_year(int system_year);

// A typed month "yyyy/m": whole numbers (blanks around allowed) before and after the
// first "/". Refused (nullopt) without a "/", when a part is not a whole number, when the
// month is outside 1..12, when it is before the system month or when the year is past
// last_typed_year.
std::optional<ShownMonth> typed_month(std::string_view text, int system_year, int system_month);

// Day of the month on each button 1..42 (index 0 unused), 0 for an empty button. Day 1
// sits in the column of its weekday in the first row.
std::array<int, kGridButtons + 1> month_grid(const ShownMonth& m);

}  // namespace ravolin::calendar
