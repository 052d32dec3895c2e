// SPDX-License-Identifier: MIT
// The program's help file "ravolin2.hlp": UTF-8 text made of numbered topics.
//
//   @topic 204 ホテルデータなし
//   text of the topic, any number of lines ...
//
// Lines before the first "@topic" line are the file's preface (shown with the contents).
// A line starting with "#" outside a topic is a comment.
#pragma once

#include "text/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravolin::ui {

struct HelpTopic {
  int number = 0;
  std::string title;
  std::string text;  // lines joined with "\n", without trailing empty lines
};

struct HelpFile {
  std::string preface;
  std::vector<HelpTopic> topics;  // in file order

  const HelpTopic* find(int number) const;
};

// Parses the text; a damaged file (bytes that are no UTF-8 text, control characters, a
// malformed "@topic" line without a number, or no topic at all) is reported in error,
// with the line, and the parse fails, so a broken help file is noticed rather than shown
// blank or half.
bool parse_help_file(std::string_view utf8, HelpFile& out, text::Message& error);
// Reads and parses a file; false with a reason naming the file when it cannot be read.
bool read_help_file(const std::string& path, HelpFile& out, text::Message& error);

// A topic's text as the viewer shows it, for the viewer to wrap to its width: the lines of
// an English paragraph joined with one blank. A line goes on the one before it when that
// one ends in a character of the Latin script and this one starts with one: an unindented
// line in a paragraph, an indented one in a list item ("- "). A blank line and a list item
// start a line of their own. Japanese lines, which end in Japanese characters, stay as
// written.
std::string flowing_text(std::string_view text);

}  // namespace ravolin::ui
