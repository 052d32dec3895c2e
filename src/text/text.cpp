// SPDX-License-Identifier: MIT
#include "text/text.h"

#include <iconv.h>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace ravolin::text {
namespace {

// One conversion through iconv; nullopt on an invalid or incomplete sequence.
// A conversion descriptor per direction, opened once per thread: opening one loads the
// converter each time, which cost more than the conversions of a settings file.
iconv_t descriptor(const char* to, const char* from) {
  struct Cached {
    std::string to, from;
    iconv_t cd;
  };
  struct Cache {
    std::vector<Cached> entries;
    ~Cache() {
      for (auto& e : entries) iconv_close(e.cd);
    }
  };
  thread_local Cache cache;
  for (auto& e : cache.entries)
    if (e.to == to && e.from == from) {
      iconv(e.cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      return e.cd;
    }
  iconv_t cd = iconv_open(to, from);
  if (cd != reinterpret_cast<iconv_t>(-1)) cache.entries.push_back({to, from, cd});
  return cd;
}

std::optional<std::string> convert(const char* to, const char* from, std::string_view in,
                                   bool lossy) {
  // ASCII is the same in CP932 and UTF-8 (CP932 keeps 0x5C a backslash).
  bool ascii = true;
  for (char c : in) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(in);
  iconv_t cd = descriptor(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  bool ok = true;
  while (src_left > 0) {
    std::size_t r = iconv(cd, &src, &src_left, &dst, &dst_left);
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      std::size_t used = out.size() - dst_left;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dst_left = out.size() - used;
      continue;
    }
    if (!lossy) {
      ok = false;
      break;
    }
    // Replace one byte and go on.
    const char* repl = (std::string_view(to) == "UTF-8") ? "\xEF\xBF\xBD" : "?";
    std::string_view r_sv(repl);
    if (dst_left < r_sv.size()) {
      std::size_t used = out.size() - dst_left;
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dst_left = out.size() - used;
    }
    for (char c : r_sv) {
      *dst++ = c;
      --dst_left;
    }
    ++src;
    --src_left;
  }
  if (!ok) return std::nullopt;
  out.resize(out.size() - dst_left);
  return out;
}

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// n in decimal, with leading zeros to at least `width` characters.
std::string zero_padded(int n, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*d", width, n);
  return buf;
}

}  // namespace

std::optional<std::string> cp932_to_utf8(std::string_view cp932) {
  return convert("UTF-8", "CP932", cp932, false);
}

std::optional<std::string> utf8_to_cp932(std::string_view utf8) {
  return convert("CP932", "UTF-8", utf8, false);
}

std::string cp932_to_utf8_lossy(std::string_view cp932) {
  return *convert("UTF-8", "CP932", cp932, true);
}

std::optional<std::string> utf8_to_charset(std::string_view utf8, const std::string& charset) {
  return convert(charset.c_str(), "UTF-8", utf8, false);
}

std::string trim_left(std::string_view s) {
  std::size_t b = 0;
  while (b < s.size() && s[b] == ' ') ++b;
  return std::string(s.substr(b));
}

std::string trim_right(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return std::string(s.substr(0, e));
}

std::string trim(std::string_view s) { return trim_left(trim_right(s)); }

std::size_t char_count(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if (!is_continuation(c)) ++n;
  return n;
}

std::string char_left(std::string_view utf8, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!is_continuation(static_cast<unsigned char>(utf8[i]))) {
      if (count == n) return std::string(utf8.substr(0, i));
      ++count;
    }
  }
  return std::string(utf8);
}

std::string fit_chars(std::string_view utf8, std::size_t n) {
  std::string s = char_left(utf8, n);
  std::size_t have = char_count(s);
  if (have < n) s.append(n - have, ' ');
  return s;
}

std::string to_full_width(std::string_view ascii) {
  std::string out;
  out.reserve(ascii.size() * 3);
  for (char ch : ascii) {
    auto c = static_cast<unsigned char>(ch);
    char32_t cp = 0;
    if (c == ' ')
      cp = 0x3000;
    else if (c == '\\')
      cp = 0xFFE5;  // byte 0x5C is the yen sign in Japanese text: full-width ￥
    else if (c > 0x20 && c < 0x7F)
      cp = 0xFF01 + (c - 0x21);
    if (cp == 0) {
      out.push_back(ch);
      continue;
    }
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
  return out;
}

std::string ascii_digits(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    // U+FF0B..U+FF19 are EF BC 8B..99: ＋ ， － ． ／ ０..９
    if (i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i]) == 0xEF &&
        static_cast<unsigned char>(utf8[i + 1]) == 0xBC) {
      const auto c = static_cast<unsigned char>(utf8[i + 2]);
      char ascii = 0;
      if (c >= 0x90 && c <= 0x99)
        ascii = static_cast<char>('0' + (c - 0x90));
      else if (c == 0x8B)
        ascii = '+';
      else if (c == 0x8D)
        ascii = '-';
      else if (c == 0x8E)
        ascii = '.';
      else if (c == 0x8F)
        ascii = '/';
      if (ascii != 0) {
        out += ascii;
        i += 3;
        continue;
      }
    }
    out += utf8[i++];
  }
  return out;
}

std::string format_hhmm(int hhmm) {
  char buf[32];
  int h = hhmm / 100, m = hhmm % 100;
  if (hhmm < 0) {
    h = -(-hhmm / 100);
    m = (-hhmm) % 100;
  }
  std::snprintf(buf, sizeof buf, "%02d:%02d", h, m);
  return buf;
}

std::string format_0000(int hhmm) { return zero_padded(hhmm, 4); }

std::string format_000(int n) { return zero_padded(n, 3); }

std::string format_00(int n) { return zero_padded(n, 2); }

std::string format_thousands(long long n) {
  bool neg = n < 0;
  unsigned long long v =
      neg ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  std::string digits = std::to_string(v);
  std::string out;
  int k = 0;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (k > 0 && k % 3 == 0) out.insert(out.begin(), ',');
    out.insert(out.begin(), *it);
    ++k;
  }
  if (neg) out.insert(out.begin(), '-');
  return out;
}

std::string format_plain(long long n) { return std::to_string(n); }

std::string weekday_name(int weekday) {
  static const char* const kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
  if (weekday < 1 || weekday > 7) return "";
  return kNames[weekday - 1];
}

std::string format_ymd(int year, int month, int day) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", year, month, day);
  return buf;
}

std::string format_date_jp(int year, int month, int day, int weekday) {
  return format_ymd(year, month, day) + "（" + weekday_name(weekday) + "）";
}

std::string format_date_ascii(int year, int month, int day, int weekday) {
  return format_ymd(year, month, day) + " (" + weekday_name(weekday) + ")";
}

}  // namespace ravolin::text
