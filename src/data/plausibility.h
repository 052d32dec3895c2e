// SPDX-License-Identifier: MIT
// Plausibility of the timetables of a data file: things a traveller knows cannot happen.
//
//  - a train's times go backwards;
//  - a train runs faster than the line allows between two stops (Shinkansen 300 km/h in
//    the 東海道・山陽 edition, 275 km/h in the others, the Keiyo line 100 km/h), the
//    distance taken from the file's kilometre table (the Keiyo line's own kilometres are
//    known here, by station name);
//  - a train overtakes another of the same direction on the open line: two trains may
//    change order only at a station where the overtaken one stands while the other passes,
//    or, at a station with arrival and departure rows, while the other stops beside it;
//  - a Shinkansen time after 24:00 (no Shinkansen runs after midnight; the Keiyo line's
//    last trains do, so its schedules may);
//  - a stopping pattern that contradicts the train's type: a こだま or なすの, or a Keiyo
//    普通, that skips a station between its first and last stop.
//
// Conventions of the check: a station with one time is a short stop (the time is the
// departure; at the first stop the departure, at the last the arrival); a station with
// arrival and departure rows stands from one to the other. Between stops a train's
// position is taken as linear in kilometres, which gives its time at the stations it passes.
// Which stations lie between two stops comes from the trains themselves: a station's
// neighbour towards 東京 is the nearest one (by kilometres) that some train stops at
// before it, so branches (福島–山形, 高崎–長野) stay apart.
#pragma once

#include "data/raw_data.h"

#include <string>
#include <vector>

namespace ravolin::data {

enum class FindingKind { kBackwards, kTooFast, kOvertaking, kAfterMidnight, kStoppingPattern };

struct Finding {
  FindingKind kind;
  std::string text;  // names the line, the train(s), the stations and the times
};

// Every finding in the Shinkansen and Keiyo timetables of `raw`, in a stable order
// (Shinkansen direction 1, 2, then Keiyo schedules 1..4).
std::vector<Finding> check_plausibility(const RawData& raw);

// "speed", "overtaking", ...: the short name of a kind, for summaries.
const char* finding_kind_name(FindingKind kind);

// Speed limits in km/h.
double shinkansen_speed_limit(int edition);
inline constexpr double kKeiyoSpeedLimit = 100.0;

}  // namespace ravolin::data
