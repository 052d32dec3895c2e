// SPDX-License-Identifier: MIT
// A program folder for the main window tests: a small edition-1 data file with
// departures around 09:00-11:00, and a settings file written by the program's writer.
#pragma once

#include "settings/settings.h"
#include "settings/settings_file.h"

#include "support/data_builder.h"
#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ravolin::board::testing {

// Departures from 品川 (down) and 舞浜 (weekday down) around 09:00-11:00.
inline constexpr const char* kStations =
    "direction 1\n東京\n品川\n名古屋 着\n名古屋 発\n新大阪\n"
    "direction 2\n新大阪\n名古屋 着\n名古屋 発\n品川\n東京\n";
inline constexpr const char* kTrainsDown =
    "train K005\n東京 09:03\n品川 09:10\n名古屋 10:50 10:52\n新大阪 11:50\n"
    "train N001 car N\n東京 09:08\n品川 09:15\n名古屋 10:45 10:46\n新大阪 11:45\n"
    "train H003\n東京 10:23\n品川 10:30\n名古屋 11:40 -\n"
    "train H007\n東京 11:03\n品川 11:10\n名古屋 12:40 12:41\n新大阪 13:30\n";
inline constexpr const char* kTrainsUp =
    "train H002\n新大阪 08:00\n名古屋 08:50 08:51\n品川 10:20\n東京 10:27\n";
inline constexpr const char* kKeiyo =
    "schedule 1\nstations 東京 舞浜 新習志野 蘇我\n"
    "train 1001A 09:15 09:30 09:40 09:55\n"
    "train 1002B 09:45 10:00 10:10 -\n"
    "schedule 2\nstations 蘇我 新習志野 舞浜 東京\n"
    "train 2001B 09:00 09:15 09:25 09:40\n"
    "schedule 3\nstations 東京 舞浜 新習志野 蘇我\n"
    "train 3001B 09:20 09:35 09:45 10:00\n"
    "schedule 4\nstations 蘇我 新習志野 舞浜 東京\n"
    "train 4001B 09:00 09:15 09:25 09:40\n";
inline constexpr const char* kFares =
    "[kilo]\n東京 0.0\n品川 6.8\n名古屋 366.0\n新大阪 552.6\n"
    "[pair]\n東京 新大阪 8510 5540 0 0\n"
    "[green]\n100 1260 0 0\n"
    "[ticket]\n"
    "[nozomi]\n東京 新大阪 5940 400\n";

inline settings::Settings default_settings() {
  settings::Settings s = settings::start_settings();
  s.control2_flg = 1;
  s.keiyo_flg = 1;
  s.keiyo_station = "舞浜";
  s.keiyo_hun1 = 15;
  s.keiyo_hun2 = 8;
  s.keiyo_hyouji = 0;
  s.keiyo_use = 1;
  s.sinkansen_flg = 1;
  s.sinkansen_station = "品川";
  s.sinkansen_hun1 = 15;
  s.sinkansen_hun2 = 8;
  s.sinkansen_hyouji = 0;
  s.pos(1) = {300, 450};
  return s;
}

// The test sources above in a temporary program folder (tests/support/program_folder.h),
// with the settings file written by the program's own writer.
class ProgramFolder {
 public:
  ProgramFolder() : folder_(sources()) {}

  const std::string& path() const { return folder_.path(); }
  std::string data_path() const { return folder_.data_path(); }
  std::string settings_path() const { return folder_.settings_path(); }

  void write_settings(const settings::Settings& s) {
    std::string error;
    if (!settings::put_ini_file(settings_path(), s, error)) ADD_FAILURE() << error;
  }
  std::string settings_bytes() const { return folder_.read_file(folder_.settings_name()); }

  void remove_data_file() { std::filesystem::remove(data_path()); }
  // Points directory slot 6 (the Shinkansen trains) far past the end of the file.
  void damage_data_file() {
    const std::string text = folder_.read_file("ravolinh.dat");
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    test_support::set_slot(bytes, 6, 30000);
    folder_.write_file("ravolinh.dat", std::string(bytes.begin(), bytes.end()));
  }
  // Puts a folder where the settings file is, so that writing it fails.
  void block_settings_file() {
    std::filesystem::remove(settings_path());
    std::filesystem::create_directory(settings_path());
    std::filesystem::create_directory(settings_path() + "/keep");
  }

 private:
  static data::SourceFiles sources() {
    data::SourceFiles src = test_support::small_sources(1);
    src["stations.txt"] = kStations;
    src["trains-down.txt"] = kTrainsDown;
    src["trains-up.txt"] = kTrainsUp;
    src["keiyo.txt"] = kKeiyo;
    src["fares.txt"] = kFares;
    return src;
  }
  test_support::ProgramFolder folder_;
};

}  // namespace ravolin::board::testing
