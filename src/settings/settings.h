// SPDX-License-Identifier: MIT
// The settings variables: everything the settings file stores between runs.
#pragma once

#include "calendar/dates.h"

#include <array>
#include <cstdint>
#include <string>

namespace ravolin::settings {

// Window identifiers with a stored position, in the order of the [Form] section.
inline constexpr std::array<int, 17> kFormWindows = {1,  4,  5,  6,  7,  9,  11, 12, 13,
                                                     14, 15, 21, 22, 23, 24, 25, 26};

// Windows added since: their positions follow the others in [Form], with the tray switch;
// a copy of the program that does not know these keys passes them over.
inline constexpr std::array<int, 1> kLaterFormWindows = {30};

struct WindowPos {
  std::int16_t top = 0;   // twips
  std::int16_t left = 0;  // twips
};

// The windows whose places the settings file keeps, by the number N of their
// ravolinN_top / ravolinN_left keys (and of their objectName "ravolinN").
enum WindowId : int {
  kMainWindowId = 1,
  kCalendarWindowId = 4,
  kSettingsWindowId = 5,
  kHotelListWindowId = 6,
  kDistrictWindowId = 7,
  kVersionWindowId = 9,
  kLoadingWindowId = 11,
  kHotelSearchWindowId = 12,
  kUserHotelsWindowId = 13,
  kHotelEditWindowId = 14,
  kAreaPickerWindowId = 15,
  kCorrectionWindowId = 21,
  kStationPickerWindowId = 22,
  kPassingWindowId = 23,
  kScheduleWindowId = 24,
  kSearchWindowId = 25,
  kResultsWindowId = 26,
  kDiagramWindowId = 30,
};

struct Settings {
  // [Form], indexed by window identifier (1..30; only kFormWindows are stored)
  std::array<WindowPos, 31> form{};
  // [Control]
  std::int16_t control1_flg = 0;
  std::int16_t control2_flg = 0;
  std::int16_t control3_flg = 0;
  std::int16_t control9_flg = 0;
  // The tray's notification when a listed train's line gains "急げ!!" (1 on); kept with the
  // window positions.
  std::int16_t tray_notify = 0;
  // The language the user chose in the settings window ("ja" or "en"; empty: the desktop's),
  // kept with the window positions like tray_notify.
  std::string language;
  // [Departure ground], [Arrival ground]: slots 1..5, slot 1 most recent
  std::array<std::string, 6> departure_ground{};
  std::array<std::string, 6> arrival_ground{};
  // [Keiyo_line]
  std::int16_t keiyo_flg = 0;
  std::string keiyo_station;
  std::int16_t keiyo_hun1 = 0;
  std::int16_t keiyo_hun2 = 0;
  std::int16_t keiyo_hyouji = 0;
  std::int16_t keiyo_use = 0;
  // [Sinkansen_line]
  std::int16_t sinkansen_flg = 0;
  std::string sinkansen_station;
  std::int16_t sinkansen_hun1 = 0;
  std::int16_t sinkansen_hun2 = 0;
  std::int16_t sinkansen_hyouji = 0;
  // [Retrieval condition]
  std::string st_station;
  std::string ed_station;
  std::int16_t st_time1 = 0;
  std::int16_t st_time2 = 0;
  std::int16_t ed_time1 = 0;
  std::int16_t ed_time2 = 0;
  std::int16_t wait_time = 0;
  std::int16_t wait_count = 0;
  std::int16_t combination_number = 0;
  // [Holiday]
  calendar::HolidayList holidays;

  // The place of window N (its ravolinN_top / ravolinN_left keys): see WindowId.
  WindowPos& pos(int window_id) { return form[window_id]; }
  const WindowPos& pos(int window_id) const { return form[window_id]; }
};

}  // namespace ravolin::settings
