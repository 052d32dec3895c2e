// SPDX-License-Identifier: MIT
// Columns of a printed line: TAB stops counted in half-width columns, and wrapping.
#include "text/print_columns.h"

#include <gtest/gtest.h>

namespace ravolin::text {
namespace {

TEST(PrintColumns, FullWidthCountsTwoAndHalfWidthKanaOne) {
  EXPECT_EQ(text_columns("ab1 "), 4);
  EXPECT_EQ(text_columns("東京（"), 6);
  EXPECT_EQ(text_columns("ｸﾞﾗﾝﾄﾞ"), 6);
  EXPECT_EQ(text_columns("～→　"), 6);
}

TEST(PrintColumns, TabsReachTheNextStopOfEightColumns) {
  EXPECT_EQ(expand_tabs("\tx"), "        x");
  EXPECT_EQ(expand_tabs("abcdefg\tx"), "abcdefg x");
  EXPECT_EQ(expand_tabs("abcdefgh\tx"), "abcdefgh        x");
  // Two full-width characters take four columns: four blanks to the stop.
  EXPECT_EQ(expand_tabs("運賃\t："), "運賃    ：");
  // A full-width character across a stop: the tab goes on to the one after.
  EXPECT_EQ(expand_tabs("abcdefgあ\tx"), "abcdefgあ       x");
  EXPECT_EQ(expand_tabs("あいうえおかきく\t\tx"),
            std::string("あいうえおかきく") + std::string(16, ' ') + "x");
  EXPECT_EQ(expand_tabs("\t\t～ "), std::string(16, ' ') + "～ ");
}

TEST(PrintColumns, WrapsWithoutSplittingACharacterOrStartingWithBlanks) {
  const auto cols = [](char32_t c) { return char_columns(c); };
  EXPECT_EQ(wrap_to_width("abcdef", cols, 4), (std::vector<std::string>{"abcd", "ef"}));
  // "あいう" is 6 columns: at 5 the third character goes on the next line whole.
  EXPECT_EQ(wrap_to_width("あいう", cols, 5), (std::vector<std::string>{"あい", "う"}));
  EXPECT_EQ(wrap_to_width("ab  cd", cols, 3), (std::vector<std::string>{"ab ", "cd"}));
  EXPECT_EQ(wrap_to_width("abc   ", cols, 3), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(wrap_to_width("", cols, 3), (std::vector<std::string>{""}));
  // A character wider than the line still gets a line of its own.
  EXPECT_EQ(wrap_to_width("あa", cols, 1), (std::vector<std::string>{"あ", "a"}));
}

}  // namespace
}  // namespace ravolin::text
