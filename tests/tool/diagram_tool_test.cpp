// SPDX-License-Identifier: MIT
// ravolin-tool diagram in English, run as a program on the delivered Tokaido folder.
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace ravolin {
namespace {

using test_support::run_tool;
using test_support::ToolRun;

TEST(DiagramTool, LangEnWritesTheLegendAndClockWordsInEnglish) {
  test_support::ProgramFolder scratch;
  const std::string folder = RAVOLIN_PROGRAM_DIR "/tokaido";
  const std::string en = scratch.path() + "/en.svg", ja = scratch.path() + "/ja.svg";
  ToolRun r =
      run_tool(scratch, {"diagram", folder, "--date", "2026-05-06", "--lang", "en", "--out", en});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string svg = test_support::read_whole_file(en);
  for (const char* word : {">Nozomi</text>", ">Hikari</text>", ">Kodama</text>"})
    EXPECT_NE(svg.find(word), std::string::npos) << word;
  EXPECT_EQ(svg.find("のぞみ"), std::string::npos);
  // the stations by their English names from the folder's list
  for (const char* station : {">Shin-Yokohama</text>", ">Hakata</text>"})
    EXPECT_NE(svg.find(station), std::string::npos) << station;
  EXPECT_EQ(svg.find(">新横浜</text>"), std::string::npos);
  r = run_tool(scratch, {"diagram", folder, "--date", "2026-05-06", "--out", ja});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string japanese = test_support::read_whole_file(ja);
  EXPECT_NE(japanese.find(">のぞみ</text>"), std::string::npos);
  EXPECT_EQ(japanese.find("Nozomi"), std::string::npos);
  // The same trains either way.
  const auto count = [](const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count(svg, "<polyline"), count(japanese, "<polyline"));
  EXPECT_GT(count(svg, "<polyline"), 400);
}

}  // namespace
}  // namespace ravolin
