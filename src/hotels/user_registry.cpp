// SPDX-License-Identifier: MIT
#include "hotels/user_registry.h"

#include "data/hotel_reader.h"
#include "files/replace_file.h"
#include "hotels/user_hotels.h"
#include "text/print_columns.h"
#include "text/text.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

namespace ravolin::hotels {
namespace {

constexpr std::size_t kRemarkChars = 8;
constexpr long kMaxRooms = 32767;

// A message in the language asked for: Japanese, or the English form beside it.
struct Message {
  const char* japanese;
  const char* english;
  std::string in(text::Language language) const {
    return language == text::Language::kEnglish ? english : japanese;
  }
};

const Message kAreaMissing = {"ホテル検索地域名は省略できません", "Enter the hotel area"};
const Message kAreaUnknown = {"ホテル検索地域名の入力です", "Unknown hotel area"};
const Message kNameMissing = {"ホテル名は省略できません", "Enter the hotel name"};
const Message kPhoneMissing = {"電話番号は省略できません", "Enter the phone number"};
const Message kRoomsWrong = {"部屋数の入力に誤り(数字のみ可)", "Rooms: digits only"};

// The first character of a UTF-8 text that has no CP932 form; empty when all have one.
std::string first_unstorable(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (i + len > utf8.size()) len = utf8.size() - i;
    const std::string_view ch = utf8.substr(i, len);
    if (!text::utf8_to_cp932(ch)) return std::string(ch);
    i += len;
  }
  return {};
}

// The file keeps texts in double quotes without escapes, one record per line.
std::optional<std::string> check_storable(HotelField f, const std::string& s,
                                          text::Language language) {
  const bool english = language == text::Language::kEnglish;
  const std::string word = field_word(f, language);
  if (s.find('"') != std::string::npos)
    return english ? word + ": no \" allowed" : word + "に「\"」は使えません";
  if (s.find_first_of("\r\n") != std::string::npos)
    return english ? word + ": no line breaks allowed" : word + "に改行は使えません";
  const std::string bad = first_unstorable(s);
  if (!bad.empty())
    return english ? word + ": \"" + bad + "\" cannot be saved"
                   : word + "に保存できない文字「" + bad + "」があります";
  return std::nullopt;
}

// The longest text a field takes, as its hint states it: in columns, where a full-width
// (Japanese) character takes two and a half-width one one; the remarks, which the file
// keeps as exactly 8 characters, in characters of either width.
struct FieldLimit {
  HotelField field;
  std::size_t limit;
  bool columns;
};
constexpr FieldLimit kFieldLimits[] = {
    {HotelField::District, 12, true}, {HotelField::Name, 32, true},
    {HotelField::Phone, 12, true},    {HotelField::Access, 24, true},
    {HotelField::Price, 8, true},     {HotelField::Remarks, kRemarkChars, false},
};

std::optional<std::string> check_length(HotelField f, const std::string& s,
                                        text::Language language) {
  const bool english = language == text::Language::kEnglish;
  const std::string t = text::trim(s);
  for (const FieldLimit& l : kFieldLimits) {
    if (l.field != f) continue;
    const std::size_t used =
        l.columns ? static_cast<std::size_t>(text::text_columns(t)) : text::char_count(t);
    if (used <= l.limit) return std::nullopt;
    const std::string word = field_word(f, language);
    const std::string n = std::to_string(l.limit);
    if (!l.columns)
      return english ? word + ": up to " + n + " characters" : word + "は" + n + "文字以内です";
    return english ? word + ": up to " + n + " characters (a Japanese character counts as two)"
                   : word + "は日本語" + std::to_string(l.limit / 2) + "文字（半角" + n +
                         "文字）以内です";
  }
  return std::nullopt;
}

// Digits only (blanks around allowed), within the 16-bit room count.
bool rooms_number(const std::string& typed, long& out) {
  const std::string t = text::trim(typed);
  if (t.empty()) return false;
  long v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > kMaxRooms) return false;
  }
  out = v;
  return true;
}

int tabs_to(int stops, const std::string& s) {
  const int n = stops - static_cast<int>(2 * text::char_count(s) / 8);
  return n < 1 ? 0 : n;
}

// The TABs after a text shown in English: by the columns it takes, at least one.
int english_tabs_to(int stops, const std::string& s) {
  return std::max(1, stops - text::text_columns(s) / 8);
}

}  // namespace

std::string& HotelFields::operator[](HotelField f) {
  return const_cast<std::string&>(std::as_const(*this)[f]);
}

const std::string& HotelFields::operator[](HotelField f) const {
  switch (f) {
    case HotelField::Area:
      return area;
    case HotelField::District:
      return district;
    case HotelField::Name:
      return name;
    case HotelField::Phone:
      return phone;
    case HotelField::Rooms:
      return rooms;
    case HotelField::Access:
      return access;
    case HotelField::Price:
      return price;
    case HotelField::Remarks:
      break;
  }
  return remarks;
}

const char* field_word(HotelField f, text::Language language) {
  const bool english = language == text::Language::kEnglish;
  switch (f) {
    case HotelField::Area:
      return english ? "Area" : "地域名";
    case HotelField::District:
      return english ? "District" : "地区名";
    case HotelField::Name:
      return english ? "Hotel name" : "ホテル名";
    case HotelField::Phone:
      return english ? "Phone" : "電話番号";
    case HotelField::Rooms:
      return english ? "Rooms" : "部屋数";
    case HotelField::Access:
      return english ? "Access" : "交通";
    case HotelField::Price:
      return english ? "Rate" : "部屋代";
    case HotelField::Remarks:
      break;
  }
  return english ? "Remarks" : "備考";
}

std::string storable_form(const std::string& typed) {
  std::string out;
  out.reserve(typed.size());
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed.compare(i, 2, "\xC2\xA5") == 0) {  // U+00A5 YEN SIGN
      out += '\\';
      ++i;
    } else {
      out += typed[i];
    }
  }
  return out;
}

bool known_area(const std::string& text_in, const data::AreaTable& areas) {
  const std::string t = text::trim(text_in);
  if (t.empty()) return false;
  for (int a = 1; a <= areas.count; ++a) {
    const std::string name = text::trim(areas.name[a]);
    if (t == name) return true;
    const std::string short_form = normalise_area(name);
    if (short_form != areas.name[a] && t == short_form) return true;
  }
  return false;
}

std::optional<std::string> check_field(HotelField f, HotelFields& fields,
                                       const data::AreaTable& areas, text::Language language) {
  std::string& s = fields[f];
  s = storable_form(s);
  switch (f) {
    case HotelField::Area:
      if (text::trim(s).empty()) return kAreaMissing.in(language);
      if (!known_area(s, areas)) return kAreaUnknown.in(language);
      return std::nullopt;
    case HotelField::District:
      if (text::trim(s).empty()) s = fields.area;
      break;
    case HotelField::Name:
      if (text::trim(s).empty()) return kNameMissing.in(language);
      break;
    case HotelField::Phone:
      if (text::trim(s).empty()) return kPhoneMissing.in(language);
      break;
    case HotelField::Rooms: {
      long v = 0;
      if (!rooms_number(s, v)) return kRoomsWrong.in(language);
      return std::nullopt;
    }
    case HotelField::Access:
    case HotelField::Price:
    case HotelField::Remarks:
      break;
  }
  if (auto too_long = check_length(f, s, language)) return too_long;
  return check_storable(f, s, language);
}

std::optional<FieldError> check_fields(HotelFields& fields, const data::AreaTable& areas,
                                       text::Language language) {
  for (HotelField f :
       {HotelField::Area, HotelField::District, HotelField::Name, HotelField::Phone,
        HotelField::Rooms, HotelField::Access, HotelField::Price, HotelField::Remarks}) {
    if (auto message = check_field(f, fields, areas, language)) return FieldError{f, *message};
  }
  return std::nullopt;
}

HotelFields fields_of(const HotelEntry& e) {
  HotelFields f;
  f.area = e.area;
  f.district = e.district;
  f.name = e.name;
  f.phone = e.phone;
  f.rooms.assign(1, ' ');
  f.rooms += text::format_plain(e.rooms);
  f.access = e.access;
  f.price = e.price;
  f.remarks = e.remarks;
  return f;
}

HotelEntry entry_of(const HotelFields& f) {
  HotelEntry e;
  e.area = f.area;
  e.district = f.district;
  e.name = f.name;
  e.phone = f.phone;
  long rooms = 0;
  rooms_number(f.rooms, rooms);
  e.rooms = static_cast<std::int16_t>(rooms);
  e.access = f.access;
  e.price = f.price;
  e.remarks = text::fit_chars(f.remarks, kRemarkChars);
  return e;
}

std::string list_line(const HotelEntry& e, text::Language language, const data::PlaceNames& names) {
  if (language == text::Language::kEnglish) {
    const std::string area = names.shown(text::trim(e.area), language);
    const std::string district = names.shown(text::trim(e.district), language);
    return area + std::string(english_tabs_to(2, area), '\t') + district +
           std::string(english_tabs_to(2, district), '\t') + e.name +
           std::string(english_tabs_to(4, e.name), '\t') + e.phone;
  }
  return e.area + std::string(tabs_to(2, e.area), '\t') + e.district +
         std::string(tabs_to(2, e.district), '\t') + e.name +
         std::string(tabs_to(4, e.name), '\t') + e.phone;
}

void sort_entries(std::vector<HotelEntry>& entries) {
  const auto less = [](const HotelEntry& a, const HotelEntry& b) {
    if (a.area != b.area) return a.area < b.area;
    return a.district < b.district;
  };
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    std::size_t min = i;
    for (std::size_t j = i + 1; j < entries.size(); ++j)
      if (less(entries[j], entries[min])) min = j;
    if (min != i) std::swap(entries[i], entries[min]);
  }
}

UserRegistry::UserRegistry(std::vector<HotelEntry> entries, int capacity)
    : entries_(std::move(entries)), capacity_(capacity < 0 ? 0 : capacity) {}

bool UserRegistry::add(HotelEntry e, int sort_flag) {
  if (full()) return false;
  entries_.push_back(std::move(e));
  if (sort_flag == kSortOnEachStore) sort_entries(entries_);
  return true;
}

bool UserRegistry::update(int index, HotelEntry e, int sort_flag) {
  if (index < 0 || index >= size()) return false;
  entries_[static_cast<std::size_t>(index)] = std::move(e);
  if (sort_flag == kSortOnEachStore) sort_entries(entries_);
  return true;
}

bool UserRegistry::remove(int index) {
  if (index < 0 || index >= size()) return false;
  entries_.erase(entries_.begin() + index);
  return true;
}

void UserRegistry::prepare_for_saving(int sort_flag) {
  if (sort_flag == kSortWhenSaved) sort_entries(entries_);
}

std::string full_table_message(int capacity, text::Language language) {
  if (language == text::Language::kEnglish)
    return "No more hotels can be added (up to " + text::format_plain(capacity) + ")";
  return "これ以上ホテルを登録できません（登録できるのは" + text::format_plain(capacity) +
         "件までです）";
}

namespace {

bool file_exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(path, ec);
}

struct FileCheck {
  bool exists = false;
  bool readable = false;
  std::string bytes;
  text::Message error;
  UserHotelReport report;
  std::unique_ptr<HotelTable> table = std::make_unique<HotelTable>();
};

FileCheck read_current(const std::string& path) {
  FileCheck c;
  c.exists = file_exists(path);
  if (!c.exists) return c;
  c.readable = settings::read_whole_file(path, settings::kMaxUserHotelFileBytes, c.bytes, c.error);
  if (c.readable) c.report = parse_hotel_user(c.bytes, *c.table);
  return c;
}

}  // namespace

RegistryLoad load_user_hotels(const std::string& path) {
  RegistryLoad load;
  FileCheck c = read_current(path);
  load.file_exists = c.exists;
  if (!c.exists) return load;
  if (!c.readable) {
    load.unreadable = true;
    load.error = c.error;
    return load;
  }
  load.bytes = c.bytes;
  load.skipped_lines = c.report.skipped_lines;
  load.truncated = c.report.truncated;
  load.first_skipped_line = c.report.first_skipped_line;
  for (int i = 1; i <= c.table->user_hotel_count; ++i)
    load.entries.push_back(std::move(c.table->entry[i]));
  return load;
}

bool changed_since_load(const std::string& path, const RegistryLoad& load) {
  // A file removed meanwhile holds nothing that storing could overwrite.
  if (!file_exists(path)) return false;
  if (!load.file_exists) return true;
  if (load.unreadable) return false;  // storing refuses such a file anyway
  std::string bytes, error;
  if (!settings::read_whole_file(path, settings::kMaxUserHotelFileBytes, bytes, error)) return true;
  return bytes != load.bytes;
}

const char* changed_file_question(text::Language language) {
  return language == text::Language::kEnglish
             ? "The hotel file was changed after this list was opened.\n"
               "Saving now loses those changes. Save anyway?"
             : kChangedFileQuestion;
}

namespace {

std::string english_load_message(const RegistryLoad& load) {
  if (load.unreadable)
    return "The hotel file cannot be read. Nothing will be saved.\n" +
           load.error.in(text::Language::kEnglish);
  std::string m;
  if (load.skipped_lines > 0)
    m = text::format_plain(load.skipped_lines) + " line(s) of the hotel file could not be read " +
        "(the first is line " + text::format_plain(load.first_skipped_line) + ").\n";
  if (load.truncated)
    m += "The hotel file holds more than " + text::format_plain(kMaxHotels) +
         " hotels; the rest were not read.\n";
  return m + "Saving keeps the old file as a backup.";
}

}  // namespace

std::string load_message(const RegistryLoad& load, text::Language language) {
  if (!load.unreadable && load.skipped_lines == 0 && !load.truncated) return {};
  if (language == text::Language::kEnglish) return english_load_message(load);
  if (load.unreadable)
    return "ホテル情報ファイルを読み込めません。登録終了しても保存しません。\n" +
           load.error.in(language);
  if (load.skipped_lines == 0 && !load.truncated) return {};
  std::string m;
  if (load.skipped_lines > 0) {
    m = "ホテル情報ファイルの" + text::format_plain(load.skipped_lines) +
        "行を読み込めませんでした（最初は" + text::format_plain(load.first_skipped_line) +
        "行目）。\n";
  }
  if (load.truncated)
    m += "ホテル情報ファイルには" + text::format_plain(kMaxHotels) +
         "件を超える登録があり、超えた分は読み込んでいません。\n";
  return m + "登録終了で保存するときは、元のファイルを控えとして残します。";
}

SaveResult save_user_hotels(const std::string& path, const std::vector<HotelEntry>& entries,
                            text::Language language) {
  const bool english = language == text::Language::kEnglish;
  SaveResult result;
  FileCheck c = read_current(path);
  if (c.exists && !c.readable) {
    result.message = (english ? "The hotel file cannot be read, so nothing was saved.\n"
                              : "ホテル情報ファイルを読み込めないため、保存しませんでした。\n") +
                     c.error.in(language);
    return result;
  }
  if (c.exists && (c.report.skipped_lines > 0 || c.report.truncated)) {
    std::string backup;
    for (int n = 1; n <= 99 && backup.empty(); ++n) {
      std::string candidate = path + ".bak" + (n == 1 ? std::string() : text::format_plain(n));
      if (!file_exists(candidate)) backup = candidate;
    }
    text::Message error;
    if (backup.empty()) {
      result.message =
          (english ? "No backup of the hotel file could be made, so nothing was saved.\n"
                   : "ホテル情報ファイルの控えを作れないため、保存しませんでした。\n") +
          path;
      return result;
    }
    if (!settings::replace_file(backup, c.bytes, error)) {
      result.message =
          (english ? "No backup of the hotel file could be made, so nothing was saved.\n"
                   : "ホテル情報ファイルの控えを作れないため、保存しませんでした。\n") +
          error.in(language);
      return result;
    }
    result.backup_path = backup;
  }
  auto table = std::make_unique<HotelTable>();
  const std::size_t n = entries.size() < static_cast<std::size_t>(kMaxHotels)
                            ? entries.size()
                            : static_cast<std::size_t>(kMaxHotels);
  for (std::size_t i = 0; i < n; ++i) table->entry[i + 1] = entries[i];
  table->user_hotel_count = static_cast<int>(n);
  text::Message error;
  if (!put_hotel_user(path, *table, error)) {
    result.message =
        (english ? "The hotel file cannot be saved.\n" : "ホテル情報ファイルを保存できません。\n") +
        error.in(language);
    return result;
  }
  result.ok = true;
  if (!result.backup_path.empty())
    result.message =
        (english ? "The old file, with the lines that could not be read, is kept as\n"
                 : "読み込めなかった行を含む元のファイルを、次の名前で残しました。\n") +
        result.backup_path;
  return result;
}

}  // namespace ravolin::hotels
