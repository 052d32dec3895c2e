// SPDX-License-Identifier: MIT
#include "text/print_columns.h"

namespace ravolin::text {

namespace {

// One code point and its byte length at s[i] (a broken byte counts as one character).
char32_t next_char(std::string_view s, std::size_t i, std::size_t& len) {
  const auto b = static_cast<unsigned char>(s[i]);
  len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
  if (i + len > s.size()) len = 1;
  if (len == 1) return b;
  char32_t c = b & (0xFF >> (len + 1));
  for (std::size_t k = 1; k < len; ++k)
    c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return c;
}

}  // namespace

int char_columns(char32_t c) {
  if (c < 0x80) return 1;
  if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width katakana
  return 2;
}

int text_columns(std::string_view utf8) {
  int cols = 0;
  for (std::size_t i = 0, len = 0; i < utf8.size(); i += len)
    cols += char_columns(next_char(utf8, i, len));
  return cols;
}

std::string expand_tabs(std::string_view utf8, int tab_columns) {
  std::string out;
  int col = 0;
  for (std::size_t i = 0, len = 0; i < utf8.size(); i += len) {
    const char32_t c = next_char(utf8, i, len);
    if (c == U'\t') {
      const int blanks = tab_columns - col % tab_columns;
      out.append(static_cast<std::size_t>(blanks), ' ');
      col += blanks;
    } else {
      out.append(utf8.substr(i, len));
      col += char_columns(c);
    }
  }
  return out;
}

std::vector<std::string> wrap_to_width(std::string_view utf8,
                                       const std::function<int(char32_t)>& char_width,
                                       int max_width) {
  std::vector<std::string> pieces;
  std::string piece;
  int width = 0;
  bool continuation = false;
  for (std::size_t i = 0, len = 0; i < utf8.size(); i += len) {
    const char32_t c = next_char(utf8, i, len);
    const int w = char_width(c);
    if (!piece.empty() && width + w > max_width) {
      pieces.push_back(std::move(piece));
      piece.clear();
      width = 0;
      continuation = true;
    }
    if (continuation && piece.empty() && c == U' ') continue;
    piece.append(utf8.substr(i, len));
    width += w;
  }
  if (!piece.empty() || pieces.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

}  // namespace ravolin::text
