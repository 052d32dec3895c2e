// SPDX-License-Identifier: MIT
// The computer's clock as the program sets it: through the time-setting service, run in
// the background with a time limit. The service is always a stand-in script given by its
// full path, so the real clock is never touched.
#include "gui/common/qt_platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <signal.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace ravolin::ui {
namespace {

using calendar::ClockSetResult;
using calendar::make_system_time;
using Outcome = ClockSetResult::Outcome;
using namespace std::chrono_literals;

class StandInService : public ::testing::Test {
 protected:
  void SetUp() override {
    char templ[] = "/tmp/ravolin-clock-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = templ;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // A shell script that records its arguments and its process id, then runs `body`.
  std::string script(const std::string& body) {
    const std::string path = dir + "/timedatectl";
    std::ofstream out(path);
    out << "#!/bin/sh\necho $$ > " << dir << "/pid\n"
        << "for a in \"$@\"; do echo \"[$a]\" >> " << dir << "/args; done\n"
        << body << "\n";
    out.close();
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
  }
  std::string file(const char* name) const {
    std::ifstream in(dir + "/" + name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Asks `clock` to set the time and waits (running the event loop) for the answer.
  static std::optional<ClockSetResult> set_and_wait(QtSystemClock& clock,
                                                    const calendar::SystemTime& t,
                                                    bool* answered_at_once = nullptr) {
    std::optional<ClockSetResult> result;
    clock.set(t, [&](const ClockSetResult& r) { result = r; });
    if (answered_at_once) *answered_at_once = result.has_value();
    (void)QTest::qWaitFor([&] { return result.has_value(); }, 10000);
    return result;
  }

  std::string dir;
};

TEST_F(StandInService, AcceptedSettingPassesTheLocalDateAndTime) {
  QtSystemClock clock(script("exit 0"));
  bool at_once = true;
  const auto r = set_and_wait(clock, make_system_time(2000, 3, 11, 9, 5, 7), &at_once);
  ASSERT_TRUE(r);
  EXPECT_FALSE(at_once);  // the answer comes from the event loop
  EXPECT_TRUE(r->ok()) << r->reason.in(text::Language::kJapanese);
  EXPECT_EQ(file("args"), "[set-time]\n[2000-03-11 09:05:07]\n");
  EXPECT_FALSE(clock.setting());
}

TEST_F(StandInService, RefusalsCarryTheServicesReason) {
  QtSystemClock clock(
      script("echo 'Failed to set time: Automatic time synchronization is enabled' >&2\nexit 1"));
  auto r = set_and_wait(clock, make_system_time(2000, 3, 11, 9, 5, 0));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->outcome, Outcome::Refused);
  EXPECT_NE(
      r->reason.in(text::Language::kJapanese).find("Automatic time synchronization is enabled"),
      std::string::npos)
      << r->reason.in(text::Language::kJapanese);

  // A silent failure still gives a reason.
  QtSystemClock silent(script("exit 3"));
  r = set_and_wait(silent, make_system_time(2000, 3, 11, 9, 5, 0));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->outcome, Outcome::Refused);
  EXPECT_NE(r->reason.in(text::Language::kJapanese).find("3"), std::string::npos)
      << r->reason.in(text::Language::kJapanese);

  // No service at all.
  QtSystemClock missing(dir + "/no-such-program");
  r = set_and_wait(missing, make_system_time(2000, 3, 11, 9, 5, 0));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->outcome, Outcome::Refused);
  EXPECT_NE(r->reason.in(text::Language::kJapanese).find("no-such-program"), std::string::npos)
      << r->reason.in(text::Language::kJapanese);

  // An impossible date never reaches the service.
  QtSystemClock checked(script("exit 0"));
  std::filesystem::remove(dir + "/args");
  r = set_and_wait(checked, make_system_time(2001, 2, 29, 9, 5, 0));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->outcome, Outcome::Refused);
  EXPECT_EQ(file("args"), "");
}

TEST_F(StandInService, AServiceThatHangsIsStoppedAtTheTimeLimitWhileTheEventLoopRuns) {
  QtSystemClock clock(script("exec sleep 30"), 400ms);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(50);

  std::optional<ClockSetResult> result;
  QElapsedTimer took;
  took.start();
  clock.set(make_system_time(2000, 3, 11, 9, 5, 0), [&](const ClockSetResult& r) { result = r; });
  EXPECT_LT(took.elapsed(), 300);  // set() does not wait for the service
  EXPECT_TRUE(clock.setting());

  // A second request while the first is running is refused at once.
  std::optional<ClockSetResult> second;
  clock.set(make_system_time(2000, 3, 11, 9, 6, 0), [&](const ClockSetResult& r) { second = r; });
  ASSERT_TRUE(second);
  EXPECT_EQ(second->outcome, Outcome::Refused);

  ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
  EXPECT_GE(took.elapsed(), 350);
  EXPECT_LT(took.elapsed(), 5000);
  EXPECT_GE(ticks, 3);  // the event loop ran while the service hung
  EXPECT_EQ(result->outcome, Outcome::TimedOut);
  EXPECT_EQ(result->reason.in(text::Language::kJapanese),
            calendar::service_timeout_reason(1).in(text::Language::kJapanese));
  EXPECT_FALSE(clock.setting());
  // The hanging service was stopped.
  const pid_t pid = static_cast<pid_t>(std::atoi(file("pid").c_str()));
  ASSERT_GT(pid, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(pid, 0) != 0; }, 3000));

  // The clock takes the next setting.
  script("exit 0");
  const auto r = set_and_wait(clock, make_system_time(2000, 3, 11, 9, 5, 0));
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->ok());
}

}  // namespace
}  // namespace ravolin::ui
