// SPDX-License-Identifier: MIT
// The product lines of the loading and version information windows.
#pragma once

#include "text/language.h"

#include <string>

namespace ravolin::data {
struct Edition;
}

namespace ravolin::board {

// Loading messages of the loading window, by loading mode.
inline constexpr int kLoadingStartup = 0;
inline constexpr int kLoadingFares = 1;  // kept for completeness; nothing opens it
inline constexpr int kLoadingHotels = 2;
inline constexpr int kLoadingSearch = 3;
// "データロード中!!  しばらくお待ち下さい" etc.; empty for an unknown mode.
std::string loading_message(int mode, text::Language language = text::Language::kJapanese);

// Three lines ended by CR LF: "ラボリン（<corridor>編）＆ホテル情報　V1.59", a line
// saying what the program offers, and "2000/03/11現在のデータを使用しています".
// In English, `corridor_caption` is the edition's English caption.
std::string about_text(const std::string& corridor_caption,
                       text::Language language = text::Language::kJapanese);
// The edition's caption in `language` (empty before the edition is known).
std::string corridor_caption(const data::Edition* edition, text::Language language);

}  // namespace ravolin::board
