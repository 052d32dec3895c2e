// SPDX-License-Identifier: MIT
#include "text/numbers.h"

#include "text/text.h"

#include <cmath>
#include <string>

namespace ravolin::text {

std::optional<double> parse_number(std::string_view raw) {
  // Digits typed with the input method on ("１０") count as the number they show.
  std::string t = trim(ascii_digits(raw));
  if (t.empty()) return std::nullopt;
  std::size_t i = 0;
  bool neg = false;
  if (t[i] == '+' || t[i] == '-') {
    neg = t[i] == '-';
    ++i;
  }
  double value = 0;
  int digits = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (t[i] - '0');
    if (value > 1e9) return std::nullopt;  // far beyond any field's range
  }
  if (i < t.size() && t[i] == '.') {
    ++i;
    double scale = 0.1;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, scale /= 10)
      value += (t[i] - '0') * scale;
  }
  if (digits == 0 || i != t.size()) return std::nullopt;
  return neg ? -value : value;
}

int whole_number(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace ravolin::text
