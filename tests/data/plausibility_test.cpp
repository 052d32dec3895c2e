// SPDX-License-Identifier: MIT
// The plausibility check of timetables, on small corridors written here.
#include "data/plausibility.h"
#include "data/sources.h"
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::data {
namespace {

// 東京 – 新横浜 – 小田原 – 静岡 (arrival and departure rows) – 名古屋, edition 1.
SourceFiles corridor(const std::string& down, const std::string& keiyo = "") {
  SourceFiles f = test_support::small_sources(1);
  f["stations.txt"] =
      "direction 1\n東京\n新横浜\n小田原\n静岡 着\n静岡 発\n名古屋\n"
      "direction 2\n名古屋\n静岡 着\n静岡 発\n小田原\n新横浜\n東京\n";
  f["fares.txt"] =
      "[kilo]\n東京 0.0\n新横浜 28.8\n小田原 83.9\n静岡 180.2\n名古屋 366.0\n"
      "[pair]\n東京 名古屋 6090 4410 3880 0\n[green]\n100 1260 0 0\n";
  f["trains-down.txt"] = down;
  f["trains-up.txt"] = "train H102\n名古屋 10:00\n静岡 - 10:50\n新横浜 11:30\n東京 11:42\n";
  f["keiyo.txt"] = keiyo;
  return f;
}

std::vector<Finding> check(const SourceFiles& f) {
  auto raw = std::make_unique<RawData>();
  std::vector<SourceError> errors;
  EXPECT_TRUE(parse_sources(f, *raw, errors)) << (errors.empty() ? "" : errors[0].message());
  return check_plausibility(*raw);
}

std::string all(const std::vector<Finding>& v) {
  std::string s;
  for (const auto& f : v) s += std::string(finding_kind_name(f.kind)) + ": " + f.text + "\n";
  return s;
}

// A こだま leaving 東京 at 6:00, stopping everywhere and standing at 静岡 from 7:10 to 7:20.
const std::string kKodama =
    "train K401\n東京 06:00\n新横浜 06:12\n小田原 06:32\n静岡 07:10 07:20\n名古屋 08:30\n";

const std::string kKeiyoDown =
    "schedule 1\nstations 東京 新木場 葛西臨海公園 舞浜 蘇我\n"
    "train 0501Y 08:00 08:09 08:13 08:15 08:46\n";

TEST(Plausibility, ACleanTimetableHasNoFinding) {
  // a のぞみ passes the こだま while it stands at 静岡; a 快速 runs ten minutes behind a 普通
  // and never catches it; the Keiyo line may run past midnight
  auto f = corridor(kKodama + "train N001\n東京 06:20\n新横浜 06:36\n名古屋 07:56\n",
                    kKeiyoDown +
                        "train 1001A 08:10 08:18 - 08:22 08:48\n"
                        "train 0503Y 23:50 23:59 24:03 24:05 24:36\n");
  EXPECT_EQ(all(check(f)), "");
}

TEST(Plausibility, TimesThatGoBackwards) {
  auto v =
      check(corridor("train K401\n東京 06:00\n新横浜 06:12\n小田原 06:05\n静岡 07:10 07:05\n"
                     "名古屋 08:30\n"));
  EXPECT_EQ(all(v),
            "backwards: 新幹線 下り K401: 新横浜 06:12 → 小田原 06:05: the time goes backwards\n"
            "backwards: 新幹線 下り K401: 静岡 arrives 07:10 after it departs 07:05\n");
}

TEST(Plausibility, SpeedAboveTheLineLimit) {
  // 小田原–静岡 96.3 km: 20 min is 289 km/h (allowed), 19 min 304 km/h; Keiyo 東京–新木場
  // 7.4 km: 5 min is 89 km/h, 4 min 111 km/h
  auto ok =
      check(corridor("train H001\n東京 06:00\n小田原 06:25\n静岡 06:45 06:46\n名古屋 08:00\n"));
  EXPECT_EQ(all(ok), "");
  auto v = check(corridor("train H001\n東京 06:00\n小田原 06:25\n静岡 06:44 06:46\n名古屋 08:00\n",
                          "schedule 1\nstations 東京 新木場\ntrain 0501Y 08:00 08:04\n"));
  EXPECT_EQ(all(v),
            "speed: 新幹線 下り H001: 小田原 06:25 → 静岡 06:44: 96.3 km in 19 min = 304 km/h "
            "(limit 300 km/h)\n"
            "speed: 京葉線 平日下り 0501Y: 東京 08:00 → 新木場 08:04: 7.4 km in 4 min = 111 km/h "
            "(limit 100 km/h)\n");
}

TEST(Plausibility, EditionsTwoAndThreeHaveTheLowerLimit) {
  EXPECT_EQ(shinkansen_speed_limit(1), 300.0);
  EXPECT_EQ(shinkansen_speed_limit(2), 275.0);
  EXPECT_EQ(shinkansen_speed_limit(3), 275.0);
}

TEST(Plausibility, OvertakingOnTheOpenLine) {
  // the のぞみ leaves 東京 after the こだま and is first at 新横浜, where both stop
  auto v = check(corridor(
      "train K401\n東京 06:00\n新横浜 06:30\n小田原 06:50\n静岡 07:20 07:21\n名古屋 08:30\n"
      "train N001\n東京 06:10\n新横浜 06:26\n名古屋 07:40\n"));
  ASSERT_EQ(v.size(), 1u) << all(v);
  EXPECT_EQ(v[0].kind, FindingKind::kOvertaking);
  EXPECT_EQ(v[0].text,
            "新幹線 下り N001 overtakes K401 between 東京 and 新横浜 on the open line: "
            "K401 東京 06:00 → 新横浜 06:30, N001 東京 06:10 → 新横浜 06:26");
}

TEST(Plausibility, OvertakingWhereTheOvertakenMayStandIsAllowed) {
  // the こだま's one time at 小田原 hides a wait: it can be there from 6:23, and the ひかり
  // passes at about 6:40 and leaves it behind
  auto v = check(corridor(
      "train K401\n東京 06:00\n新横浜 06:12\n小田原 06:45\n静岡 07:20 07:21\n名古屋 08:30\n"
      "train H001\n東京 06:15\n新横浜 06:30\n静岡 07:05 07:06\n名古屋 08:10\n"));
  EXPECT_EQ(all(v), "");
}

TEST(Plausibility, BothStoppingAtAStationWithOneRowCannotPass) {
  // like a ひかり and a こだま both stopping at 新倉敷: one platform track per direction
  auto v = check(corridor(
      "train K401\n東京 06:00\n新横浜 06:12\n小田原 06:45\n静岡 07:20 07:21\n名古屋 08:30\n"
      "train H001\n東京 06:05\n新横浜 06:20\n小田原 06:40\n静岡 07:05 07:06\n名古屋 08:10\n"));
  ASSERT_EQ(v.size(), 1u) << all(v);
  EXPECT_EQ(v[0].text,
            "新幹線 下り H001 overtakes K401 between 新横浜 and 小田原 on the open line: "
            "K401 新横浜 06:12 → 小田原 06:45, H001 新横浜 06:20 → 小田原 06:40");
  // at 静岡, with its two rows, the same is allowed
  auto ok = check(corridor(
      "train K401\n東京 06:00\n新横浜 06:12\n小田原 06:30\n静岡 07:00 07:15\n名古屋 08:30\n"
      "train H001\n東京 06:10\n新横浜 06:25\n小田原 06:45\n静岡 07:05 07:06\n名古屋 08:10\n"));
  EXPECT_EQ(all(ok), "");
}

TEST(Plausibility, KeiyoRapidCatchingAnOrdinaryTrain) {
  // both at 舞浜 at 8:15, the 快速 first at 蘇我: the pass falls between them
  auto v = check(corridor(kKodama, kKeiyoDown + "train 1001A 08:06 08:11 - 08:15 08:44\n"));
  ASSERT_EQ(v.size(), 1u) << all(v);
  EXPECT_EQ(v[0].text,
            "京葉線 平日下り 1001A overtakes 0501Y between 葛西臨海公園 and 蘇我 on the open line: "
            "0501Y 葛西臨海公園 08:13 → 蘇我 08:46, 1001A 葛西臨海公園 ~08:13 → 蘇我 08:44");
}

TEST(Plausibility, ShinkansenAfterMidnight) {
  auto v =
      check(corridor("train K401\n東京 22:40\n新横浜 22:52\n小田原 23:12\n静岡 23:50 23:51\n"
                     "名古屋 25:10\n"));
  ASSERT_EQ(v.size(), 1u) << all(v);
  EXPECT_EQ(v[0].text, "新幹線 下り K401: 名古屋 25:10 is after midnight");
  EXPECT_EQ(all(check(corridor("train H001\n静岡 - 23:00\n名古屋 24:00\n"))), "");
}

TEST(Plausibility, StoppingPatternOfTheTrainType) {
  // (a line's stations are known from the trains that stop at them: the ひかり's)
  auto v =
      check(corridor("train K401\n東京 06:00\n小田原 06:32\n静岡 07:10 07:20\n名古屋 08:30\n"
                     "train H001\n東京 06:30\n新横浜 06:45\n小田原 07:05\n静岡 07:30 07:31\n"
                     "名古屋 08:40\n",
                     kKeiyoDown + "train 0503Y 08:20 08:29 - 08:35 09:06\n"
                                  "train 1001A 08:30 08:38 - 08:42 09:08\n"));
  EXPECT_EQ(all(v),
            "pattern: 新幹線 下り K401 (こだま) does not stop at 新横浜\n"
            "pattern: 京葉線 平日下り 0503Y (普通) does not stop at 葛西臨海公園\n");
}

TEST(Plausibility, BranchesDoNotMeet) {
  // two lines from 高崎: the あさひ is at 越後湯沢 (199.2 km) before the あさま reaches
  // 軽井沢 (146.8 km), which is no overtaking: 越後湯沢 does not lie beyond 軽井沢
  SourceFiles f = test_support::small_sources(3);
  f["stations.txt"] =
      "direction 1\n東京\n大宮\n高崎 着\n高崎 発\n軽井沢\n長野\n越後湯沢\n新潟\n"
      "direction 2\n新潟\n越後湯沢\n長野\n軽井沢\n高崎 着\n高崎 発\n大宮\n東京\n";
  f["fares.txt"] =
      "[kilo]\n東京 0.0\n大宮 30.3\n高崎 105.0\n軽井沢 146.8\n長野 222.4\n越後湯沢 199.2\n新潟 "
      "333.9\n"
      "[pair]\n東京 新潟 5460 4810 4300 0\n[green]\n100 1000 0 0\n";
  f["trains-down.txt"] =
      "train S501\n東京 06:00\n大宮 06:20\n高崎 06:45 06:46\n軽井沢 07:10\n長野 07:40\n"
      "train A301\n東京 06:05\n大宮 06:24\n高崎 06:49 06:50\n越後湯沢 07:15\n新潟 07:50\n";
  f["trains-up.txt"] = "train A302\n新潟 08:00\n越後湯沢 08:30\n高崎 08:55 08:56\n東京 09:40\n";
  f["keiyo.txt"] = "";
  EXPECT_EQ(all(check(f)), "");
}

}  // namespace
}  // namespace ravolin::data
