// SPDX-License-Identifier: MIT
// The program run as a program: what it says in the terminal before any window (the help, a
// refused option, a start without a usable screen) is in the language the command line asks
// for, else the desktop's, and a screen that cannot be opened ends the start cleanly.
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace ravolin {
namespace {

using test_support::shell_quote;

struct Ran {
  int status = -1;
  std::string out, err;
};

// Runs the program with only the given environment (and a scratch HOME).
Ran run_program(const std::vector<std::string>& env, const std::vector<std::string>& args) {
  const test_support::ProgramFolder scratch;
  std::string cmd = "env -i HOME=" + shell_quote(scratch.path()) + " PATH=/usr/bin:/bin";
  for (const auto& e : env) cmd += " " + shell_quote(e);
  cmd += " " + shell_quote(RAVOLIN_PROGRAM_DIR "/tokaido/ravolin");
  for (const auto& a : args) cmd += " " + shell_quote(a);
  cmd += " >" + shell_quote(scratch.file("out.txt")) + " 2>" + shell_quote(scratch.file("err.txt"));
  const int rc = std::system(cmd.c_str());
  Ran r;
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = scratch.read_file("out.txt");
  r.err = scratch.read_file("err.txt");
  return r;
}

bool starts_with(const std::string& s, const std::string& head) { return s.rfind(head, 0) == 0; }

TEST(CommandLine, TheCommandLineChoosesTheLanguageOfTheTerminalFirst) {
  // The terminal's character set from LC_CTYPE, which names no language: C.UTF-8 is on
  // every machine, ja_JP and en_GB need not be.
  const std::string utf8 = "LC_CTYPE=C.UTF-8";
  const std::string ja_utf8 = "LANG=ja_JP.UTF-8", en_utf8 = "LANG=en_GB.UTF-8";
  Ran r = run_program({utf8, ja_utf8}, {"--lang", "en", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(starts_with(r.out, "usage: ravolin [--edition EDITION]\n")) << r.out;

  r = run_program({utf8, en_utf8}, {"--lang", "ja", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(starts_with(r.out, "使い方: ravolin")) << r.out;

  r = run_program({utf8, ja_utf8}, {"--lang", "en", "--edition", "nara"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(starts_with(r.err, "ravolin: no edition 'nara' (one of tokaido, tohoku, joetsu)\n"))
      << r.err;
  // --lang after the refused option counts as well.
  r = run_program({utf8, ja_utf8}, {"--bogus", "--lang=en"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(starts_with(r.err, "ravolin: unknown option --bogus\n")) << r.err;

  // Without --lang: the desktop's language.
  r = run_program({utf8, en_utf8}, {"--help"});
  EXPECT_TRUE(starts_with(r.out, "usage: ravolin")) << r.out;
  r = run_program({utf8, "LANGUAGE=en", ja_utf8}, {"--bogus"});
  EXPECT_TRUE(starts_with(r.err, "ravolin: unknown option --bogus\n")) << r.err;
}

TEST(CommandLine, AStartWithoutAUsableScreenIsToldInTheLanguageAndEndsCleanly) {
  Ran r = run_program({"LANG=en_US.UTF-8"}, {});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "ravolin: cannot connect to a screen (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
            "Start the program from within the desktop.\n");

  // A display that is not there, a window system that does not exist: Qt gives up; the
  // program says why in the same words and ends with the same status, without an abort.
  r = run_program({"LANG=en_US.UTF-8", "DISPLAY=:99", "QT_QPA_PLATFORM=xcb"}, {});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("ravolin: cannot connect to a screen (QT_QPA_PLATFORM=xcb, DISPLAY=:99 "
                       "cannot be opened).\nStart the program from within the desktop.\n"),
            std::string::npos)
      << r.err;
  r = run_program({"LC_CTYPE=C.UTF-8", "LANG=ja_JP.UTF-8", "QT_QPA_PLATFORM=nosuchplatform"}, {});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(
      r.err.find("ravolin: 画面に接続できません（QT_QPA_PLATFORM=nosuchplatform を開けません）。"
                 "\nデスクトップの中から起動してください。\n"),
      std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace ravolin
