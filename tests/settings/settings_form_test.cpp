// SPDX-License-Identifier: MIT
// The settings window's rules: filling, the checks of every box with their messages,
// 了解 stopping at the first refusal, and the store at exit after the Keiyo switch.
#include "settings/settings_form.h"
#include "settings/settings_file.h"

#include "text/text.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

namespace ravolin::settings {
namespace {

// The Keiyo weekday down list as delivered: eleven stations, then empty names up to 15.
void keiyo_stations(data::KeiyoTables& k) {
  const char* names[] = {"東京",   "八丁堀",   "新木場",   "葛西臨海公園", "舞浜", "新浦安",
                         "南船橋", "新習志野", "海浜幕張", "千葉みなと",   "蘇我"};
  k.station_count[1] = 15;
  for (int i = 1; i <= 11; ++i) k.station_name[1][i] = names[i - 1];
}

// Twenty station rows; rows 3/4 are one station's arrival and departure rows.
void sin_stations(data::SinkansenTables& t) {
  t.station_count = 20;
  for (int i = 1; i <= 20; ++i) t.station_name[1][i] = "駅" + std::to_string(i);
  t.station_name[1][3] = t.station_name[1][4] = "名古屋";
  t.station_flag[1][3] = data::kFlagArrival;
  t.station_flag[1][4] = data::kFlagDeparture;
  t.station_name[1][1] = "東京";
  t.station_name[1][20] = "博多";
}

class SettingsFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keiyo_stations(data->keiyo);
    sin_stations(data->sin);
    data->edition = data::find_edition(1);
  }
  // A form every check accepts.
  static SettingsForm good_form() {
    SettingsForm f;
    f.text = {"", "舞浜", "15", "8", "0", "名古屋", "10", "5", "3"};
    return f;
  }
  std::unique_ptr<data::ScheduleData> data = std::make_unique<data::ScheduleData>();
};

TEST_F(SettingsFormTest, FillsFromTheSettings) {
  Settings s = start_settings();
  s.keiyo_flg = 1;
  s.keiyo_station = "  舞浜 ";
  s.keiyo_hun1 = 15;
  s.keiyo_hun2 = -3;
  s.keiyo_hyouji = 0;
  s.sinkansen_flg = 1;
  s.sinkansen_station = " 品川";
  s.sinkansen_hun1 = 32767;
  s.control2_flg = 1;
  s.control3_flg = 2;
  s.keiyo_use = 1;
  SettingsForm f = fill_settings_form(s);
  EXPECT_TRUE(f.keiyo_down);
  EXPECT_TRUE(f.sinkansen_down);
  EXPECT_EQ(f.text[1], "舞浜");
  EXPECT_EQ(f.text[2], "15");
  EXPECT_EQ(f.text[3], "-3");
  EXPECT_EQ(f.text[4], "0");
  EXPECT_EQ(f.text[5], "品川");
  EXPECT_EQ(f.text[6], "32767");
  EXPECT_TRUE(f.store_at_exit);
  EXPECT_EQ(f.hotel_sort, 2);
  EXPECT_TRUE(f.keiyo_shown);

  // Anything but the value of the first option selects the other one.
  s.keiyo_flg = 0;
  s.sinkansen_flg = 7;
  s.control2_flg = 2;
  s.control3_flg = 5;
  s.keiyo_use = 2;
  f = fill_settings_form(s);
  EXPECT_FALSE(f.keiyo_down);
  EXPECT_FALSE(f.sinkansen_down);
  EXPECT_FALSE(f.store_at_exit);
  EXPECT_EQ(f.hotel_sort, 0);
  EXPECT_FALSE(f.keiyo_shown);
}

TEST_F(SettingsFormTest, KeiyoStationCheck) {
  const auto check = [&](bool down, std::string text) {
    FieldCheck c = check_keiyo_station(data->keiyo, down, text);
    return std::make_pair(c.err_flg, c.message.value_or("(untouched)"));
  };
  using R = std::pair<int, std::string>;
  EXPECT_EQ(check(true, "舞浜"), R(0, ""));
  EXPECT_EQ(check(true, "  舞浜 "), R(0, ""));
  EXPECT_EQ(check(true, "東京"), R(0, ""));
  EXPECT_EQ(check(false, "蘇我"), R(0, ""));
  // The end of the chosen direction, with its message.
  EXPECT_EQ(check(true, "蘇我"), R(1, kTerminusMessage));
  EXPECT_EQ(check(false, "東京"), R(1, kOriginMessage));
  // Never the eighth station; unknown names and blanks fail without a message (the line
  // is cleared), although the list holds empty names after the eleventh station.
  EXPECT_EQ(check(true, "新習志野"), R(1, ""));
  EXPECT_EQ(check(false, "新習志野"), R(1, ""));
  EXPECT_EQ(check(true, "品川"), R(1, ""));
  EXPECT_EQ(check(true, ""), R(1, ""));
  EXPECT_EQ(check(true, "   "), R(1, ""));
  EXPECT_EQ(check(true, "　舞浜"), R(1, ""));  // a full-width blank is part of the name

  // Without the Keiyo data any text becomes the fallback station and passes.
  data->keiyo = data::KeiyoTables{};
  std::string text = "品川";
  EXPECT_EQ(check_keiyo_station(data->keiyo, true, text).err_flg, 0);
  EXPECT_EQ(text, kKeiyoFallbackStation);
}

TEST_F(SettingsFormTest, SinkansenStationCheck) {
  const auto check = [&](int edition, bool down, const std::string& text) {
    FieldCheck c = check_sinkansen_station(data->sin, edition, down, text);
    return std::make_pair(c.err_flg, c.message.value_or("(untouched)"));
  };
  using R = std::pair<int, std::string>;
  EXPECT_EQ(check(1, true, " 名古屋 "), R(0, ""));  // the arrival row
  EXPECT_EQ(check(1, true, "東京"), R(0, ""));
  EXPECT_EQ(check(1, false, "博多"), R(0, ""));
  EXPECT_EQ(check(1, true, "博多"), R(1, kTerminusMessage));
  EXPECT_EQ(check(1, false, "東京"), R(1, kOriginMessage));
  EXPECT_EQ(check(1, true, "舞浜"), R(1, ""));
  EXPECT_EQ(check(1, true, ""), R(1, ""));

  // A station known only by its departure row is not offered.
  data->sin.station_name[1][3] = "岐阜";
  EXPECT_EQ(check(1, true, "名古屋"), R(1, ""));
  data->sin.station_name[1][3] = "名古屋";

  // Rows 16 (edition 2) and 11 (edition 3) end a line going down.
  for (int edition : {1, 2, 3}) {
    SCOPED_TRACE(edition);
    EXPECT_EQ(check(edition, true, "駅16"), edition == 2 ? R(1, kTerminusMessage) : R(0, ""));
    EXPECT_EQ(check(edition, true, "駅11"), edition == 3 ? R(1, kTerminusMessage) : R(0, ""));
    EXPECT_EQ(check(edition, false, "駅16"), R(0, ""));
    EXPECT_EQ(check(edition, false, "駅11"), R(0, ""));
  }
}

TEST_F(SettingsFormTest, NumberBoxes) {
  struct Case {
    std::string in;
    int err;
    std::string out;  // the box afterwards
  };
  const Case cases[] = {
      {"", 0, "0"},          {"   ", 0, "0"},       {"15", 0, "15"},   {" 15 ", 0, " 15 "},
      {"12.5", 0, "12.5"},   {"0", 0, "0"},         {"１５", 0, "15"}, {"abc", 1, "abc"},
      {"15分", 1, "15分"},   {"1 5", 1, "1 5"},     {"-1", 1, "-1"},   {"32767", 0, "32767"},
      {"32768", 1, "32768"}, {"99999", 1, "99999"}, {".", 1, "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    std::string normal = c.in, count = c.in;
    EXPECT_EQ(check_normal_minutes(normal).err_flg, c.err);
    EXPECT_EQ(normal, c.out);
    EXPECT_EQ(check_train_count(count).err_flg, c.err);
    EXPECT_EQ(count, c.out);
    EXPECT_FALSE(check_normal_minutes(normal).message);  // the message line is left alone
  }
}

TEST_F(SettingsFormTest, HurryMinutesStayBelowTheNormalMinutes) {
  const auto check = [](std::string hurry, const std::string& normal) {
    const int err = check_hurry_minutes(hurry, normal).err_flg;
    return std::make_pair(err, hurry);
  };
  using R = std::pair<int, std::string>;
  EXPECT_EQ(check("9", "10"), R(0, "9"));
  EXPECT_EQ(check("10", "10"), R(1, "10"));
  EXPECT_EQ(check("11", "10"), R(1, "11"));
  EXPECT_EQ(check("0", "0"), R(0, "0"));
  EXPECT_EQ(check("", "0"), R(0, "0"));
  EXPECT_EQ(check("0", "abc"), R(0, "0"));
  EXPECT_EQ(check("3", "abc"), R(1, "3"));
  EXPECT_EQ(check("５", "１０"), R(0, "5"));
  // Compared as stored: 9.6 is stored as 10, the same as the normal minutes.
  EXPECT_EQ(check("9.6", "10"), R(1, "9.6"));
  EXPECT_EQ(check("9.4", "10"), R(0, "9.4"));
  // Negative minutes would list trains that have already left.
  EXPECT_EQ(check("-5", "10"), R(1, "-5"));
  EXPECT_EQ(check("x", "10"), R(1, "x"));
}

TEST_F(SettingsFormTest, OkStopsAtTheFirstRefusalInOrderAndAppliesNothing) {
  const Settings before = start_settings();
  struct Case {
    int box;
    std::string text;
    bool down;
    std::optional<std::string> message;
  };
  const Case cases[] = {
      {1, "新習志野", true, ""}, {1, "蘇我", true, kTerminusMessage},
      {2, "x", true, ""},        {3, "15", true, ""},
      {4, "-2", true, ""},       {5, "博多", true, kTerminusMessage},
      {6, "x", true, ""},        {7, "10", true, ""},
      {8, "x", true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    SettingsForm f = good_form();
    f.text[c.box] = c.text;
    f.keiyo_down = f.sinkansen_down = c.down;
    // A later box that would fail too is never reached.
    if (c.box < 8) f.text[8] = "bad";
    Settings s = before;
    const OkResult r = apply_settings_form(*data, f, s);
    EXPECT_EQ(r.failed_box, c.box);
    // The number boxes leave the line as the station check before them cleared it.
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(format_settings(s), format_settings(before));
  }
}

TEST_F(SettingsFormTest, OkAppliesEveryField) {
  SettingsForm f = good_form();
  f.text[1] = " 南船橋 ";
  f.text[2] = "";
  f.text[3] = "";
  f.text[4] = "2.5";
  f.text[5] = "名古屋 ";
  f.text[6] = "１２";
  f.text[7] = "3.5";
  f.text[8] = "";
  f.keiyo_down = false;
  f.sinkansen_down = true;
  f.store_at_exit = false;
  f.hotel_sort = 1;
  f.keiyo_shown = true;
  Settings s = start_settings();
  s.keiyo_use = 1;
  s.pos(5) = {100, 200};
  const OkResult r = apply_settings_form(*data, f, s);
  EXPECT_EQ(r.failed_box, 0);
  EXPECT_FALSE(r.keiyo_switched_on);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(s.keiyo_flg, 2);
  EXPECT_EQ(s.keiyo_station, "南船橋");
  EXPECT_EQ(s.keiyo_hun1, 0);
  EXPECT_EQ(s.keiyo_hun2, 0);
  EXPECT_EQ(s.keiyo_hyouji, 2);  // halves go to the even neighbour
  EXPECT_EQ(s.sinkansen_flg, 1);
  EXPECT_EQ(s.sinkansen_station, "名古屋");
  EXPECT_EQ(s.sinkansen_hun1, 12);
  EXPECT_EQ(s.sinkansen_hun2, 4);
  EXPECT_EQ(s.sinkansen_hyouji, 0);
  EXPECT_EQ(s.control2_flg, 0);
  EXPECT_EQ(s.control3_flg, 1);
  EXPECT_EQ(s.keiyo_use, 1);
  EXPECT_EQ(s.pos(5).top, 100);
  // The boxes show what was stored for the blanks.
  EXPECT_EQ(f.text[2], "0");
  EXPECT_EQ(f.text[8], "0");
}

TEST_F(SettingsFormTest, KeiyoDisplaySwitch) {
  const auto apply = [&](bool shown, int keiyo_use) {
    SettingsForm f = good_form();
    f.keiyo_shown = shown;
    Settings s = start_settings();
    s.keiyo_use = static_cast<std::int16_t>(keiyo_use);
    const OkResult r = apply_settings_form(*data, f, s);
    return std::make_pair(r.keiyo_switched_on, static_cast<int>(s.keiyo_use));
  };
  using R = std::pair<bool, int>;
  EXPECT_EQ(apply(false, 1), R(false, 0));
  EXPECT_EQ(apply(false, 0), R(false, 0));
  EXPECT_EQ(apply(true, 1), R(false, 1));
  EXPECT_EQ(apply(true, 0), R(true, 1));
  EXPECT_EQ(apply(true, 3), R(true, 1));
}

// The store at exit after the switch: keiyo_use=1 reaches the file whether or not the
// settings are stored; every other key follows control2_flg as at every exit.
TEST(KeiyoSwitchAtExit, TheFileHoldsKeiyoUseWhateverControl2Says) {
  const std::string dir =
      std::filesystem::temp_directory_path() / ("ravolin-form-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = dir + "/ravolin2.ini";
  const auto file_text = [&] {
    std::ifstream in(path, std::ios::binary);
    return *text::cp932_to_utf8(std::string(std::istreambuf_iterator<char>(in), {}));
  };

  Settings on_disk = start_settings();
  on_disk.keiyo_use = 0;
  on_disk.sinkansen_station = "東京";
  on_disk.control2_flg = 1;

  for (int control2 : {1, 0}) {
    SCOPED_TRACE(control2);
    std::string error;
    ASSERT_TRUE(put_ini_file(path, on_disk, error)) << error;
    Settings current = on_disk;
    current.sinkansen_station = "品川";
    current.control2_flg = static_cast<std::int16_t>(control2);
    current.keiyo_use = 1;
    ASSERT_TRUE(put_ini_file_at_exit_keiyo_on(path, current, error)) << error;
    const std::string written = file_text();
    EXPECT_NE(written.find("\r\nkeiyo_use=1\r\n"), std::string::npos) << written;
    EXPECT_NE(
        written.find(control2 == 1 ? "sinkansen_station=品川\r\n" : "sinkansen_station=東京\r\n"),
        std::string::npos)
        << written;
    EXPECT_NE(written.find(control2 == 1 ? "control2_flg=1\r\n" : "control2_flg=0\r\n"),
              std::string::npos);
    EXPECT_EQ(get_ini_file(path).keiyo_use, 1);
    EXPECT_EQ(format_settings(current), format_settings(get_ini_file(path)));
  }

  // The plain exit with control2_flg 0 still restores keiyo_use from the file.
  std::string error;
  ASSERT_TRUE(put_ini_file(path, on_disk, error));
  Settings current = on_disk;
  current.control2_flg = 0;
  current.keiyo_use = 1;
  ASSERT_TRUE(put_ini_file_at_exit(path, current, error));
  EXPECT_EQ(get_ini_file(path).keiyo_use, 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ravolin::settings
