#include "ui/help_file.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace ravolin::ui {

const HelpTopic* HelpFile::find(int number) const {
  for (const auto& t : topics)
    if (t.number == number) return &t;
  return nullptr;
}

namespace {

void strip_trailing_newlines(std::string& s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
}

}  // namespace

bool parse_help_file(std::string_view utf8, HelpFile& out, std::string& error) {
  out = HelpFile{};
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  std::string* current = &out.preface;
  bool in_topic = false;
  int line_no = 0;
  while (!utf8.empty()) {
    const auto nl = utf8.find('\n');
    std::string_view line = utf8.substr(0, nl);
    utf8.remove_prefix(nl == std::string_view::npos ? utf8.size() : nl + 1);
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with("@topic")) {
      std::string_view rest = line.substr(6);
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      int number = 0;
      const auto [p, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
      if (ec != std::errc() || number < 0) {
        error = "line " + std::to_string(line_no) + ": topic line without a number";
        return false;
      }
      rest.remove_prefix(static_cast<std::size_t>(p - rest.data()));
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      strip_trailing_newlines(*current);
      out.topics.push_back(HelpTopic{number, std::string(rest), {}});
      current = &out.topics.back().text;
      in_topic = true;
      continue;
    }
    if (!in_topic && line.starts_with("#")) continue;
    current->append(line);
    current->push_back('\n');
  }
  strip_trailing_newlines(*current);
  // Leading blank lines of the preface carry nothing.
  while (!out.preface.empty() && out.preface.front() == '\n') out.preface.erase(0, 1);
  return true;
}

bool read_help_file(const std::string& path, HelpFile& out, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": ファイルを開けません";
    return false;
  }
  std::ostringstream buf;
  buf << in.rdbuf();
  std::string reason;
  if (!parse_help_file(buf.str(), out, reason)) {
    error = path + ": " + reason;
    return false;
  }
  return true;
}

}  // namespace ravolin::ui
