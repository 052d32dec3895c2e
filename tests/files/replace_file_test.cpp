// SPDX-License-Identifier: MIT
// Reading and replacing the user's files: regular files only, and no more of them than
// a limit; the names of the temporary files; nothing but a regular file is replaced.
#include "files/replace_file.h"

#include "support/program_folder.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace ravolin::settings {
namespace {

namespace fs = std::filesystem;
using test_support::ProgramFolder;

void spit(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename());
  return names;
}

// A file of each kind that is no regular file, made in folder: a named pipe, a socket, a
// folder and, with administrator rights, a character device of the null device's kind
// made there for the test (the system's own devices are never written).
std::vector<std::string> make_special_files(const std::string& folder) {
  std::vector<std::string> made{"pipe", "socket", "folder"};
  EXPECT_EQ(::mkfifo((folder + "/pipe").c_str(), 0666), 0);
  const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string socket_path = folder + "/socket";
  std::strncpy(addr.sun_path, socket_path.c_str(), sizeof addr.sun_path - 1);
  EXPECT_EQ(::bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
  ::close(s);
  fs::create_directory(folder + "/folder");
  if (::geteuid() == 0 &&
      ::mknod((folder + "/device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
    made.push_back("device");
  return made;
}

struct stat lstat_of(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

TEST(ReplaceFile, NothingButARegularFileIsReplacedAlsoBehindALink) {
  ProgramFolder dir;
  const std::vector<std::string> specials = make_special_files(dir.path());
  for (const std::string& name : specials) {
    SCOPED_TRACE(name);
    const std::string target = dir.file(name);
    const struct stat before = lstat_of(target);
    const std::string link = dir.file("ravolin2.ini");
    fs::create_symlink(name, link);
    const std::set<std::string> files = entries(dir.path());
    for (const std::string& path : {link, target}) {
      text::Message error;
      EXPECT_FALSE(replace_file(path, "new\r\n", error));
      const std::string japanese = error.in(text::Language::kJapanese);
      const std::string english = error.in(text::Language::kEnglish);
      EXPECT_EQ(japanese.rfind("ファイルを保存できません: " + path + "（", 0), 0u) << japanese;
      EXPECT_EQ(english.rfind("Cannot save the file: " + path + " (", 0), 0u) << english;
      const struct stat after = lstat_of(target);
      EXPECT_EQ(after.st_mode, before.st_mode);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(after.st_rdev, before.st_rdev);
      EXPECT_TRUE(fs::is_symlink(link));
      EXPECT_EQ(entries(dir.path()), files);  // no temporary file left either
    }
    fs::remove(link);
  }
  // A dangling link gets its target made; a link through a pipe or a device does not.
  fs::create_symlink("made.ini", dir.file("ravolin3.ini"));
  fs::create_symlink("pipe/x.ini", dir.file("ravolin4.ini"));
  std::string error;
  EXPECT_TRUE(replace_file(dir.file("ravolin3.ini"), "new\r\n", error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir.file("ravolin3.ini")));
  EXPECT_EQ(dir.read_file("made.ini"), "new\r\n");
  EXPECT_FALSE(replace_file(dir.file("ravolin4.ini"), "new\r\n", error));
  EXPECT_EQ(lstat_of(dir.file("pipe")).st_mode & S_IFMT, static_cast<mode_t>(S_IFIFO));
}

TEST(ReadRegularFile, DevicesPipesAndFoldersAreRefusedAtOnce) {
  ProgramFolder dir;
  std::vector<std::string> paths;
  for (const std::string& name : make_special_files(dir.path())) {
    paths.push_back(dir.file(name));
    fs::create_symlink(name, dir.file("link-to-" + name));
    paths.push_back(dir.file("link-to-" + name));
  }
  fs::create_symlink("/dev/zero", dir.file("hotelusr.csv"));  // endless, read-only
  paths.push_back(dir.file("hotelusr.csv"));
  paths.push_back("/dev/zero");
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const FileRead r = read_regular_file(path, kMaxUserHotelFileBytes);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.missing);
    EXPECT_EQ(r.bytes, "");
    EXPECT_EQ(r.failure, &kCannotOpenFile);
    const bool folder = path.ends_with("folder");
    const std::string reason = r.reason.in(text::Language::kJapanese);
    EXPECT_EQ(reason, folder ? "ファイルではなくフォルダです" : "通常のファイルではありません");
    EXPECT_EQ(r.message(path).in(text::Language::kJapanese),
              "ファイルを開けません: " + path + "（" + reason + "）");
    EXPECT_EQ(r.message(path).in(text::Language::kEnglish),
              "Cannot open the file: " + path +
                  (folder ? " (it is a folder, not a file)"
                          : " (it is a device, a pipe or a socket, not an ordinary file)"));
  }
}

TEST(ReadRegularFile, AFileUpToTheLimitIsReadAndALargerOneRefused) {
  ProgramFolder dir;
  const std::string path = dir.file("names.tsv");
  spit(path, std::string(1000, 'x'));
  FileRead r = read_regular_file(path, 1000);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, std::string(1000, 'x'));
  r = read_regular_file(path, 999);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message(path).in(text::Language::kJapanese),
            "ファイルを読めません: " + path + "（ファイルが大きすぎます）");
  EXPECT_EQ(r.message(path).in(text::Language::kEnglish),
            "Cannot read the file: " + path + " (the file is too large)");
  // A large sparse file is refused before any of it is read.
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxDataFileBytes) + 1), 0);
  r = read_regular_file(path, kMaxDataFileBytes);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.reason.in(text::Language::kJapanese), "ファイルが大きすぎます");

  // Missing, also behind a dangling link: missing is set, the reason given.
  fs::create_symlink("gone.tsv", dir.file("link.tsv"));
  for (const std::string& gone : {dir.file("gone.tsv"), dir.file("link.tsv")}) {
    std::string bytes = "old", error;
    bool missing = false;
    EXPECT_FALSE(read_whole_file(gone, 1000, bytes, error, missing));
    EXPECT_TRUE(missing);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(error, "ファイルを開けません: " + gone + "（ファイルまたはフォルダがありません）");
  }
}

// The temporary file of a replacement, seen as it is made, has a name of the program's
// own that the clean-up knows; names a user gives files are never taken for one.
TEST(Temporaries, AReplacementsTemporaryFileHasTheProgramsOwnName) {
  ProgramFolder dir;
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
  std::string error;
  ASSERT_TRUE(replace_file(dir.file("ravolin2.ini.bak"), "x", error)) << error;
  alignas(inotify_event) char buf[4096];
  const ssize_t n = ::read(watch, buf, sizeof buf);
  ::close(watch);
  ASSERT_GT(n, 0);
  const auto* e = reinterpret_cast<const inotify_event*>(buf);
  const std::string made = e->name;
  EXPECT_TRUE(made.starts_with("ravolin2.ini.bak.ravolin-tmp-")) << made;
  EXPECT_TRUE(is_temporary_name(made)) << made;
  EXPECT_EQ(entries(dir.path()), std::set<std::string>{"ravolin2.ini.bak"});

  for (const char* users :
       {"ravolin2.ini.NE5Zxw", "hotelusr.csv.backup", "ravolin-tmp-a1B2c3", ".ravolin-tmp-a1B2c3",
        "x.ravolin-tmp-a1B2c", "x.ravolin-tmp-a1B2c3.txt", "x.ravolin-tmp-a1 2c3",
        "x.ravolin_tmp-a1B2c3"})
    EXPECT_FALSE(is_temporary_name(users)) << users;
}

}  // namespace
}  // namespace ravolin::settings
