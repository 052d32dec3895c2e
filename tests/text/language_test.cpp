// SPDX-License-Identifier: MIT
#include "text/language.h"
#include "data/place_names.h"

#include <gtest/gtest.h>

namespace ravolin::text {
namespace {

TEST(Language, CodesAndTheDesktopLocale) {
  EXPECT_EQ(language_from_code("en"), Language::kEnglish);
  EXPECT_EQ(language_from_code("ja"), Language::kJapanese);
  EXPECT_FALSE(language_from_code("EN"));
  EXPECT_FALSE(language_from_code("english"));
  EXPECT_FALSE(language_from_code(""));
  EXPECT_STREQ(language_code(Language::kEnglish), "en");

  const auto E = Language::kEnglish, J = Language::kJapanese;
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, nullptr), J);
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, "en_GB.UTF-8"), E);
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, "en"), E);
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), J);
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, "C.UTF-8"), J);
  // not a language that merely starts with the letters
  EXPECT_EQ(language_of_locale(nullptr, nullptr, nullptr, "enx_XX"), J);
  // LC_ALL before LC_MESSAGES before LANG; LANGUAGE's first entry before all of them
  EXPECT_EQ(language_of_locale(nullptr, "ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8"), J);
  EXPECT_EQ(language_of_locale(nullptr, "", "en_US.UTF-8", "ja_JP.UTF-8"), E);
  EXPECT_EQ(language_of_locale("en_GB:ja", nullptr, nullptr, "ja_JP.UTF-8"), E);
  EXPECT_EQ(language_of_locale("ja:en", nullptr, nullptr, "en_US.UTF-8"), J);
  // gettext ignores LANGUAGE under the C locale
  EXPECT_EQ(language_of_locale("en", nullptr, nullptr, "C"), J);
}

TEST(PlaceNames, EnglishFormsAndTypedNames) {
  data::PlaceNames names;
  names.add("新横浜", "Shin-Yokohama");
  names.add("東京", "Tokyo");
  EXPECT_EQ(names.shown("新横浜", Language::kEnglish), "Shin-Yokohama");
  EXPECT_EQ(names.shown("新横浜", Language::kJapanese), "新横浜");
  // no English form: the name as it stands
  EXPECT_EQ(names.shown("浜松", Language::kEnglish), "浜松");
  EXPECT_EQ(names.japanese_of("shin yokohama"), "新横浜");
  EXPECT_EQ(names.japanese_of("SHINYOKOHAMA"), "新横浜");
  EXPECT_EQ(names.japanese_of("東京"), "東京");
  EXPECT_EQ(names.japanese_of("Tokio"), "Tokio");
}

}  // namespace
}  // namespace ravolin::text
