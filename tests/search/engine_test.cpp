// SPDX-License-Identifier: MIT
// Route search on small hand-made lines: windows, waits, transfer rows, doubled
// stations, directions, limits, sort order and operation days.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "search/engine.h"
#include "search/reference_engine.h"

namespace ravolin::search {
namespace {

// A line of stations; a name ending in '*' is listed twice (arrival row, departure row).
// Direction 2 lists the same stations in reverse order.
class Line {
 public:
  explicit Line(std::initializer_list<const char*> names)
      : t_(std::make_unique<data::SinkansenTables>()) {
    std::vector<std::pair<std::string, bool>> st;
    for (const char* n : names) {
      std::string s = n;
      const bool two = !s.empty() && s.back() == '*';
      if (two) s.pop_back();
      st.emplace_back(s, two);
    }
    for (int d = 1; d <= 2; ++d) {
      int r = 0;
      for (std::size_t k = 0; k < st.size(); ++k) {
        const auto& [name, two] = d == 1 ? st[k] : st[st.size() - 1 - k];
        if (two) {
          set_row(d, ++r, name, data::kFlagArrival);
          set_row(d, ++r, name, data::kFlagDeparture);
        } else {
          set_row(d, ++r, name, data::kFlagSingle);
        }
      }
      t_->station_count = r;
    }
  }

  // A train of direction d with its hhmm times at rows 1, 2, ... (0: no stop).
  int train(int d, std::initializer_list<int> times, int op_day = 0) {
    const int k = ++t_->train_count[d];
    int s = 0;
    for (int v : times) t_->times[d][++s][k] = v;
    t_->op_day[d][k] = static_cast<std::uint8_t>(op_day);
    t_->train_id[d][k] = "H" + std::to_string(100 + k);
    return k;
  }

  data::SinkansenTables& tables() { return *t_; }

 private:
  void set_row(int d, int r, const std::string& name, int flag) {
    t_->station_name[d][r] = name;
    t_->station_flag[d][r] = flag;
  }
  std::unique_ptr<data::SinkansenTables> t_;
};

SearchConditions cond(const char* from, const char* to, int st1, int st2, int ed1, int ed2,
                      int wait = 30, int wait_count = 1, int sort_order = kSortByDeparture) {
  SearchConditions c;
  c.st_station = from;
  c.ed_station = to;
  c.st_time1 = st1;
  c.st_time2 = st2;
  c.ed_time1 = ed1;
  c.ed_time2 = ed2;
  c.wait_time = wait;
  c.wait_count = wait_count;
  c.sort_order = sort_order;
  return c;
}

calendar::DayFlags plain_weekday() {
  calendar::DayFlags f;
  f.weekday = 4;
  return f;
}

// "1" for a direct train, "1>2@3" for a change to train 2 at row 3, "1>2@3>1@5" for two.
std::string leg_text(const ResultEntry& e) {
  std::string s = std::to_string(e.first_train);
  if (e.second_train != 0) {
    s += ">" + std::to_string(e.second_train) + "@" + std::to_string(e.first_transfer_row);
  }
  if (e.third_train != 0) {
    s += ">" + std::to_string(e.third_train) + "@" + std::to_string(e.second_transfer_row);
  }
  return s;
}

// Runs the engine (and, as a cross-check, the plain scan) and lists the connections.
struct Outcome {
  std::unique_ptr<SearchResult> result = std::make_unique<SearchResult>();
  std::vector<std::string> legs;
  int count() const { return result->count; }
  const ResultEntry& at(int i) const { return result->entries[i]; }
};

Outcome run(Line& line, const SearchConditions& c,
            const calendar::DayFlags& flags = plain_weekday()) {
  Outcome o;
  RouteSearch engine;
  engine.search(line.tables(), c, flags, *o.result);
  for (int i = 1; i <= o.result->count; ++i) o.legs.push_back(leg_text(o.result->entries[i]));
  SearchResult plain;
  reference::ReferenceSearch(line.tables(), c, flags).run(plain);
  EXPECT_EQ(plain.count, o.result->count);
  for (int i = 1; i <= plain.count && i <= o.result->count; ++i) {
    EXPECT_EQ(leg_text(plain.entries[i]), o.legs[i - 1]) << "entry " << i;
  }
  return o;
}

using Legs = std::vector<std::string>;

TEST(RouteSearch, DepartureAndArrivalWindowsIncludeBothEnds) {
  Line line{"A", "B"};
  line.train(1, {700, 900});   // 1: leaves at st_time1, arrives at ed_time1
  line.train(1, {800, 1000});  // 2: leaves at st_time2, arrives at ed_time2
  line.train(1, {659, 930});   // 3: leaves a minute early
  line.train(1, {801, 930});   // 4: leaves a minute late
  line.train(1, {730, 859});   // 5: arrives a minute early
  line.train(1, {730, 1001});  // 6: arrives a minute late
  line.train(1, {0, 930});     // 7: does not stop at A
  const Outcome o = run(line, cond("A", "B", 700, 800, 900, 1000));
  EXPECT_EQ(o.legs, (Legs{"1", "2"}));
  EXPECT_EQ(o.at(1).ride_minutes, 120);
  EXPECT_EQ(o.at(1).sort_key, 700 * 10000 + 120);
  EXPECT_EQ(o.result->direction, 1);
  EXPECT_EQ(o.result->boarding_row, 1);
  EXPECT_EQ(o.result->alighting_row, 2);
}

TEST(RouteSearch, ConnectionWaitCountsFromTheArrivalAcrossTheHour) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 950, 0});    // 1: first train, ends at B at 09:50
  line.train(1, {0, 950, 1100});   // 2: leaves B the same minute
  line.train(1, {0, 1005, 1110});  // 3: leaves B 15 minutes later
  line.train(1, {0, 1006, 1120});  // 4: one minute more
  line.train(1, {0, 949, 1040});   // 5: has already left
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359, 15)).legs, (Legs{"1>2@2", "1>3@2"}));
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359, 0)).legs, (Legs{"1>2@2"}));
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359, 16)).legs,
            (Legs{"1>2@2", "1>3@2", "1>4@2"}));
}

TEST(RouteSearch, DirectTrainAlsoStartsConnections) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 930, 1030});
  line.train(1, {0, 940, 1020});
  const Outcome o = run(line, cond("A", "C", 600, 2359, 600, 2359));
  EXPECT_EQ(o.legs, (Legs{"1>2@2", "1"}));  // by departure: 80 minutes + 1 before 90
  EXPECT_EQ(o.at(1).sort_key, 900 * 10000 + 80 + 1);
  EXPECT_EQ(o.at(2).sort_key, 900 * 10000 + 90);
}

TEST(RouteSearch, NoChangeAtTheBoardingOrAlightingRow) {
  Line line{"A", "B"};
  line.train(1, {900, 0});     // goes nowhere useful
  line.train(1, {910, 1000});  // would be a "change" at A
  line.train(1, {800, 950});   // would be a "change" at B
  EXPECT_EQ(run(line, cond("A", "B", 600, 2359, 600, 2359, 60)).legs, (Legs{"3", "2"}));

  Line three{"A", "B", "C"};
  three.train(1, {900, 0, 1000});  // 1 arrives at C
  three.train(1, {0, 0, 1005});    // 2 is at C only
  three.train(1, {905, 0, 0});     // 3 is at A only
  EXPECT_EQ(run(three, cond("A", "C", 600, 2359, 600, 2359, 60)).legs, (Legs{"1"}));
}

TEST(RouteSearch, DoubledStationComparesArrivalWithDeparturesAndStoresTheDepartureRow) {
  Line line{"A", "B*", "C"};            // rows: A 1, B 2 (arrival), B 3 (departure), C 4
  line.train(1, {900, 1000, 0, 0});     // 1: arrives at B 10:00, ends there
  line.train(1, {0, 955, 1001, 1100});  // 2: leaves B 10:01
  line.train(1, {0, 950, 958, 1050});   // 3: left B before 1 arrived
  line.train(1, {0, 1000, 0, 0});       // 4: ends at B
  line.train(1, {0, 1005, 0, 1110});    // 5: only an arrival time at B
  const Outcome o = run(line, cond("A", "C", 600, 2359, 600, 2359, 30));
  EXPECT_EQ(o.legs, (Legs{"1>2@3"}));
  EXPECT_EQ(o.at(1).first_transfer_row, 3);
}

TEST(RouteSearch, FirstTrainWithoutArrivalTimeUsesItsDepartureRow) {
  Line line{"A", "B*", "C"};
  line.train(1, {900, 0, 1003, 0});      // 1: only a departure time at B
  line.train(1, {0, 1000, 1010, 1100});  // 2: leaves B 7 minutes later
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359, 10)).legs, (Legs{"1>2@3"}));
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359, 6)).legs, (Legs{}));
}

TEST(RouteSearch, BoardingAfterAlightingStationSearchesTheUpDirection) {
  Line line{"A", "B*", "C", "D"};
  // direction 2 rows: D 1, C 2, B 3 (arrival), B 4 (departure), A 5
  line.train(2, {0, 800, 830, 0, 0});    // 1: C 08:00 to B 08:30
  line.train(2, {0, 0, 835, 840, 930});  // 2: B 08:40 to A
  line.train(1, {700, 0, 0, 800, 0});    // a down train must not be found
  const Outcome o = run(line, cond("C", "A", 600, 2359, 600, 2359, 30));
  EXPECT_EQ(o.result->direction, 2);
  EXPECT_EQ(o.result->boarding_row, 2);
  EXPECT_EQ(o.result->alighting_row, 5);
  EXPECT_EQ(o.legs, (Legs{"1>2@4"}));
  EXPECT_EQ(o.at(1).ride_minutes, 90);
}

TEST(RouteSearch, SecondChangeMayReturnToTheFirstTrain) {
  Line line{"A", "B", "C", "D"};
  line.train(1, {900, 930, 1000, 1100});  // 1
  line.train(1, {0, 935, 955, 0});        // 2: B to C, arriving before 1 leaves C
  EXPECT_EQ(run(line, cond("A", "D", 600, 2359, 600, 2359, 30, 2)).legs, (Legs{"1", "1>2@2>1@3"}));
  EXPECT_EQ(run(line, cond("A", "D", 600, 2359, 600, 2359, 30, 1)).legs, (Legs{"1"}));
}

TEST(RouteSearch, AfterMidnightRideIsThePlainDifference) {
  Line line{"A", "B"};
  line.train(1, {2300, 2430});
  const Outcome o = run(line, cond("A", "B", 600, 2359, 600, 2459, 0, 1, kSortByRide));
  ASSERT_EQ(o.count(), 1);
  EXPECT_EQ(o.at(1).ride_minutes, 90);
  EXPECT_EQ(o.at(1).sort_key, 90 * 10000 + 2300);
  EXPECT_EQ(arrival_time(line.tables(), *o.result, 1), 2430);
  EXPECT_EQ(hhmm_from_minutes(minutes_of(2350) + 30), 2420);
}

TEST(RouteSearch, SortKeysOfEachOrder) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 940, 1050});  // 1: direct, 110 minutes, arrives 10:50
  line.train(1, {0, 945, 1030});    // 2: change, 90 minutes, arrives 10:30
  line.train(1, {800, 0, 1100});    // 3: direct, 180 minutes
  const auto keys = [&](int order) {
    const Outcome o = run(line, cond("A", "C", 600, 2359, 600, 2359, 30, 1, order));
    std::vector<int> k;
    for (int i = 1; i <= o.count(); ++i) k.push_back(o.at(i).sort_key);
    return k;
  };
  EXPECT_EQ(keys(kSortByDeparture), (std::vector<int>{8000180, 9000091, 9000110}));
  EXPECT_EQ(keys(kSortByArrival), (std::vector<int>{10300091, 10500110, 11000180}));
  EXPECT_EQ(keys(kSortByRide), (std::vector<int>{900901, 1100900, 1800800}));
}

TEST(RouteSearch, EqualKeysOfDirectAndChangeKeepTheOrderFound) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 920, 1041});  // direct, 101 minutes
  line.train(1, {0, 925, 1040});    // change at B, 100 minutes + 1
  const Outcome o = run(line, cond("A", "C", 600, 2359, 600, 2359));
  EXPECT_EQ(o.legs, (Legs{"1", "1>2@2"}));
  EXPECT_EQ(o.at(1).sort_key, o.at(2).sort_key);
}

TEST(SortData, ExchangeSortIsNotStable) {
  SearchResult r;
  const int keys[] = {2, 2, 1};
  for (int i = 1; i <= 3; ++i) {
    r.entries[i].first_train = i;
    r.entries[i].sort_key = keys[i - 1];
  }
  r.count = 3;
  sort_entries(r);
  EXPECT_EQ(r.entries[1].first_train, 3);
  EXPECT_EQ(r.entries[2].first_train, 2);
  EXPECT_EQ(r.entries[3].first_train, 1);

  // Only entries 1..count take part.
  SearchResult s;
  s.entries[1].sort_key = 5;
  s.entries[2].sort_key = 1;
  s.count = 1;
  sort_entries(s);
  EXPECT_EQ(s.entries[1].sort_key, 5);
}

TEST(SortData, LongListsMatchTheExchangeSortStepByStep) {
  unsigned x = 12345;
  const auto next = [&] {
    x = x * 1103515245u + 12345u;
    return static_cast<int>(x >> 16);
  };
  // key of entry i (1-based) of n, per pattern
  const std::vector<std::pair<const char*, std::function<int(int, int)>>> patterns = {
      {"few distinct", [&](int, int) { return next() % 40; }},
      {"two values", [&](int, int) { return next() % 2; }},
      {"all equal", [](int, int) { return 7; }},
      {"descending", [](int i, int n) { return n - i; }},
      {"descending pairs", [](int i, int n) { return (n - i) / 2; }},
      {"ascending", [](int i, int) { return i; }},
      {"negative and wide", [&](int, int) { return (next() % 2001 - 1000) * 10007; }},
      {"sawtooth", [](int i, int) { return i % 17; }},
  };
  for (const auto& [name, key] : patterns) {
    for (int n : {2, 3, 17, 250, kMaxResults}) {
      SearchResult r;
      std::vector<ResultEntry> plain(n + 1);
      for (int i = 1; i <= n; ++i) {
        r.entries[i].first_train = i;
        r.entries[i].sort_key = key(i, n);
        plain[i] = r.entries[i];
      }
      r.count = n;
      sort_entries(r);
      for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
          if (plain[j].sort_key < plain[i].sort_key) std::swap(plain[i], plain[j]);
        }
      }
      for (int i = 1; i <= n; ++i) {
        ASSERT_EQ(r.entries[i], plain[i]) << name << ", " << n << " entries, entry " << i;
      }
    }
  }
}

TEST(RouteSearch, ThousandResultsEndTheSearchAndHundredEndATransferList) {
  Line line{"A", "B", "C"};
  for (int k = 0; k < 250; ++k) line.train(1, {1000, 1010, 1020});
  const Outcome o = run(line, cond("A", "C", 600, 2359, 600, 2359, 10));
  ASSERT_EQ(o.count(), kMaxResults);
  std::vector<int> per_train(251, 0);
  for (int i = 1; i <= o.count(); ++i) ++per_train[o.at(i).first_train];
  for (int t = 1; t <= 9; ++t) EXPECT_EQ(per_train[t], 101) << "train " << t;  // 1 + 100
  EXPECT_EQ(per_train[10], 91);  // the 1001st result ends the search
  EXPECT_EQ(per_train[11], 0);
  // All keys are equal except for the number of changes: directs first.
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(transfer_count(o.at(i)), 0);
  // Train 1 changed to the first hundred trains after it (the sort mixes their order).
  std::vector<int> seconds;
  for (int i = 1; i <= o.count(); ++i) {
    if (o.at(i).first_train == 1 && o.at(i).second_train != 0) {
      seconds.push_back(o.at(i).second_train);
    }
  }
  std::sort(seconds.begin(), seconds.end());
  ASSERT_EQ(seconds.size(), 100u);
  EXPECT_EQ(seconds.front(), 2);
  EXPECT_EQ(seconds.back(), 101);
}

TEST(RouteSearch, SecondTransferListStopsAtHundred) {
  Line line{"A", "B", "C", "D"};
  line.train(1, {900, 930, 0, 0});                                  // 1: A to B
  line.train(1, {0, 935, 1000, 0});                                 // 2: B to C
  for (int k = 0; k < 150; ++k) line.train(1, {0, 0, 1010, 1100});  // 3..152: C to D
  const Outcome o = run(line, cond("A", "D", 600, 2359, 600, 2359, 30, 2));
  ASSERT_EQ(o.count(), 100);
  int lowest = 999, highest = 0;
  for (int i = 1; i <= o.count(); ++i) {
    EXPECT_EQ(o.at(i).second_train, 2);
    lowest = std::min(lowest, o.at(i).third_train);
    highest = std::max(highest, o.at(i).third_train);
  }
  EXPECT_EQ(lowest, 3);
  EXPECT_EQ(highest, 102);
}

TEST(RouteSearch, StationNamesAreMatchedTrimmedAndUnknownNamesFindNothing) {
  Line line{"A", "B"};
  line.tables().station_name[1][2] = "B  ";
  line.train(1, {900, 1000});
  EXPECT_EQ(run(line, cond(" A", "B ", 600, 2359, 600, 2359)).legs, (Legs{"1"}));

  RouteSearch engine;
  SearchResult r;
  r.count = 5;
  r.entries[1].first_train = 7;
  EXPECT_FALSE(set_search_rows(line.tables(), cond("A", "Z", 600, 2359, 600, 2359), r));
  EXPECT_EQ(engine.search(line.tables(), cond("A", "Z", 600, 2359, 600, 2359), plain_weekday(), r),
            0);
  EXPECT_EQ(r.direction, 0);
  EXPECT_EQ(r.entries[1].first_train, 0);
  // The same station twice (the conditions window refuses it) finds nothing either.
  EXPECT_EQ(engine.search(line.tables(), cond("A", "A", 600, 2359, 600, 2359), plain_weekday(), r),
            0);
}

TEST(RouteSearch, BoardingUsesDepartureRowsAndAlightingArrivalRows) {
  Line line{"A*", "B*"};  // rows: A arr 1, A dep 2, B arr 3, B dep 4
  line.train(1, {0, 900, 1000, 0});
  SearchResult r;
  ASSERT_TRUE(set_search_rows(line.tables(), cond("A", "B", 600, 2359, 600, 2359), r));
  EXPECT_EQ(r.boarding_row, 2);
  EXPECT_EQ(r.alighting_row, 3);
  EXPECT_EQ(run(line, cond("A", "B", 600, 2359, 600, 2359)).legs, (Legs{"1"}));
}

struct Day {
  const char* name;
  calendar::DayFlags flags;
};

TEST(SelectData, OperationDayCodes) {
  const Day days[] = {
      {"Monday", {0, 0, 0, 2}},
      {"Friday", {0, 0, 0, 6}},
      {"Saturday", {1, 0, 1, 7}},
      {"Sunday", {1, 1, 0, 1}},
      {"holiday Wednesday", {1, 1, 0, 4}},
      {"holiday Friday", {1, 1, 0, 6}},
      {"holiday Saturday", {1, 1, 0, 7}},
  };
  struct Row {
    int code;
    const char* runs;  // one letter per day above: Y runs, N left out
  };
  const Row rows[] = {
      {11, "YYNNNNN"}, {1, "YYYNNNN"},   {10, "YYNYYYY"}, {50, "NYNNNYN"}, {51, "NYNYYYY"},
      {70, "NNNYYYY"}, {170, "YYYNYYY"}, {0, "YYYYYYY"},  {99, "YYYYYYY"},
  };
  Line line{"A", "B"};
  const int k = line.train(1, {900, 1000});
  for (const Row& row : rows) {
    line.tables().op_day[1][k] = static_cast<std::uint8_t>(row.code);
    for (int d = 0; d < 7; ++d) {
      const bool want = row.runs[d] == 'Y';
      EXPECT_EQ(runs_on(row.code, days[d].flags), want) << row.code << " " << days[d].name;
      int skip = 0;
      skip_if_not_running(line.tables(), days[d].flags, 1, 1, k, skip);
      EXPECT_EQ(skip, want ? 0 : 1) << row.code << " " << days[d].name;
      skip = 1;  // an already set flag stays set
      skip_if_not_running(line.tables(), days[d].flags, 1, 1, k, skip);
      EXPECT_EQ(skip, 1);
      EXPECT_EQ(run(line, cond("A", "B", 600, 2359, 600, 2359), days[d].flags).count(),
                want ? 1 : 0);
    }
  }
}

TEST(RouteSearch, TrainsNotRunningThatDayAreNeitherFirstNorConnectingTrains) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 930, 0});
  line.train(1, {0, 940, 1030}, 70);  // Sundays and holidays only
  calendar::DayFlags sunday{1, 1, 0, 1};
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359)).legs, (Legs{}));
  EXPECT_EQ(run(line, cond("A", "C", 600, 2359, 600, 2359), sunday).legs, (Legs{"1>2@2"}));
}

// A-B-C with 45 trains one minute apart from 09:00: more than twenty first trains.
Line forty_five_trains_a_minute_apart() {
  Line line{"A", "B", "C"};
  for (int k = 0; k < 45; ++k) {
    line.train(
        1, {hhmm_from_minutes(540 + k), hhmm_from_minutes(570 + k), hhmm_from_minutes(600 + k)});
  }
  return line;
}

TEST(RouteSearch, PendingEventsEveryTwentyFirstTrainsDoNotDisturbTheSearch) {
  Line line = forty_five_trains_a_minute_apart();
  const SearchConditions c = cond("A", "C", 600, 2359, 600, 2359, 5);
  RouteSearch engine;
  SearchResult quiet;
  engine.search(line.tables(), c, plain_weekday(), quiet);

  // A refresh that runs its own search in between (as the board would run its lists).
  int calls = 0;
  RouteSearch other;
  SearchResult other_result;
  SearchResult busy;
  engine.search(line.tables(), c, plain_weekday(), busy, [&] {
    ++calls;
    other.search(line.tables(), cond("B", "C", 600, 2359, 600, 2359), plain_weekday(),
                 other_result);
  });
  EXPECT_EQ(calls, 2);  // trains 20 and 40
  ASSERT_EQ(busy.count, quiet.count);
  for (int i = 1; i <= quiet.count; ++i) EXPECT_EQ(busy.entries[i], quiet.entries[i]);
}

TEST(RouteSearch, SearchStartedFromItsOwnHookIsRefusedAndChangesNothing) {
  Line line = forty_five_trains_a_minute_apart();
  const SearchConditions c = cond("A", "C", 600, 2359, 600, 2359, 5);
  RouteSearch engine;
  SearchResult quiet;
  engine.search(line.tables(), c, plain_weekday(), quiet);

  SearchResult outer;
  SearchResult inner;
  inner.count = 3;
  inner.direction = 1;
  std::vector<int> inner_counts;
  engine.search(line.tables(), c, plain_weekday(), outer, [&] {
    inner_counts.push_back(
        engine.search(line.tables(), cond("B", "C", 600, 2359, 600, 2359), plain_weekday(), inner));
    inner_counts.push_back(engine.run_search(line.tables(), c, plain_weekday(), outer));
  });
  EXPECT_EQ(inner_counts, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(inner.count, 3);  // untouched
  ASSERT_EQ(outer.count, quiet.count);
  for (int i = 1; i <= quiet.count; ++i) EXPECT_EQ(outer.entries[i], quiet.entries[i]);
  // Afterwards the engine searches again as usual.
  EXPECT_EQ(engine.search(line.tables(), c, plain_weekday(), inner), quiet.count);
}

TEST(RouteSearch, KeptTimeOrdersFollowChangesToTheTable) {
  Line line{"A", "B", "C"};
  line.train(1, {900, 930, 0});
  const int k = line.train(1, {0, 940, 1030});
  const SearchConditions c = cond("A", "C", 600, 2359, 600, 2359, 15);
  RouteSearch engine;
  SearchResult r;
  EXPECT_EQ(engine.search(line.tables(), c, plain_weekday(), r), 1);
  line.tables().times[1][2][k] = 950;  // now 20 minutes after the arrival
  EXPECT_EQ(engine.search(line.tables(), c, plain_weekday(), r), 0);
}

TEST(RouteSearch, SecondChangeAtADoubledStationBoardsFromTheDepartureRow) {
  Line line{"A", "B", "C*", "D"};        // rows: A 1, B 2, C 3 (arrival), C 4 (departure), D 5
  line.train(1, {900, 930, 0, 0, 0});    // 1: A to B
  line.train(1, {0, 935, 1000, 0, 0});   // 2: B to C, arriving at C's arrival row
  line.train(1, {0, 0, 0, 1010, 1100});  // 3: leaves C from its departure row
  const Outcome o = run(line, cond("A", "D", 600, 2359, 600, 2359, 30, 2));
  EXPECT_EQ(o.legs, (Legs{"1>2@2>3@4"}));
  ASSERT_EQ(o.count(), 1);
  EXPECT_EQ(o.at(1).second_transfer_row, 4);
  EXPECT_EQ(o.at(1).ride_minutes, 120);
}

}  // namespace
}  // namespace ravolin::search
