// SPDX-License-Identifier: MIT
#include "settings/station_picker.h"

namespace ravolin::settings {

PickerContents picker_contents(const data::ScheduleData& schedule, int mode) {
  PickerContents c;
  switch (mode) {
    case kPickKeiyoStation:
      c.known_mode = true;
      c.title = kKeiyoLineTitle;
      for (int s = 1; s <= kKeiyoPickLast; ++s)
        if (s != kKeiyoPickSkipped) c.stations.push_back(schedule.keiyo.station_name[1][s]);
      break;
    case kPickSinkansenStation:
    case kPickBoardingStation:
    case kPickAlightingStation: {
      c.known_mode = true;
      c.title = schedule.edition ? schedule.edition->caption : "";
      const data::SinkansenTables& sin = schedule.sin;
      const int n =
          sin.station_count < data::kMaxSinStations ? sin.station_count : data::kMaxSinStations;
      for (int s = 1; s <= n; ++s) {
        const int flag = sin.station_flag[1][s];
        if (flag == data::kFlagSingle || flag == data::kFlagArrival)
          c.stations.push_back(sin.station_name[1][s]);
      }
      break;
    }
    default:
      break;
  }
  return c;
}

}  // namespace ravolin::settings
