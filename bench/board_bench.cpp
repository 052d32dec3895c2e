// SPDX-License-Identifier: MIT
// One refresh of both departure lists over full-size tables: 50 station rows and 250
// trains per Shinkansen direction, 15 stations and 200 trains per Keiyo schedule.
#include "board/board.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace ravolin;

struct FullTables {
  std::unique_ptr<data::SinkansenTables> sin = std::make_unique<data::SinkansenTables>();
  std::unique_ptr<data::KeiyoTables> keiyo = std::make_unique<data::KeiyoTables>();
  settings::Settings s;

  FullTables() {
    sin->station_count = data::kMaxSinStations;
    for (int d = 1; d <= 2; ++d) {
      for (int st = 1; st <= data::kMaxSinStations; ++st) {
        sin->station_name[d][st] = "駅" + std::to_string(st);
        sin->station_flag[d][st] = 0;
      }
      sin->train_count[d] = data::kMaxSinTrains;
      for (int m = 1; m <= data::kMaxSinTrains; ++m) {
        const char letters[] = "NHK";
        sin->train_id[d][m] = std::string(1, letters[m % 3]) + std::to_string(100 + m % 900);
        sin->car_type[d][m] = m % 4 == 0 ? "N" : "";
        sin->op_day[d][m] = static_cast<std::uint8_t>(m % 7 == 0 ? 11 : 0);
        // Trains spread from 06:00 over the day, 5 minutes between stations.
        int start = 360 + (m * 4) % 1000;
        for (int st = 1; st <= data::kMaxSinStations; ++st) {
          int minutes = start + st * 5;
          sin->times[d][st][m] = (minutes / 60) * 100 + minutes % 60;
        }
      }
    }
    for (int v = 1; v <= 4; ++v) {
      keiyo->station_count[v] = data::kKeiyoStations;
      for (int st = 1; st <= data::kKeiyoStations; ++st)
        keiyo->station_name[v][st] = "京葉" + std::to_string(st);
      keiyo->train_count[v] = data::kMaxKeiyoTrains;
      for (int m = 1; m <= data::kMaxKeiyoTrains; ++m) {
        keiyo->train_id[v][m] = std::to_string(1000 + m) + (m % 2 ? "A" : "B");
        int start = 300 + (m * 5) % 1200;
        for (int c = 1; c <= data::kKeiyoTimeColumns; ++c) {
          int minutes = start + c * 3;
          keiyo->times[v][m][c] = (minutes / 60) * 100 + minutes % 60;
        }
      }
    }
    s.sinkansen_flg = 1;
    s.sinkansen_station = "駅2";
    s.sinkansen_hun1 = 15;
    s.sinkansen_hun2 = 10;
    s.keiyo_use = 1;
    s.keiyo_flg = 1;
    s.keiyo_station = "京葉2";
    s.keiyo_hun1 = 10;
    s.keiyo_hun2 = 5;
  }
};

void refresh_both(benchmark::State& state, int hyouji, double program_time) {
  FullTables f;
  f.s.sinkansen_hyouji = static_cast<std::int16_t>(hyouji);
  f.s.keiyo_hyouji = static_cast<std::int16_t>(hyouji);
  const calendar::DayFlags flags{0, 0, 0, 3};
  board::SinkansenBoard sin_board;
  board::KeiyoBoard keiyo_board;
  for (auto _ : state) {
    board::edit_sinkansen(*f.sin, f.s, flags, program_time, sin_board);
    board::edit_keiyo(*f.keiyo, f.s, flags, program_time, keiyo_board);
    benchmark::DoNotOptimize(sin_board.lines.data());
    benchmark::DoNotOptimize(keiyo_board.lines.data());
  }
  state.counters["sin_lines"] = static_cast<double>(sin_board.lines.size());
  state.counters["keiyo_lines"] = static_cast<double>(keiyo_board.lines.size());
}

// The usual board: trains of the next two hours at noon.
void BM_RefreshBoth_NextTwoHours(benchmark::State& state) { refresh_both(state, 0, 0.5); }
// The worst case: every train of the day is a candidate (early morning, count 250).
void BM_RefreshBoth_AllTrains(benchmark::State& state) { refresh_both(state, 250, 0.1); }

BENCHMARK(BM_RefreshBoth_NextTwoHours);
BENCHMARK(BM_RefreshBoth_AllTrains);

}  // namespace

BENCHMARK_MAIN();
