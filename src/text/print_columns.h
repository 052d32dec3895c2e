// SPDX-License-Identifier: MIT
// Laying out a line of text in columns for a fixed-pitch Japanese font, where a
// full-width character takes two columns and a half-width one (ASCII, half-width kana)
// one: TABs become blanks up to the next tab stop, and a line too wide for the paper is
// broken into pieces that fit.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravolin::text {

inline constexpr int kTabColumns = 8;

// Columns of one character: 1 for ASCII and half-width katakana, 2 for anything else.
int char_columns(char32_t c);
// Columns of a UTF-8 text without TABs.
int text_columns(std::string_view utf8);

// Each TAB replaced by the blanks that reach the next multiple of tab_columns.
std::string expand_tabs(std::string_view utf8, int tab_columns = kTabColumns);

// Breaks a UTF-8 line (without TABs or line breaks) into pieces whose width, the sum of
// char_width over their characters, is at most max_width; a piece holds at least one
// character, and a full-width character is never split. Blanks that would start a
// continuation piece are dropped, so a line ending in blanks gets no blank piece.
std::vector<std::string> wrap_to_width(std::string_view utf8,
                                       const std::function<int(char32_t)>& char_width,
                                       int max_width);

}  // namespace ravolin::text
