// SPDX-License-Identifier: MIT
// One copy per user folder: a second start finds the first and asks it to come forward,
// whatever TMPDIR it has and however long the folder's path is; the guard holds after a
// cleaner removed the socket and after a crash; when it cannot work the copy says so and
// runs. The tests of another user's files (run as root only) are in
// single_instance_other_user_window_test.cpp.
#include "app/single_instance.h"

#include "support/program_folder.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace ravolin::app {
namespace {

namespace fs = std::filesystem;
using Outcome = SingleInstance::Outcome;
constexpr auto kJapanese = text::Language::kJapanese;

// A user folder and the guard's places of its own: a private runtime folder and a
// shared temporary folder, so that no test touches the machine's /tmp or the user's
// runtime folder.
struct GuardGround {
  GuardGround() {
    fs::create_directory(root.path() + "/run");
    ::chmod((root.path() + "/run").c_str(), 0700);
    places.runtime_dir = root.path() + "/run";
    places.shared_temp = root.path();
  }
  test_support::ProgramFolder root;
  test_support::ProgramFolder folder;
  GuardPlaces places;
};

bool exists(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

TEST(SingleInstance, ASecondCopyOnTheSameFolderBringsTheFirstForwardAndEnds) {
  GuardGround ground;
  SingleInstance first(ground.folder.path(), kJapanese, ground.places);
  ASSERT_EQ(first.claim(), Outcome::kGuarding);
  EXPECT_TRUE(first.listening());
  EXPECT_EQ(first.notice(), QString());
  // In the user's own runtime folder, under a short name.
  EXPECT_TRUE(
      first.socket_path().startsWith(QString::fromStdString(ground.root.path() + "/run/ravolin/")))
      << first.socket_path().toStdString();
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  QWidget window;
  window.showMinimized();
  first.bring_forward_on_request(&window);

  SingleInstance second(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(second.claim(), Outcome::kForwarded);
  EXPECT_FALSE(SingleInstance::runs(Outcome::kForwarded));
  EXPECT_FALSE(second.listening());
  EXPECT_EQ(second.notice(), QString());
  ASSERT_TRUE(asked.wait(5000));
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());

  // The same folder reached through a link is the same folder.
  const std::string link = ground.folder.path() + "-link";
  fs::create_directory_symlink(ground.folder.path(), link);
  SingleInstance third(link + "/", kJapanese, ground.places);
  EXPECT_EQ(third.claim(), Outcome::kForwarded);
  fs::remove(link);

  // Another folder (another edition, another user folder) runs beside it.
  test_support::ProgramFolder other;
  SingleInstance beside(other.path(), kJapanese, ground.places);
  EXPECT_EQ(beside.claim(), Outcome::kGuarding);
  EXPECT_NE(beside.socket_path(), first.socket_path());
}

TEST(SingleInstance, ARequestBeforeTheWindowExistsIsAnsweredWhenItIsHandedIn) {
  GuardGround ground;
  SingleInstance first(ground.folder.path(), kJapanese, ground.places);
  ASSERT_EQ(first.claim(), Outcome::kGuarding);
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  SingleInstance second(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(second.claim(), Outcome::kForwarded);
  ASSERT_TRUE(asked.wait(5000));
  QWidget window;
  EXPECT_FALSE(window.isVisible());
  first.bring_forward_on_request(&window);
  EXPECT_TRUE(window.isVisible());
}

// Two starts from two sessions with different temporary folders, and a folder whose path
// is far longer than a socket address.
TEST(SingleInstance, TheGuardHoldsWhateverTmpdirSaysAndForLongPaths) {
  GuardGround ground;
  std::string deep = ground.folder.path();
  for (int i = 0; i < 6; ++i) deep += "/" + std::string(30, static_cast<char>('a' + i));
  fs::create_directories(deep);
  ASSERT_GT(deep.size(), sizeof(sockaddr_un::sun_path));

  const char* saved = std::getenv("TMPDIR");
  const std::string saved_tmpdir = saved ? saved : "";
  ::setenv("TMPDIR", (ground.root.path() + "/one").c_str(), 1);
  SingleInstance first(deep, kJapanese, ground.places);
  ASSERT_EQ(first.claim(), Outcome::kGuarding);
  EXPECT_TRUE(first.listening());
  EXPECT_LT(first.socket_path().size(), static_cast<int>(sizeof(sockaddr_un::sun_path)));
  ::setenv("TMPDIR", (ground.root.path() + "/two").c_str(), 1);
  SingleInstance second(deep, kJapanese, ground.places);
  EXPECT_EQ(second.claim(), Outcome::kForwarded);
  if (saved)
    ::setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  else
    ::unsetenv("TMPDIR");

  // Without a runtime folder the socket goes into a private folder under /tmp.
  GuardPlaces no_runtime = ground.places;
  no_runtime.runtime_dir.clear();
  test_support::ProgramFolder other;
  SingleInstance third(other.path(), kJapanese, no_runtime);
  ASSERT_EQ(third.claim(), Outcome::kGuarding);
  const std::string fallback = ground.root.path() + "/ravolin-guard-" + std::to_string(::geteuid());
  EXPECT_TRUE(third.socket_path().startsWith(QString::fromStdString(fallback + "/")));
  struct stat st {};
  ASSERT_EQ(::lstat(fallback.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
  SingleInstance fourth(other.path(), kJapanese, no_runtime);
  EXPECT_EQ(fourth.claim(), Outcome::kForwarded);
}

TEST(SingleInstance, ASocketRemovedByACleanerIsMadeAgainAndGoesWithTheCopy) {
  GuardGround ground;
  QString path;
  {
    SingleInstance first(ground.folder.path(), kJapanese, ground.places);
    ASSERT_EQ(first.claim(), Outcome::kGuarding);
    path = first.socket_path();
    ASSERT_TRUE(exists(path));
    ::unlink(QFile::encodeName(path).constData());
    // The folder's change wakes the copy; no minute-long wait.
    ASSERT_TRUE(QTest::qWaitFor([&] { return exists(path); }, 5000));
    EXPECT_TRUE(first.listening());
    SingleInstance second(ground.folder.path(), kJapanese, ground.places);
    EXPECT_EQ(second.claim(), Outcome::kForwarded);

    // The whole folder gone as well.
    fs::remove_all(ground.root.path() + "/run/ravolin");
    first.keep_socket();
    EXPECT_TRUE(exists(path));
    SingleInstance third(ground.folder.path(), kJapanese, ground.places);
    EXPECT_EQ(third.claim(), Outcome::kForwarded);
  }
  // A copy that ends takes its socket with it; the next start is the first again.
  EXPECT_FALSE(exists(path));
  SingleInstance next(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(next.claim(), Outcome::kGuarding);
}

// A socket file as a copy that crashed leaves it: bound, nobody listening.
void leave_stale_socket(const QString& name) {
  const std::string path = QFile::encodeName(name).toStdString();
  ::unlink(path.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  ASSERT_TRUE(fs::exists(fs::symlink_status(path)));
}

// The socket's place for the folder, as a copy that ran before found it.
QString socket_of_earlier_copy(const GuardGround& ground) {
  SingleInstance earlier(ground.folder.path(), kJapanese, ground.places);
  return earlier.claim() == Outcome::kGuarding ? earlier.socket_path() : QString();
}

TEST(SingleInstance, ASocketLeftByACrashedCopyIsTakenOver) {
  GuardGround ground;
  const QString path = socket_of_earlier_copy(ground);
  ASSERT_FALSE(path.isEmpty());
  leave_stale_socket(path);
  SingleInstance first(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(first.claim(), Outcome::kGuarding);
  EXPECT_TRUE(first.listening());
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  SingleInstance second(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(second.claim(), Outcome::kForwarded);
  EXPECT_TRUE(asked.wait(5000));
}

TEST(SingleInstance, ACopyThatHoldsTheLockButDoesNotAnswerIsToldAboutAndTheStartEnds) {
  GuardGround ground;
  // A running copy whose socket is nowhere (its runtime folder was another).
  const std::string lock = ground.folder.path() + "/" + SingleInstance::kLockFileName;
  const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
  SingleInstance start(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(start.claim(), Outcome::kUnreachable);
  EXPECT_FALSE(SingleInstance::runs(Outcome::kUnreachable));
  EXPECT_EQ(start.notice().toStdString(),
            "このフォルダではラボリンがすでに動いていますが、応答がありません。\n" +
                ground.folder.path() +
                "\n動いているラボリンを終了してから、もう一度起動してください。");
  ::close(fd);
  // Once it has ended, the next start runs.
  SingleInstance next(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(next.claim(), Outcome::kGuarding);
}

TEST(SingleInstance, WhenTheLockFileCannotBeTrustedTheCopySaysSoAndRuns) {
  GuardGround ground;
  const std::string lock = ground.folder.path() + "/" + SingleInstance::kLockFileName;
  // A link in the lock file's place (to a file anyone could hold a lock on).
  ground.folder.write_file("elsewhere", "");
  fs::create_symlink(ground.folder.path() + "/elsewhere", lock);
  SingleInstance linked(ground.folder.path(), kJapanese, ground.places);
  EXPECT_EQ(linked.claim(), Outcome::kUnguarded);
  EXPECT_TRUE(SingleInstance::runs(Outcome::kUnguarded));
  EXPECT_EQ(linked.notice().toStdString(),
            "同じフォルダで二つ目のラボリンが動くのを防げません。\n" + lock +
                "（このユーザーの普通のファイルではありません）\n"
                "このまま起動しますが、二つ同時に動かすと、後から終了した方が"
                "設定とホテル情報を上書きします。");
  fs::remove(lock);

  // A pipe: opening it must not hang the start.
  ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0);
  SingleInstance piped(ground.folder.path(), text::Language::kEnglish, ground.places);
  EXPECT_EQ(piped.claim(), Outcome::kUnguarded);
  EXPECT_NE(piped.notice().toStdString().find(lock + " ("), std::string::npos)
      << piped.notice().toStdString();
  fs::remove(lock);

  // A folder that cannot hold the lock file.
  test_support::ProgramFolder missing;
  fs::remove(missing.path());
  SingleInstance nowhere(missing.path(), kJapanese, ground.places);
  EXPECT_EQ(nowhere.claim(), Outcome::kUnguarded);
  EXPECT_NE(nowhere.notice().toStdString().find(missing.path()), std::string::npos);
}

// ---- scratch folders of killed runs --------------------------------------------------

TEST(StaleScratchFolders, OnlyUnusedPrivateScratchFoldersWithTheLockGo) {
  test_support::ProgramFolder parent;
  const auto scratch = [&](const std::string& name, bool with_lock, long age) {
    const std::string folder = parent.path() + "/" + name;
    fs::create_directory(folder);
    ::chmod(folder.c_str(), 0700);
    parent.write_file(name + "/ravolin2.ini", "[Form]\r\n");
    parent.write_file(name + "/hotelusr.csv", "");
    if (with_lock) {
      const std::string lock = folder + "/" + SingleInstance::kLockFileName;
      parent.write_file(name + "/" + SingleInstance::kLockFileName, "");
      const struct timespec times[2] = {{std::time(nullptr) - age, 0},
                                        {std::time(nullptr) - age, 0}};
      ::utimensat(AT_FDCWD, lock.c_str(), times, 0);
    }
    return folder;
  };
  const std::string stale = scratch("ravolin-a1B2c3", true, 3600);
  const std::string in_use = scratch("ravolin-InUse1", true, 3600);
  const std::string starting = scratch("ravolin-Young1", true, 5);
  const std::string no_lock = scratch("ravolin-NoLck1", false, 0);
  const std::string with_folder = scratch("ravolin-Dir123", true, 3600);
  fs::create_directory(with_folder + "/sub");
  parent.write_file("ravolin-a1B2c3/ravolin2.ini.Tmp123", "half written");
  // A copied program folder that happens to have such a name.
  const std::string program = scratch("ravolin-master", true, 3600);
  parent.write_file("ravolin-master/ravolinh.dat", "");
  const std::string shared = scratch("ravolin-Share1", true, 3600);
  ::chmod(shared.c_str(), 0755);
  const std::string other_name = scratch("ravolin-test-a1B2c3", true, 3600);
  const std::string short_name = scratch("ravolin-a1B2c", true, 3600);
  fs::create_directory_symlink(in_use, parent.path() + "/ravolin-Link12");

  const int held = ::open((in_use + "/" + SingleInstance::kLockFileName).c_str(), O_RDWR);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_EQ(remove_stale_scratch_folders(parent.path()), 1);
  ::close(held);

  EXPECT_FALSE(fs::exists(stale));
  for (const std::string& kept :
       {in_use, starting, no_lock, with_folder, program, shared, other_name, short_name})
    EXPECT_TRUE(fs::exists(kept + "/ravolin2.ini")) << kept;
  EXPECT_TRUE(fs::is_symlink(parent.path() + "/ravolin-Link12"));
}

}  // namespace
}  // namespace ravolin::app
