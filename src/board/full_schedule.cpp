// SPDX-License-Identifier: MIT
#include "board/full_schedule.h"

#include "board/board.h"
#include "text/text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ravolin::board {
namespace {

constexpr const char* kKeiyoNote = "（注）（　）内は新習志野駅とまり";
// The Keiyo note names the station where the short trains end.
constexpr const char* kKeiyoShortTerminus = "新習志野";

bool is_english(text::Language language) { return language == text::Language::kEnglish; }

const char* edition_note(int edition_code, text::Language language) {
  if (is_english(language)) {
    switch (edition_code) {
      case 1:
        return "Note: plain = Hikari  [ ] = Nozomi  ( ) = Kodama";
      case 2:
        return "Note: plain = Yamabiko  [ ] = Tsubasa  < > = Komachi  ( ) = Nasuno";
      case 3:
        return "Note: plain = Asahi  [ ] = Asama  ( ) = Tanigawa";
      default:
        return "";
    }
  }
  switch (edition_code) {
    case 1:
      return "（注）無印はひかり  [　］はのぞみ　（　）はこだま";
    case 2:
      return "（注）無印はやまびこ  ［　］はつばさ　＜　＞はこまち　（　）はなすの";
    case 3:
      return "（注）無印はあさひ ［　］はあさま　（　）はたにがわ";
    default:
      return "";
  }
}

// Starts a new hour row when the hour changes (or for the first entry).
void start_row_if_needed(std::string& out, int hour, int& previous_hour, bool& first) {
  if (first || hour != previous_hour) {
    if (!out.empty()) out += "\r\n";
    out += text::format_00(hour);
    out += '|';
  }
  first = false;
  previous_hour = hour;
}

// The Japanese mark of a train's last stop: the first character of its name.
std::string terminus_initial(const std::string& name) {
  return text::char_left(text::trim(name), 1);
}

bool is_ascii(const std::string& s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool is_vowel(char c) { return std::string_view("aeiou").find(lower(c)) != std::string_view::npos; }

// Marks a last stop may take, best first, each two columns wide. A Latin name gives its
// first letter with the initial of its second word ("Shin-Osaka" "SO"), then with each
// later consonant as it sounds ("Hakata" "Hk" "Ht", "Shizuoka" "Sz": the h of sh and ch
// and the s of ts are skipped), then with any later letter, then with a digit. A name
// shown in Japanese gives its first character (full width).
std::vector<std::string> mark_candidates(const std::string& name) {
  std::vector<std::string> out;
  if (!is_ascii(name)) {
    out.push_back(text::char_left(name, 1));
    return out;
  }
  std::string letters;
  std::string second_word;
  bool word_break = false;
  for (char c : name) {
    if (!is_letter(c)) {
      word_break = !letters.empty();
      continue;
    }
    if (word_break && second_word.empty()) second_word = std::string(1, upper(c));
    word_break = false;
    letters += c;
  }
  if (letters.empty()) return out;
  const char first = upper(letters[0]);
  const auto add = [&](char second) { out.push_back(std::string{first, second}); };
  if (!second_word.empty()) add(second_word[0]);
  for (std::size_t i = 1; i < letters.size(); ++i) {
    const char c = lower(letters[i]);
    const char before = lower(letters[i - 1]);
    const bool digraph =
        (c == 'h' && (before == 's' || before == 'c')) || (c == 's' && before == 't');
    if (!is_vowel(c) && !digraph) add(c);
  }
  for (std::size_t i = 1; i < letters.size(); ++i) add(lower(letters[i]));
  for (char d = '1'; d <= '9'; ++d) add(d);
  return out;
}

// Gives each last stop (in order along the line) the first of its marks that no stop
// before it took; when all are taken, the first free letter and digit.
std::vector<DestinationMark> destination_marks(const std::vector<std::string>& names_shown) {
  std::vector<DestinationMark> key;
  const auto taken = [&key](const std::string& mark) {
    return std::any_of(key.begin(), key.end(),
                       [&mark](const DestinationMark& k) { return k.mark == mark; });
  };
  for (const std::string& name : names_shown) {
    std::string chosen;
    for (const std::string& mark : mark_candidates(name)) {
      if (!taken(mark)) {
        chosen = mark;
        break;
      }
    }
    for (char a = 'A'; a <= 'Z' && chosen.empty(); ++a)
      for (char d = '1'; d <= '9' && chosen.empty(); ++d)
        if (!taken(std::string{a, d})) chosen = std::string{a, d};
    key.push_back({chosen, name});
  }
  return key;
}

// The row of the last stop of train m: the highest row from the end of the line down to
// the user's row j with flag 0 or 1 at which the train has a time; 0 for none.
int last_stop_row(const data::SinkansenTables& t, int d, int j, int count, int m) {
  for (int c = count; c >= j; --c) {
    const int flag = t.station_flag[d][c];
    if ((flag == data::kFlagSingle || flag == data::kFlagArrival) && t.time(d, c, m) != 0) return c;
  }
  return 0;
}

// The English key of a table: the distinct last stops of its trains in line order.
std::vector<DestinationMark> english_key(const data::SinkansenTables& t, int d, int j, int count,
                                         const int* cand, int n, const data::PlaceNames& names) {
  std::array<bool, data::kMaxSinStations + 1> is_last_stop{};
  for (int i = 0; i < n; ++i) is_last_stop[last_stop_row(t, d, j, count, cand[i])] = true;
  std::vector<std::string> shown;
  for (int c = std::max(j, 1); c <= count; ++c) {
    if (!is_last_stop[c]) continue;
    const std::string name =
        text::trim(names.shown(text::trim(t.station_name[d][c]), text::Language::kEnglish));
    if (std::find(shown.begin(), shown.end(), name) == shown.end()) shown.push_back(name);
  }
  return destination_marks(shown);
}

}  // namespace

std::string destination_key_text(const std::vector<DestinationMark>& key,
                                 const std::string& inner_space) {
  if (key.empty()) return {};
  std::string out = "Last stop:";
  for (const DestinationMark& k : key)
    out += "  " + k.mark + inner_space + "=" + inner_space + k.name;
  return out;
}

FullSchedule full_schedule_sinkansen(const data::SinkansenTables& t, const settings::Settings& s,
                                     const calendar::DayFlags& flags, int edition_code,
                                     text::Language language, const data::PlaceNames& names) {
  FullSchedule fs;
  const int d = sinkansen_direction(s);
  fs.caption = sinkansen_caption(d, s, language, names);
  fs.note = edition_note(edition_code, language);
  const int count = std::clamp(t.station_count, 0, data::kMaxSinStations);
  const int j = find_sinkansen_station(t, d, s.sinkansen_station);
  if (j > count) return fs;

  // The whole day may hold every train of the direction, so this list is not cut at
  // the board's candidate limit.
  std::array<int, data::kMaxSinTrains> cand{};
  int n = 0;
  const int trains = std::clamp(t.train_count[d], 0, data::kMaxSinTrains);
  for (int m = 1; m <= trains; ++m) {
    int exclusion = 0;
    exclude_if_not_running(t, d, m, flags, exclusion);
    if (exclusion != 0) continue;
    if (t.time(d, j, m) == 0 || !serves_later_station(t, d, j, m)) continue;
    cand[n++] = m;
  }
  sort_sinkansen(t, d, j, cand.data(), n);

  if (is_english(language)) fs.key = english_key(t, d, j, count, cand.data(), n, names);
  const auto mark_of = [&](int c) {
    if (!is_english(language)) return terminus_initial(t.station_name[d][c]);
    const std::string name =
        text::trim(names.shown(text::trim(t.station_name[d][c]), text::Language::kEnglish));
    for (const DestinationMark& k : fs.key)
      if (k.name == name) return k.mark;
    return std::string();
  };

  int previous_hour = 0;
  bool first = true;
  for (int i = 0; i < n; ++i) {
    const int m = cand[i];
    const int tj = t.time(d, j, m);
    start_row_if_needed(fs.text, tj / 100, previous_hour, first);
    if (const int c = last_stop_row(t, d, j, count, m); c != 0) fs.text += mark_of(c);
    const std::string mm = text::format_00(tj % 100);
    const std::string& id = t.train_id[d][m];
    switch (id.empty() ? ' ' : id[0]) {
      case 'H':
      case 'Y':
      case 'A':
        fs.text += " " + mm + "  ";
        break;
      case 'N':
      case 'T':
      case 'S':
        fs.text += "[" + mm + "] ";
        break;
      case 'K':
      case 'O':
      case 'G':
        fs.text += "(" + mm + ") ";
        break;
      case 'M':
        fs.text += "<" + mm + "> ";
        break;
      default:
        break;
    }
  }
  return fs;
}

FullSchedule full_schedule_keiyo(const data::KeiyoTables& t, const settings::Settings& s,
                                 const calendar::DayFlags& flags, text::Language language,
                                 const data::PlaceNames& names) {
  FullSchedule fs;
  const int v = keiyo_schedule(s, flags);
  fs.caption = keiyo_caption(v, s, language, names);
  fs.note = is_english(language)
                ? "Note: ( ) = terminates at " + names.shown(kKeiyoShortTerminus, language)
                : kKeiyoNote;
  const int count = std::clamp(t.station_count[v], 0, data::kKeiyoStations);
  const int j = find_keiyo_station(t, v, s.keiyo_station);
  if (j > count) return fs;

  std::array<int, data::kMaxKeiyoTrains> cand{};
  int n = 0;
  const int trains = std::clamp(t.train_count[v], 0, data::kMaxKeiyoTrains);
  for (int m = 1; m <= trains; ++m) {
    if (t.time(v, j, m) != 0) cand[n++] = m;
  }
  sort_keiyo(t, v, j, cand.data(), n);

  int previous_hour = 0;
  bool first = true;
  for (int i = 0; i < n; ++i) {
    const int m = cand[i];
    const int tj = t.time(v, j, m);
    start_row_if_needed(fs.text, tj / 100, previous_hour, first);
    const bool rapid = is_keiyo_rapid(t.train_id[v][m]);
    if (is_english(language)) {
      fs.text += rapid ? "R " : "  ";
    } else {
      fs.text += rapid ? "快" : "  ";
    }
    const std::string mm = text::format_00(tj % 100);
    if (t.time(v, count, m) != 0) {
      fs.text += " " + mm + " ";
    } else {
      fs.text += "(" + mm + ")";
    }
  }
  return fs;
}

FullSchedule full_schedule(int mode, const data::ScheduleData& data, const settings::Settings& s,
                           const calendar::DayFlags& flags, text::Language language,
                           const data::PlaceNames& names) {
  if (mode == kModeKeiyo) return full_schedule_keiyo(data.keiyo, s, flags, language, names);
  if (mode == kModeSinkansen)
    return full_schedule_sinkansen(data.sin, s, flags, data.edition ? data.edition->code : 0,
                                   language, names);
  return {};
}

}  // namespace ravolin::board
