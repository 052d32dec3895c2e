// SPDX-License-Identifier: MIT
#include "gui/common/help_file.h"

#include "files/replace_file.h"

#include <charconv>

namespace ravolin::ui {

const HelpTopic* HelpFile::find(int number) const {
  for (const auto& t : topics)
    if (t.number == number) return &t;
  return nullptr;
}

namespace {

constexpr text::Wording kControlCharacter{"{1}行目に読めない文字（制御文字）があります",
                                          "line {1} holds a control character"};
constexpr text::Wording kNotUtf8{"{1}行目に UTF-8 の文字として読めないバイトがあります",
                                 "line {1} holds bytes that are not UTF-8 text"};
constexpr text::Wording kTopicWithoutNumber{"{1}行目: トピックの行に番号がありません",
                                            "line {1}: a topic line without a number"};
constexpr text::Wording kNoTopic{
    "トピックがひとつもありません（ヘルプファイルではないか、壊れています）",
    "there is no topic at all (it is no help file, or a damaged one)"};
constexpr text::Wording kDamaged{"ヘルプファイルが壊れています: {1}（{2}）",
                                 "the help file is damaged: {1} ({2})"};

void strip_trailing_newlines(std::string& s) {
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
}

// Length of the UTF-8 sequence at s[i], 0 when it is none (overlong forms, surrogates
// and values above U+10FFFF included).
std::size_t utf8_length(std::string_view s, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  if (c < 0x80) return 1;
  std::size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                  : c >= 0xE0 && c <= 0xEF ? 3
                  : c >= 0xF0 && c <= 0xF4 ? 4
                                           : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((b(k) & 0xC0) != 0x80) return 0;
  if (c == 0xE0 && b(1) < 0xA0) return 0;
  if (c == 0xED && b(1) >= 0xA0) return 0;
  if (c == 0xF0 && b(1) < 0x90) return 0;
  if (c == 0xF4 && b(1) >= 0x90) return 0;
  return n;
}

// A line of a text file: UTF-8, no control characters but TAB.
bool sound_line(std::string_view line, int line_no, text::Message& error) {
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    if ((c < 0x20 && c != '\t') || c == 0x7F) {
      error = {kControlCharacter, {text::number(line_no)}};
      return false;
    }
    const std::size_t n = utf8_length(line, i);
    if (n == 0) {
      error = {kNotUtf8, {text::number(line_no)}};
      return false;
    }
    i += n;
  }
  return true;
}

}  // namespace

bool parse_help_file(std::string_view utf8, HelpFile& out, text::Message& error) {
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
    if (!sound_line(line, line_no, error)) return false;
    if (line.starts_with("@topic")) {
      std::string_view rest = line.substr(6);
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      int number = 0;
      const auto [p, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
      if (ec != std::errc() || number < 0) {
        error = {kTopicWithoutNumber, {text::number(line_no)}};
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
  if (out.topics.empty()) {
    error = kNoTopic;
    return false;
  }
  // Leading blank lines of the preface carry nothing.
  while (!out.preface.empty() && out.preface.front() == '\n') out.preface.erase(0, 1);
  return true;
}

std::string flowing_text(std::string_view text) {
  std::string out;
  bool in_list_item = false;
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    std::string_view body = line;
    while (!body.empty() && body.front() == ' ') body.remove_prefix(1);
    const bool item = line.starts_with("- ");
    const bool indented = body.size() != line.size();
    const bool latin_end =
        !out.empty() && out.back() != '\n' && static_cast<unsigned char>(out.back()) < 0x80;
    const bool latin_start = !body.empty() && static_cast<unsigned char>(body.front()) < 0x80;
    // A list item goes on only on its indented lines; a paragraph on its unindented ones.
    if (latin_end && latin_start && !item && indented == in_list_item) {
      out += ' ';
      out += body;
    } else {
      if (!out.empty()) out += '\n';
      out += line;
      in_list_item = item;
    }
    if (line.empty()) in_list_item = false;
  }
  return out;
}

bool read_help_file(const std::string& path, HelpFile& out, text::Message& error) {
  std::string bytes;
  if (!settings::read_whole_file(path, settings::kMaxHelpFileBytes, bytes, error)) return false;
  text::Message reason;
  if (!parse_help_file(bytes, out, reason)) {
    error = {kDamaged, {path, reason}};
    return false;
  }
  return true;
}

}  // namespace ravolin::ui
