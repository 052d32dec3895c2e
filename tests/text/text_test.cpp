// SPDX-License-Identifier: MIT
#include "text/text.h"

#include <gtest/gtest.h>

namespace ravolin::text {
namespace {

TEST(Cp932, RoundTripsJapaneseAndMapsBackslashAndWaveDashAsWindowsDoes) {
  // 0x5C stays a backslash and 0x8160 is the full-width tilde in CP932.
  auto utf8 = cp932_to_utf8(std::string("\x93\x8c\x8b\x9e\x5c\x81\x60", 7));
  ASSERT_TRUE(utf8);
  EXPECT_EQ(*utf8, "東京\\～");
  auto back = utf8_to_cp932(*utf8);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, std::string("\x93\x8c\x8b\x9e\x5c\x81\x60", 7));
}

TEST(Cp932, InvalidBytesAreRefusedOrReplaced) {
  EXPECT_FALSE(cp932_to_utf8(std::string("\x93", 1)));  // lead byte without trail
  EXPECT_FALSE(utf8_to_cp932("\xF0\x9F\x98\x80"));      // emoji has no CP932 form
  EXPECT_EQ(cp932_to_utf8_lossy(std::string("A\x93", 2)), "A\xEF\xBF\xBD");
}

TEST(Trim, RemovesOnlyAsciiBlanks) {
  EXPECT_EQ(trim("  東京  "), "東京");
  EXPECT_EQ(trim("\u3000東京\t"), "\u3000東京\t");
  EXPECT_EQ(trim("   "), "");
  EXPECT_EQ(trim_left("  a "), "a ");
  EXPECT_EQ(trim_right("  a "), "  a");
}

TEST(Chars, CountCutAndPadByCodePoint) {
  EXPECT_EQ(char_count("○東京A"), 4u);
  EXPECT_EQ(char_left("ひかり号", 3), "ひかり");
  EXPECT_EQ(fit_chars("○", 8), "○       ");
  EXPECT_EQ(fit_chars("１２３４５６７８９", 8), "１２３４５６７８");
}

TEST(FullWidth, DigitsSignsAndBlank) {
  EXPECT_EQ(to_full_width("07:35"), "０７：３５");
  EXPECT_EQ(to_full_width("-1,2 A"), "－１，２　Ａ");
  EXPECT_EQ(to_full_width("東"), "東");
}

TEST(FullWidth, DigitsBackToAscii) {
  EXPECT_EQ(ascii_digits("－１２．５"), "-12.5");
  EXPECT_EQ(ascii_digits("＋０９"), "+09");
  EXPECT_EQ(ascii_digits("２０２７／１"), "2027/1");
  // Other full-width forms, kana and blanks are kept as they are.
  EXPECT_EQ(ascii_digits("１，０００　東京ｱ"), "1，000　東京ｱ");
  EXPECT_EQ(ascii_digits(ascii_digits(to_full_width("0123456789"))), "0123456789");
  // A cut-off sequence at the end is kept, not read past.
  EXPECT_EQ(ascii_digits("1\xEF\xBC"), "1\xEF\xBC");
}

TEST(Formats, NumbersAndDates) {
  EXPECT_EQ(format_hhmm(735), "07:35");
  EXPECT_EQ(format_hhmm(2410), "24:10");
  EXPECT_EQ(format_000(7), "007");
  EXPECT_EQ(format_000(1234), "1234");
  EXPECT_EQ(format_00(5), "05");
  EXPECT_EQ(format_0000(905), "0905");
  EXPECT_EQ(format_0000(-5), "-005");
  EXPECT_EQ(format_thousands(13750), "13,750");
  EXPECT_EQ(format_thousands(1234567), "1,234,567");
  EXPECT_EQ(format_thousands(0), "0");
  EXPECT_EQ(format_thousands(-1500), "-1,500");
  EXPECT_EQ(format_plain(-12), "-12");
  EXPECT_EQ(format_date_jp(2000, 3, 11, 7), "2000/03/11（土）");
  EXPECT_EQ(format_date_ascii(2000, 3, 11, 7), "2000/03/11 (土)");
  EXPECT_EQ(weekday_name(1), "日");
  EXPECT_EQ(weekday_name(0), "");
}

TEST(Trim, RightTrimOfBlanksOnlyIsEmpty) {
  // a blank hotel price is exported through this
  EXPECT_EQ(trim_right("        "), "");
  EXPECT_EQ(trim_right(" "), "");
  EXPECT_EQ(trim_right(""), "");
  EXPECT_EQ(trim_right("\\5,000  "), "\\5,000");
}

TEST(Trim, LeftTrimOfBlanksOnlyIsEmpty) {
  EXPECT_EQ(trim_left("   "), "");
  EXPECT_EQ(trim_left(" "), "");
}

}  // namespace
}  // namespace ravolin::text
