// SPDX-License-Identifier: MIT
// Route search on a full-size table (250 trains over 48 rows in each direction): the
// program's engine against the plain nested scan, same tables and conditions.
//
//   build-x/search_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Cases (wait 120, departures 06:00-23:59): the widest arrival window end to end in both
// directions and over a middle section; late arrival windows, where few connections
// qualify and the 1000-result limit comes late; and an arrival window no train can reach,
// where the plain scan examines every connection and finds none (its slowest search).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "search/engine.h"
#include "search/random_tables.h"
#include "search/reference_engine.h"

namespace {

using namespace ravolin;
using search::SearchConditions;

const data::SinkansenTables& full_table() {
  static const std::unique_ptr<data::SinkansenTables> t = [] {
    auto p = std::make_unique<data::SinkansenTables>();
    search::testing::fill_full_size(*p);
    return p;
  }();
  return *t;
}

calendar::DayFlags weekday() {
  calendar::DayFlags f;
  f.weekday = 4;
  return f;
}

struct Case {
  const char* name;
  int from, to;  // station numbers 0..29
  int ed1, ed2;  // arrival window
};

constexpr Case kCases[] = {
    {"widest_down", 0, 29, 600, 2359},   {"widest_up", 29, 0, 600, 2359},
    {"widest_middle", 5, 24, 600, 2359}, {"late_arrival", 0, 29, 2300, 2359},
    {"last_minutes", 0, 29, 2355, 2359}, {"none_arrive_in_time", 0, 29, 900, 915},
};
constexpr int kCaseCount = static_cast<int>(sizeof(kCases) / sizeof(kCases[0]));

SearchConditions conditions(const Case& c, int wait_count) {
  SearchConditions cond;
  cond.st_station = search::testing::station_name(c.from);
  cond.ed_station = search::testing::station_name(c.to);
  cond.st_time1 = 600;
  cond.st_time2 = 2359;
  cond.ed_time1 = c.ed1;
  cond.ed_time2 = c.ed2;
  cond.wait_time = 120;
  cond.wait_count = wait_count;
  cond.sort_order = search::kSortByArrival;
  return cond;
}

void BM_Engine(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  const SearchConditions cond = conditions(c, static_cast<int>(state.range(1)));
  const auto& tables = full_table();
  const calendar::DayFlags flags = weekday();
  search::RouteSearch engine;
  auto result = std::make_unique<search::SearchResult>();
  int count = 0;
  for (auto _ : state) {
    count = engine.search(tables, cond, flags, *result);
    benchmark::DoNotOptimize(count);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(c.name) + " results=" + std::to_string(count));
}

// Constructing the engine (it allocates and clears its work tables) plus its first search,
// which also builds the per-row time orders that later searches on the same table reuse.
void BM_EngineFreshState(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  const SearchConditions cond = conditions(c, static_cast<int>(state.range(1)));
  const auto& tables = full_table();
  const calendar::DayFlags flags = weekday();
  auto result = std::make_unique<search::SearchResult>();
  for (auto _ : state) {
    search::RouteSearch engine;
    benchmark::DoNotOptimize(engine.search(tables, cond, flags, *result));
  }
  state.SetLabel(c.name);
}

void BM_Reference(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  const SearchConditions cond = conditions(c, static_cast<int>(state.range(1)));
  const auto& tables = full_table();
  const calendar::DayFlags flags = weekday();
  auto result = std::make_unique<search::SearchResult>();
  int count = 0;
  for (auto _ : state) {
    search::reference::ReferenceSearch ref(tables, cond, flags);
    count = ref.run(*result);
    benchmark::DoNotOptimize(count);
  }
  state.SetLabel(std::string(c.name) + " results=" + std::to_string(count));
}

void args(benchmark::internal::Benchmark* b) {
  for (int c = 0; c < kCaseCount; ++c) {
    for (int w = 1; w <= 2; ++w) b->Args({c, w});
  }
}

BENCHMARK(BM_Engine)->Apply(args)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineFreshState)->Apply(args)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reference)->Apply(args)->Unit(benchmark::kMillisecond)->MinTime(0.2);

// Both must agree before their times mean anything.
int check_identical() {
  const auto& tables = full_table();
  const calendar::DayFlags flags = weekday();
  search::RouteSearch engine;
  auto a = std::make_unique<search::SearchResult>();
  auto b = std::make_unique<search::SearchResult>();
  int bad = 0;
  for (const Case& c : kCases) {
    for (int w = 1; w <= 2; ++w) {
      const SearchConditions cond = conditions(c, w);
      search::reference::ReferenceSearch ref(tables, cond, flags);
      ref.run(*a);
      engine.search(tables, cond, flags, *b);
      bool same = a->count == b->count && a->direction == b->direction;
      for (int i = 1; same && i <= a->count; ++i) same = a->entries[i] == b->entries[i];
      if (!same) {
        std::fprintf(stderr, "DIFFERENT RESULTS: %s, %d transfer(s)\n", c.name, w);
        ++bad;
      }
    }
  }
  return bad;
}

}  // namespace

int main(int argc, char** argv) {
  if (check_identical() != 0) return 1;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
