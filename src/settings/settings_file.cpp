// SPDX-License-Identifier: MIT
#include "settings/settings_file.h"

#include "files/replace_file.h"
#include "settings/delivered_settings.h"
#include "text/language.h"
#include "text/text.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace ravolin::settings {
namespace {

enum class Section { Form, Control, Departure, Arrival, Keiyo, Sinkansen, Retrieval, Holiday };

struct Header {
  const char* text;
  Section section;
};
constexpr Header kHeaders[] = {
    {"[Form]", Section::Form},
    {"[Control]", Section::Control},
    {"[Departure ground]", Section::Departure},
    {"[Arrival ground]", Section::Arrival},
    {"[Keiyo_line]", Section::Keiyo},
    {"[Sinkansen_line]", Section::Sinkansen},
    {"[Retrieval condition]", Section::Retrieval},
    {"[Holiday]", Section::Holiday},
};

struct NumberKey {
  const char* key;
  std::int16_t Settings::*member;
};
struct TextKey {
  const char* key;
  std::string Settings::*member;
};

constexpr NumberKey kControlKeys[] = {
    {"control1_flg", &Settings::control1_flg},
    {"control2_flg", &Settings::control2_flg},
    {"control3_flg", &Settings::control3_flg},
    {"control9_flg", &Settings::control9_flg},
};
constexpr NumberKey kKeiyoKeys[] = {
    {"keiyo_flg", &Settings::keiyo_flg},   {"keiyo_hun1", &Settings::keiyo_hun1},
    {"keiyo_hun2", &Settings::keiyo_hun2}, {"keiyo_hyouji", &Settings::keiyo_hyouji},
    {"keiyo_use", &Settings::keiyo_use},
};
constexpr NumberKey kSinkansenKeys[] = {
    {"sinkansen_flg", &Settings::sinkansen_flg},
    {"sinkansen_hun1", &Settings::sinkansen_hun1},
    {"sinkansen_hun2", &Settings::sinkansen_hun2},
    {"sinkansen_hyouji", &Settings::sinkansen_hyouji},
};
constexpr NumberKey kRetrievalKeys[] = {
    {"st_time1", &Settings::st_time1},
    {"st_time2", &Settings::st_time2},
    {"ed_time1", &Settings::ed_time1},
    {"ed_time2", &Settings::ed_time2},
    {"wait_time", &Settings::wait_time},
    {"wait_count", &Settings::wait_count},
    {"combination_number", &Settings::combination_number},
};

// One field of the file with the line it stands on; a quoted field is a value, never a
// section header, so that a place such as "[x" reads back as written.
struct Field {
  std::string bytes;
  int line = 0;
  bool quoted = false;
};

std::vector<Field> split_lines(std::string_view bytes) {
  std::vector<Field> fields;
  std::size_t pos = 0;
  const std::size_t n = bytes.size();
  int line_no = 0;
  while (pos < n) {
    // One line: up to CR LF, CR or LF.
    std::size_t end = pos;
    while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    const std::string_view line = bytes.substr(pos, end - pos);
    ++line_no;
    pos = end;
    if (pos < n && bytes[pos] == '\r') ++pos;
    if (pos < n && bytes[pos] == '\n') ++pos;

    std::size_t i = 0;
    for (;;) {
      while (i < line.size() && line[i] == ' ') ++i;
      Field field;
      field.line = line_no;
      if (i < line.size() && line[i] == '"') {
        const std::size_t close = line.find('"', i + 1);
        const std::size_t stop = close == std::string_view::npos ? line.size() : close;
        field.bytes = line.substr(i + 1, stop - i - 1);
        field.quoted = true;
        i = line.find(',', stop);  // anything between the closing quote and the comma is dropped
        if (i == std::string_view::npos) i = line.size();
      } else {
        const std::size_t comma = line.find(',', i);
        const std::size_t stop = comma == std::string_view::npos ? line.size() : comma;
        field.bytes = line.substr(i, stop - i);
        i = stop;
      }
      fields.push_back(std::move(field));
      if (i >= line.size()) break;
      ++i;  // past the comma: another field follows, possibly empty
    }
  }
  return fields;
}

std::string encode(std::string_view utf8) { return encode_cp932_lossy(utf8); }

std::optional<Section> header_of(std::string_view field) {
  if (field.empty() || field.front() != '[') return std::nullopt;
  const std::string h = text::trim(field);
  for (const Header& hd : kHeaders)
    if (h == hd.text) return hd.section;
  return std::nullopt;
}

// Key and value of a "key=value" field; false when it has no "=".
bool split_key(const std::string& field, std::string& key, std::string& value) {
  const std::size_t p = field.find('=');
  if (p == std::string::npos) return false;
  key = field.substr(0, p);
  value = field.substr(p + 1);
  return true;
}

// The first thing in a file that the writer would never have written, with its line.
struct Problems {
  text::Message first;
  void note(int line, text::Message reason) {
    static constexpr text::Wording kAtLine{"{1}行目: {2}", "line {1}: {2}"};
    if (first.empty()) first = {kAtLine, {text::number(line), std::move(reason)}};
  }
  void note(const text::Wording& reason) {
    if (first.empty()) first = reason;
  }
};

constexpr text::Wording kTooLarge{"値が大きすぎて読めません", "a value too large to read"};
constexpr text::Wording kNoKeyValue{"「名前=値」の形ではありません", "not a \"name=value\" line"};
constexpr text::Wording kControlCharacter{"読めない文字（制御文字）があります",
                                          "a character that cannot be read (a control character)"};
constexpr text::Wording kNotShiftJis{"Shift-JIS として読めない文字があります",
                                     "a character that is not Shift-JIS"};
constexpr text::Wording kUnknownHeading{"見出し「{1}」を読めません", "an unknown heading \"{1}\""};
constexpr text::Wording kNoHolidayEnd{"休日の一覧が 9999 で終わっていません",
                                      "the holiday list does not end with 9999"};
constexpr text::Wording kEmptyFile{"ファイルが空です", "the file is empty"};
constexpr text::Wording kNoHolidayHeading{
    "見出し「[Holiday]」がありません（ファイルが途中で切れています）",
    "there is no \"[Holiday]\" heading (the file is cut short)"};

// Sets a numeric key; false when the key is not in the list. A value too large for 16
// bits is passed over and noted.
bool set_number(Settings& s, const NumberKey* begin, const NumberKey* end, const std::string& key,
                std::string_view value, int line, Problems& problems) {
  for (const NumberKey* k = begin; k != end; ++k) {
    if (key != k->key) continue;
    std::int16_t v = 0;
    if (read_int16(value, v))
      s.*(k->member) = v;
    else
      problems.note(line, kTooLarge);
    return true;
  }
  return false;
}

void form_key(Settings& s, const std::string& key, std::string_view value, int line,
              Problems& problems) {
  if (key == "tray_notify") {
    std::int16_t v = 0;
    if (!read_int16(value, v))
      problems.note(line, kTooLarge);
    else
      s.tray_notify = v;
    return;
  }
  if (key == "language") {
    // "en" or "ja"; any other value is no choice: the desktop's language then holds.
    if (text::language_from_code(value)) s.language = value;
    return;
  }
  // "ravolin<id>_top" or "ravolin<id>_left" for one of the windows with a position.
  std::string_view k = key;
  if (!k.starts_with("ravolin")) return;
  k.remove_prefix(7);
  int id = 0;
  const auto [end, ec] = std::from_chars(k.data(), k.data() + k.size(), id);
  if (ec != std::errc() || end == k.data() || k.front() == '0' || k.front() == '+') return;
  const std::string_view suffix(end, static_cast<std::size_t>(k.data() + k.size() - end));
  bool known = false;
  for (int w : kFormWindows) known = known || w == id;
  for (int w : kLaterFormWindows) known = known || w == id;
  if (!known || (suffix != "_top" && suffix != "_left")) return;
  std::int16_t v = 0;
  if (!read_int16(value, v))
    problems.note(line, kTooLarge);
  else if (suffix == "_top")
    s.form[id].top = v;
  else
    s.form[id].left = v;
}

// Last code point of a UTF-8 text.
std::string_view last_char(std::string_view s) {
  if (s.empty()) return s;
  std::size_t i = s.size() - 1;
  while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) --i;
  return s.substr(i);
}

// A "key=value" field of a key section. Keys the program does not know are passed over
// (a newer or older version may write more); a line that is no key line is noted.
void key_field(Settings& s, Section section, const std::string& field, int line,
               Problems& problems) {
  std::string key, value;
  if (!split_key(field, key, value)) {
    if (!text::trim(field).empty()) problems.note(line, kNoKeyValue);
    return;
  }
  switch (section) {
    case Section::Form:
      form_key(s, key, value, line, problems);
      break;
    case Section::Control:
      set_number(s, std::begin(kControlKeys), std::end(kControlKeys), key, last_char(field), line,
                 problems);
      break;
    case Section::Keiyo:
      if (key == "keiyo_station")
        s.keiyo_station = value;
      else
        set_number(s, std::begin(kKeiyoKeys), std::end(kKeiyoKeys), key, value, line, problems);
      break;
    case Section::Sinkansen:
      if (key == "sinkansen_station")
        s.sinkansen_station = value;
      else
        set_number(s, std::begin(kSinkansenKeys), std::end(kSinkansenKeys), key, value, line,
                   problems);
      break;
    case Section::Retrieval:
      if (key == "st_station")
        s.st_station = value;
      else if (key == "ed_station")
        s.ed_station = value;
      else
        set_number(s, std::begin(kRetrievalKeys), std::end(kRetrievalKeys), key, value, line,
                   problems);
      break;
    default:
      break;
  }
}

// Control characters other than the line ends (a NUL from a damaged disk, say) never
// stand in a file the program wrote.
bool has_control_char(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return true;
  return bytes.find('\x7F') != std::string_view::npos;
}

// Makes slot count + 1 the terminator and clears the slots after it.
void terminate_holidays(calendar::HolidayList& list, int count) {
  list.count = count;
  for (int i = count + 1; i <= calendar::kHolidaySlots; ++i) {
    list.month[i] = 0;
    list.day[i] = 0;
  }
  list.month[count + 1] = 99;
  list.day[count + 1] = 99;
}

std::string number_line(const char* key, long value) {
  return std::string(key) + "=" + text::format_plain(value);
}

// A text as one written line: blanks trimmed, no line breaks or other control
// characters inside (the reader takes those for damage).
std::string one_line(std::string_view s) {
  std::string out;
  for (char c : s)
    if ((static_cast<unsigned char>(c) >= 0x20 && c != '\x7F') || c == '\t') out += c;
  return text::trim(out);
}

std::string place_line(const std::string& place) {
  std::string out;
  for (char c : one_line(place))
    if (c != '"') out += c;  // a quote inside would end the field early when read back
  return "\"" + out + "\"";
}

std::string file_name_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool read_int16(std::string_view text, std::int16_t& out) {
  std::string num;
  bool digits = false, point = false, exponent = false, exp_digits = false;
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (c >= '0' && c <= '9') {
      num += c;
      if (exponent)
        exp_digits = true;
      else
        digits = true;
    } else if ((c == '+' || c == '-') && (num.empty() || (exponent && (num.back() == 'e')))) {
      num += c;
    } else if (c == '.' && !point && !exponent) {
      num += c;
      point = true;
    } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digits && !exponent) {
      num += 'e';
      exponent = true;
    } else {
      break;
    }
  }
  if (!digits) {
    out = 0;
    return true;
  }
  if (exponent && !exp_digits) {
    // "12e" or "12e-": the exponent is not part of the number.
    while (!num.empty() && (num.back() == 'e' || num.back() == '+' || num.back() == '-'))
      num.pop_back();
  }
  // from_chars, not strtod: the windowing toolkit sets the user's locale, whose decimal
  // separator may be a comma, and the file always writes a point.
  const char* first = num.data();
  if (*first == '+') ++first;
  double x = 0.0;
  const auto [end, ec] = std::from_chars(first, num.data() + num.size(), x);
  if (ec != std::errc() || !std::isfinite(x)) return false;
  double r = std::floor(x);
  const double frac = x - r;
  if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  if (r < -32768.0 || r > 32767.0) return false;
  out = static_cast<std::int16_t>(r);
  return true;
}

std::vector<std::string> split_fields(std::string_view bytes) {
  std::vector<std::string> out;
  for (Field& f : split_lines(bytes)) out.push_back(std::move(f.bytes));
  return out;
}

Settings start_settings() {
  Settings s;
  terminate_holidays(s.holidays, 0);
  return s;
}

Settings parse_settings(std::string_view cp932_bytes, text::Message& problem) {
  Settings s = start_settings();
  Problems problems;
  const std::vector<Field> raw = split_lines(cp932_bytes);
  // Decodes a field, noting bytes that are no CP932 text.
  auto text_of = [&problems](const Field& f) {
    if (has_control_char(f.bytes)) problems.note(f.line, kControlCharacter);
    if (auto utf8 = text::cp932_to_utf8(f.bytes)) return *utf8;
    problems.note(f.line, kNotShiftJis);
    return text::cp932_to_utf8_lossy(f.bytes);
  };
  Section section = Section::Form;  // lines before the first header are window positions
  bool holiday_seen = false;
  std::size_t i = 0;
  while (i < raw.size()) {
    const std::string field = text_of(raw[i]);
    if (!raw[i].quoted && !field.empty() && field.front() == '[') {
      // A header line; one that is none of the eight is passed over.
      if (auto h = header_of(field))
        section = *h;
      else
        problems.note(raw[i].line, {kUnknownHeading, {field}});
      ++i;
      continue;
    }
    if (section == Section::Departure || section == Section::Arrival) {
      auto& places = section == Section::Departure ? s.departure_ground : s.arrival_ground;
      for (int slot = 1; slot <= 5 && i < raw.size(); ++slot, ++i)
        places[slot] = text::trim(slot == 1 ? field : text_of(raw[i]));
      continue;
    }
    if (section == Section::Holiday) {
      // Up to 20 lines; 9999 ends the list. Without it, at most 19 holidays are kept
      // and the terminator follows the last one.
      holiday_seen = true;
      int slot = 0;
      int count = -1;
      for (; slot < calendar::kHolidaySlots && i < raw.size(); ++i) {
        std::int16_t v = 0;
        if (!read_int16(text_of(raw[i]), v)) {
          problems.note(raw[i].line, kTooLarge);
          v = 0;
        }
        ++slot;
        if (v == 9999) {
          count = slot - 1;
          ++i;
          break;
        }
        s.holidays.month[slot] = static_cast<std::int16_t>(v / 100);
        s.holidays.day[slot] = static_cast<std::int16_t>(v % 100);
      }
      if (count < 0) {
        problems.note(kNoHolidayEnd);
        count = slot > calendar::kMaxHolidays ? calendar::kMaxHolidays : slot;
      }
      terminate_holidays(s.holidays, count);
      break;  // nothing after the holiday list is read
    }
    key_field(s, section, field, raw[i].line, problems);
    ++i;
  }
  if (!holiday_seen && raw.empty())
    problems.note(kEmptyFile);
  else if (!holiday_seen)
    problems.note(kNoHolidayHeading);
  problem = std::move(problems.first);
  return s;
}

Settings parse_settings(std::string_view cp932_bytes, std::string& problem) {
  text::Message why;
  Settings s = parse_settings(cp932_bytes, why);
  problem = why.in(text::Language::kJapanese);
  return s;
}

Settings parse_settings(std::string_view cp932_bytes) {
  text::Message problem;
  return parse_settings(cp932_bytes, problem);
}

std::string format_settings(const Settings& s) {
  std::string out;
  auto line = [&out](std::string_view utf8) {
    out += encode(utf8);
    out += "\r\n";
  };
  line("[Form]");
  for (int id : kFormWindows) {
    const std::string base = "ravolin" + std::to_string(id);
    line(number_line((base + "_top").c_str(), s.form[id].top));
    line(number_line((base + "_left").c_str(), s.form[id].left));
  }
  for (int id : kLaterFormWindows) {
    const std::string base = "ravolin" + std::to_string(id);
    line(number_line((base + "_top").c_str(), s.form[id].top));
    line(number_line((base + "_left").c_str(), s.form[id].left));
  }
  line(number_line("tray_notify", s.tray_notify));
  // Only a language chosen in the settings window: a file without one stays as it was.
  if (text::language_from_code(s.language)) line("language=" + s.language);
  line("[Control]");
  for (const NumberKey& k : kControlKeys) line(number_line(k.key, s.*(k.member)));
  line("[Departure ground]");
  for (int slot = 1; slot <= 5; ++slot) line(place_line(s.departure_ground[slot]));
  line("[Arrival ground]");
  for (int slot = 1; slot <= 5; ++slot) line(place_line(s.arrival_ground[slot]));
  line("[Keiyo_line]");
  line(number_line("keiyo_flg", s.keiyo_flg));
  line("keiyo_station=" + one_line(s.keiyo_station));
  line(number_line("keiyo_hun1", s.keiyo_hun1));
  line(number_line("keiyo_hun2", s.keiyo_hun2));
  line(number_line("keiyo_hyouji", s.keiyo_hyouji));
  line(number_line("keiyo_use", s.keiyo_use));
  line("[Sinkansen_line]");
  line(number_line("sinkansen_flg", s.sinkansen_flg));
  line("sinkansen_station=" + one_line(s.sinkansen_station));
  line(number_line("sinkansen_hun1", s.sinkansen_hun1));
  line(number_line("sinkansen_hun2", s.sinkansen_hun2));
  line(number_line("sinkansen_hyouji", s.sinkansen_hyouji));
  line("[Retrieval condition]");
  line("st_station=" + one_line(s.st_station));
  line("ed_station=" + one_line(s.ed_station));
  for (const NumberKey& k : kRetrievalKeys) line(number_line(k.key, s.*(k.member)));
  line("[Holiday]");
  // Always a well-formed list: the holidays, 9999, then empty lines.
  int count = s.holidays.count;
  if (count < 0) count = 0;
  if (count > calendar::kMaxHolidays) count = calendar::kMaxHolidays;
  for (int slot = 1; slot <= calendar::kHolidaySlots; ++slot) {
    long v = 0;
    if (slot <= count)
      v = static_cast<long>(s.holidays.month[slot]) * 100 + s.holidays.day[slot];
    else if (slot == count + 1)
      v = 9999;
    line(v == 0 ? std::string() : text::format_plain(v));
  }
  return out;
}

SettingsRead read_settings_file(const std::string& path) {
  SettingsRead r;
  std::string bytes;
  bool missing = false;
  if (!read_whole_file(path, kMaxSettingsFileBytes, bytes, r.error, missing)) {
    // A first start or a deleted file, and also a file that cannot be read: the
    // edition's delivered settings, so that the board shows the usual stations.
    if (missing) {
      r.missing = true;
      r.error = {};
    } else {
      r.unreadable = true;
    }
    const std::string_view defaults = delivered_settings(file_name_of(path));
    r.settings = defaults.empty() ? start_settings() : parse_settings(defaults);
    return r;
  }
  r.settings = parse_settings(bytes, r.problem);
  return r;
}

std::string start_up_notice(const SettingsRead& r, const std::string& path,
                            text::Language language) {
  static constexpr text::Wording kUnreadable{
      "動作環境ファイルを読めません。\n{1}\n既定の設定で起動します。このファイルは終了時にも"
      "書き換えません。",
      "The settings file cannot be read.\n{1}\nThe program starts with the delivered "
      "settings and does not write this file when it ends."};
  static constexpr text::Wording kDamaged{
      "動作環境ファイルが壊れています。\n{1}（{2}）\n読めた設定で起動します。終了時に保存する"
      "前に、元のファイルを {3} として残します。",
      "The settings file is damaged.\n{1} ({2})\nThe program starts with the settings it "
      "could read. Before saving at the end, it keeps the old file as {3}."};
  if (r.unreadable) return text::Message(kUnreadable, {r.error}).in(language);
  if (!r.problem.empty())
    return text::Message(kDamaged, {path, r.problem, file_name_of(damaged_copy_path(path))})
        .in(language);
  return {};
}

std::string damaged_copy_path(const std::string& path) { return path + ".bak"; }

bool read_ini_file(const std::string& path, Settings& out, std::string& error) {
  std::string bytes;
  if (!read_whole_file(path, kMaxSettingsFileBytes, bytes, error)) {
    out = start_settings();
    return false;
  }
  out = parse_settings(bytes);
  return true;
}

Settings get_ini_file(const std::string& path) {
  Settings s;
  std::string error;
  read_ini_file(path, s, error);
  return s;
}

bool put_ini_file(const std::string& path, const Settings& s, text::Message& error) {
  // The file about to be replaced: one that cannot be read is left alone (what it holds
  // was never loaded, so writing would lose it), and a damaged one is kept as a copy.
  std::string old;
  bool missing = false;
  if (!read_whole_file(path, kMaxSettingsFileBytes, old, error, missing)) {
    if (!missing) {
      static constexpr text::Wording kNotOverUnreadable{
          "読めないファイルは上書きしません。\n{1}",
          "A file that cannot be read is not written over.\n{1}"};
      error = {kNotOverUnreadable, {error}};
      return false;
    }
  } else {
    text::Message problem;
    parse_settings(old, problem);
    if (!problem.empty() && !replace_file(damaged_copy_path(path), old, error)) {
      static constexpr text::Wording kNoDamagedCopy{
          "壊れたファイルの控えを残せないため保存しませんでした。\n{1}",
          "Not saved, because no copy of the damaged file could be kept.\n{1}"};
      error = {kNoDamagedCopy, {error}};
      return false;
    }
  }
  return replace_file(path, format_settings(s), error);
}

namespace {

// The store at exit, for both ways the main window closes. Without control2_flg 1 the
// file's own values are written back (read as at start-up: a missing file gives the
// delivered settings, a damaged one what could be read); when they cannot be read,
// nothing is written rather than start values over the user's file. keiyo_on makes the
// file hold keiyo_use=1 whatever control2_flg says; the language chosen in the settings
// window, which takes effect at the next start, is kept whatever control2_flg says.
bool store_at_exit(const std::string& path, Settings& current, bool keiyo_on,
                   text::Message& error) {
  if (current.control2_flg != 1) {
    SettingsRead r = read_settings_file(path);
    if (r.unreadable) {
      static constexpr text::Wording kCannotReread{
          "保存されている設定を読み直せないため、ファイルを書き換えませんでした。\n{1}",
          "The file was not written, because the saved settings could not be read again.\n{1}"};
      error = {kCannotReread, {r.error}};
      return false;
    }
    std::string language = std::move(current.language);
    current = r.settings;
    current.language = std::move(language);
    current.control2_flg = 0;
  }
  if (keiyo_on) current.keiyo_use = 1;
  return put_ini_file(path, current, error);
}

// The reason in Japanese, for the callers that keep a plain text.
bool japanese_reason(bool ok, const text::Message& why, std::string& error) {
  if (!ok) error = why.in(text::Language::kJapanese);
  return ok;
}

}  // namespace

bool put_ini_file_at_exit(const std::string& path, Settings& current, text::Message& error) {
  return store_at_exit(path, current, false, error);
}

bool put_ini_file_at_exit_keiyo_on(const std::string& path, Settings& current,
                                   text::Message& error) {
  return store_at_exit(path, current, true, error);
}

bool put_ini_file(const std::string& path, const Settings& s, std::string& error) {
  text::Message why;
  return japanese_reason(put_ini_file(path, s, why), why, error);
}

bool put_ini_file_at_exit(const std::string& path, Settings& current, std::string& error) {
  text::Message why;
  return japanese_reason(put_ini_file_at_exit(path, current, why), why, error);
}

bool put_ini_file_at_exit_keiyo_on(const std::string& path, Settings& current, std::string& error) {
  text::Message why;
  return japanese_reason(put_ini_file_at_exit_keiyo_on(path, current, why), why, error);
}

}  // namespace ravolin::settings
