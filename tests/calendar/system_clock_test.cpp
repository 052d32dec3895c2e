// Setting the system clock goes through the time-setting service. These tests hand the
// clock a stand-in program by its full path, so the real clock is never touched.
#include "calendar/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ravolin::calendar {
namespace {

class StandInService : public ::testing::Test {
 protected:
  void SetUp() override {
    char templ[] = "/tmp/ravolin-clock-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = templ;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  // A shell script that records its arguments, says `says` and exits with `code`.
  std::string script(const std::string& says, int code) {
    const std::string path = dir + "/timedatectl";
    std::ofstream out(path);
    out << "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\" >> " << dir << "/args; done\n";
    if (!says.empty()) out << "echo '" << says << "' >&2\n";
    out << "exit " << code << "\n";
    out.close();
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
  }
  std::string recorded() const {
    std::ifstream in(dir + "/args");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir;
};

TEST_F(StandInService, AcceptedSettingPassesTheLocalDateAndTime) {
  SystemClock clock(script("", 0));
  std::string error;
  EXPECT_TRUE(clock.set(make_system_time(2000, 3, 11, 9, 5, 7), error)) << error;
  EXPECT_EQ(recorded(), "[set-time]\n[2000-03-11 09:05:07]\n");
  EXPECT_EQ(set_time_argument(make_system_time(2031, 12, 31, 23, 59, 59)), "2031-12-31 23:59:59");
}

TEST_F(StandInService, RefusalsCarryTheServicesReason) {
  SystemClock clock(script("Failed to set time: Automatic time synchronization is enabled", 1));
  std::string error;
  EXPECT_FALSE(clock.set(make_system_time(2000, 3, 11, 9, 5, 0), error));
  EXPECT_NE(error.find("Automatic time synchronization is enabled"), std::string::npos) << error;

  // A silent failure still gives a reason.
  SystemClock silent(script("", 3));
  error.clear();
  EXPECT_FALSE(silent.set(make_system_time(2000, 3, 11, 9, 5, 0), error));
  EXPECT_NE(error.find("3"), std::string::npos) << error;

  // No service at all.
  SystemClock missing(dir + "/no-such-program");
  error.clear();
  EXPECT_FALSE(missing.set(make_system_time(2000, 3, 11, 9, 5, 0), error));
  EXPECT_FALSE(error.empty());

  // An impossible date never reaches the service.
  SystemClock checked(script("", 0));
  std::filesystem::remove(dir + "/args");
  EXPECT_FALSE(checked.set(make_system_time(2001, 2, 29, 9, 5, 0), error));
  EXPECT_EQ(recorded(), "");
}

}  // namespace
}  // namespace ravolin::calendar
