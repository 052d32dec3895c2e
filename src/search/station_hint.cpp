// SPDX-License-Identifier: MIT
#include "search/station_hint.h"

#include "text/text.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace ravolin::search {
namespace {

// The ASCII letters and digits of a name, lower case: "Shin-Ōsaka" → "shinsaka" would lose
// the vowel, so a two-byte Latin letter with a mark counts as its base vowel.
std::string letters_of(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out += static_cast<char>(c);
    } else if ((c == 0xC4 || c == 0xC5 || c == 0xC3) && i + 1 < s.size()) {
      // ā ē ī ō ū and their capitals (U+0100..U+016B), â ê î ô û: the vowel itself
      const auto t = static_cast<unsigned char>(s[i + 1]);
      const char32_t cp = (static_cast<char32_t>(c & 0x1F) << 6) | (t & 0x3F);
      static constexpr std::pair<char32_t, char> kMarked[] = {
          {0x100, 'a'}, {0x101, 'a'}, {0x112, 'e'}, {0x113, 'e'}, {0x12A, 'i'},
          {0x12B, 'i'}, {0x14C, 'o'}, {0x14D, 'o'}, {0x16A, 'u'}, {0x16B, 'u'},
          {0xC2, 'a'},  {0xE2, 'a'},  {0xCA, 'e'},  {0xEA, 'e'},  {0xCE, 'i'},
          {0xEE, 'i'},  {0xD4, 'o'},  {0xF4, 'o'},  {0xDB, 'u'},  {0xFB, 'u'}};
      for (const auto& [marked, plain] : kMarked)
        if (marked == cp) out += plain;
      ++i;
    }
  }
  return out;
}

std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = up;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> nearest_stations(const data::SinkansenTables& sin,
                                          const std::string& typed, const data::PlaceNames& names,
                                          std::size_t most) {
  const std::string wanted = letters_of(typed);
  if (wanted.empty()) return {};
  // (rank, name): a name holding the typed letters ranks by the letters it adds; any other
  // by its distance, after them, and only when few letters are wrong.
  std::vector<std::pair<std::size_t, std::string>> ranked;
  const std::size_t allowed = std::max<std::size_t>(2, wanted.size() / 3);
  const int count = std::clamp(sin.station_count, 0, data::kMaxSinStations);
  for (int s = 1; s <= count; ++s) {
    if (sin.station_flag[1][s] == data::kFlagDeparture) continue;
    const std::string shown =
        names.shown(text::trim(sin.station_name[1][s]), text::Language::kEnglish);
    const std::string candidate = letters_of(shown);
    if (candidate.empty()) continue;
    std::size_t rank = 0;
    if (candidate.find(wanted) != std::string::npos) {
      rank = candidate.size() - wanted.size();
    } else {
      const std::size_t distance = edit_distance(wanted, candidate);
      if (distance > allowed) continue;
      rank = 100 + distance;
    }
    if (std::none_of(ranked.begin(), ranked.end(),
                     [&](const auto& r) { return r.second == shown; }))
      ranked.emplace_back(rank, shown);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> out;
  for (const auto& r : ranked) {
    if (out.size() == most) break;
    out.push_back(r.second);
  }
  return out;
}

std::string station_refusal(const data::SinkansenTables& sin, const std::string& field,
                            const std::string& typed, const data::PlaceNames& names) {
  const std::string t = text::trim(typed);
  if (t.empty()) return field + ": enter a station";
  std::string out = field + ": \"" + t + "\" is not a station of this line.";
  const std::vector<std::string> near = nearest_stations(sin, t, names);
  for (std::size_t i = 0; i < near.size(); ++i)
    out += (i == 0 ? " Did you mean " : i + 1 == near.size() ? " or " : ", ") + near[i];
  if (!near.empty()) out += "?";
  return out;
}

}  // namespace ravolin::search
