// SPDX-License-Identifier: MIT
// The operating-system clock as a seam: the program reads (and the correction window
// may set) it only through this interface, so tests use a fake (tests/support) and never
// touch the real clock.
#pragma once

#include "calendar/dates.h"
#include "text/message.h"

#include <functional>
#include <string>
#include <utility>

namespace ravolin::calendar {

// How long the system's time-setting service may take, an authorisation prompt
// included, before the program stops waiting and counts the setting as refused.
inline constexpr int kSetTimeLimitSeconds = 30;

// What became of a request to set the system clock.
struct ClockSetResult {
  enum class Outcome { Set, Refused, TimedOut };
  Outcome outcome = Outcome::Set;
  text::Message reason;  // why not (Refused, TimedOut), with the service's own words if any
  bool ok() const { return outcome == Outcome::Set; }
};
using ClockSetDone = std::function<void(const ClockSetResult&)>;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SystemTime now() const = 0;
  // Starts setting the system date and time and returns without waiting for it. `done`
  // gets the outcome exactly once: later, from the event loop, or before set() returns
  // when the outcome is known without asking the platform (an impossible date).
  virtual void set(const SystemTime& t, ClockSetDone done) = 0;
};

// The local date and time of this computer.
SystemTime read_system_clock();

// Setting the real clock goes through the system's time-setting service
// (`timedatectl set-time`, gui/common/qt_platform.h); these are its arguments and reasons.
// "yyyy-mm-dd hh:mm:ss", the local date and time as the time-setting service takes it.
std::string set_time_argument(const SystemTime& t);
// Why `t` cannot be set (a date or time that does not exist); "" when it can.
text::Message unsettable_time_reason(const SystemTime& t);
// The reason for a refusal: what the service said (trailing line breaks dropped), else
// how it ended.
text::Message service_refusal_reason(std::string said, bool exited_normally, int exit_code);
// The reason when the service could not be started.
text::Message service_start_failure_reason(const std::string& program, const std::string& why);
// The reason when the service had not finished within `seconds` and was stopped.
text::Message service_timeout_reason(int seconds);

}  // namespace ravolin::calendar
