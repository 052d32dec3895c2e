// SPDX-License-Identifier: MIT
// The user's hotel registry: the list of the user's own hotels as the list window
// (ravolin13) and the edit window (ravolin14) work on it, the checks of the edit
// window's fields with their messages, the sort, and storing the list in hotelusr.csv.
// The registry works on its own copy of the entries: nothing reaches the hotel table or
// the file until the list is stored.
#pragma once

#include "data/hotel_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "text/language.h"
#include "text/message.h"

#include <optional>
#include <string>
#include <vector>

namespace ravolin::hotels {

// ---- the edit window's fields ---------------------------------------------------------

enum class HotelField { Area, District, Name, Phone, Rooms, Access, Price, Remarks };

// The eight fields as typed (rooms as text).
struct HotelFields {
  std::string area, district, name, phone, rooms, access, price, remarks;
  std::string& operator[](HotelField f);
  const std::string& operator[](HotelField f) const;
};

struct FieldError {
  HotelField field;
  std::string message;
};

// The label word of a field in messages ("ホテル名").
const char* field_word(HotelField f, text::Language language = text::Language::kJapanese);

// The check run when Enter leaves a field, in the edit window's order. A district left
// empty becomes the area's text (no error). Any text field holding a double quote or a
// character that the file's code page cannot store is refused: the file could not give it
// back. Rooms must be digits only (blanks around allowed) and at most 32767. A field is
// no longer than its hint says: district 12 columns, hotel name 32, phone 12, access 24,
// rate 8, where a full-width (Japanese) character takes two columns; remarks 8 characters.
// The messages are in `language`.
std::optional<std::string> check_field(HotelField f, HotelFields& fields,
                                       const data::AreaTable& areas,
                                       text::Language language = text::Language::kJapanese);
// Every check in the order of the store buttons; the first failure with its field.
std::optional<FieldError> check_fields(HotelFields& fields, const data::AreaTable& areas,
                                       text::Language language = text::Language::kJapanese);

// Whether a text (trimmed) names an area of the area list. The short forms "東京" and
// "大阪" that the hotel table stores for the areas beginning with them count as well, so
// an entry read back from the file can be changed without picking its area again.
bool known_area(const std::string& text, const data::AreaTable& areas);

// The fields of an entry as the edit window shows them in update mode (rooms as decimal
// text after one blank, remarks with their trailing blanks).
HotelFields fields_of(const HotelEntry& e);
// The entry that checked fields make (rooms as the number of its digits, remarks cut or
// padded to 8 characters). The fields must have passed check_fields.
HotelEntry entry_of(const HotelFields& f);

// Characters a user may type that the file has another form for: "¥" (U+00A5) is the
// yen sign that the file keeps as "\" (shown as ¥ in Japanese fonts).
std::string storable_form(const std::string& typed);

// ---- the list ---------------------------------------------------------------------------

// One line of the list: area, district, name and phone, tab-aligned to 2, 2 and 4 tab
// stops of 8 columns. In Japanese each character counts two columns and a text that
// reaches its column's end gets no TAB. In English the area and the district are shown by
// their English names where `names` has them, a character counts the columns it takes in
// the fixed-pitch font (one for ASCII, two for full width), and at least one TAB follows
// each text so that long ones do not run into the next.
std::string list_line(const HotelEntry& e, text::Language language = text::Language::kJapanese,
                      const data::PlaceNames& names = data::PlaceNames::none());

// Selection sort ascending by area, then district (untrimmed, by character codes).
void sort_entries(std::vector<HotelEntry>& entries);

// How the sort setting (control3_flg) applies.
inline constexpr int kSortOnEachStore = 1;
inline constexpr int kSortWhenSaved = 2;

class UserRegistry {
 public:
  // capacity: how many entries the hotel table can take beside the data file's hotels.
  explicit UserRegistry(std::vector<HotelEntry> entries = {}, int capacity = kMaxHotels);

  const std::vector<HotelEntry>& entries() const { return entries_; }
  int size() const { return static_cast<int>(entries_.size()); }
  int capacity() const { return capacity_; }
  bool full() const { return size() >= capacity_; }

  // Appends an entry (sorting all entries when sort_flag is 1). False when full.
  bool add(HotelEntry e, int sort_flag);
  // Replaces entry `index` (0-based; sorting when sort_flag is 1). False when out of range.
  bool update(int index, HotelEntry e, int sort_flag);
  // Removes entry `index` (0-based); later entries move up. False when out of range.
  bool remove(int index);
  // Sorts every entry when the list is stored with sort_flag 2.
  void prepare_for_saving(int sort_flag);

 private:
  std::vector<HotelEntry> entries_;
  int capacity_;
};

// The message when the table has no room for another entry.
std::string full_table_message(int capacity, text::Language language = text::Language::kJapanese);

// ---- reading and storing ------------------------------------------------------------------

struct RegistryLoad {
  std::vector<HotelEntry> entries;
  bool file_exists = false;
  bool unreadable = false;  // the file exists but could not be read
  int skipped_lines = 0;    // broken lines the reader had to leave out
  int first_skipped_line = 0;
  bool truncated = false;  // more records than the table holds; the rest were left out
  text::Message error;
  std::string bytes;  // the file as it was read (empty when missing)
};

// Reads hotelusr.csv for the registry (a missing file gives no entries).
RegistryLoad load_user_hotels(const std::string& path);

// Whether hotelusr.csv holds something else than the registry read (changed, replaced or
// created since): storing would then overwrite what was saved there meanwhile.
bool changed_since_load(const std::string& path, const RegistryLoad& load);
// The question before storing over such a file.
inline constexpr const char* kChangedFileQuestion =
    "ホテル情報ファイルは、この一覧を開いた後に変更されています。\n"
    "上書きすると、その変更は失われます。上書きしますか？";
const char* changed_file_question(text::Language language = text::Language::kJapanese);

// The message at opening when lines had to be left out or the file could not be read;
// empty when there is nothing to say.
std::string load_message(const RegistryLoad& load,
                         text::Language language = text::Language::kJapanese);

struct SaveResult {
  bool ok = false;
  std::string backup_path;  // the copy of the old file kept because lines were left out
  std::string message;      // what to tell the user (empty when there is nothing to say)
};

// Stores the entries in hotelusr.csv, replacing the file atomically. When the file now
// on disk holds lines the reader cannot take (or more records than the table holds),
// storing would lose them: the old file is first copied to a new backup beside it
// (hotelusr.csv.bak, .bak2, ... .bak99), and the message says where. A file that exists but
// cannot be read is not replaced. On failure the old file is unchanged.
SaveResult save_user_hotels(const std::string& path, const std::vector<HotelEntry>& entries,
                            text::Language language = text::Language::kJapanese);

}  // namespace ravolin::hotels
