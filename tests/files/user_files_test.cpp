// SPDX-License-Identifier: MIT
// Every reader and writer of the user's files and of a data folder's files, given a name
// that leads to an endless device or a named pipe: each reports the file and the program
// runs on; nothing is read without end or waited on, and no device is replaced.
#include "data/data_file.h"
#include "data/place_names.h"
#include "data/sources.h"
#include "hotels/user_hotels.h"
#include "hotels/user_registry.h"
#include "settings/settings_file.h"
#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <filesystem>
#include <functional>
#include <memory>

namespace ravolin {
namespace {

namespace fs = std::filesystem;
using test_support::ProgramFolder;

struct Reader {
  const char* file;
  std::function<bool(const std::string& path)> refused;  // true: reported, nothing read
};

const Reader kReaders[] = {
    {"ravolin2.ini",
     [](const std::string& path) {
       const settings::SettingsRead r = settings::read_settings_file(path);
       return r.unreadable && !settings::start_up_notice(r, path).empty();
     }},
    {"hotelusr.csv",
     [](const std::string& path) {
       const hotels::RegistryLoad load = hotels::load_user_hotels(path);
       auto table = std::make_unique<hotels::HotelTable>();
       return load.unreadable && !hotels::load_message(load).empty() &&
              !hotels::load_user_hotels(path, *table).error.empty();
     }},
    {"ravolin_names_en.tsv",
     [](const std::string& path) {
       data::PlaceNames names;
       data::PlaceNamesError error;
       return !data::load_place_names(path, names, error) && !error.reason.empty();
     }},
    {"ravolinh.dat",
     [](const std::string& path) {
       data::DataFile file;
       data::DataError error;
       return !file.open(path, error) && !error.reason.empty();
     }},
    {"stations.txt",
     [](const std::string& path) {
       data::SourceFiles files;
       std::string error;
       return !data::read_source_dir(fs::path(path).parent_path(), files, error) &&
              error.find(path) != std::string::npos;
     }},
};

TEST(UserFiles, AnEndlessDeviceOrANamedPipeIsReportedAndNeverReadToTheEnd) {
  for (const char* target : {"/dev/zero", "pipe"}) {
    for (const Reader& reader : kReaders) {
      SCOPED_TRACE(std::string(reader.file) + " -> " + target);
      ProgramFolder dir;
      ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0666), 0);
      fs::create_symlink(target, dir.file(reader.file));
      EXPECT_TRUE(reader.refused(dir.file(reader.file)));
    }
  }
}

// The settings file and hotelusr.csv as links to a device: the writers refuse with their
// usual message and the device stays. The device is one the test makes (administrator
// rights), or a named pipe.
TEST(UserFiles, ALinkToADeviceIsNeverReplacedByAPlainFile) {
  ProgramFolder dir;
  const bool device =
      ::geteuid() == 0 && ::mknod(dir.file("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
  if (!device) {
    ASSERT_EQ(::mkfifo(dir.file("null").c_str(), 0666), 0);
  }
  const auto untouched = [&] {
    struct stat st {};
    return ::lstat(dir.file("null").c_str(), &st) == 0 &&
           (device ? S_ISCHR(st.st_mode) && st.st_rdev == ::makedev(1, 3) : S_ISFIFO(st.st_mode));
  };
  fs::create_symlink("null", dir.file("ravolin2.ini"));
  fs::create_symlink("null", dir.file("hotelusr.csv"));

  settings::Settings s = settings::read_settings_file(dir.file("ravolin2.ini")).settings;
  s.control2_flg = 1;
  std::string error;
  EXPECT_FALSE(settings::put_ini_file(dir.file("ravolin2.ini"), s, error));
  EXPECT_NE(error.find(dir.file("ravolin2.ini")), std::string::npos) << error;
  s.control2_flg = 0;
  EXPECT_FALSE(settings::put_ini_file_at_exit(dir.file("ravolin2.ini"), s, error));
  EXPECT_TRUE(untouched());

  hotels::HotelEntry e;
  e.area = "東京";
  e.name = "H";
  const hotels::SaveResult saved = hotels::save_user_hotels(dir.file("hotelusr.csv"), {e});
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.message.find(dir.file("hotelusr.csv")), std::string::npos) << saved.message;
  auto table = std::make_unique<hotels::HotelTable>();
  table->user_hotel_count = 1;
  table->entry[1] = e;
  text::Message why;
  EXPECT_FALSE(hotels::put_hotel_user(dir.file("hotelusr.csv"), *table, why));
  EXPECT_EQ(why.in(text::Language::kEnglish),
            "Cannot save the file: " + dir.file("hotelusr.csv") +
                " (it is a device, a pipe or a socket, not an ordinary file)");
  EXPECT_TRUE(untouched());

  // The data compiler's outputs likewise (ravolin-tool build and export).
  fs::create_symlink("null", dir.file("out.dat"));
  EXPECT_FALSE(data::write_file_atomic(dir.file("out.dat"), "bytes", error));
  EXPECT_TRUE(untouched());
  EXPECT_TRUE(fs::is_symlink(dir.file("out.dat")));
}

}  // namespace
}  // namespace ravolin
