// SPDX-License-Identifier: MIT
// The next train in the system tray: the tooltip with the first line of each list, and the
// moment a listed train's line gains "急げ!!" or "Hurry!" (time to leave), for a desktop
// notification.
#pragma once

#include "board/board.h"

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace ravolin::board {

// "ラボリン" ("Ravolin" in English) and, per list in use, its caption and first line (the
// next catchable train, or the list's message when it shows no train).
std::string tray_tooltip(const SinkansenBoard& sin, const KeiyoBoard& keiyo, bool keiyo_use,
                         text::Language language = text::Language::kJapanese);

// Remembers which listed trains showed "急げ!!" at the last refresh. The first update only
// takes note; later ones return the lines (blanks trimmed) whose train has just gained it.
class HurryWatch {
 public:
  std::vector<std::string> update(const SinkansenBoard& sin, const KeiyoBoard& keiyo,
                                  bool keiyo_use);

 private:
  using Key = std::tuple<int, int, int>;  // list (1 Shinkansen, 2 Keiyo), direction, train
  std::set<Key> hurried_;
  bool primed_ = false;
};

}  // namespace ravolin::board
