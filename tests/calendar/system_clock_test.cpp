// SPDX-License-Identifier: MIT
// What the program hands the system's time-setting service and how it words the
// service's answers. The service itself is run in the Qt clock's tests
// (tests/ui/system_clock_window_test.cpp), always as a stand-in program.
#include "calendar/clock.h"

#include <gtest/gtest.h>

#include <string>

namespace ravolin::calendar {
namespace {

TEST(SetTimeService, ArgumentIsTheLocalDateAndTime) {
  EXPECT_EQ(set_time_argument(make_system_time(2000, 3, 11, 9, 5, 7)), "2000-03-11 09:05:07");
  EXPECT_EQ(set_time_argument(make_system_time(2031, 12, 31, 23, 59, 59)), "2031-12-31 23:59:59");
}

TEST(SetTimeService, ImpossibleTimesAreNotSettable) {
  EXPECT_TRUE(unsettable_time_reason(make_system_time(2000, 2, 29, 23, 59, 59)).empty());
  EXPECT_FALSE(unsettable_time_reason(make_system_time(2001, 2, 29, 9, 5, 0)).empty());
  SystemTime t = make_system_time(2000, 3, 11, 9, 5, 0);
  t.hour = 24;
  EXPECT_FALSE(unsettable_time_reason(t).empty());
  t.hour = 9;
  t.second = 60;
  EXPECT_EQ(unsettable_time_reason(t).in(text::Language::kEnglish),
            "the date or the time does not exist");
}

TEST(SetTimeService, ReasonsSayWhatTheServiceSaidOrHowItEndedInEitherLanguage) {
  const auto both = [](const text::Message& m) {
    return m.in(text::Language::kJapanese) + "|" + m.in(text::Language::kEnglish);
  };
  EXPECT_EQ(both(service_refusal_reason("Failed to set time: Automatic time synchronization is "
                                        "enabled\r\n",
                                        true, 1)),
            "時刻設定サービスが日時の設定を拒否しました: Failed to set time: Automatic time "
            "synchronization is enabled|the time-setting service refused to set the date and "
            "time: Failed to set time: Automatic time synchronization is enabled");
  EXPECT_EQ(both(service_refusal_reason("", true, 3)),
            "時刻設定サービスが日時の設定を拒否しました: 終了コード 3|the time-setting service "
            "refused to set the date and time: exit code 3");
  EXPECT_EQ(both(service_refusal_reason("\n", false, 0)),
            "時刻設定サービスが日時の設定を拒否しました: 異常終了|the time-setting service "
            "refused to set the date and time: it stopped abnormally");
  EXPECT_EQ(both(service_timeout_reason(30)),
            "時刻設定サービスが30秒以内に終わらないため、設定を取りやめました|the time-setting "
            "service did not finish within 30 seconds, so the setting was given up");
  EXPECT_EQ(kSetTimeLimitSeconds, 30);
}

}  // namespace
}  // namespace ravolin::calendar
