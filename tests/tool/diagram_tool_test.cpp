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

TEST(DiagramTool, RouteByItsCaptionInEitherLanguageAndRoutesListedInTheLanguage) {
  test_support::ProgramFolder scratch;
  const std::string folder = RAVOLIN_PROGRAM_DIR "/tohoku";
  const std::string out = scratch.path() + "/d.svg";
  const auto draw = [&](const std::string& route, const char* lang) {
    return run_tool(scratch, {"diagram", folder, "--date", "2026-05-06", "--lang", lang, "--route",
                              route, "--out", out});
  };
  // The caption the English diagram draws, and the ways it is typed; the Japanese one.
  for (const char* route : {"Tokyo\u2013Akita", "Tokyo-Akita", "tokyo - akita", "東京\u2013秋田"}) {
    const ToolRun r = draw(route, "en");
    EXPECT_EQ(r.status, 0) << route << ": " << r.err;
    EXPECT_NE(test_support::read_whole_file(out).find(">Tokyo\u2013Akita  2026-05-06</text>"),
              std::string::npos)
        << route;
  }
  ToolRun r = draw("Tokyo\u2013Nowhere", "en");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("ravolin-tool diagram: --route must be one of: 1 Tokyo\u2013", 0), 0u)
      << r.err;
  EXPECT_NE(r.err.find("Tokyo\u2013Akita"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("東京"), std::string::npos) << r.err;
  r = draw("nowhere", "ja");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("東京\u2013秋田"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace ravolin
