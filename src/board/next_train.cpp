// SPDX-License-Identifier: MIT
#include "board/next_train.h"

#include "text/text.h"

#include <algorithm>

namespace ravolin::board {

namespace {

bool ends_with(const std::string& trimmed, const std::string& mark) {
  return trimmed.size() >= mark.size() &&
         trimmed.compare(trimmed.size() - mark.size(), mark.size(), mark) == 0;
}

// A line that ends in the hurry mark of either language.
bool ends_with_hurry(const std::string& line) {
  const std::string trimmed = text::trim_right(line);
  return ends_with(trimmed, kHurryMark) || ends_with(trimmed, kHurryMarkEnglish);
}

template <class Board>
void append_first(std::string& out, const Board& b) {
  out += '\n';
  out += text::trim(b.caption);
  if (b.lines.empty()) return;
  out += '\n';
  out += text::trim(b.lines.front());
}

}  // namespace

std::string tray_tooltip(const SinkansenBoard& sin, const KeiyoBoard& keiyo, bool keiyo_use,
                         text::Language language) {
  std::string out = language == text::Language::kEnglish ? "Ravolin" : "ラボリン";
  append_first(out, sin);
  if (keiyo_use) append_first(out, keiyo);
  return out;
}

std::vector<std::string> HurryWatch::update(const SinkansenBoard& sin, const KeiyoBoard& keiyo,
                                            bool keiyo_use) {
  std::set<Key> now;
  std::vector<std::string> gained;
  const auto scan = [&](int list, int direction, const std::vector<std::string>& lines,
                        const auto& row_map, int train_lines) {
    const int n = std::min<int>(train_lines, static_cast<int>(lines.size()));
    for (int r = 1; r <= n && r < static_cast<int>(row_map.size()); ++r) {
      const std::string& line = lines[static_cast<std::size_t>(r - 1)];
      if (row_map[r] == 0 || !ends_with_hurry(line)) continue;
      const Key key{list, direction, row_map[r]};
      now.insert(key);
      if (primed_ && !hurried_.count(key)) gained.push_back(text::trim(line));
    }
  };
  scan(1, sin.context.direction, sin.lines, sin.row_map, sin.train_lines);
  if (keiyo_use) scan(2, keiyo.context.schedule, keiyo.lines, keiyo.row_map, keiyo.train_lines);
  hurried_ = std::move(now);
  primed_ = true;
  return gained;
}

}  // namespace ravolin::board
