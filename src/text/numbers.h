// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace ravolin::text {

// A field's number as the program reads it: blanks around, an optional sign, digits
// and an optional fraction, in ASCII or full-width forms. nullopt when the text is not
// a number.
std::optional<double> parse_number(std::string_view text);
// The whole number stored for an accepted entry (a fraction is rounded, half away from 0).
int whole_number(double value);

}  // namespace ravolin::text
