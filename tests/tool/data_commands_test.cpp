// SPDX-License-Identifier: MIT
// ravolin-tool dump / build / export, run as a program.
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "support/tool_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ravolin {
namespace {

namespace fs = std::filesystem;
using test_support::ProgramFolder;
using test_support::run_tool;
using test_support::small_sources;
using test_support::ToolRun;

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_sources(const std::string& dir, const data::SourceFiles& files) {
  std::string error;
  ASSERT_TRUE(data::write_source_dir(dir, files, error)) << error;
}

TEST(ToolData, BuildDumpExportRoundTrip) {
  ProgramFolder work;
  write_sources(work.file("src"), small_sources(1));
  ToolRun b = run_tool(work, {"build", work.file("src"), work.file("a.dat")});
  ASSERT_EQ(b.status, 0) << b.err;

  ToolRun d = run_tool(work, {"dump", work.file("a.dat")});
  ASSERT_EQ(d.status, 0) << d.err;
  EXPECT_NE(d.out.find("edition 1 東海道・山陽新幹線 (ravolin2.ini, 5006)"), std::string::npos);
  EXPECT_NE(d.out.find("[pair] 2"), std::string::npos);
  EXPECT_NE(d.out.find("train 1 N001 day 0 car N7: 東京 06:00 品川 06:07 名古屋着 07:36 名古屋発 "
                       "07:37 新大阪 08:30"),
            std::string::npos)
      << d.out;
  EXPECT_NE(d.out.find("  1501A 05:10 05:12"), std::string::npos);
  EXPECT_NE(d.out.find("東京 | 京橋 | ラボリンホテル | 03-1234-5678 | 123 |"), std::string::npos);

  ToolRun e = run_tool(work, {"export", work.file("a.dat"), work.file("out")});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(fs::exists(work.file("out/hotels.txt")));
  ToolRun b2 = run_tool(work, {"build", work.file("out"), work.file("b.dat")});
  ASSERT_EQ(b2.status, 0) << b2.err;
  EXPECT_EQ(slurp(work.file("a.dat")), slurp(work.file("b.dat")));
}

TEST(ToolData, PaddedIdentifiersAndUnreadBytesDumpAndExportAsTheProgramReadsThem) {
  ProgramFolder work;
  write_sources(work.file("src"), small_sources(1));
  ASSERT_EQ(run_tool(work, {"build", work.file("src"), work.file("a.dat")}).status, 0);
  std::string bytes = slurp(work.file("a.dat"));
  // Keiyo identifiers right-aligned in their columns and a byte after the directory slots.
  for (const auto& [from, to] :
       {std::pair<std::string, std::string>{"503B ", " 503B"}, {"504B ", " 504B"}}) {
    const auto at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
  }
  bytes[bytes.size() - 1024 + 400] = 'x';
  work.write_file("odd.dat", bytes);

  ToolRun d = run_tool(work, {"dump", work.file("odd.dat")});
  ASSERT_EQ(d.status, 0) << d.err;
  EXPECT_NE(d.out.find("\n  503B  05:20 05:22 --:-- --:-- 05:29 --:-- 05:34"), std::string::npos)
      << d.out;
  ToolRun e = run_tool(work, {"export", work.file("odd.dat"), work.file("out")});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_NE(slurp(work.file("out/keiyo.txt")).find("\ntrain 504B 23:50 23:53 23:56 23:59 24:02\n"),
            std::string::npos)
      << slurp(work.file("out/keiyo.txt"));
  ASSERT_EQ(run_tool(work, {"build", work.file("out"), work.file("b.dat")}).status, 0);
  EXPECT_NE(slurp(work.file("b.dat")), bytes);
  ToolRun d2 = run_tool(work, {"dump", work.file("b.dat")});
  ASSERT_EQ(d2.status, 0) << d2.err;
  EXPECT_EQ(d2.out.substr(d2.out.find('\n')), d.out.substr(d.out.find('\n')));

  // A real fault is still refused: a Keiyo time of 05:64.
  std::string bad = slurp(work.file("b.dat"));
  const std::uint32_t wrong = (564 + 1501) * 8192u + (512 + 1501);
  const auto keiyo = static_cast<std::size_t>(
      test_support::get_slot(std::vector<std::uint8_t>(bad.begin(), bad.end()), 4));
  std::memcpy(bad.data() + (keiyo + 4) * 1024, &wrong, 4);
  work.write_file("bad.dat", bad);
  for (const char* cmd : {"dump", "export"}) {
    std::vector<std::string> args = {cmd, work.file("bad.dat")};
    if (std::string(cmd) == "export") args.push_back(work.file("exp"));
    ToolRun r = run_tool(work, args);
    EXPECT_EQ(r.status, 1) << cmd;
    EXPECT_NE(r.err.find("05:64"), std::string::npos) << cmd << ": " << r.err;
  }
  EXPECT_FALSE(fs::exists(work.file("exp/keiyo.txt")));
}

TEST(ToolData, BadSourcesWriteNoFile) {
  ProgramFolder work;
  auto src = small_sources(1);
  src["trains-up.txt"] = "train N002\n新大阪 6:0\n東京 ２４:００\n";
  write_sources(work.file("src"), src);
  ToolRun b = run_tool(work, {"build", work.file("src"), work.file("a.dat")});
  EXPECT_NE(b.status, 0);
  EXPECT_NE(b.err.find("trains-up.txt:2:"), std::string::npos) << b.err;
  EXPECT_NE(b.err.find("trains-up.txt:3:"), std::string::npos) << b.err;
  EXPECT_FALSE(fs::exists(work.file("a.dat")));

  // An existing output stays as it was.
  work.write_file("a.dat", "old");
  b = run_tool(work, {"build", work.file("src"), work.file("a.dat")});
  EXPECT_NE(b.status, 0);
  EXPECT_EQ(work.read_file("a.dat"), "old");
  for (const auto& entry : fs::directory_iterator(work.path()))
    EXPECT_EQ(entry.path().filename().string().rfind("a.dat.", 0), std::string::npos)
        << "a temporary file was left: " << entry.path();

  ToolRun missing = run_tool(work, {"build", work.file("nowhere"), work.file("c.dat")});
  EXPECT_NE(missing.status, 0);
  EXPECT_FALSE(fs::exists(work.file("c.dat")));

  // A folder where a file should be: a clear error, not an abort.
  write_sources(work.file("src2"), small_sources(1));
  fs::remove(work.file("src2/stations.txt"));
  fs::create_directory(work.file("src2/stations.txt"));
  b = run_tool(work, {"build", work.file("src2"), work.file("d.dat")});
  EXPECT_EQ(b.status, 1);
  EXPECT_NE(b.err.find("stations.txt"), std::string::npos) << b.err;
  EXPECT_FALSE(fs::exists(work.file("d.dat")));
  ToolRun d = run_tool(work, {"dump", work.file("src2")});
  EXPECT_EQ(d.status, 1);
  EXPECT_NE(d.err.find("src2"), std::string::npos) << d.err;
}

TEST(ToolData, DamagedFilesGiveAClearErrorNotACrash) {
  ProgramFolder work(small_sources(1));
  const std::string good = work.read_file("ravolinh.dat");
  struct Case {
    const char* what;
    std::string bytes;
    const char* says;
  };
  std::string edition4 = good;
  edition4[good.size() - 1024 + 4 * 22] = 4;
  std::string areas101 = good;
  float f = 101.0f;
  std::memcpy(areas101.data(), &f, 4);
  const Case cases[] = {
      {"truncated", good.substr(0, good.size() / 2), "bad.dat"},
      {"shorter than a block", good.substr(0, 1000), "1024"},
      {"empty", "", "1024"},
      {"wrong edition code", edition4, "目次の 23 番"},
      {"more than 100 areas", areas101, "100"},
  };
  for (const auto& c : cases) {
    work.write_file("bad.dat", c.bytes);
    for (const char* cmd : {"dump", "export"}) {
      std::vector<std::string> args = {cmd, work.file("bad.dat")};
      if (std::string(cmd) == "export") args.push_back(work.file("exp"));
      ToolRun r = run_tool(work, args);
      EXPECT_EQ(r.status, 1) << c.what << " " << cmd << ": " << r.err;
      EXPECT_NE(r.err.find(c.says), std::string::npos) << c.what << " " << cmd << ": " << r.err;
    }
  }
  ToolRun r = run_tool(work, {"dump", work.file("missing.dat")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("missing.dat"), std::string::npos);
  EXPECT_EQ(run_tool(work, {"dump"}).status, 2);
  EXPECT_EQ(run_tool(work, {"build", "onlyone"}).status, 2);
}

TEST(ToolData, CheckReportsFindingsAndBuildWarnsButWrites) {
  ProgramFolder work;
  // the small corridor has a こだま reaching 新大阪 at 24:10 and Keiyo 普通 that skip stations
  write_sources(work.file("src"), small_sources(1));
  ToolRun b = run_tool(work, {"build", work.file("src"), work.file("a.dat")});
  ASSERT_EQ(b.status, 0) << b.err;
  EXPECT_TRUE(fs::exists(work.file("a.dat")));
  EXPECT_NE(b.err.find("warning: " + work.file("src") +
                       ": 新幹線 下り K201: 新大阪 24:10 is after midnight"),
            std::string::npos)
      << b.err;

  for (const std::string& what : {work.file("src"), work.file("a.dat")}) {
    ToolRun c = run_tool(work, {"check", what});
    EXPECT_EQ(c.status, 1) << what;
    EXPECT_NE(c.out.find(what + ": 新幹線 下り K201: 新大阪 24:10 is after midnight"),
              std::string::npos)
        << c.out;
    EXPECT_NE(c.out.find("京葉線 平日下り 503B (普通) does not stop at 越中島"), std::string::npos)
        << c.out;
    EXPECT_NE(c.out.find(": 4 finding(s): 1 midnight, 3 pattern"), std::string::npos) << c.out;
  }

  auto clean = small_sources(1);
  clean["trains-down.txt"] =
      "train N001\n東京 06:00\n品川 06:07\n名古屋 07:36 07:37\n新大阪 08:30\n";
  clean["keiyo.txt"] = "";
  write_sources(work.file("clean"), clean);
  ToolRun c = run_tool(work, {"check", work.file("clean")});
  EXPECT_EQ(c.status, 0) << c.out;
  EXPECT_EQ(c.out, work.file("clean") + ": no findings\n");

  EXPECT_EQ(run_tool(work, {"check", work.file("missing.dat")}).status, 2);
  EXPECT_EQ(run_tool(work, {"check"}).status, 2);
}

}  // namespace
}  // namespace ravolin
