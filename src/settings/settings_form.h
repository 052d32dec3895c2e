// SPDX-License-Identifier: MIT
// The settings window's rules without the window: its fields as they open, the check of
// every text box with the message it leaves on the message line (Text9), and 了解, which
// checks the boxes in order and applies them to the settings.
#pragma once

#include "data/tables.h"
#include "settings/settings.h"

#include <array>
#include <optional>
#include <string>

namespace ravolin::settings {

inline constexpr const char* kTerminusMessage = "終着駅は指定できません";
inline constexpr const char* kOriginMessage = "始発駅は指定できません";
// The Keiyo station a check puts in when the Keiyo data were not loaded.
inline constexpr const char* kKeiyoFallbackStation = "海浜幕張";

// The window's text boxes by number (Text1..Text8), as text[] and check_box() count them:
// the Keiyo station, minutes at normal pace, minutes hurrying, number of trains; then the
// same for the Shinkansen.
enum FormBox : int {
  kKeiyoStationBox = 1,
  kKeiyoNormalMinutesBox = 2,
  kKeiyoHurryMinutesBox = 3,
  kKeiyoTrainCountBox = 4,
  kSinkansenStationBox = 5,
  kSinkansenNormalMinutesBox = 6,
  kSinkansenHurryMinutesBox = 7,
  kSinkansenTrainCountBox = 8,
};
inline constexpr int kFormBoxes = 8;

// The window's fields: text[1]..text[8] are the boxes above.
struct SettingsForm {
  std::array<std::string, kFormBoxes + 1> text{};
  bool keiyo_down = true;      // Option1 (else Option2)
  bool sinkansen_down = true;  // Option8 (else Option9)
  bool keiyo_shown = true;     // Option10 (else Option11)
  int hotel_sort = 0;          // control3_flg: 1 Option5, 2 Option6, 0 Option7
  bool store_at_exit = true;   // Option3 (else Option4)
};

struct FieldCheck {
  int err_flg = 0;  // 0 accepted, 1 refused
  // The message line afterwards: "" when the check clears it, nullopt when untouched.
  std::optional<std::string> message;
};

// The fields as the window opens, from the settings.
SettingsForm fill_settings_form(const Settings& s);

// Text1: the Keiyo station, one of stations 1..11 of the weekday down list but the 8th.
// With no Keiyo data loaded the box becomes kKeiyoFallbackStation and is accepted. The
// line's last station (down) and first station (up) are refused with a message.
FieldCheck check_keiyo_station(const data::KeiyoTables& keiyo, bool down, std::string& station);
// Text5: the Shinkansen station, a direction-1 row with flag 0 or 1; the last row (down),
// the first row (up) and, down, row 16 of edition 2 and row 11 of edition 3 (the ends
// of the 山形 and 長野 lines) are refused with a message.
FieldCheck check_sinkansen_station(const data::SinkansenTables& sin, int edition_code, bool down,
                                   const std::string& station);
// Text2/Text6: minutes to the station at normal pace; Text4/Text8: number of trains
// (0: the next two hours). A blank box becomes "0"; the text must be a whole or decimal
// number from 0 to 32767 (full-width digits are taken as their ASCII forms).
FieldCheck check_normal_minutes(std::string& text);
FieldCheck check_train_count(std::string& text);
// Text3/Text7: minutes when hurrying: as above, and a value other than 0 must be smaller
// than the normal minutes of the same frame.
FieldCheck check_hurry_minutes(std::string& text, const std::string& normal);

// The check of a box (FormBox) as Enter runs it.
FieldCheck check_box(const data::ScheduleData& data, int box, SettingsForm& form);

struct OkResult {
  int failed_box = 0;  // the box (FormBox) whose check refused (nothing applied); 0 applied
  std::optional<std::string> message;         // the message line after the checks
  std::optional<std::string> failed_message;  // the refusing check's own message, if any
  // The Keiyo display was switched on: the program must end so that the next start
  // loads the Keiyo data. The settings hold keiyo_use 1.
  bool keiyo_switched_on = false;
};

// 了解: the checks of Text1..Text8 in order, stopping at the first refusal; then the
// fields are stored in the settings (a number that does not fit leaves its setting as
// it was) and the Keiyo display switch is applied.
OkResult apply_settings_form(const data::ScheduleData& data, SettingsForm& form, Settings& s);

}  // namespace ravolin::settings
