// A program folder for the main window tests: a small edition-1 data file compiled
// with ravolin-tool from sources written here, and a settings file written by the
// program's own writer. Removed when the test ends.
#pragma once

#include "settings/settings.h"
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

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

class ProgramFolder {
 public:
  ProgramFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "ravolin-mw-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) ADD_FAILURE() << "mkdtemp failed";
    dir_ = tmpl;
    const auto src = std::filesystem::path(dir_) / "src";
    std::filesystem::create_directory(src);
    write(src / "edition.txt", "edition 1\n");
    write(src / "areas.txt", "東京 3 0\n新大阪 6 0\n");
    write(src / "districts.txt", "京橋\n梅田\n");
    write(src / "stations.txt", kStations);
    write(src / "trains-down.txt", kTrainsDown);
    write(src / "trains-up.txt", kTrainsUp);
    write(src / "keiyo.txt", kKeiyo);
    write(src / "fares.txt", kFares);
    const std::string cmd = std::string(RAVOLIN_TOOL) + " build '" + src.string() + "' '" +
                            data_path() + "' > '" + dir_ + "/build.log' 2>&1";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "ravolin-tool build failed: " << read(dir_ + "/build.log");
  }
  ~ProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& path() const { return dir_; }
  std::string data_path() const { return dir_ + "/ravolinh.dat"; }
  std::string settings_path() const { return dir_ + "/ravolin2.ini"; }

  void write_settings(const settings::Settings& s) {
    std::string error;
    if (!settings::put_ini_file(settings_path(), s, error)) ADD_FAILURE() << error;
  }
  std::string settings_bytes() const { return read(settings_path()); }

  void remove_data_file() { std::filesystem::remove(data_path()); }
  // Points directory slot 6 (the Shinkansen trains) far past the end of the file.
  void damage_data_file() {
    std::string bytes = read(data_path());
    const std::size_t at = bytes.size() - 1024 + 5 * 4;
    const std::int32_t block = 30000;
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((block >> (8 * i)) & 0xFF);
    write(data_path(), bytes);
  }
  // Puts a folder where the settings file is, so that writing it fails.
  void block_settings_file() {
    std::filesystem::remove(settings_path());
    std::filesystem::create_directory(settings_path());
    std::filesystem::create_directory(settings_path() + "/keep");
  }

 private:
  static void write(const std::filesystem::path& p, const std::string& text) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << text;
  }
  static std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream buf;
    buf << in.rdbuf();
    return buf.str();
  }
  std::string dir_;
};

}  // namespace ravolin::board::testing
