// SPDX-License-Identifier: MIT
// Start-up loading and the data compiler on the delivered 東海道・山陽新幹線 data file.
//
//   build-x/data_load_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// load_sections is what the loading window waits for (all seven steps, Keiyo included);
// the hotel section is read when the hotel list first opens; build and export are the
// ravolin-tool commands without their file writes.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "data/hotel_reader.h"
#include "data/raw_data.h"
#include "data/sources.h"
#include "state/loader.h"

namespace {

using namespace ravolin;

const std::string kData = std::string(RAVOLIN_PROGRAM_DIR) + "/tokaido/ravolinh.dat";
const std::string kSources = std::string(RAVOLIN_SOURCE_DIR) + "/datasets/tokaido";

void BM_LoadSections(benchmark::State& state) {
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  auto fares = std::make_unique<fares::FareTables>();
  data::DataError err;
  for (auto _ : state) {
    if (!data::load_sections(kData, 1, *d, *districts, *fares, {}, err)) {
      state.SkipWithError(err.message().c_str());
      break;
    }
    benchmark::DoNotOptimize(d->sin.train_count[1]);
  }
}
BENCHMARK(BM_LoadSections)->Unit(benchmark::kMillisecond);

void BM_HotelSection(benchmark::State& state) {
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  auto fares = std::make_unique<fares::FareTables>();
  auto table = std::make_unique<hotels::HotelTable>();
  data::DataError err;
  if (!data::load_sections(kData, 1, *d, *districts, *fares, {}, err)) {
    state.SkipWithError(err.message().c_str());
    return;
  }
  for (auto _ : state) {
    if (!hotels::load_hotels(kData, d->directory, d->areas, *districts, *table, err)) {
      state.SkipWithError(err.message().c_str());
      break;
    }
    benchmark::DoNotOptimize(table->file_hotel_count);
  }
}
BENCHMARK(BM_HotelSection)->Unit(benchmark::kMillisecond);

void BM_BuildFromSources(benchmark::State& state) {
  data::SourceFiles files;
  std::string error;
  if (!data::read_source_dir(kSources, files, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  auto raw = std::make_unique<data::RawData>();
  for (auto _ : state) {
    std::vector<data::SourceError> errors;
    std::vector<std::uint8_t> bytes;
    if (!data::parse_sources(files, *raw, errors) || !data::write_image(*raw, bytes, error)) {
      state.SkipWithError("the delivered sources do not compile");
      break;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_BuildFromSources)->Unit(benchmark::kMillisecond);

void BM_Export(benchmark::State& state) {
  std::ifstream in(kData, std::ios::binary);
  data::DataFile file("ravolinh.dat",
                      {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  auto raw = std::make_unique<data::RawData>();
  data::DataError err;
  for (auto _ : state) {
    if (!data::read_image(file, *raw, err)) {
      state.SkipWithError(err.message().c_str());
      break;
    }
    auto files = data::write_sources(*raw);
    benchmark::DoNotOptimize(files.size());
  }
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
