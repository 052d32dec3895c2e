// SPDX-License-Identifier: MIT
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace ravolin::settings {
namespace {

std::string read_resource(const std::string& name) {
  std::ifstream in(std::string(RAVOLIN_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

struct DefaultFile {
  const char* name;
  const char* arrival;
};

class DefaultSettings : public ::testing::TestWithParam<DefaultFile> {};

TEST_P(DefaultSettings, ParsesToSensibleValuesAndRewritesToTheSameBytes) {
  const std::string bytes = read_resource(GetParam().name);
  ASSERT_FALSE(bytes.empty());
  const Settings s = parse_settings(bytes);
  EXPECT_EQ(format_settings(s), bytes);
  EXPECT_EQ(s.sinkansen_station, "東京");
  EXPECT_EQ(s.sinkansen_flg, 1);
  EXPECT_EQ(s.keiyo_station, "海浜幕張");
  EXPECT_EQ(s.keiyo_flg, 2);
  EXPECT_EQ(s.keiyo_use, 1);
  EXPECT_GT(s.sinkansen_hun1, s.sinkansen_hun2);
  EXPECT_EQ(s.control2_flg, 1);
  EXPECT_EQ(s.st_station, "東京");
  EXPECT_EQ(s.ed_station, GetParam().arrival);
  EXPECT_EQ(s.wait_count, 1);
  EXPECT_EQ(s.holidays.count, 11);
  EXPECT_EQ(s.holidays.month[1], 1);
  EXPECT_EQ(s.holidays.day[11], 23);
  EXPECT_EQ(s.holidays.month[12], 99);
}

INSTANTIATE_TEST_SUITE_P(Editions, DefaultSettings,
                         ::testing::Values(DefaultFile{"ravolin2.ini", "新大阪"},
                                           DefaultFile{"ravolin3.ini", "仙台"},
                                           DefaultFile{"ravolin4.ini", "新潟"}));

}  // namespace
}  // namespace ravolin::settings
