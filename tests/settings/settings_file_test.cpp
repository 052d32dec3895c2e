// SPDX-License-Identifier: MIT
#include "settings/settings_file.h"

#include "text/text.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ravolin::settings {
namespace {

namespace fs = std::filesystem;

// Settings file bytes from UTF-8 lines joined with CR LF.
std::string ini(std::initializer_list<std::string_view> lines) {
  std::string utf8;
  for (auto l : lines) {
    utf8 += l;
    utf8 += "\r\n";
  }
  return *text::utf8_to_cp932(utf8);
}

Settings sample() {
  Settings s = start_settings();
  s.pos(1) = {-120, 3000};
  s.pos(26) = {15, -7};
  s.control2_flg = 1;
  s.control3_flg = 2;
  s.control9_flg = 4;
  s.departure_ground[1] = "東京";
  s.departure_ground[3] = "大阪,梅田";
  s.arrival_ground[5] = "仙台";
  s.keiyo_flg = 2;
  s.keiyo_station = " 海浜幕張 ";
  s.keiyo_hun1 = 15;
  s.keiyo_hun2 = 8;
  s.keiyo_use = 1;
  s.sinkansen_flg = 1;
  s.sinkansen_station = "東京";
  s.sinkansen_hun1 = 20;
  s.sinkansen_hyouji = 8;
  s.st_station = "東京";
  s.ed_station = "新大阪";
  s.st_time1 = 600;
  s.st_time2 = 1200;
  s.ed_time1 = 600;
  s.ed_time2 = 2359;
  s.wait_time = 30;
  s.wait_count = 1;
  s.combination_number = 1;
  s.holidays.month[1] = 1;
  s.holidays.day[1] = 1;
  s.holidays.month[2] = 12;
  s.holidays.day[2] = 23;
  s.holidays.count = 2;
  s.holidays.month[3] = 99;
  s.holidays.day[3] = 99;
  return s;
}

TEST(SettingsWriter, WritesTheWholeFileInItsCanonicalLayout) {
  std::string expected_utf8 = "[Form]\r\nravolin1_top=-120\r\nravolin1_left=3000\r\n";
  for (int id : kFormWindows) {
    if (id == 1 || id == 26) continue;
    expected_utf8 += "ravolin" + std::to_string(id) + "_top=0\r\n";
    expected_utf8 += "ravolin" + std::to_string(id) + "_left=0\r\n";
  }
  expected_utf8 +=
      "ravolin26_top=15\r\nravolin26_left=-7\r\n"
      "ravolin30_top=0\r\nravolin30_left=0\r\ntray_notify=0\r\n"
      "[Control]\r\ncontrol1_flg=0\r\ncontrol2_flg=1\r\ncontrol3_flg=2\r\ncontrol9_flg=4\r\n"
      "[Departure ground]\r\n\"東京\"\r\n\"\"\r\n\"大阪,梅田\"\r\n\"\"\r\n\"\"\r\n"
      "[Arrival ground]\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"仙台\"\r\n"
      "[Keiyo_line]\r\nkeiyo_flg=2\r\nkeiyo_station=海浜幕張\r\nkeiyo_hun1=15\r\n"
      "keiyo_hun2=8\r\nkeiyo_hyouji=0\r\nkeiyo_use=1\r\n"
      "[Sinkansen_line]\r\nsinkansen_flg=1\r\nsinkansen_station=東京\r\nsinkansen_hun1=20\r\n"
      "sinkansen_hun2=0\r\nsinkansen_hyouji=8\r\n"
      "[Retrieval condition]\r\nst_station=東京\r\ned_station=新大阪\r\nst_time1=600\r\n"
      "st_time2=1200\r\ned_time1=600\r\ned_time2=2359\r\nwait_time=30\r\nwait_count=1\r\n"
      "combination_number=1\r\n"
      "[Holiday]\r\n101\r\n1223\r\n9999\r\n";
  for (int i = 0; i < 17; ++i) expected_utf8 += "\r\n";
  const std::string bytes = format_settings(sample());
  EXPECT_EQ(*text::cp932_to_utf8(bytes), expected_utf8);
  EXPECT_NE(bytes.find("keiyo_station=\x8a\x43\x95\x6c\x96\x8b\x92\xa3\r\n"), std::string::npos);
}

TEST(SettingsWriter, RoundTripKeepsEverythingIncludingNegativesAndEmptyPlaces) {
  // The writer is pinned by the golden test, so equal rewritten bytes mean equal settings.
  const Settings back = parse_settings(format_settings(sample()));
  EXPECT_EQ(format_settings(back), format_settings(sample()));
  EXPECT_EQ(back.pos(1).top, -120);
  EXPECT_EQ(back.departure_ground[3], "大阪,梅田");
  EXPECT_EQ(back.keiyo_station, "海浜幕張");  // written trimmed
  EXPECT_EQ(back.holidays.count, 2);
}

TEST(SettingsWriter, HolidayListIsAlwaysWrittenWellFormed) {
  Settings s;  // never read: no terminator in memory
  std::string utf8 = *text::cp932_to_utf8(format_settings(s));
  EXPECT_NE(utf8.find("[Holiday]\r\n9999\r\n\r\n"), std::string::npos);
  s.holidays.count = 40;  // damaged count: at most 19 holidays, then the terminator
  for (int i = 1; i <= 20; ++i) {
    s.holidays.month[i] = 1;
    s.holidays.day[i] = static_cast<std::int16_t>(i);
  }
  Settings back = parse_settings(format_settings(s));
  EXPECT_EQ(back.holidays.count, 19);
  EXPECT_EQ(back.holidays.day[19], 19);
  EXPECT_EQ(back.holidays.month[20], 99);
}

TEST(SettingsReader, KeysHeadersAndSectionsAsTheProgramWritesThem) {
  const Settings s = parse_settings(ini({
      "ravolin4_top=100",  // before any header: a window position
      "[Unknown]",         // ignored, section stays [Form]
      "ravolin4_left=-200",
      "unknown_key=5",
      "ravolin4_top =7",  // key compared without trimming
      "[Keiyo_line]",
      "keiyo_hun1=10",
      "keiyo_hun1=12",          // last one wins
      "keiyo_hun2",             // no "=": skipped
      "  keiyo_flg=2",          // leading blanks of a field are skipped
      "keiyo_station=  東京 ",  // text taken unchanged
      "Keiyo_use=1",            // case-sensitive
      "ravolin5_top=9",         // key of another section
      "[Retrieval condition]",
      "st_time1=6 00",   // blanks inside a number are ignored
      "st_time2=12:00",  // leading number only
      "wait_time=abc",
      "[Control]",
      "control2_flg=1",
      "control3_flg=12",  // only the last character counts
      "control9_flg=7x",
      "[Holiday]",
      "9999",
  }));
  EXPECT_EQ(s.pos(4).top, 100);
  EXPECT_EQ(s.pos(4).left, -200);
  EXPECT_EQ(s.pos(5).top, 0);
  EXPECT_EQ(s.keiyo_hun1, 12);
  EXPECT_EQ(s.keiyo_hun2, 0);
  EXPECT_EQ(s.keiyo_flg, 2);
  EXPECT_EQ(s.keiyo_station, "  東京 ");
  EXPECT_EQ(s.keiyo_use, 0);
  EXPECT_EQ(s.st_time1, 600);
  EXPECT_EQ(s.st_time2, 12);
  EXPECT_EQ(s.wait_time, 0);
  EXPECT_EQ(s.control2_flg, 1);
  EXPECT_EQ(s.control3_flg, 2);
  EXPECT_EQ(s.control9_flg, 0);
  EXPECT_EQ(s.holidays.count, 0);
  EXPECT_EQ(s.holidays.month[1], 99);
}

TEST(SettingsReader, NumbersRoundHalfToEvenAndMustFitSixteenBits) {
  auto num = [](std::string_view t) {
    std::int16_t v = -1;
    return read_int16(t, v) ? std::to_string(v) : std::string("none");
  };
  EXPECT_EQ(num("2.5"), "2");
  EXPECT_EQ(num("3.5"), "4");
  EXPECT_EQ(num("-2.5"), "-2");
  EXPECT_EQ(num("2.51"), "3");
  EXPECT_EQ(num("1e2"), "100");
  EXPECT_EQ(num("12e"), "12");
  EXPECT_EQ(num("-32768"), "-32768");
  EXPECT_EQ(num("32767.4"), "32767");
  EXPECT_EQ(num("32767.5"), "none");
  EXPECT_EQ(num("40000"), "none");
  EXPECT_EQ(num("1e400"), "none");
  EXPECT_EQ(num(""), "0");
  EXPECT_EQ(num("-"), "0");
  // A value too large leaves the setting as it was.
  const Settings s = parse_settings(
      ini({"[Keiyo_line]", "keiyo_hun1=9", "keiyo_hun1=70000", "[Holiday]", "9999"}));
  EXPECT_EQ(s.keiyo_hun1, 9);
}

TEST(SettingsReader, NumbersDoNotDependOnTheUsersLocale) {
  // The windowing toolkit takes the user's locale, where the decimal separator may be a comma.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "fr_FR.utf8"})
    if (std::setlocale(LC_NUMERIC, name)) {
      comma = name;
      break;
    }
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma on this machine";
  std::int16_t v = 0;
  EXPECT_TRUE(read_int16("3.5", v));
  EXPECT_EQ(v, 4) << comma;
  EXPECT_TRUE(read_int16("2.7e1", v));
  EXPECT_EQ(v, 27) << comma;
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(SettingsReader, PlaceSectionsTakeFiveFieldsAndQuotesProtectCommas) {
  const Settings s = parse_settings(ini({
      "[Departure ground]",
      "[Not a section]",  // passed over, not a place
      "\"大阪,梅田\"",    // quoted: one field
      "京都,奈良",        // unquoted: two fields
      "  \"  新神戸 \"  ", "\"\"", "[Arrival ground]", "\"仙台\"", "\"盛岡\"",
      "[Form]",  // taken as a place name
      "\"\"", "\"秋田\"",
      "\"山形\"",  // a further line starts again at slot 1
  }));
  EXPECT_EQ(s.departure_ground[1], "大阪,梅田");
  EXPECT_EQ(s.departure_ground[2], "京都");
  EXPECT_EQ(s.departure_ground[3], "奈良");
  EXPECT_EQ(s.departure_ground[4], "新神戸");
  EXPECT_EQ(s.departure_ground[5], "");
  EXPECT_EQ(s.arrival_ground[1], "山形");
  EXPECT_EQ(s.arrival_ground[2], "盛岡");
  EXPECT_EQ(s.arrival_ground[3], "[Form]");
  EXPECT_EQ(s.arrival_ground[5], "秋田");
  EXPECT_EQ(s.holidays.count, 0);
}

TEST(SettingsReader, HolidayListLimitsAndEndings) {
  std::vector<std::string> lines = {"[Holiday]"};
  for (int i = 1; i <= 19; ++i) lines.push_back(std::to_string(100 + i));
  lines.push_back("9999");
  lines.push_back("[Keiyo_line]");  // nothing after the holiday list is read
  lines.push_back("keiyo_hun1=5");
  std::string bytes;
  for (auto& l : lines) bytes += l + "\r\n";
  Settings s = parse_settings(bytes);
  EXPECT_EQ(s.holidays.count, 19);
  EXPECT_EQ(s.holidays.month[19], 1);
  EXPECT_EQ(s.holidays.day[19], 19);
  EXPECT_EQ(s.holidays.month[20], 99);
  EXPECT_EQ(s.keiyo_hun1, 0);

  // 9999 in slot 3 with an empty slot before it; values beyond 9999 are not read.
  s = parse_settings(ini({"[Holiday]", "[Other]", "1223", "", "9999", "505"}));
  EXPECT_EQ(s.holidays.count, 2);
  EXPECT_EQ(s.holidays.month[1], 12);
  EXPECT_EQ(s.holidays.day[1], 23);
  EXPECT_EQ(s.holidays.month[2], 0);
  EXPECT_EQ(s.holidays.month[3], 99);
  EXPECT_EQ(s.holidays.month[4], 0);

  // No terminator: the list ends at the end of the file, or after 19 holidays.
  s = parse_settings(ini({"[Holiday]", "101", "211"}));
  EXPECT_EQ(s.holidays.count, 2);
  EXPECT_EQ(s.holidays.month[3], 99);
  std::string many = "[Holiday]\r\n";
  for (int i = 0; i < 300; ++i) many += "101\r\n";
  s = parse_settings(many);
  EXPECT_EQ(s.holidays.count, 19);
  EXPECT_EQ(s.holidays.day[20], 99);
  // No holiday section at all.
  s = parse_settings(ini({"[Keiyo_line]", "keiyo_use=1"}));
  EXPECT_EQ(s.keiyo_use, 1);
  EXPECT_EQ(s.holidays.count, 0);
  EXPECT_EQ(s.holidays.month[1], 99);
}

TEST(SettingsReader, OddFilesLoseNothingElse) {
  // Invalid CP932 in one value: the other keys are read and the file can be rewritten.
  std::string bytes = ini({"[Keiyo_line]", "keiyo_hun1=7"});
  bytes += "keiyo_station=\x93\r\n";  // lead byte without its trail byte
  bytes += ini({"keiyo_hun2=3", "[Holiday]", "101", "9999"});
  Settings s = parse_settings(bytes);
  EXPECT_EQ(s.keiyo_hun1, 7);
  EXPECT_EQ(s.keiyo_hun2, 3);
  EXPECT_EQ(s.holidays.count, 1);
  EXPECT_FALSE(s.keiyo_station.empty());
  EXPECT_TRUE(text::cp932_to_utf8(format_settings(s)).has_value());

  // Garbage, lone CRs, NULs and an unclosed quote never crash and give start values.
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
  garbage += "\"unclosed";
  s = parse_settings(garbage);
  EXPECT_LE(s.holidays.count, 19);
  s = parse_settings("");
  EXPECT_EQ(format_settings(s), format_settings(start_settings()));
  // Lone CR and lone LF end lines too.
  s = parse_settings("[Keiyo_line]\rkeiyo_hun1=4\nkeiyo_hun2=2\r\n[Holiday]\r9999");
  EXPECT_EQ(s.keiyo_hun1, 4);
  EXPECT_EQ(s.keiyo_hun2, 2);

  // A text that has no CP932 form is written with "?" instead of failing the whole file.
  s = start_settings();
  s.st_station = "東京\xF0\x9F\x98\x80";
  EXPECT_EQ(parse_settings(format_settings(s)).st_station, "東京?");
}

class SettingsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("ravolin_settings_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST_F(SettingsFiles, MissingFileGivesStartValuesAndWriteReplacesAtomically) {
  const std::string path = (dir_ / "ravolin2.ini").string();
  Settings s;
  std::string error;
  EXPECT_FALSE(read_ini_file(path, s, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(format_settings(s), format_settings(start_settings()));

  { std::ofstream(path, std::ios::binary) << format_settings(start_settings()); }
  ASSERT_TRUE(put_ini_file(path, sample(), error)) << error;
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  EXPECT_EQ(all.str(), format_settings(sample()));
  EXPECT_EQ(get_ini_file(path).ed_station, "新大阪");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SettingsFiles, StoreAtExitKeepsOrDropsTheChangesByControl2) {
  const std::string path = (dir_ / "ravolin4.ini").string();
  std::string error;
  Settings on_disk = sample();
  on_disk.control2_flg = 5;
  ASSERT_TRUE(put_ini_file(path, on_disk, error));

  Settings changed = get_ini_file(path);
  changed.keiyo_use = 0;  // e.g. the Keiyo switch in the settings window
  changed.pos(5) = {300, 400};
  ASSERT_TRUE(put_ini_file_at_exit(path, changed, error)) << error;
  Settings next = get_ini_file(path);
  EXPECT_EQ(next.keiyo_use, 1);
  EXPECT_EQ(next.pos(5).top, 0);
  EXPECT_EQ(next.control2_flg, 0);
  EXPECT_EQ(changed.control2_flg, 0);

  next.control2_flg = 1;
  next.keiyo_use = 0;
  ASSERT_TRUE(put_ini_file_at_exit(path, next, error));
  EXPECT_EQ(get_ini_file(path).keiyo_use, 0);
  EXPECT_EQ(get_ini_file(path).control2_flg, 1);
}

// The language takes effect at the next start: a choice made in the settings window is
// kept even by an exit that drops the other changes.
TEST_F(SettingsFiles, StoreAtExitKeepsTheLanguageChosenWhateverControl2Says) {
  const std::string path = (dir_ / "ravolin2.ini").string();
  std::string error;
  Settings on_disk = sample();
  on_disk.control2_flg = 0;
  ASSERT_TRUE(put_ini_file(path, on_disk, error));

  Settings changed = get_ini_file(path);
  changed.language = "en";
  changed.keiyo_use = 0;
  ASSERT_TRUE(put_ini_file_at_exit(path, changed, error)) << error;
  EXPECT_EQ(get_ini_file(path).language, "en");
  EXPECT_EQ(get_ini_file(path).keiyo_use, 1);  // the other change is dropped

  changed = get_ini_file(path);
  changed.language = "ja";
  ASSERT_TRUE(put_ini_file_at_exit_keiyo_on(path, changed, error)) << error;
  EXPECT_EQ(get_ini_file(path).language, "ja");
}

TEST_F(SettingsFiles, FailedWriteIsReportedAndLeavesNoTemporaryFile) {
  std::string error;
  EXPECT_FALSE(put_ini_file((dir_ / "no_such_folder" / "ravolin2.ini").string(), sample(), error));
  EXPECT_NE(error.find("no_such_folder"), std::string::npos);
  const fs::path blocked = dir_ / "ravolin3.ini";
  fs::create_directories(blocked / "inside");  // a folder where the file should be
  error.clear();
  EXPECT_FALSE(put_ini_file(blocked.string(), sample(), error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
  // A folder cannot be read as a settings file either.
  Settings s;
  EXPECT_FALSE(read_ini_file(blocked.string(), s, error));
}

TEST(SettingsReader, LaterWindowKeysAndTheTraySwitchReadBackAndUnknownOnesPassOver) {
  const Settings s = parse_settings(ini({
      "[Form]",
      "ravolin30_top=1440",
      "ravolin30_left=-60",
      "tray_notify=1",
      "ravolin31_top=99",  // a window of a later copy: passed over
      "ravolin26_top=5",
  }));
  EXPECT_EQ(s.form[30].top, 1440);
  EXPECT_EQ(s.form[30].left, -60);
  EXPECT_EQ(s.tray_notify, 1);
  EXPECT_EQ(s.form[26].top, 5);
  const Settings again = parse_settings(format_settings(s));
  EXPECT_EQ(again.form[30].left, -60);
  EXPECT_EQ(again.tray_notify, 1);
}

TEST(SettingsFileLanguage, TheChosenLanguageReadsBackAndAnOddValueFollowsTheDesktop) {
  const std::string english = ini({"[Form]", "tray_notify=1", "language=en", "[Holiday]", "9999"});
  const Settings s = parse_settings(english);
  EXPECT_EQ(s.language, "en");
  // Written once, beside tray_notify, and read back as it was.
  const std::string utf8 = *text::cp932_to_utf8(format_settings(s));
  EXPECT_NE(utf8.find("\r\ntray_notify=1\r\nlanguage=en\r\n[Control]\r\n"), std::string::npos)
      << utf8;
  EXPECT_EQ(parse_settings(format_settings(s)).language, "en");
  Settings japanese = start_settings();
  japanese.language = "ja";
  EXPECT_EQ(parse_settings(format_settings(japanese)).language, "ja");

  // Not chosen: no key at all, so the file stays as it always was.
  EXPECT_EQ(format_settings(start_settings()).find("language"), std::string::npos);

  // A value the program does not know is no choice: passed over without a complaint, and
  // not written back.
  for (const char* odd : {"language=fr", "language=EN", "language=", "language=en_GB"}) {
    std::string problem;
    const Settings read = parse_settings(ini({"[Form]", odd, "[Holiday]", "9999"}), problem);
    EXPECT_EQ(read.language, "") << odd;
    EXPECT_EQ(problem, "") << odd;
    EXPECT_EQ(format_settings(read).find("language"), std::string::npos) << odd;
  }
}

TEST(SettingsWriter, AQuoteInAPlaceIsLeftOutSoTheFieldReadsBack) {
  Settings s = sample();
  s.departure_ground[1] = "大阪,\"梅田\"";
  const std::string utf8 = *text::cp932_to_utf8(format_settings(s));
  EXPECT_NE(utf8.find("\r\n\"大阪,梅田\"\r\n"), std::string::npos) << utf8;
  EXPECT_EQ(parse_settings(format_settings(s)).departure_ground[1], "大阪,梅田");
}

}  // namespace
}  // namespace ravolin::settings
