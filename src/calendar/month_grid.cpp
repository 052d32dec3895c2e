// SPDX-License-Identifier: MIT
#include "calendar/month_grid.h"

#include "calendar/dates.h"
#include "text/text.h"

#include <algorithm>

namespace ravolin::calendar {
namespace {

// A whole number of at most six digits with blanks around it.
std::optional<int> whole(std::string_view raw) {
  const std::string t = text::trim(raw);
  if (t.empty() || t.size() > 6) return std::nullopt;
  int v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

}  // namespace

ShownMonth stepper_month(int system_year, int system_month, int value) {
  value = std::clamp(value, 1, kStepperMonths);
  const int k = system_month + value - 1;
  ShownMonth m;
  m.year = system_year + (k - 1) / 12;
  m.month = k % 12 == 0 ? 12 : k % 12;
  return m;
}

std::string month_text(const ShownMonth& m) {
  std::string year = std::to_string(m.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  return year + "/" + std::to_string(m.month);
}

int last_typed_year(int system_year) { return std::max(2010, system_year + 10); }

std::optional<ShownMonth> typed_month(std::string_view typed, int system_year, int system_month) {
  // "２０２７／１" typed with the input method on reads as "2027/1".
  const std::string ascii = text::ascii_digits(typed);
  const std::string_view text = ascii;
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::optional<int> year = whole(text.substr(0, slash));
  const std::optional<int> month = whole(text.substr(slash + 1));
  if (!year || !month) return std::nullopt;
  if (*year < system_year || *year > last_typed_year(system_year)) return std::nullopt;
  if (*month < 1 || *month > 12) return std::nullopt;
  if (*year == system_year && *month < system_month) return std::nullopt;
  return ShownMonth{*year, *month};
}

std::array<int, kGridButtons + 1> month_grid(const ShownMonth& m) {
  std::array<int, kGridButtons + 1> days{};
  const int length = days_in_month(m.year, m.month);
  if (length == 0) return days;
  const int first = weekday_of(day_number(m.year, m.month, 1));
  for (int d = 1; d <= length; ++d) days[first + d - 1] = d;
  return days;
}

}  // namespace ravolin::calendar
