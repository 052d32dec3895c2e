// SPDX-License-Identifier: MIT
// One copy per user folder: a second start finds the first and asks it to come forward; a
// socket left by a copy that crashed does not stop the next start.
#include "app/single_instance.h"

#include "support/program_folder.h"

#include <QDir>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace ravolin::app {
namespace {

TEST(SingleInstance, ASecondCopyOnTheSameFolderBringsTheFirstForwardAndEnds) {
  test_support::ProgramFolder folder;
  SingleInstance first(folder.path());
  ASSERT_TRUE(first.claim());
  EXPECT_TRUE(first.listening());
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  QWidget window;
  window.showMinimized();
  first.bring_forward_on_request(&window);

  SingleInstance second(folder.path());
  EXPECT_FALSE(second.claim());
  EXPECT_FALSE(second.listening());
  ASSERT_TRUE(asked.wait(5000));
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isMinimized());

  // The same folder reached through a link is the same folder.
  const std::string link = folder.path() + "-link";
  std::filesystem::create_directory_symlink(folder.path(), link);
  SingleInstance third(link + "/");
  EXPECT_FALSE(third.claim());
  std::filesystem::remove(link);

  // Another folder (another edition, another user folder) runs beside it.
  test_support::ProgramFolder other;
  SingleInstance beside(other.path());
  EXPECT_TRUE(beside.claim());
  EXPECT_NE(SingleInstance::server_name(other.path()), SingleInstance::server_name(folder.path()));
}

TEST(SingleInstance, ARequestBeforeTheWindowExistsIsAnsweredWhenItIsHandedIn) {
  test_support::ProgramFolder folder;
  SingleInstance first(folder.path());
  ASSERT_TRUE(first.claim());
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  SingleInstance second(folder.path());
  EXPECT_FALSE(second.claim());
  ASSERT_TRUE(asked.wait(5000));
  QWidget window;
  EXPECT_FALSE(window.isVisible());
  first.bring_forward_on_request(&window);
  EXPECT_TRUE(window.isVisible());
}

// A socket file as a copy that crashed leaves it: bound, nobody listening.
void leave_stale_socket(const QString& name) {
  const std::string path = (QDir::tempPath() + QLatin1Char('/') + name).toStdString();
  ::unlink(path.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  ASSERT_TRUE(std::filesystem::exists(path));
}

TEST(SingleInstance, ASocketLeftByACrashedCopyIsTakenOver) {
  test_support::ProgramFolder folder;
  const QString name = SingleInstance::server_name(folder.path());
  leave_stale_socket(name);
  // As found: a plain listen on the name fails.
  QLocalServer plain;
  EXPECT_FALSE(plain.listen(name));

  SingleInstance first(folder.path());
  EXPECT_TRUE(first.claim());
  EXPECT_TRUE(first.listening());
  QSignalSpy asked(&first, &SingleInstance::show_requested);
  SingleInstance second(folder.path());
  EXPECT_FALSE(second.claim());
  EXPECT_TRUE(asked.wait(5000));
}

}  // namespace
}  // namespace ravolin::app
