// SPDX-License-Identifier: MIT
// What the station picker (ravolin22) lists for each satellite-window mode: the title of
// the line and the station names a traveller may choose from. The settings window checks
// a typed station against the same sets, so a picked name always passes that check.
#pragma once

#include "data/tables.h"

#include <string>
#include <vector>

namespace ravolin::settings {

// Satellite-window modes of the picker: which line it lists and which box gets the name.
inline constexpr int kPickKeiyoStation = 1;       // settings window, Keiyo station box
inline constexpr int kPickSinkansenStation = 2;   // settings window, Shinkansen station box
inline constexpr int kPickBoardingStation = 12;   // search window, boarding station box
inline constexpr int kPickAlightingStation = 22;  // search window, alighting station box

inline constexpr const char* kKeiyoLineTitle = "京葉線";
// Keiyo stations offered: 1..11 of the weekday down list, without the eighth.
inline constexpr int kKeiyoPickLast = 11;
inline constexpr int kKeiyoPickSkipped = 8;

struct PickerContents {
  bool known_mode = false;  // one of the four modes above
  std::string title;        // caption of the title button
  std::vector<std::string> stations;
};

// Mode 1: Keiyo stations 1..11 of schedule 1 except the eighth (empty names when the
// Keiyo data were not loaded). Modes 2, 12, 22: the corridor's stations in direction-1
// order whose station flag is 0 or 1, under the edition's corridor caption. Any other
// mode: nothing to list.
PickerContents picker_contents(const data::ScheduleData& schedule, int mode);

}  // namespace ravolin::settings
