// SPDX-License-Identifier: MIT
#include "settings/settings_form.h"

#include "settings/settings_file.h"
#include "settings/station_picker.h"
#include "text/text.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace ravolin::settings {

namespace {

const std::string kCleared;

// A number as a box holds it: blanks around, an optional sign, digits and an optional
// fraction. nullopt when the text is anything else.
std::optional<double> box_number(std::string_view raw) {
  const std::string t = text::trim(raw);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  double value = 0;
  int digits = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits) {
    value = value * 10 + (t[i] - '0');
    if (value > 1e9) return std::nullopt;  // far beyond every box's range
  }
  if (i < t.size() && t[i] == '.') {
    double scale = 0.1;
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, scale /= 10)
      value += (t[i] - '0') * scale;
  }
  if (digits == 0 || i != t.size()) return std::nullopt;
  return negative ? -value : value;
}

// The value a box stores: its number rounded as the settings are (half to even).
std::optional<int> stored_value(const std::string& text) {
  std::int16_t v = 0;
  if (!box_number(text) || !read_int16(text, v)) return std::nullopt;
  return v;
}

// The common part of the number boxes: a blank box becomes "0", full-width digits
// become ASCII, and the text must be a number that stores as 0..32767.
bool read_number_box(std::string& text, int& value) {
  if (text::trim(text).empty()) text.assign(1, '0');
  std::string ascii = text::ascii_digits(text);
  if (ascii != text) text.swap(ascii);
  const std::optional<double> number = box_number(text);
  if (!number || *number < 0) return false;
  const std::optional<int> v = stored_value(text);
  if (!v) return false;  // too large to be stored
  value = *v;
  return true;
}

FieldCheck refused(std::optional<std::string> message = std::nullopt) {
  return FieldCheck{1, std::move(message)};
}

}  // namespace

SettingsForm fill_settings_form(const Settings& s) {
  SettingsForm f;
  f.sinkansen_down = s.sinkansen_flg == 1;
  f.keiyo_down = s.keiyo_flg == 1;
  f.text[kKeiyoStationBox] = text::trim(s.keiyo_station);
  f.text[kKeiyoNormalMinutesBox] = text::format_plain(s.keiyo_hun1);
  f.text[kKeiyoHurryMinutesBox] = text::format_plain(s.keiyo_hun2);
  f.text[kKeiyoTrainCountBox] = text::format_plain(s.keiyo_hyouji);
  f.text[kSinkansenStationBox] = text::trim(s.sinkansen_station);
  f.text[kSinkansenNormalMinutesBox] = text::format_plain(s.sinkansen_hun1);
  f.text[kSinkansenHurryMinutesBox] = text::format_plain(s.sinkansen_hun2);
  f.text[kSinkansenTrainCountBox] = text::format_plain(s.sinkansen_hyouji);
  f.store_at_exit = s.control2_flg == 1;
  f.hotel_sort = s.control3_flg == 1 || s.control3_flg == 2 ? s.control3_flg : 0;
  f.keiyo_shown = s.keiyo_use == 1;
  return f;
}

FieldCheck check_keiyo_station(const data::KeiyoTables& keiyo, bool down, std::string& station) {
  if (keiyo.station_count[1] == 0) {  // the Keiyo data were not loaded
    station = kKeiyoFallbackStation;
    return FieldCheck{0, kCleared};
  }
  const std::string name = text::trim(station);
  int found = 0;
  for (int i = 1; i <= kKeiyoPickLast && name.size() > 0; ++i) {
    if (i == kKeiyoPickSkipped) continue;
    if (keiyo.station_name[1][i] == name) {
      found = i;
      break;
    }
  }
  if (found == 0) return refused(kCleared);
  if (down && found == kKeiyoPickLast) return refused(kTerminusMessage);
  if (!down && found == 1) return refused(kOriginMessage);
  return FieldCheck{0, kCleared};
}

FieldCheck check_sinkansen_station(const data::SinkansenTables& sin, int edition_code, bool down,
                                   const std::string& station) {
  const std::string name = text::trim(station);
  const int n = sin.station_count;
  int found = 0;
  for (int i = 1; i <= n && !name.empty(); ++i) {
    const int flag = sin.station_flag[1][i];
    if ((flag == data::kFlagSingle || flag == data::kFlagArrival) &&
        sin.station_name[1][i] == name) {
      found = i;
      break;
    }
  }
  if (found == 0) return refused(kCleared);
  if (down && found == n) return refused(kTerminusMessage);
  if (!down && found == 1) return refused(kOriginMessage);
  if (down && ((edition_code == 2 && found == 16) || (edition_code == 3 && found == 11)))
    return refused(kTerminusMessage);
  return FieldCheck{0, kCleared};
}

FieldCheck check_normal_minutes(std::string& text) {
  int value = 0;
  return FieldCheck{read_number_box(text, value) ? 0 : 1, std::nullopt};
}

FieldCheck check_train_count(std::string& text) { return check_normal_minutes(text); }

FieldCheck check_hurry_minutes(std::string& text, const std::string& normal) {
  int value = 0;
  if (!read_number_box(text, value)) return refused();
  if (value == 0) return {};
  // Compared as stored, so that the hurry minutes stay below the normal minutes after
  // rounding too. A normal box that holds no number counts as 0.
  const std::optional<int> normal_value = stored_value(text::ascii_digits(normal));
  if (value >= normal_value.value_or(0)) return refused();
  return {};
}

FieldCheck check_box(const data::ScheduleData& data, int box, SettingsForm& form) {
  auto& t = form.text;
  switch (box) {
    case kKeiyoStationBox:
      return check_keiyo_station(data.keiyo, form.keiyo_down, t[kKeiyoStationBox]);
    case kKeiyoNormalMinutesBox:
      return check_normal_minutes(t[kKeiyoNormalMinutesBox]);
    case kKeiyoHurryMinutesBox:
      return check_hurry_minutes(t[kKeiyoHurryMinutesBox], t[kKeiyoNormalMinutesBox]);
    case kKeiyoTrainCountBox:
      return check_train_count(t[kKeiyoTrainCountBox]);
    case kSinkansenStationBox:
      return check_sinkansen_station(data.sin, data.edition ? data.edition->code : 0,
                                     form.sinkansen_down, t[kSinkansenStationBox]);
    case kSinkansenNormalMinutesBox:
      return check_normal_minutes(t[kSinkansenNormalMinutesBox]);
    case kSinkansenHurryMinutesBox:
      return check_hurry_minutes(t[kSinkansenHurryMinutesBox], t[kSinkansenNormalMinutesBox]);
    case kSinkansenTrainCountBox:
      return check_train_count(t[kSinkansenTrainCountBox]);
    default:
      return {};
  }
}

namespace {

// A number box into its setting; a value that does not fit leaves the setting as it was.
void store_number(const std::string& text, std::int16_t& setting) {
  std::int16_t v = 0;
  if (read_int16(text::ascii_digits(text), v)) setting = v;
}

}  // namespace

OkResult apply_settings_form(const data::ScheduleData& data, SettingsForm& form, Settings& s) {
  OkResult r;
  for (int box = 1; box <= kFormBoxes; ++box) {
    const FieldCheck c = check_box(data, box, form);
    if (c.message) r.message = c.message;
    if (c.err_flg != 0) {
      r.failed_box = box;
      r.failed_message = c.message;
      return r;
    }
  }
  const auto& t = form.text;
  s.sinkansen_flg = form.sinkansen_down ? 1 : 2;
  s.sinkansen_station = text::trim(t[kSinkansenStationBox]);
  store_number(t[kSinkansenNormalMinutesBox], s.sinkansen_hun1);
  store_number(t[kSinkansenHurryMinutesBox], s.sinkansen_hun2);
  store_number(t[kSinkansenTrainCountBox], s.sinkansen_hyouji);
  s.keiyo_flg = form.keiyo_down ? 1 : 2;
  s.keiyo_station = text::trim(t[kKeiyoStationBox]);
  store_number(t[kKeiyoNormalMinutesBox], s.keiyo_hun1);
  store_number(t[kKeiyoHurryMinutesBox], s.keiyo_hun2);
  store_number(t[kKeiyoTrainCountBox], s.keiyo_hyouji);
  s.control2_flg = form.store_at_exit ? 1 : 0;
  s.control3_flg = static_cast<std::int16_t>(form.hotel_sort);
  if (!form.keiyo_shown) {
    s.keiyo_use = 0;
  } else if (s.keiyo_use != 1) {
    s.keiyo_use = 1;
    r.keiyo_switched_on = true;
  }
  return r;
}

}  // namespace ravolin::settings
