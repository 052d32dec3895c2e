// SPDX-License-Identifier: MIT
// The language of the program's own texts. Japanese is the program's language and stays
// exactly as it is; English is the edition for visitors who read no Japanese.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ravolin::text {

enum class Language { kJapanese, kEnglish };

// "ja" / "en" (as on the command line and in the settings file); nothing for any other.
std::optional<Language> language_from_code(std::string_view code);
const char* language_code(Language language);

// The language a desktop locale asks for: English when LANGUAGE's first entry, or else
// LANG (or LC_ALL / LC_MESSAGES before it), starts with "en"; Japanese otherwise.
Language language_of_locale(const char* language_env, const char* lc_all, const char* lc_messages,
                            const char* lang);

}  // namespace ravolin::text
