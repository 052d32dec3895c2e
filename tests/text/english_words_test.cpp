// SPDX-License-Identifier: MIT
// The English words as a visitor reads them: the window texts (translations/*.ts) and the
// English help use the terms of docs/english-style.md, and every window word the help quotes
// is a text a window shows.
#include "board/board.h"
#include "data/tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace ravolin::text {
namespace {

namespace fs = std::filesystem;

std::string file_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

std::string unescaped(std::string s) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    for (std::size_t at = s.find(entity); at != std::string::npos; at = s.find(entity, at + 1))
      s.replace(at, std::string(entity).size(), plain);
  return s;
}

// A window text as shown: the mnemonic's "&" dropped ("&&" is one "&").
std::string shown(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

// The English of every window text, from every translation file.
std::vector<std::string> window_texts() {
  std::vector<std::string> texts;
  static const std::regex translation(R"(<translation>([^<]*)</translation>)");
  static const std::regex numerus(R"(<numerusform>([^<]*)</numerusform>)");
  for (const auto& entry : fs::directory_iterator(fs::path(RAVOLIN_SOURCE_DIR) / "translations")) {
    if (entry.path().extension() != ".ts") continue;
    const std::string ts = file_text(entry.path());
    for (const std::regex* re : {&translation, &numerus})
      for (auto it = std::sregex_iterator(ts.begin(), ts.end(), *re); it != std::sregex_iterator();
           ++it)
        texts.push_back(shown(unescaped((*it)[1].str())));
  }
  return texts;
}

std::string english_help() {
  return file_text(fs::path(RAVOLIN_SOURCE_DIR) / "resources" / "ravolin2_en.hlp");
}

// The variants the style sheet rules out, each with the term to use instead.
struct Forbidden {
  std::regex pattern;
  const char* use;
};
const std::vector<Forbidden>& forbidden() {
  static const std::vector<Forbidden> list = {
      {std::regex(R"(Ravolin Hotels|Ravolin \(|& Hotels\b)"), "Ravolin & Hotel Guide"},
      {std::regex(R"(Tokaido[-/]Sanyo|Tohoku[,/] ?Yamagata[,/] Akita|Joetsu/Nagano)"),
       "Tokaido and Sanyo / Tohoku, Yamagata and Akita / Joetsu and Nagano Shinkansen"},
      {std::regex(R"(\bFinish\b)"), "Close"},
      {std::regex(R"(^m$|\d ?m\b)"), "min"},
      {std::regex(R"(Transfer time|waiting time)"), "Wait at most"},
      {std::regex(R"(^(Once|Twice)$|\b[12] transfers?\b)"), "up to 1 / up to 2 transfers"},
      {std::regex(R"(double-deck\b)"), "all double-decker cars"},
      {std::regex(R"(^Temporary$)"), "Program only"},
      {std::regex(R"(<< None)"), "<< Remove all"},
      {std::regex(R"(sound data file)"), "an undamaged copy of the data file"},
  };
  return list;
}

TEST(EnglishWords, WindowTextsAndTheHelpUseTheTermsOfTheStyleSheet) {
  std::vector<std::string> texts = window_texts();
  ASSERT_GT(texts.size(), 200u);
  std::istringstream help(english_help());
  for (std::string line; std::getline(help, line);) texts.push_back(line);
  for (const std::string& text : texts)
    for (const Forbidden& f : forbidden())
      EXPECT_FALSE(std::regex_search(text, f.pattern)) << "\"" << text << "\": use " << f.use;
}

TEST(EnglishWords, TheCorridorsAreNamedAsTheStyleSheetNamesThem) {
  for (int code = 1; code <= 3; ++code) {
    const data::Edition* edition = data::find_edition(code);
    ASSERT_NE(edition, nullptr);
    for (const Forbidden& f : forbidden())
      EXPECT_FALSE(std::regex_search(edition->english_caption, f.pattern))
          << edition->english_caption << ": use " << f.use;
  }
}

TEST(EnglishWords, EveryWindowWordTheHelpQuotesIsAWindowText) {
  const std::vector<std::string> list = window_texts();
  std::set<std::string> texts(list.begin(), list.end());
  texts.insert(board::kHurryMarkEnglish);  // the board's mark, built by the core
  const std::string help = english_help();
  static const std::regex quoted(R"x("([^"\n]+)")x");
  int quotes = 0;
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("#")) continue;  // the file's own comments
    for (auto it = std::sregex_iterator(line.begin(), line.end(), quoted);
         it != std::sregex_iterator(); ++it) {
      ++quotes;
      const std::string word = (*it)[1].str();
      EXPECT_TRUE(texts.count(word)) << "the help quotes \"" << word << "\", which no window shows";
    }
  }
  EXPECT_GT(quotes, 15);
}

}  // namespace
}  // namespace ravolin::text
