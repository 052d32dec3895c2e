// SPDX-License-Identifier: MIT
// A clock for tests and benchmarks: it stands still at a given moment unless moved, and
// answers a request to set it at once (set, or refused after refuse_set()); after
// hold_sets() the request waits until answer_pending() or time_out_pending(), as a slow
// time-setting service would. No test ever sets the real clock.
#pragma once

#include "calendar/clock.h"

#include <cstdint>
#include <string>
#include <utility>

namespace ravolin::calendar {

class FixedClock final : public Clock {
 public:
  explicit FixedClock(SystemTime t) : t_(t) {}
  SystemTime now() const override { return t_; }
  void set(const SystemTime& t, ClockSetDone done) override {
    ++set_requests_;
    pending_time_ = t;
    pending_done_ = std::move(done);
    if (!hold_) answer_pending();
  }
  void advance_seconds(int seconds);
  void move_to(const SystemTime& t) { t_ = t; }
  void refuse_set(text::Message reason) {
    refuse_ = true;
    refuse_reason_ = std::move(reason);
  }
  void hold_sets() { hold_ = true; }
  bool set_pending() const { return static_cast<bool>(pending_done_); }
  // Answers the waiting request: set, or refused after refuse_set().
  void answer_pending() {
    ClockSetResult r;
    if (refuse_) {
      r.outcome = ClockSetResult::Outcome::Refused;
      r.reason = refuse_reason_;
    }
    answer(r);
  }
  // Answers the waiting request as a service that did not finish in time.
  void time_out_pending(text::Message reason) {
    answer({ClockSetResult::Outcome::TimedOut, std::move(reason)});
  }
  int set_calls() const { return set_calls_; }        // settings that moved the clock
  int set_requests() const { return set_requests_; }  // every request, answered or not

 private:
  void answer(const ClockSetResult& result);
  SystemTime t_;
  bool refuse_ = false;
  text::Message refuse_reason_;
  bool hold_ = false;
  SystemTime pending_time_;
  ClockSetDone pending_done_;
  int set_calls_ = 0;
  int set_requests_ = 0;
};

inline void FixedClock::answer(const ClockSetResult& result) {
  if (!pending_done_) return;
  ClockSetDone done = std::move(pending_done_);
  pending_done_ = nullptr;
  if (result.ok()) {
    t_ = pending_time_;
    ++set_calls_;
  }
  done(result);
}

inline void FixedClock::advance_seconds(int seconds) {
  long long total = static_cast<long long>(t_.hour) * 3600 + t_.minute * 60 + t_.second + seconds;
  long long days = total / 86400;
  total %= 86400;
  if (total < 0) {
    total += 86400;
    --days;
  }
  const CivilDate c = civil_from_day_number(static_cast<std::int32_t>(t_.day_number + days));
  t_ = make_system_time(c.year, c.month, c.day, static_cast<int>(total / 3600),
                        static_cast<int>(total / 60 % 60), static_cast<int>(total % 60));
}

}  // namespace ravolin::calendar
