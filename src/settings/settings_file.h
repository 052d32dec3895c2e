// SPDX-License-Identifier: MIT
// The settings file (ravolin2.ini / ravolin3.ini / ravolin4.ini): CP932 text with CR LF
// line ends, eight sections of "key=value" lines, place lines in double quotes and a
// 20-line holiday list ending with 9999.
#pragma once

#include "settings/settings.h"
#include "text/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravolin::settings {

// The values before any file is read: 0 for numbers, empty texts and places, and an
// empty holiday list (the terminator in slot 1).
Settings start_settings();

// Reads settings from the bytes of a settings file. Never fails: what cannot be read
// keeps its start value.
Settings parse_settings(std::string_view cp932_bytes);
// As above, and tells the first sign of damage, with its line ("12行目: ..."), in
// problem (empty for a sound file): bytes that are no text, a header that is none of the
// eight, a line in a key section that is no "key=value", a number too large, no holiday
// section or no 9999 ending it. Keys the program does not know are no damage.
Settings parse_settings(std::string_view cp932_bytes, text::Message& problem);
Settings parse_settings(std::string_view cp932_bytes, std::string& problem);  // in Japanese

// The whole file in its canonical layout: CP932 bytes, every line ended by CR LF.
std::string format_settings(const Settings& s);

// The fields of a settings file in reading order: split at commas and line ends,
// leading blanks skipped, a field that starts with a double quote runs to the closing
// quote (quotes dropped). Bytes are returned undecoded.
std::vector<std::string> split_fields(std::string_view bytes);

// Reads the file at path; a missing or unreadable file gives the start values.
Settings get_ini_file(const std::string& path);
// As above, and tells whether the file could be read (error holds the reason if not).
bool read_ini_file(const std::string& path, Settings& out, std::string& error);

// The settings file as read at start-up.
struct SettingsRead {
  Settings settings;
  bool missing = false;     // there was no file: the edition's delivered settings
  bool unreadable = false;  // the file is there but cannot be read (error): delivered too
  text::Message error;
  text::Message problem;  // the file is damaged: its first problem; the rest was read
};
// Reads the file at path. A missing file gives the delivered settings of its name
// (ravolin2.ini, ravolin3.ini, ravolin4.ini) and no complaint.
SettingsRead read_settings_file(const std::string& path);
// The one message for the user at start-up about the settings file; empty when there
// is nothing to say (a sound or a missing file).
std::string start_up_notice(const SettingsRead& read, const std::string& path,
                            text::Language language = text::Language::kJapanese);
// Where a damaged file is kept before it is first replaced: "ravolin2.ini.bak".
std::string damaged_copy_path(const std::string& path);

// Replaces the file at path with the canonical layout of s (atomically). False with the
// reason when it cannot be written; the old file is then left as it was. A file that
// exists but cannot be read is not replaced; a damaged one is first copied to
// damaged_copy_path (no copy, no write).
bool put_ini_file(const std::string& path, const Settings& s, text::Message& error);

// The store at exit when the main window closes: with control2_flg 1 the current
// settings are written; otherwise the file is read again (so the changes made since
// start-up are dropped, except the language chosen for the next start), control2_flg
// becomes 0, and that is written. current holds
// what was written afterwards. False with the reason when the file cannot be written,
// or, without control2_flg 1, when it cannot be read again (nothing is written then).
// A missing file is read again as the delivered settings.
bool put_ini_file_at_exit(const std::string& path, Settings& current, text::Message& error);

// The store at exit after the settings window has switched the Keiyo display on: as
// put_ini_file_at_exit, except that the file holds keiyo_use=1 whatever control2_flg
// says, so that the next start loads the Keiyo data.
bool put_ini_file_at_exit_keiyo_on(const std::string& path, Settings& current,
                                   text::Message& error);

// The three above with the reason in Japanese.
bool put_ini_file(const std::string& path, const Settings& s, std::string& error);
bool put_ini_file_at_exit(const std::string& path, Settings& current, std::string& error);
bool put_ini_file_at_exit_keiyo_on(const std::string& path, Settings& current, std::string& error);

// The leading decimal number of a text as the settings reader sees it: blanks ignored,
// optional sign, fraction and exponent; no number gives 0. Rounded half to even.
// Returns false when the result does not fit a signed 16-bit integer.
bool read_int16(std::string_view text, std::int16_t& out);

}  // namespace ravolin::settings
