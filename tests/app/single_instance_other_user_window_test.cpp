// SPDX-License-Identifier: MIT
// Another local user against the one-copy guard. The other user's part runs as `nobody`
// under setpriv, so these tests need root (as CI runs) and are skipped otherwise: the
// other user squats every place of the guard's socket that anyone can work out, plants a
// lock file of their own in a shared folder, and listens on a socket of ours. None of it
// may end a start silently or switch the guard off unnoticed.
#include "app/single_instance.h"

#include "support/program_folder.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace ravolin::app {
namespace {

namespace fs = std::filesystem;
using Outcome = SingleInstance::Outcome;
constexpr auto kJapanese = text::Language::kJapanese;
constexpr const char* kSetpriv = "/usr/bin/setpriv";
constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kNobody = "65534";

// A Python program run as nobody until the test ends; it says "ready" on stdout once its
// part is done. `fd`, when given, is handed to it as descriptor 3.
class Stranger {
 public:
  explicit Stranger(const std::string& program, int fd = -1) {
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    if (fd >= 0) posix_spawn_file_actions_adddup2(&actions, fd, 3);
    std::vector<std::string> args{kSetpriv,         "--reuid", kNobody, "--regid", kNobody,
                                  "--clear-groups", kPython,   "-c",    program};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&pid_, kSetpriv, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    // Wait for "ready" (or the end of a program that failed).
    pollfd p{out[0], POLLIN, 0};
    if (pid_ > 0 && ::poll(&p, 1, 10000) == 1) {
      char buffer[64] = {};
      ready_ = ::read(out[0], buffer, sizeof buffer - 1) > 0 && std::strstr(buffer, "ready");
    }
    ::close(out[0]);
  }
  ~Stranger() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  bool ready() const { return ready_; }

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
};

// Root, setpriv and Python, and a system that lets root become nobody (a container may not).
bool can_run_as_another_user() {
  static const bool can = [] {
    if (::geteuid() != 0 || ::access(kSetpriv, X_OK) != 0 || ::access(kPython, X_OK) != 0)
      return false;
    Stranger probe("print('ready', flush=True)\n");
    return probe.ready();
  }();
  return can;
}

#define SKIP_UNLESS_ROOT()                                                                    \
  if (!can_run_as_another_user())                                                             \
  GTEST_SKIP() << "runs another user's part as nobody with setpriv: needs root, " << kSetpriv \
               << ", " << kPython << " and the right to change user"

std::string socket_hash(const std::string& folder) {
  const QByteArray hash = QCryptographicHash::hash(
      QString::fromStdString(fs::canonical(folder).string()).toUtf8(), QCryptographicHash::Sha256);
  return hash.toHex().left(24).toStdString();
}

// Listens on each path (making its folder, open to all) and answers every connection.
std::string squatter(const std::vector<std::string>& paths) {
  std::string list;
  for (const std::string& p : paths) list += "'" + p + "',";
  return "import os, socket, sys, threading\n"
         "servers = []\n"
         "for p in [" +
         list +
         "]:\n"
         "    if not os.path.isdir(os.path.dirname(p)):\n"
         "        os.makedirs(os.path.dirname(p)); os.chmod(os.path.dirname(p), 0o777)\n"
         "    s = socket.socket(socket.AF_UNIX); s.bind(p); os.chmod(p, 0o777); s.listen(64)\n"
         "    servers.append(s)\n"
         "for s in servers:\n"
         "    threading.Thread(target=lambda s=s: [s.accept() for _ in iter(int, 1)],"
         " daemon=True).start()\n"
         "print('ready', flush=True)\n"
         "threading.Event().wait()\n";
}

TEST(SingleInstanceOtherUser, SocketsAtEveryNameAnyoneCanWorkOutDoNotEndTheStart) {
  SKIP_UNLESS_ROOT();
  test_support::ProgramFolder root;  // a shared temporary folder, as /tmp is
  test_support::ProgramFolder folder;
  ::chmod(root.path().c_str(), 01777);
  GuardPlaces places;
  places.shared_temp = root.path();  // no runtime folder: the fallback under "/tmp"
  const std::string hash = socket_hash(folder.path());
  const std::string uid = std::to_string(::geteuid());
  // The guard's own fallback folder, and the names earlier versions used in TMPDIR.
  Stranger stranger(squatter({root.path() + "/ravolin-guard-" + uid + "/" + hash + ".sock",
                              root.path() + "/ravolin-" + uid + "-" + hash}));
  ASSERT_TRUE(stranger.ready());
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_tmpdir = saved ? saved : "";
  ::setenv("TMPDIR", root.path().c_str(), 1);

  SingleInstance start(folder.path(), kJapanese, places);
  EXPECT_EQ(start.claim(), Outcome::kGuarding);
  EXPECT_EQ(start.notice(), QString());
  // The folder is not this user's: the socket is not put there.
  EXPECT_FALSE(start.listening());
  if (saved)
    ::setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
}

TEST(SingleInstanceOtherUser, ALockFileOfAnotherUserIsNotTrustedAndTheUserIsTold) {
  SKIP_UNLESS_ROOT();
  GuardPlaces places;
  test_support::ProgramFolder run;
  places.runtime_dir = run.path();
  places.shared_temp = run.path();
  // A program folder shared with others, who may write into it.
  test_support::ProgramFolder folder;
  ::chmod(folder.path().c_str(), 0777);
  const std::string lock = folder.path() + "/" + SingleInstance::kLockFileName;
  Stranger stranger(
      "import fcntl, os\n"
      "f = os.open('" +
      lock +
      "', os.O_RDWR | os.O_CREAT, 0o644)\n"
      "fcntl.flock(f, fcntl.LOCK_EX)\n"
      "print('ready', flush=True)\n"
      "import threading; threading.Event().wait()\n");
  ASSERT_TRUE(stranger.ready());

  SingleInstance start(folder.path(), kJapanese, places);
  EXPECT_EQ(start.claim(), Outcome::kUnguarded);
  EXPECT_EQ(start.notice().toStdString(),
            "同じフォルダで二つ目のラボリンが動くのを防げません。\n" + lock +
                "（このユーザーの普通のファイルではありません）\n"
                "このまま起動しますが、二つ同時に動かすと、後から終了した方が"
                "設定とホテル情報を上書きします。");
}

TEST(SingleInstanceOtherUser, ASocketWhoseListenerIsAnotherUserIsNotARunningCopy) {
  SKIP_UNLESS_ROOT();
  test_support::ProgramFolder run;
  test_support::ProgramFolder folder;
  GuardPlaces places;
  places.runtime_dir = run.path();
  places.shared_temp = run.path();
  QString path;
  {
    SingleInstance earlier(folder.path(), kJapanese, places);
    ASSERT_EQ(earlier.claim(), Outcome::kGuarding);
    path = earlier.socket_path();
  }
  // This user's socket file in this user's folder, listened on by another user.
  const std::string socket_file = QFile::encodeName(path).toStdString();
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, socket_file.c_str(), socket_file.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  Stranger stranger(
      "import socket, threading\n"
      "s = socket.socket(fileno=3); s.listen(64)\n"
      "threading.Thread(target=lambda: [s.accept() for _ in iter(int, 1)], daemon=True).start()\n"
      "print('ready', flush=True)\n"
      "threading.Event().wait()\n",
      fd);
  ::close(fd);
  ASSERT_TRUE(stranger.ready());
  // A copy of this user holds the lock.
  const int lock = ::open((folder.path() + "/" + SingleInstance::kLockFileName).c_str(), O_RDWR);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);

  SingleInstance start(folder.path(), kJapanese, places);
  EXPECT_EQ(start.claim(), Outcome::kUnreachable);
  EXPECT_FALSE(start.notice().isEmpty());
  ::close(lock);
}

}  // namespace
}  // namespace ravolin::app
