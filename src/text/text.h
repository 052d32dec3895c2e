// SPDX-License-Identifier: MIT
// Text helpers shared by every subsystem: the CP932 file boundary, blank
// trimming, full-width forms and the number and date formats the program shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravolin::text {

// CP932 (Windows Japanese) <-> UTF-8 through glibc iconv "CP932".
// Both return nullopt when the input holds a byte sequence that does not convert.
std::optional<std::string> cp932_to_utf8(std::string_view cp932);
std::optional<std::string> utf8_to_cp932(std::string_view utf8);
// As above, but an unconvertible sequence becomes U+FFFD / "?" so nothing is lost silently
// in places (such as a dump listing) where a best effort is wanted.
std::string cp932_to_utf8_lossy(std::string_view cp932);
// UTF-8 to another character set by its iconv name (a locale's codeset, "EUC-JP");
// nullopt when the character set is unknown or lacks a character of the text.
std::optional<std::string> utf8_to_charset(std::string_view utf8, const std::string& charset);

// Removes ASCII spaces (only) from both ends; U+3000 and TAB are kept.
std::string trim(std::string_view s);
std::string trim_left(std::string_view s);
std::string trim_right(std::string_view s);

// Number of code points of a UTF-8 string.
std::size_t char_count(std::string_view utf8);
// First n code points of a UTF-8 string.
std::string char_left(std::string_view utf8, std::size_t n);
// Cuts or pads with ASCII blanks to exactly n code points.
std::string fit_chars(std::string_view utf8, std::size_t n);

// ASCII digits, '+', '-', ',', '.', ':', '/', '\\', ' ' and letters to their
// full-width forms ("0" -> "０", ":" -> "：", " " -> "　"); other characters are kept.
std::string to_full_width(std::string_view ascii);
// Full-width digits, signs, point and slash ("１５", "－", "．", "／") as their ASCII forms,
// so that a number typed with the input method on reads as typed; anything else is kept.
std::string ascii_digits(std::string_view utf8);

// Number formats.
std::string format_hhmm(int hhmm);          // "00:00" : 735 -> "07:35", 2410 -> "24:10"
std::string format_0000(int hhmm);          // "0000" : 735 -> "0735"
std::string format_000(int n);              // "000" : 7 -> "007"
std::string format_00(int n);               // "00" : 7 -> "07"
std::string format_thousands(long long n);  // "##,###" : 13750 -> "13,750", 0 -> "0"
std::string format_plain(long long n);      // "#0" / "###0" : plain decimal, "-" when negative

// Japanese one-character weekday name, 1 = Sunday ("日") .. 7 = Saturday ("土").
std::string weekday_name(int weekday);
// "yyyy/mm/dd（aaa）" with full-width parentheses.
std::string format_date_jp(int year, int month, int day, int weekday);
// "yyyy/mm/dd (aaa)" with an ASCII space and ASCII parentheses.
std::string format_date_ascii(int year, int month, int day, int weekday);
// "yyyy/mm/dd"
std::string format_ymd(int year, int month, int day);

}  // namespace ravolin::text
