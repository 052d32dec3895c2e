// The operating-system clock as a seam: the program reads (and the correction window
// may set) it only through this interface, so tests use a fake and never touch the
// real clock.
#pragma once

#include "calendar/dates.h"

#include <string>
#include <utility>

namespace ravolin::calendar {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SystemTime now() const = 0;
  // Sets the system date and time; false (with a reason) when the platform refuses.
  virtual bool set(const SystemTime& t, std::string& error) = 0;
};

// The real clock of this computer (local time). Setting it goes through the system's
// time-setting service (`timedatectl set-time`), which may ask the user for
// authorisation and refuses while automatic time synchronisation is on; its own message
// is the reason handed back.
class SystemClock final : public Clock {
 public:
  // `set_time_program` runs the setting: a name looked up in PATH or a path.
  explicit SystemClock(std::string set_time_program = "timedatectl")
      : set_time_program_(std::move(set_time_program)) {}
  SystemTime now() const override;
  bool set(const SystemTime& t, std::string& error) override;

 private:
  std::string set_time_program_;
};

// "yyyy-mm-dd hh:mm:ss", the local date and time as the time-setting service takes it.
std::string set_time_argument(const SystemTime& t);

// A clock that stands still at a given moment unless moved; for tests and the tool.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(SystemTime t) : t_(t) {}
  SystemTime now() const override { return t_; }
  bool set(const SystemTime& t, std::string& error) override {
    if (refuse_) { error = refuse_reason_; return false; }
    t_ = t;
    ++set_calls_;
    return true;
  }
  void advance_seconds(int seconds);
  void move_to(const SystemTime& t) { t_ = t; }
  void refuse_set(std::string reason) { refuse_ = true; refuse_reason_ = std::move(reason); }
  int set_calls() const { return set_calls_; }

 private:
  SystemTime t_;
  bool refuse_ = false;
  std::string refuse_reason_;
  int set_calls_ = 0;
};

}  // namespace ravolin::calendar
