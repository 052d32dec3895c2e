// SPDX-License-Identifier: MIT
// The settings file keeps the user's settings through damage, odd values, protected and
// linked files, and failed reads.
#include "data/hotel_tables.h"
#include "files/replace_file.h"
#include "hotels/user_registry.h"
#include "settings/settings_file.h"
#include "support/ordinary_user.h"

#include "text/text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ravolin::settings {
namespace {

namespace fs = std::filesystem;
using test_support::as_ordinary_user;

std::string cp932(std::string_view utf8) { return *text::utf8_to_cp932(utf8); }

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

void spit(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

std::string resource(const std::string& name) {
  return slurp(fs::path(RAVOLIN_SOURCE_DIR) / "resources" / name);
}

// Settings with values in every section, so that a shifted or lost section shows.
Settings filled() {
  Settings s = parse_settings(resource("ravolin2.ini"));
  s.departure_ground[2] = "新横浜";
  s.arrival_ground[1] = "仙台";
  s.arrival_ground[5] = "盛岡";
  return s;
}

TEST(SettingsRoundTrip, PlacesThatLookLikeHeadersReadBackAsWritten) {
  for (const char* odd : {"[x", "[Holiday]", "[Arrival ground]", "[Form", "[]"}) {
    SCOPED_TRACE(odd);
    Settings s = filled();
    s.departure_ground[1] = odd;
    s.arrival_ground[3] = odd;
    const std::string bytes = format_settings(s);
    std::string problem;
    const Settings back = parse_settings(bytes, problem);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(back.departure_ground, s.departure_ground);
    EXPECT_EQ(back.arrival_ground, s.arrival_ground);
    EXPECT_EQ(back.holidays.count, s.holidays.count);
    EXPECT_EQ(format_settings(back), bytes);
  }
}

TEST(SettingsRoundTrip, ControlCharactersInTextsAreNotWrittenSoTheFileStaysSound) {
  // Found by fuzzing: a station name holding a control character (from a hand-edited
  // file) was written as it stood, and the next start took the program's own file for
  // a damaged one.
  Settings s = filled();
  s.keiyo_station = "舞\x1c浜";
  s.departure_ground[4] = "新\x01横浜\x7f";
  std::string problem;
  const Settings back = parse_settings(format_settings(s), problem);
  EXPECT_EQ(problem, "");
  EXPECT_EQ(back.keiyo_station, "舞浜");
  EXPECT_EQ(back.departure_ground[4], "新横浜");
  EXPECT_EQ(back.arrival_ground, s.arrival_ground);
}

TEST(SettingsDamage, SoundFilesHaveNoProblemAndUnknownKeysAreNone) {
  for (const char* name : {"ravolin2.ini", "ravolin3.ini", "ravolin4.ini"}) {
    std::string problem = "x";
    parse_settings(resource(name), problem);
    EXPECT_EQ(problem, "") << name;
  }
  // A key written by a newer version of a window is passed over without complaint.
  std::string bytes = format_settings(filled());
  bytes.insert(bytes.find("[Control]"), "ravolin27_top=100\r\n");
  bytes.insert(bytes.find("[Sinkansen_line]"), "keiyo_new_option=3\r\n");
  std::string problem;
  parse_settings(bytes, problem);
  EXPECT_EQ(problem, "");
}

TEST(SettingsDamage, EachKindOfDamageIsNamedWithItsLine) {
  const std::string sound = format_settings(filled());
  struct Case {
    const char* what;
    std::string bytes;
    const char* expected;
  };
  std::string nul_header = sound;
  nul_header.replace(nul_header.find("[Control]"), 9, std::string("[Con\0trol]", 10));
  std::string bad_number = sound;
  bad_number.replace(bad_number.find("keiyo_hun1=15"), 13, "keiyo_hun1=99999");
  std::string no_equals = sound;
  no_equals.replace(no_equals.find("wait_time=30"), 12, "wait_time 30");
  std::string no_terminator = sound.substr(0, sound.find("[Holiday]")) + "[Holiday]\r\n";
  for (int i = 0; i < 20; ++i) no_terminator += "101\r\n";
  const Case cases[] = {
      {"NUL in a header", nul_header, "39行目: 読めない文字"},
      {"number too large", bad_number, "59行目: 値が大きすぎて"},
      {"no key line", no_equals, "行目: 「名前=値」の形ではありません"},
      {"cut short", sound.substr(0, sound.find("[Holiday]")), "[Holiday]"},
      {"no 9999", no_terminator, "9999"},
      {"empty", "", "空です"},
      {"not CP932", cp932("[Form]\r\n") + "ravolin1_top=\x81\r\n", "2行目: Shift-JIS"},
  };
  for (const Case& c : cases) {
    std::string problem;
    parse_settings(c.bytes, problem);
    EXPECT_NE(problem.find(c.expected), std::string::npos) << c.what << ": " << problem;
  }
  // What could be read is kept: the sections before and after the damaged header.
  std::string problem;
  const Settings s = parse_settings(nul_header, problem);
  EXPECT_EQ(s.pos(1).top, 1440);
  EXPECT_EQ(s.sinkansen_station, "東京");
  EXPECT_EQ(s.holidays.count, 11);
}

class SettingsOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("ravolin_settings_safety_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  fs::path dir_;
};

TEST_F(SettingsOnDisk, MissingFileStartsFromTheEditionsDeliveredSettings) {
  for (const char* name : {"ravolin2.ini", "ravolin3.ini", "ravolin4.ini"}) {
    const SettingsRead r = read_settings_file((dir_ / name).string());
    EXPECT_TRUE(r.missing);
    EXPECT_FALSE(r.unreadable);
    EXPECT_EQ(format_settings(r.settings), resource(name)) << name;
    EXPECT_EQ(start_up_notice(r, (dir_ / name).string()), "");
  }
  // At exit without control2_flg 1 the missing file is read again as those settings.
  const fs::path path = dir_ / "ravolin3.ini";
  Settings current = parse_settings(resource("ravolin3.ini"));
  current.control2_flg = 0;
  current.sinkansen_station = "changed";
  std::string error;
  ASSERT_TRUE(put_ini_file_at_exit(path.string(), current, error)) << error;
  Settings expected = parse_settings(resource("ravolin3.ini"));
  expected.control2_flg = 0;
  EXPECT_EQ(slurp(path), format_settings(expected));
}

TEST_F(SettingsOnDisk, DamagedFileIsReportedOnceAndKeptBeforeItIsReplaced) {
  const fs::path path = dir_ / "ravolin2.ini";
  std::string damaged = format_settings(filled());
  damaged.replace(damaged.find("[Keiyo_line]"), 12, std::string("[Keiyo\0line]", 12));
  spit(path, damaged);
  const SettingsRead r = read_settings_file(path.string());
  EXPECT_FALSE(r.problem.empty());
  const std::string notice = start_up_notice(r, path.string());
  EXPECT_NE(notice.find("壊れています"), std::string::npos) << notice;
  EXPECT_NE(notice.find(path.string()), std::string::npos) << notice;
  EXPECT_NE(notice.find("ravolin2.ini.bak"), std::string::npos) << notice;

  Settings current = r.settings;  // control2_flg 1: what was read is written back
  std::string error;
  ASSERT_TRUE(put_ini_file_at_exit(path.string(), current, error)) << error;
  EXPECT_EQ(slurp(damaged_copy_path(path.string())), damaged);
  EXPECT_EQ(slurp(path), format_settings(current));
  // The next write finds a sound file and keeps the copy as it was.
  current.keiyo_hun1 = 3;
  ASSERT_TRUE(put_ini_file(path.string(), current, error)) << error;
  EXPECT_EQ(slurp(damaged_copy_path(path.string())), damaged);
}

TEST_F(SettingsOnDisk, UnreadableFileIsNeverOverwrittenWithStartValues) {
  fs::permissions(dir_, fs::perms::all);  // the ordinary user may write in the folder
  const fs::path path = dir_ / "ravolin2.ini";
  Settings on_disk = filled();
  on_disk.control2_flg = 0;
  const std::string bytes = format_settings(on_disk);
  spit(path, bytes);
  fs::permissions(path, fs::perms::none);
  // Exit without control2_flg 1: the file cannot be read again, so nothing is written.
  EXPECT_EQ(as_ordinary_user([&] {
              Settings current = start_settings();
              std::string error;
              const bool ok = put_ini_file_at_exit(path.string(), current, error);
              if (ok) return 1;
              return error.find("読み直せない") != std::string::npos ? 0 : 2;
            }),
            0);
  // With control2_flg 1 the settings in memory never came from the file: not written.
  EXPECT_EQ(as_ordinary_user([&] {
              const SettingsRead r = read_settings_file(path.string());
              if (!r.unreadable || start_up_notice(r, path.string()).empty()) return 3;
              if (r.settings.sinkansen_station != "東京") return 4;  // the delivered settings
              Settings current = r.settings;
              current.control2_flg = 1;
              std::string error;
              return put_ini_file(path.string(), current, error) ? 1 : 0;
            }),
            0);
  EXPECT_EQ(slurp(path), bytes);
}

// Both ways the main window closes (plainly, or after the settings window switched the
// Keiyo display on) treat a missing, damaged or unreadable file alike: the delivered
// settings, what could be read (with the copy kept), or no write at all.
using ExitStore = bool (*)(const std::string&, Settings&, std::string&);
struct ExitPath {
  const char* name;
  ExitStore store;
  bool keiyo_on;
};
const ExitPath kExitPaths[] = {{"plain", &put_ini_file_at_exit, false},
                               {"keiyo_on", &put_ini_file_at_exit_keiyo_on, true}};

// What an exit without control2_flg 1 writes over a file that holds `from`.
std::string expected_at_exit(Settings from, bool keiyo_on) {
  from.control2_flg = 0;
  if (keiyo_on) from.keiyo_use = 1;
  return format_settings(from);
}

TEST_F(SettingsOnDisk, BothExitPathsReadTheFileAgainTheSameWay) {
  for (const ExitPath& exit : kExitPaths) {
    SCOPED_TRACE(exit.name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::permissions(dir_, fs::perms::all);  // the ordinary user may write in the folder
    Settings changed = filled();
    changed.control2_flg = 0;
    changed.keiyo_use = 0;
    changed.sinkansen_station = "changed";
    changed.form[1].top = 1234;
    std::string error;

    // Missing: the edition's delivered settings, not start values.
    const fs::path missing = dir_ / "ravolin2.ini";
    Settings current = changed;
    ASSERT_TRUE(exit.store(missing.string(), current, error)) << error;
    EXPECT_EQ(slurp(missing),
              expected_at_exit(parse_settings(resource("ravolin2.ini")), exit.keiyo_on));
    EXPECT_NE(get_ini_file(missing.string()).sinkansen_station, "");

    // Damaged: what could be read is written back, and the damaged file is kept.
    const fs::path damaged_path = dir_ / "ravolin3.ini";
    Settings on_disk = filled();
    on_disk.keiyo_use = 0;
    std::string damaged = format_settings(on_disk);
    damaged.replace(damaged.find("[Keiyo_line]"), 12, std::string("[Keiyo\0line]", 12));
    spit(damaged_path, damaged);
    current = changed;
    ASSERT_TRUE(exit.store(damaged_path.string(), current, error)) << error;
    EXPECT_EQ(slurp(damaged_copy_path(damaged_path.string())), damaged);
    EXPECT_EQ(slurp(damaged_path), expected_at_exit(parse_settings(damaged), exit.keiyo_on));
    EXPECT_EQ(current.form[1].top, on_disk.form[1].top);

    // Unreadable: nothing is written, and the reason is given.
    const fs::path locked = dir_ / "ravolin4.ini";
    const std::string bytes = format_settings(on_disk);
    spit(locked, bytes);
    fs::permissions(locked, fs::perms::none);
    EXPECT_EQ(as_ordinary_user([&] {
                Settings mine = changed;
                std::string why;
                if (exit.store(locked.string(), mine, why)) return 1;
                return why.find("読み直せない") != std::string::npos ? 0 : 2;
              }),
              0);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(slurp(locked), bytes);
  }
}

TEST_F(SettingsOnDisk, ReadOnlyFileIsHonouredAndLinksAreWrittenThrough) {
  std::string error;
  // Read-only: refused and reported, the file untouched (also with administrator rights).
  const fs::path protected_file = dir_ / "ravolin2.ini";
  const std::string old = format_settings(filled());
  spit(protected_file, old);
  fs::permissions(protected_file, fs::perms::owner_read | fs::perms::group_read);
  Settings s = filled();
  s.control2_flg = 1;
  EXPECT_FALSE(put_ini_file(protected_file.string(), s, error));
  EXPECT_NE(error.find("読み取り専用"), std::string::npos) << error;
  EXPECT_EQ(slurp(protected_file), old);
  EXPECT_EQ(fs::status(protected_file).permissions(),
            fs::perms::owner_read | fs::perms::group_read);

  // A link: the target gets the new content, the link stays a link.
  fs::create_directories(dir_ / "real");
  const fs::path target = dir_ / "real" / "settings.ini";
  spit(target, old);
  const fs::path link = dir_ / "ravolin3.ini";
  fs::create_symlink("real/settings.ini", link);
  s.keiyo_hun1 = 42;
  ASSERT_TRUE(put_ini_file(link.string(), s, error)) << error;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(slurp(target), format_settings(s));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "real"), fs::directory_iterator()), 1);

  // A loop of links is refused with a Japanese reason.
  fs::create_symlink("loop_b", dir_ / "loop_a");
  fs::create_symlink("loop_a", dir_ / "loop_b");
  EXPECT_FALSE(put_ini_file((dir_ / "loop_a").string(), s, error));
  EXPECT_NE(error.find("循環"), std::string::npos) << error;
}

TEST_F(SettingsOnDisk, NewFilesFollowTheUmaskAndOldFilesKeepTheirMode) {
  const mode_t saved = ::umask(027);
  std::string error;
  const fs::path fresh = dir_ / "ravolin4.ini";
  const bool ok = put_ini_file(fresh.string(), filled(), error);
  ::umask(saved);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(fs::status(fresh).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  fs::permissions(fresh, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(put_ini_file(fresh.string(), filled(), error)) << error;
  EXPECT_EQ(fs::status(fresh).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// A file the user has opened to others (0644, 0640) keeps that mode when the program
// replaces it, whatever the umask says; the temporary file starts out private.
TEST_F(SettingsOnDisk, BothWrittenFilesKeepAModeOpenToOthers) {
  const mode_t saved = ::umask(077);
  for (const fs::perms mode :
       {fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
            fs::perms::others_read,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read}) {
    SCOPED_TRACE(static_cast<int>(mode));
    const fs::path ini = dir_ / "ravolin2.ini";
    spit(ini, format_settings(filled()));
    fs::permissions(ini, mode);
    Settings s = filled();
    s.keiyo_hun1 = 7;
    std::string error;
    EXPECT_TRUE(put_ini_file(ini.string(), s, error)) << error;
    EXPECT_EQ(fs::status(ini).permissions(), mode);
    EXPECT_EQ(slurp(ini), format_settings(s));

    const fs::path csv = dir_ / hotels::kUserHotelFileName;
    spit(csv, "");
    fs::permissions(csv, mode);
    hotels::HotelEntry e;
    e.area = "東京";
    e.district = "品川";
    e.name = "テストホテル";
    e.remarks = "        ";
    const hotels::SaveResult saved_hotels = hotels::save_user_hotels(csv.string(), {e});
    EXPECT_TRUE(saved_hotels.ok) << saved_hotels.message;
    EXPECT_EQ(fs::status(csv).permissions(), mode);
    EXPECT_NE(slurp(csv).find(cp932("テストホテル")), std::string::npos);
  }
  ::umask(saved);
}

// Set-group-ID (a group-shared file), set-user-ID and sticky bits stay too. An ordinary
// user's write to a file clears set-ID bits, so the replacement must set the mode after
// the content; an administrator's writes keep them anyway. Run as root, the files belong
// to a group the user is a member of but not in first place, as a shared file does.
TEST_F(SettingsOnDisk, BothWrittenFilesKeepTheirSetIdAndStickyBits) {
  fs::permissions(dir_, fs::perms::all);  // the ordinary user may write in the folder
  const fs::path ini = dir_ / "ravolin2.ini";
  const fs::path csv = dir_ / hotels::kUserHotelFileName;
  const gid_t shared_group = 100;
  for (const mode_t mode : {02664, 02774, 04664, 04764, 01664, 07764}) {
    SCOPED_TRACE(mode);
    spit(ini, format_settings(filled()));
    spit(csv, "");
    for (const fs::path& p : {ini, csv}) {
      if (::geteuid() == 0) {
        ASSERT_EQ(::chown(p.c_str(), 65534, shared_group), 0);
      }
      ASSERT_EQ(::chmod(p.c_str(), mode), 0);
    }
    EXPECT_EQ(as_ordinary_user(
                  [&] {
                    Settings s = filled();
                    s.keiyo_hun1 = 7;
                    std::string error;
                    if (!put_ini_file(ini.string(), s, error)) return 1;
                    hotels::HotelEntry e;
                    e.area = "東京";
                    e.name = "テストホテル";
                    return hotels::save_user_hotels(csv.string(), {e}).ok ? 0 : 2;
                  },
                  {shared_group}),
              0);
    for (const fs::path& p : {ini, csv}) {
      struct stat st {};
      ASSERT_EQ(::stat(p.c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 07777, mode) << p;
      if (::geteuid() == 0) {
        EXPECT_EQ(st.st_gid, shared_group) << p;
      }
    }
    EXPECT_NE(slurp(csv).find(cp932("テストホテル")), std::string::npos);
  }
}

// A file another user owns (a shared settings file, say) keeps its owner when an
// administrator's run replaces it. An ordinary user cannot hand a file over: their
// replacement of a file they may write becomes their own, with the old mode.
TEST_F(SettingsOnDisk, AReplacedFileKeepsItsOwnerWhereTheSystemAllows) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs administrator rights to own files for others";
  fs::permissions(dir_, fs::perms::all);
  const fs::path theirs = dir_ / "ravolin2.ini";
  spit(theirs, format_settings(filled()));
  ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
  fs::permissions(theirs, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read |
                              fs::perms::others_write);
  std::string error;
  ASSERT_TRUE(put_ini_file(theirs.string(), filled(), error)) << error;
  struct stat st {};
  ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(st.st_mode & 07777, 0666u);

  // The other way round: root's file, written by an ordinary user.
  ASSERT_EQ(::chown(theirs.c_str(), 0, 0), 0);
  EXPECT_EQ(as_ordinary_user([&] {
              std::string why;
              return put_ini_file(theirs.string(), filled(), why) ? 0 : 1;
            }),
            0);
  ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_mode & 07777, 0666u);
}

TEST(FileErrors, SystemErrorsReadAsJapaneseSentencesWithTheFileName) {
  std::string bytes, error;
  EXPECT_FALSE(read_whole_file("/nonexistent/ravolin2.ini", kMaxSettingsFileBytes, bytes, error));
  EXPECT_EQ(
      error,
      "ファイルを開けません: /nonexistent/ravolin2.ini（ファイルまたはフォルダがありません）");
  for (int err : {EACCES, ENOSPC, EROFS, EIO, EISDIR, 12345}) {
    const std::string t = system_error_text(err);
    EXPECT_EQ(text::cp932_to_utf8(*text::utf8_to_cp932(t)), t);  // shown and stored as Japanese
    bool ascii_letters = false;
    for (char c : t) ascii_letters |= (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    EXPECT_FALSE(ascii_letters) << t;
  }
}

}  // namespace
}  // namespace ravolin::settings
