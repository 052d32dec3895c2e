// SPDX-License-Identifier: MIT
#include "text/language.h"

namespace ravolin::text {

std::optional<Language> language_from_code(std::string_view code) {
  if (code == "ja") return Language::kJapanese;
  if (code == "en") return Language::kEnglish;
  return std::nullopt;
}

const char* language_code(Language language) {
  return language == Language::kEnglish ? "en" : "ja";
}

namespace {

bool set(const char* value) { return value != nullptr && *value != '\0'; }

bool starts_with_en(std::string_view value) {
  return value.size() >= 2 && value.substr(0, 2) == "en" &&
         (value.size() == 2 || value[2] == '_' || value[2] == '.' || value[2] == '@' ||
          value[2] == ':' || value[2] == '-');
}

}  // namespace

Language language_of_locale(const char* language_env, const char* lc_all, const char* lc_messages,
                            const char* lang) {
  // LANGUAGE is a list ("en_GB:ja"); its first entry decides, as gettext reads it, but
  // only when the locale itself is not "C".
  const char* locale = set(lc_all) ? lc_all : set(lc_messages) ? lc_messages : lang;
  if (set(language_env) && !(set(locale) && std::string_view(locale) == "C"))
    return starts_with_en(language_env) ? Language::kEnglish : Language::kJapanese;
  return set(locale) && starts_with_en(locale) ? Language::kEnglish : Language::kJapanese;
}

}  // namespace ravolin::text
